#include "ScreenSource.h"

#include "PortalScreenshot.h"
#include "XcbScreen.h"

#include <QDBusConnection>

ScreenSource FindScreenSource(QString* why) {
    QString xWhy;
    if (XScreenReadable(&xWhy)) return ScreenSource::X;
    if (PortalScreenshot::Available(QDBusConnection::sessionBus())) return ScreenSource::Portal;
    if (why) *why = xWhy + QStringLiteral(", and no desktop portal offers screenshots");
    return ScreenSource::None;
}
