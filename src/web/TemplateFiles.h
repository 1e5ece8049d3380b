#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class UiServices;

// Larger templates are refused as the old program refused what it could not hold in memory.
constexpr qint64 kMaxTemplateBytes = 16 * 1024 * 1024;

// The names of the regular files directly inside FOLDER, sorted; nullopt when FOLDER is no
// folder. Subfolders are not entered.
std::optional<QStringList> ListTemplateFiles(const QString& folder);

// Whether a format file is a page to expand (.htm .html .css .txt .xml .svg); any other file,
// a picture above all, is copied byte for byte.
bool IsTextTemplate(const QString& name);

// Fills PAGE from the UTF-8 template at PATH, every line whole and ended with CR LF (a last line
// without a line feed included). On failure tells the user, leaves the error text in PAGE and
// returns false.
bool LoadTemplate(const QString& path, QString& page, UiServices& ui);
