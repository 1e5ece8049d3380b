#pragma once

#include <QString>

// Album and card texts are the user's, not markup: a card named "<script>" must show as written.
// Line breaks become "<br>" so multi-line descriptions keep their lines.
QString HtmlEscape(const QString& text);

// A file name of the site as a link's target: UTF-8, percent-encoded but for the characters a URL
// path allows as they are, "/" kept as the separator. Ready for an attribute: nothing is left to escape.
QString UrlPath(const QString& name);

// PAGE with the text of its <title> trimmed: a title whose placeholder is empty ("Photo album
// {CRPNAME}" of an album without a name) keeps no dangling blank.
QString WithTrimmedTitle(const QString& page);

// Characters that break a file name used as a link ("#" starts a fragment, "?" a query, "%" an
// escape; the others are not allowed in URLs or on other systems) become "_".
QString SafeOutputName(const QString& name);

// NAME without its extension ("beach.jpg" gives "beach"; a leading dot is no extension).
QString BaseName(const QString& name);
