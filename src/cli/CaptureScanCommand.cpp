// albora-cli capture scan ALBUM.crp: one scanner session, each page a card.
#include "CliContext.h"

int RunCaptureScan(CliContext& c, const QStringList&) { return c.Fail(QStringLiteral("capture scan: not built yet")); }
