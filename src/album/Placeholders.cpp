#include "Placeholders.h"

#include "CAlboraDoc.h"
#include "CAppSettings.h"

#include "platform/CTime.h"
#include "platform/ProgramPaths.h"

#include <QDir>
#include <ctime>

int ReplacePlaceholder(const QString& placeholder, const QString& value, QString& text, int limit) {
    const qsizetype n = placeholder.size();
    if (n == 0 || n > text.size()) return 0;
    int count = 0;
    qsizetype p = 0;
    while (p <= text.size() - n) {
        if (QStringView(text).mid(p, n).compare(placeholder, Qt::CaseInsensitive) != 0) {
            ++p;
            continue;
        }
        text.replace(p, n, value);
        if (++count >= limit) break;
        p += value.size();
    }
    return count;
}

SelectedCardTexts CardTexts(const CFotoObj& card) {
    return {card.m_strName, card.m_strGraphic, CTime::CardDate(card.m_time).value_or(QStringLiteral("<Error>")),
            card.m_strDescription};
}

namespace {

// A file named to another program is absolute: it then neither depends on the folder that program
// starts in nor reads as one of its options.
QString Absolute(const QString& path) {
    return path.isEmpty() || QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path);
}

enum class Use { Text, Program };

bool Expand(QString& text, CAlboraDoc& doc, const std::optional<SelectedCardTexts>& selection,
            const std::optional<QString>& newName, Use use) {
    const auto file = [use](const QString& path) { return use == Use::Program ? Absolute(path) : path; };
    if (selection) {
        // The card's text may be a Windows path or a name relative to the album's folder.
        const QString image = use == Use::Program && !selection->graphic.isEmpty()
                                  ? Absolute(doc.CardFiles().Resolve(selection->graphic))
                                  : selection->graphic;
        ReplacePlaceholder(QStringLiteral("{NAMESEL}"), selection->name, text);
        ReplacePlaceholder(QStringLiteral("{IMAGESEL}"), image, text);
        ReplacePlaceholder(QStringLiteral("{SELNOEX}"), image, text);
        ReplacePlaceholder(QStringLiteral("{DATESEL}"), selection->date, text);
        ReplacePlaceholder(QStringLiteral("{DESCSEL}"), selection->description, text);
    }
    if (text.contains(QStringLiteral("{NEWNAME}"), Qt::CaseInsensitive))
        ReplacePlaceholder(QStringLiteral("{NEWNAME}"), file(newName ? *newName : doc.NextImageFileName()), text);
    const CFotoObjList& album = doc.Db().List();
    const CAppSettings& settings = doc.Settings();
    const std::int64_t now = std::time(nullptr);
    const auto clock = [now](const char* format) { return CTime::Format(format, now).value_or(QString()); };
    const QString longDate = clock("%B %d, %Y %H:%M:%S");
    ReplacePlaceholder(QStringLiteral("{CRPPATH}"), file(doc.GetPathName()), text);
    ReplacePlaceholder(QStringLiteral("{CRPNAME}"), album.m_strName, text);
    ReplacePlaceholder(QStringLiteral("{CRPDESC}"), album.m_strDescription, text);
    ReplacePlaceholder(QStringLiteral("{CRPAUTHOR}"), album.m_strAuthor, text);
    ReplacePlaceholder(QStringLiteral("{CRPDATE}"),
                       CTime::Format("%B %d, %Y %H:%M:%S", album.m_timeCreated).value_or(QString()), text);
    ReplacePlaceholder(QStringLiteral("{ALBOPATH}"), file(ProgramPaths::ProgramDirectory()), text);
    ReplacePlaceholder(QStringLiteral("{FASTPATH}"),
                       file(settings.FastTempPath.isEmpty() ? ProgramPaths::ScratchDirectory() : settings.FastTempPath),
                       text);
    ReplacePlaceholder(QStringLiteral("{CURDATE}"), longDate, text);
    ReplacePlaceholder(QStringLiteral("{DATETIME}"), longDate, text);
    ReplacePlaceholder(QStringLiteral("{DATE}"), clock("%B %d, %Y"), text);
    ReplacePlaceholder(QStringLiteral("{TIME}"), clock("%H:%M:%S"), text);
    return true;
}

}  // namespace

bool ExpandPlaceholders(QString& text, CAlboraDoc& doc, const std::optional<SelectedCardTexts>& selection) {
    return Expand(text, doc, selection, std::nullopt, Use::Text);
}

bool ExpandProgramPlaceholders(QString& word, CAlboraDoc& doc, const std::optional<SelectedCardTexts>& selection,
                               const QString& newName) {
    return Expand(word, doc, selection, newName, Use::Program);
}
