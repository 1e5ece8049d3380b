#include "LiveCamConnection.h"

#include "LiveCamServer.h"

#include <QTcpSocket>
#include <algorithm>

LiveCamConnection::LiveCamConnection(QTcpSocket* socket, Responder respond)
    : QObject(socket), m_socket(socket), m_respond(std::move(respond)) {
    // Left unread, a client's requests stay in the system's buffers and hold it back there;
    // Qt's own buffer would otherwise take in whatever it sends.
    socket->setReadBufferSize(kMaxHeaderBytes);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &LiveCamConnection::Drop);
    connect(socket, &QTcpSocket::readyRead, this, &LiveCamConnection::Answer);
    connect(socket, &QTcpSocket::bytesWritten, this, [this] {
        m_progress.start();
        Answer();
    });
    m_progress.start();
    m_headStarted.start();  // the first head counts from the connection
    ArmDeadline();
}

bool LiveCamConnection::IsOpen() const { return m_socket->state() != QAbstractSocket::UnconnectedState; }

void LiveCamConnection::Drop() { m_socket->abort(); }

bool LiveCamConnection::Stalled() const { return m_socket->bytesToWrite() > kMostUnsentBytes; }

// Whole heads are answered while the client takes its replies; a head past the limit gets 431
// and the connection ends.
void LiveCamConnection::Answer() {
    while (m_socket->state() == QAbstractSocket::ConnectedState) {
        if (Stalled()) {
            // Its next head waits on us now, not on the client: its time starts again on resuming.
            if (m_headStarted.isValid()) m_headStarted.start();
            break;
        }
        const qsizetype end = m_pending.indexOf("\r\n\r\n");
        if (end > kMaxHeaderBytes || (end < 0 && m_pending.size() > kMaxHeaderBytes))
            return End(LiveCamServer::Refusal(431));
        if (end < 0) {
            const QByteArray more = m_socket->read(kMaxHeaderBytes + 4 - m_pending.size());
            if (more.isEmpty()) break;
            if (m_pending.isEmpty() && !m_headStarted.isValid()) m_headStarted.start();
            m_pending += more;
            continue;
        }
        bool close = false;
        m_socket->write(m_respond(m_pending.left(end), close));
        m_pending.remove(0, end + 4);
        m_progress.start();
        m_headStarted.invalidate();
        if (!m_pending.isEmpty()) m_headStarted.start();  // the next one, pipelined
        if (close) return End({});
    }
    ArmDeadline();
}

void LiveCamConnection::End(const QByteArray& lastReply) {
    m_socket->write(lastReply);
    m_pending.clear();
    m_socket->disconnectFromHost();
    m_headStarted.invalidate();
    ArmDeadline();  // a client that never takes the last reply is let go all the same
}

// One deadline at a time, counted from what started it, so bytes trickling in never renew it.
void LiveCamConnection::ArmDeadline() {
    const qint64 left = m_headStarted.isValid() && !Stalled() ? kHeadMs - m_headStarted.elapsed()
                                                               : kIdleMs - m_progress.elapsed();
    m_deadline.start(int(std::max<qint64>(left, 0)));
}
