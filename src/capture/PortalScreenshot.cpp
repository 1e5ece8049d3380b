#include "PortalScreenshot.h"

#include "image/CImageObject.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QUrl>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// The request object the portal will answer on; known before the call, so the answer cannot
// come before we listen.
QString RequestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1);  // ":1.42" -> "1_42"
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

// Receives the portal's Response signal.
class ResponseCatcher : public QObject {
    Q_OBJECT
public:
    uint code = 2;
    QVariantMap results;
    bool answered = false;
Q_SIGNALS:
    void Answered();
public Q_SLOTS:
    void OnResponse(uint response, const QVariantMap& values) {
        code = response;
        results = values;
        answered = true;
        Q_EMIT Answered();
    }
};

}  // namespace

namespace PortalScreenshot {

bool Available(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService).value();
}

Result Take(const QDBusConnection& bus, CImageObject& picture, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return Result::Failed;
    };
    if (!Available(bus)) return fail(QStringLiteral("no desktop portal offers screenshots"));

    const QString token = QStringLiteral("albora%1").arg(QRandomGenerator::global()->generate());
    ResponseCatcher catcher;
    QDBusConnection connection(bus);
    if (!connection.connect(kService, RequestPath(bus, token), kRequestInterface, QStringLiteral("Response"),
                            &catcher, SLOT(OnResponse(uint, QVariantMap))))
        return fail(QStringLiteral("the desktop portal cannot be listened to"));

    QEventLoop loop;
    QObject::connect(&catcher, &ResponseCatcher::Answered, &loop, &QEventLoop::quit);
    // A portal that goes away never answers.
    QDBusServiceWatcher gone(kService, connection, QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&gone, &QDBusServiceWatcher::serviceUnregistered, &loop, &QEventLoop::quit);

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Screenshot"));
    call << QString() << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("interactive"), true}};
    QString callError;
    QDBusPendingCallWatcher pending(connection.asyncCall(call));
    QObject::connect(&pending, &QDBusPendingCallWatcher::finished, &loop, [&] {
        const QDBusPendingReply<QDBusObjectPath> reply = pending;
        if (reply.isError()) {
            callError = reply.error().message();
            loop.quit();
        }
    });
    if (!catcher.answered) loop.exec();
    connection.disconnect(kService, RequestPath(bus, token), kRequestInterface, QStringLiteral("Response"), &catcher,
                          SLOT(OnResponse(uint, QVariantMap)));

    if (!callError.isEmpty()) return fail(QStringLiteral("the desktop portal refused: ") + callError);
    if (!catcher.answered) return fail(QStringLiteral("the desktop portal went away"));
    if (catcher.code == 1) return Result::Cancelled;
    if (catcher.code != 0) return fail(QStringLiteral("the desktop portal could not take the picture"));
    const QUrl uri(catcher.results.value(QStringLiteral("uri")).toString());
    if (!uri.isLocalFile()) return fail(QStringLiteral("the desktop portal gave no picture file"));
    if (!picture.Load(uri.toLocalFile()))
        return fail(QStringLiteral("the portal's picture %1 cannot be read").arg(uri.toLocalFile()));
    return Result::Taken;
}

}  // namespace PortalScreenshot

#include "PortalScreenshot.moc"
