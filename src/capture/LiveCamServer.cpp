#include "LiveCamServer.h"

#include "LiveCam.h"
#include "LiveCamConnection.h"

#include <QTcpSocket>

namespace {

QByteArray Status(int code) {
    switch (code) {
    case 200:
        return "200 OK";
    case 400:
        return "400 Bad Request";
    case 404:
        return "404 Not Found";
    case 405:
        return "405 Method Not Allowed";
    case 431:
        return "431 Request Header Fields Too Large";
    default:
        return "503 Service Unavailable";
    }
}

QByteArray Response(int code, const QByteArray& type, const QByteArray& body, bool withBody, bool close) {
    QByteArray reply = "HTTP/1.1 " + Status(code) + "\r\nContent-Type: " + type +
                       "\r\nContent-Length: " + QByteArray::number(body.size()) +
                       "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
    if (code == 405) reply += "Allow: GET, HEAD\r\n";
    reply += close ? "Connection: close\r\n\r\n" : "Connection: keep-alive\r\n\r\n";
    if (withBody) reply += body;
    return reply;
}

QByteArray Plain(int code) { return Status(code) + '\n'; }

// How long a tick may take beyond its period: waiting for the camera's frame, then encoding it.
constexpr qint64 kTickSlackMs = 5000;

// A path that tries to climb, or hides dots or backslashes from the check, is refused whole.
bool IsSuspicious(const QByteArray& target) {
    const QByteArray lower = target.toLower();
    return target.contains("..") || target.contains('\\') || lower.contains("%2e") || lower.contains("%5c") ||
           lower.contains("%2f") || !target.startsWith('/');
}

}  // namespace

LiveCamServer::LiveCamServer(QObject* parent) : QObject(parent), m_page(LiveCamTestPage()) {
    connect(&m_server, &QTcpServer::newConnection, this, &LiveCamServer::Accept);
}

LiveCamServer::~LiveCamServer() { Close(); }

void LiveCamServer::SetSnapshot(const QByteArray& jpeg, QDeadlineTimer liveUntil) {
    m_snapshot = jpeg;
    m_snapshotLiveUntil = liveUntil;
}

// A picture lives two periods and the slack: a tick skipped because the previous one is still at
// work must not end it.
void LiveCamServer::Follow(const LiveCam& cam) {
    connect(&cam, &LiveCam::TickDone, this, [this, &cam](const QByteArray& jpeg) {
        SetSnapshot(jpeg, QDeadlineTimer(2 * qint64(cam.Settings().rateMs) + kTickSlackMs));
    });
}

QByteArray LiveCamServer::Refusal(int code) { return Response(code, "text/plain", Plain(code), true, true); }

bool LiveCamServer::Listen(const QHostAddress& address, quint16 port, QString* reason) {
    Close();
    if (m_server.listen(address, port)) return true;
    if (reason) *reason = m_server.errorString();
    return false;
}

void LiveCamServer::Close() {
    m_server.close();
    for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>()) socket->abort();
}

QByteArray LiveCamServer::Reply(const QByteArray& head, bool& close) const {
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> request = lines.value(0).trimmed().split(' ');
    if (request.size() != 3 || !request[2].startsWith("HTTP/1.")) {
        close = true;
        return Response(400, "text/plain", Plain(400), true, close);
    }
    for (const QByteArray& line : lines.mid(1)) {
        const QByteArray header = line.trimmed().toLower();
        if (header.startsWith("connection:") && header.contains("close")) close = true;
    }
    if (request[2] == "HTTP/1.0") close = true;
    const QByteArray& method = request[0];
    const bool head_only = method == "HEAD";
    if (method != "GET" && !head_only) {
        close = true;  // a body may follow that we will not read
        return Response(405, "text/plain", Plain(405), true, close);
    }
    QByteArray target = request[1];
    if (IsSuspicious(target)) return Response(400, "text/plain", Plain(400), !head_only, close);
    if (const qsizetype query = target.indexOf('?'); query >= 0) target.truncate(query);
    if (target == "/" || target == "/index.htm") return Response(200, "text/html", m_page, !head_only, close);
    if (target == "/livecam.jpg") {
        if (m_snapshot.isEmpty() || m_snapshotLiveUntil.hasExpired())
            return Response(503, "text/plain", Plain(503), !head_only, close);
        return Response(200, "image/jpeg", m_snapshot, !head_only, close);
    }
    return Response(404, "text/plain", Plain(404), !head_only, close);
}

void LiveCamServer::Accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        if (m_clients >= kMaxClients) MakeRoom();
        ++m_clients;
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --m_clients;
            socket->deleteLater();
        });
        new LiveCamConnection(socket, [this](const QByteArray& head, bool& close) { return Reply(head, close); });
    }
}

// A client lingering in its request head, idle between requests or not taking its replies has
// made no progress for longest; one being served right now has just made some.
void LiveCamServer::MakeRoom() {
    LiveCamConnection* longest = nullptr;
    for (LiveCamConnection* client : m_server.findChildren<LiveCamConnection*>()) {
        if (client->IsOpen() && (!longest || client->LastProgress() < longest->LastProgress())) longest = client;
    }
    if (longest) longest->Drop();
}

qint64 LiveCamServer::UnsentBytes() const {
    qint64 unsent = 0;
    for (const QTcpSocket* socket : m_server.findChildren<QTcpSocket*>()) unsent += socket->bytesToWrite();
    return unsent;
}

QByteArray LiveCamTestPage() {
    return "<!-- Albora JavaScript example for Vurode Zuv! -->\n<HTML>\n<HEAD>\n<META HTTP-EQUIV=\"REFRESH\" "
           "CONTENT=\"5\">\n<TITLE>Test for Albora Remote Camera</TITLE></HEAD>\n<SCRIPT LANGUAGE=\"JavaScript\">\n"
           "       <!-- Hide from older browsers\n        var x = 5\n        var y = 1\n        function "
           "startclock() {\n        \tx = x-y\n\t        document.form1.clock.value = x\n        \ttimerID = "
           "setTimeout(\"startclock()\", 1000)\n        }\n        // End Hiding -->\n</SCRIPT>\n\n<BODY "
           "onload=\"startclock()\">\n\n<FORM NAME=\"form1\">\n<CENTER>\n<img src=\"livecam.jpg\"\n alt=\"Live "
           "Camera\" BORDER=\"1\">\n<BR>\n<P>Image will reload in <INPUT TYPE=\"text\" NAME=\"clock\" SIZE=\"3\" "
           "VALUE=\"\"> seconds.</P>\n</FORM>\n\n</BODY>\n</HTML>\n";
}

std::optional<ListenAddress> ParseListenAddress(const QString& text) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']'))) host = host.mid(1, host.size() - 2);
    const ListenAddress listen{QHostAddress(host), quint16(port)};
    if (colon < 1 || !ok || port > 65535 || listen.address.isNull()) return std::nullopt;
    return listen;
}
