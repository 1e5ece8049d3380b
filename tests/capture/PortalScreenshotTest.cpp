// The desktop portal's screenshot, against a stand-in portal on a private session bus: the
// request it is sent, its answer read back as a picture, a cancel, a refusal, no portal at all.
#include "TestFiles.h"

#include "capture/PortalScreenshot.h"
#include "image/CImageObject.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QImage>
#include <QTimer>
#include <QUrl>

namespace {

// What the desktop portal does for Screenshot: hand out a request object, then answer on it.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
public:
    explicit FakePortal(QDBusConnection bus) : m_bus(bus) {}

    uint response = 0;
    QString uri;
    QVariantMap options;  // of the last request

public Q_SLOTS:
    QDBusObjectPath Screenshot(const QString&, const QVariantMap& given, const QDBusMessage& message) {
        options = given;
        QString sender = message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                    .arg(sender, given.value(QStringLiteral("handle_token")).toString());
        QTimer::singleShot(0, this, [this, request] {
            QDBusMessage answer =
                QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
            answer << response << QVariantMap{{QStringLiteral("uri"), uri}};
            m_bus.send(answer);
        });
        return QDBusObjectPath(request);
    }

private:
    QDBusConnection m_bus;
};

class PortalScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(m_daemon.waitForStarted()) << "dbus-daemon is not installed";
        ASSERT_TRUE(m_daemon.waitForReadyRead(5000));
        const QString address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_portalBus.emplace(QDBusConnection::connectToBus(address, QStringLiteral("portal")));
        m_clientBus.emplace(QDBusConnection::connectToBus(address, QStringLiteral("client")));
        ASSERT_TRUE(m_portalBus->isConnected() && m_clientBus->isConnected());
        portal = std::make_unique<FakePortal>(*m_portalBus);
    }
    void TearDown() override {
        portal.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    void Serve() {
        ASSERT_TRUE(m_portalBus->registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), portal.get(),
                                                QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_portalBus->registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    }
    const QDBusConnection& Client() const { return *m_clientBus; }

    std::unique_ptr<FakePortal> portal;

private:
    QProcess m_daemon;
    std::optional<QDBusConnection> m_portalBus, m_clientBus;
};

TEST_F(PortalScreenshotTest, AnInteractiveRequestGivesThePortalsPicture) {
    ScopedTestDir dir;
    QImage shot(40, 30, QImage::Format_RGB32);
    shot.fill(QColor(10, 200, 30));
    ASSERT_TRUE(shot.save(dir.Path("shot.png")));
    portal->uri = QUrl::fromLocalFile(dir.Path("shot.png")).toString();
    Serve();
    ASSERT_TRUE(PortalScreenshot::Available(Client()));

    CImageObject picture;
    QString error;
    ASSERT_EQ(PortalScreenshot::Take(Client(), picture, &error), PortalScreenshot::Result::Taken) << error.toStdString();
    EXPECT_EQ(picture.GetWidth(), 40);
    EXPECT_EQ(picture.GetHeight(), 30);
    EXPECT_EQ(picture.MakeBitmap().pixelColor(5, 5), QColor(10, 200, 30));
    EXPECT_TRUE(portal->options.value("interactive").toBool());
    EXPECT_TRUE(portal->options.value("handle_token").toString().startsWith("albora"));
}

TEST_F(PortalScreenshotTest, ACancelOrAFailureOrNoPortalGivesNoPicture) {
    CImageObject picture;
    QString error;
    EXPECT_FALSE(PortalScreenshot::Available(Client()));
    EXPECT_EQ(PortalScreenshot::Take(Client(), picture, &error), PortalScreenshot::Result::Failed);
    EXPECT_EQ(error, "no desktop portal offers screenshots");

    Serve();
    portal->response = 1;
    EXPECT_EQ(PortalScreenshot::Take(Client(), picture, &error), PortalScreenshot::Result::Cancelled);
    portal->response = 2;
    EXPECT_EQ(PortalScreenshot::Take(Client(), picture, &error), PortalScreenshot::Result::Failed);
    portal->response = 0;
    portal->uri = QStringLiteral("file:///nowhere/shot.png");
    EXPECT_EQ(PortalScreenshot::Take(Client(), picture, &error), PortalScreenshot::Result::Failed);
    EXPECT_TRUE(error.contains("/nowhere/shot.png")) << error.toStdString();
    EXPECT_FALSE(picture.IsValid());
}

}  // namespace

#include "PortalScreenshotTest.moc"
