// The LiveCam's web server by raw requests: what it serves, what it refuses, and how it treats
// clients that misbehave.
#include "TestFiles.h"

#include "capture/LiveCamConnection.h"
#include "capture/LiveCamServer.h"

#include <gtest/gtest.h>

#include <QTcpSocket>

namespace {

struct ServerFixture {
    LiveCamServer server;
    ServerFixture() { EXPECT_TRUE(server.Listen(QHostAddress::LocalHost, 0)); }

    // Sends BYTES on a new connection and collects what comes back until the server closes it
    // or MS pass.
    QByteArray Exchange(const QByteArray& bytes, int ms = 3000) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.Port());
        if (!WaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; })) return {};
        socket.write(bytes);
        QByteArray reply;
        WaitFor([&] {
            reply += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        }, ms);
        return reply + socket.readAll();
    }
};

QByteArray Get(const QByteArray& target, const QByteArray& method = "GET") {
    return method + " " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
}

// Lets the server work for MS.
void Pump(int ms) {
    WaitFor([] { return false; }, ms);
}

}  // namespace

TEST(LiveCamServer, ServesTheTestPageAndTheLastWholeSnapshotFromMemory) {
    ServerFixture f;
    f.server.SetSnapshot(QByteArray("\xFF\xD8 first \xFF\xD9", 11));
    const QByteArray page = f.Exchange(Get("/"));
    EXPECT_TRUE(page.startsWith("HTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(page.contains("Content-Type: text/html\r\n"));
    EXPECT_TRUE(page.contains("Cache-Control: no-store\r\n"));
    EXPECT_TRUE(page.contains("X-Content-Type-Options: nosniff\r\n"));
    EXPECT_TRUE(page.endsWith(LiveCamTestPage()));
    EXPECT_EQ(f.Exchange(Get("/index.htm")), page);

    f.server.SetSnapshot(QByteArray("\xFF\xD8 second \xFF\xD9", 12));
    const QByteArray jpeg = f.Exchange(Get("/livecam.jpg?t=123"));
    EXPECT_TRUE(jpeg.contains("Content-Type: image/jpeg\r\nContent-Length: 12\r\n"));
    EXPECT_TRUE(jpeg.endsWith(QByteArray("\xFF\xD8 second \xFF\xD9", 12)));
    const QByteArray head = f.Exchange(Get("/livecam.jpg", "HEAD"));
    EXPECT_TRUE(head.contains("Content-Length: 12\r\n"));
    EXPECT_TRUE(head.endsWith("\r\n\r\n"));  // the headers alone

    // Several requests on one connection, answered in order.
    const QByteArray twice = f.Exchange("GET / HTTP/1.1\r\nHost: x\r\n\r\nGET /livecam.jpg HTTP/1.1\r\nHost: x\r\n"
                                        "Connection: close\r\n\r\n");
    EXPECT_EQ(twice.count("HTTP/1.1 200 OK"), 2);
    EXPECT_TRUE(twice.indexOf("text/html") < twice.indexOf("image/jpeg"));
}

TEST(LiveCamServer, RefusesOtherPathsClimbingMethodsAndHugeHeads) {
    ServerFixture f;
    EXPECT_TRUE(f.Exchange(Get("/livecam.jpg")).startsWith("HTTP/1.1 503"));  // no picture yet
    for (const char* path : {"/etc/passwd", "/index.html", "/livecam.jpg/x"})
        EXPECT_TRUE(f.Exchange(Get(path)).startsWith("HTTP/1.1 404")) << path;
    for (const char* path : {"/../livecam.jpg", "/%2e%2e/etc/passwd", "/%2E%2E%2Fx", "/..\\x", "/a\\b", "/%5c", "x"})
        EXPECT_TRUE(f.Exchange(Get(path)).startsWith("HTTP/1.1 400")) << path;
    for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS"}) {
        const QByteArray reply = f.Exchange(Get("/", method));
        EXPECT_TRUE(reply.startsWith("HTTP/1.1 405")) << method;
        EXPECT_TRUE(reply.contains("Allow: GET, HEAD\r\n"));
    }
    EXPECT_TRUE(f.Exchange("nonsense\r\n\r\n").startsWith("HTTP/1.1 400"));
    const QByteArray huge = "GET / HTTP/1.1\r\nX-Filler: " + QByteArray(9000, 'a') + "\r\n\r\n";
    EXPECT_TRUE(f.Exchange(huge).startsWith("HTTP/1.1 431"));
    const QByteArray endless = "GET / HTTP/1.1\r\nX-Filler: " + QByteArray(20000, 'a');  // never ends its head
    EXPECT_TRUE(f.Exchange(endless).startsWith("HTTP/1.1 431"));
}

TEST(LiveCamServer, ListensWhereToldAndServesOnlySoManyAtOnce) {
    LiveCamServer server;
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0));
    EXPECT_EQ(server.Address(), QHostAddress(QHostAddress::LocalHost));
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < LiveCamServer::kMaxClients; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        held.back()->connectToHost(QHostAddress::LocalHost, server.Port());
    }
    EXPECT_TRUE(WaitFor([&] { return server.Clients() == LiveCamServer::kMaxClients; }));
    // A newcomer is served: one that has only held its place makes room.
    QTcpSocket extra;
    extra.connectToHost(QHostAddress::LocalHost, server.Port());
    extra.write(Get("/"));
    QByteArray served;
    EXPECT_TRUE(WaitFor([&] {
        served += extra.readAll();
        return served.startsWith("HTTP/1.1 200");
    }));
    const auto dropped = [&] {
        return std::count_if(held.begin(), held.end(), [](const auto& s) { return s->state() == QAbstractSocket::UnconnectedState; });
    };
    EXPECT_TRUE(WaitFor([&] { return dropped() == 1; }));
    EXPECT_LE(server.Clients(), LiveCamServer::kMaxClients);
    // The others' places free up as they leave.
    EXPECT_TRUE(WaitFor([&] { return extra.state() == QAbstractSocket::UnconnectedState; }));
    for (auto& socket : held) {
        if (socket->state() != QAbstractSocket::UnconnectedState) {
            socket->abort();
            break;
        }
    }
    EXPECT_TRUE(WaitFor([&] { return server.Clients() == LiveCamServer::kMaxClients - 2; }));
    server.Close();
    EXPECT_TRUE(WaitFor([&] { return server.Clients() == 0; }));
    QString reason;
    LiveCamServer taken;
    ASSERT_TRUE(taken.Listen(QHostAddress::LocalHost, 0));
    EXPECT_FALSE(server.Listen(QHostAddress::LocalHost, taken.Port(), &reason));
    EXPECT_FALSE(reason.isEmpty());
}

// Slow clients trickling their heads a byte at a time, as many as the server takes and coming
// back when dropped, while a well-behaved one fetches the picture.
TEST(LiveCamServer, ClientsTricklingTheirHeadsLockNoOneOut) {
    ServerFixture f;
    f.server.SetSnapshot("picture");
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < LiveCamServer::kMaxClients; ++i) slow.push_back(std::make_unique<QTcpSocket>());
    for (int round = 0; round < 8; ++round) {
        for (auto& socket : slow) {
            if (socket->state() == QAbstractSocket::UnconnectedState) {
                socket->connectToHost(QHostAddress::LocalHost, f.server.Port());
                socket->write("GET / HTTP/1.1\r\nX-Slow: ");
            }
            socket->write("a");
        }
        Pump(100);
        if (round == 0) {
            EXPECT_EQ(f.server.Clients(), LiveCamServer::kMaxClients);
        }
        EXPECT_TRUE(f.Exchange(Get("/livecam.jpg")).startsWith("HTTP/1.1 200 OK")) << round;
        EXPECT_LE(f.server.Clients(), LiveCamServer::kMaxClients);
    }
}

// Bytes trickling in never renew a head's time: one head, one deadline.
TEST(LiveCamServer, AHeadThatNeverEndsIsLetGoHoweverItTrickles) {
    ServerFixture f;
    QTcpSocket slow;
    slow.connectToHost(QHostAddress::LocalHost, f.server.Port());
    ASSERT_TRUE(WaitFor([&] { return slow.state() == QAbstractSocket::ConnectedState; }));
    slow.write("GET / HTTP/1.1\r\n");
    const int rounds = (LiveCamConnection::kHeadMs + 3000) / 100;
    int sent = 0;
    for (; sent < rounds && slow.state() == QAbstractSocket::ConnectedState; ++sent) {
        slow.write("a");
        Pump(100);
    }
    EXPECT_EQ(slow.state(), QAbstractSocket::UnconnectedState) << "still served after " << sent << " bytes";
}

// A client that asks for the picture over and over without reading the replies: what is held
// for it stays bounded, and once it reads, every request is answered.
TEST(LiveCamServer, AClientThatDoesNotTakeItsRepliesIsNotReadFurther) {
    ServerFixture f;
    const QByteArray picture(512 * 1024, 'p');
    f.server.SetSnapshot(picture);
    QTcpSocket greedy;
    greedy.setReadBufferSize(64 * 1024);  // Qt would otherwise take it all in for us
    greedy.connectToHost(QHostAddress::LocalHost, f.server.Port());
    ASSERT_TRUE(WaitFor([&] { return greedy.state() == QAbstractSocket::ConnectedState; }));
    const int requests = 100;
    QByteArray asked;
    for (int i = 0; i < requests; ++i) asked += "GET /livecam.jpg HTTP/1.1\r\nHost: x\r\n\r\n";
    greedy.write(asked);
    ASSERT_TRUE(WaitFor([&] { return f.server.UnsentBytes() > 0; }));
    Pump(500);
    EXPECT_LE(f.server.UnsentBytes(), LiveCamConnection::kMostUnsentBytes + picture.size());

    greedy.setReadBufferSize(0);
    int answered = 0;
    QByteArray tail;  // shorter than the status line, so none is counted twice
    WaitFor([&] {
        const QByteArray chunk = tail + greedy.readAll();
        answered += chunk.count("HTTP/1.1 200 OK\r\n");
        tail = chunk.right(16);
        return answered == requests;
    }, 20000);
    EXPECT_EQ(answered, requests);
}

TEST(LiveCamServer, AnOldPictureIsNoLivePicture) {
    ServerFixture f;
    f.server.SetSnapshot("picture", QDeadlineTimer(200));
    EXPECT_TRUE(f.Exchange(Get("/livecam.jpg")).startsWith("HTTP/1.1 200 OK"));
    EXPECT_TRUE(WaitFor([&] { return f.Exchange(Get("/livecam.jpg")).startsWith("HTTP/1.1 503"); }));
    EXPECT_TRUE(f.Exchange(Get("/")).startsWith("HTTP/1.1 200 OK"));  // the page stays
    f.server.SetSnapshot("picture");
    EXPECT_TRUE(f.Exchange(Get("/livecam.jpg")).startsWith("HTTP/1.1 200 OK"));
    f.server.SetSnapshot({});
    EXPECT_TRUE(f.Exchange(Get("/livecam.jpg", "HEAD")).startsWith("HTTP/1.1 503"));
}

TEST(LiveCamServer, TheTestPageIsWrittenByteForByte) {
    const QByteArray page = LiveCamTestPage();
    EXPECT_TRUE(page.startsWith("<!-- Albora JavaScript example for Vurode Zuv! -->\n<HTML>\n"));
    EXPECT_TRUE(page.contains("<img src=\"livecam.jpg\"\n alt=\"Live Camera\" BORDER=\"1\">\n"));
    EXPECT_TRUE(page.contains("        \tx = x-y\n\t        document.form1.clock.value = x\n"));
    EXPECT_FALSE(page.contains('\r'));
    EXPECT_TRUE(page.endsWith("</BODY>\n</HTML>\n"));
}
