#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <optional>

class LiveCam;

// Where the server listens: "127.0.0.1:8080", "[::1]:8080".
struct ListenAddress {
    QHostAddress address;
    quint16 port = 0;
};
std::optional<ListenAddress> ParseListenAddress(const QString& text);

// The LiveCam's own small web server: the last whole snapshot as "/livecam.jpg" while it is live,
// and the test page as "/" and "/index.htm", both from memory; no path ever reaches the disk. GET
// and HEAD only, HTTP/1.1 with keep-alive. Only so many clients are served at once; when they are
// all there, the one that has gone longest without progress makes room for a newcomer, so that
// clients which hold their place without asking anything cannot lock the others out.
class LiveCamServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 16;

    explicit LiveCamServer(QObject* parent = nullptr);
    ~LiveCamServer() override;

    // Listens on ADDRESS:PORT (port 0 takes a free one); false with the system's REASON.
    bool Listen(const QHostAddress& address, quint16 port, QString* reason = nullptr);
    void Close();
    bool IsListening() const { return m_server.isListening(); }
    QHostAddress Address() const { return m_server.serverAddress(); }
    quint16 Port() const { return m_server.serverPort(); }
    int Clients() const { return m_clients; }
    // The replies written for the clients that they have not taken yet.
    qint64 UnsentBytes() const;

    // The snapshot served from now on until LIVE_UNTIL; an empty one, or one past it, is no live
    // picture (503). A reply already under way keeps the one it started with.
    void SetSnapshot(const QByteArray& jpeg, QDeadlineTimer liveUntil = QDeadlineTimer::Forever);
    // Serves CAM's pictures as its ticks make them: a failed tick leaves no live picture, and a
    // picture not followed by another in time (a camera gone) stops being one.
    void Follow(const LiveCam& cam);
    void SetTestPage(const QByteArray& html) { m_page = html; }

    // The reply to one request's head (request line and headers, without the empty line); HEAD
    // gets the same headers without the body. CLOSE tells whether the connection ends after it.
    QByteArray Reply(const QByteArray& head, bool& close) const;
    // A plain reply of CODE that ends the connection.
    static QByteArray Refusal(int code);

private:
    void Accept();
    void MakeRoom();

    QTcpServer m_server;
    QByteArray m_snapshot;
    QDeadlineTimer m_snapshotLiveUntil;
    QByteArray m_page;
    int m_clients = 0;
};

// The test page that shows "livecam.jpg" and reloads itself every 5 seconds, byte for byte.
QByteArray LiveCamTestPage();
