#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class QTcpSocket;

// One client of the LiveCam's web server: its request heads answered in order as they come
// (pipelined or kept alive), within deadlines that only progress renews, and never more replies
// held for it than it takes.
class LiveCamConnection : public QObject {
    Q_OBJECT

public:
    // A request head must be whole this soon after its first byte (or the connection) however
    // slowly it trickles in; a kept-alive client may wait this long between requests, and one
    // that does not take its replies this long between takes.
    static constexpr int kHeadMs = 3000;
    static constexpr int kIdleMs = 10000;
    static constexpr int kMaxHeaderBytes = 8192;
    // Past this much of its replies unsent, a client's further requests wait unread.
    static constexpr qint64 kMostUnsentBytes = 2 << 20;

    // The reply to one request head; CLOSE tells whether the connection ends after it.
    using Responder = std::function<QByteArray(const QByteArray& head, bool& close)>;

    // Serves SOCKET, whose child it becomes.
    LiveCamConnection(QTcpSocket* socket, Responder respond);

    // When it last made progress: it came, had a request answered or had reply bytes taken.
    const QElapsedTimer& LastProgress() const { return m_progress; }
    // Whether it still holds a place (its socket is gone once the event loop comes round).
    bool IsOpen() const;
    void Drop();

private:
    void Answer();
    void End(const QByteArray& lastReply);
    void ArmDeadline();
    bool Stalled() const;

    QTcpSocket* m_socket;
    Responder m_respond;
    QByteArray m_pending;
    QTimer m_deadline;
    QElapsedTimer m_progress;
    QElapsedTimer m_headStarted;  // valid while a head is coming in
};
