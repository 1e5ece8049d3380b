#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

#include <optional>

class QTcpSocket;

// Where the server listens: "127.0.0.1:8080", "[::1]:8080".
struct ListenAddress {
    QHostAddress address;
    quint16 port = 0;
};
std::optional<ListenAddress> ParseListenAddress(const QString& text);

// The LiveCam's own small web server: the last whole snapshot as "/livecam.jpg" and the test page
// as "/" and "/index.htm", both from memory; no path ever reaches the disk. GET and HEAD only,
// HTTP/1.1 with keep-alive; idle clients are closed, and only so many are served at once.
class LiveCamServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 16;
    static constexpr int kIdleMs = 10000;
    static constexpr int kMaxHeaderBytes = 8192;

    explicit LiveCamServer(QObject* parent = nullptr);
    ~LiveCamServer() override;

    // Listens on ADDRESS:PORT (port 0 takes a free one); false with the system's REASON.
    bool Listen(const QHostAddress& address, quint16 port, QString* reason = nullptr);
    void Close();
    bool IsListening() const { return m_server.isListening(); }
    QHostAddress Address() const { return m_server.serverAddress(); }
    quint16 Port() const { return m_server.serverPort(); }
    int Clients() const { return m_clients; }

    // The snapshot served from now on; a reply already under way keeps the one it started with.
    void SetSnapshot(const QByteArray& jpeg) { m_snapshot = jpeg; }
    void SetTestPage(const QByteArray& html) { m_page = html; }

    // The reply to one request's head (request line and headers, without the empty line); HEAD
    // gets the same headers without the body. CLOSE tells whether the connection ends after it.
    QByteArray Reply(const QByteArray& head, bool& close) const;

private:
    void Accept();
    void Serve(QTcpSocket* socket);

    QTcpServer m_server;
    QByteArray m_snapshot;
    QByteArray m_page;
    int m_clients = 0;
};

// The test page that shows "livecam.jpg" and reloads itself every 5 seconds, byte for byte.
QByteArray LiveCamTestPage();
