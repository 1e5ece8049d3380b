#pragma once

#include <QString>

// Album and card texts are the user's, not markup: a card named "<script>" must show as written.
// Line breaks become "<br>" so multi-line descriptions keep their lines.
QString HtmlEscape(const QString& text);

// Characters that break a file name used as a link ("#" starts a fragment, "?" a query, "%" an
// escape; the others are not allowed in URLs or on other systems) become "_".
QString SafeOutputName(const QString& name);

// NAME without its extension ("beach.jpg" gives "beach"; a leading dot is no extension).
QString BaseName(const QString& name);
