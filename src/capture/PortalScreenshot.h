#pragma once

#include <QString>

class CImageObject;
class QDBusConnection;

// The desktop portal's Screenshot (org.freedesktop.portal.Screenshot): where X cannot read other
// programs' windows (a Wayland session), the desktop takes the picture and asks the user what
// to take.
namespace PortalScreenshot {

enum class Result { Taken, Cancelled, Failed };

// Whether a portal on BUS answers for screenshots.
bool Available(const QDBusConnection& bus);

// Asks for an interactive screenshot and runs the event loop until the portal answers, so the
// window stays alive meanwhile. The picture is read into PICTURE; on failure ERROR says why.
Result Take(const QDBusConnection& bus, CImageObject& picture, QString* error);

}  // namespace PortalScreenshot
