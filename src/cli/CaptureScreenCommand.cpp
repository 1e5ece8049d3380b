// albora-cli capture screen ALBUM.crp: the screen, a rectangle or a window as a card.
#include "CliContext.h"

int RunCaptureScreen(CliContext& c, const QStringList&) { return c.Fail(QStringLiteral("capture screen: not built yet")); }
