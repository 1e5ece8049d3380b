#pragma once

#include <QString>
#include <optional>

class CAlboraDoc;
class CFotoObj;

// Replaces every PLACEHOLDER in TEXT (ignoring case) by VALUE, at most LIMIT times, never
// scanning an inserted value again; returns the number of replacements.
int ReplacePlaceholder(const QString& placeholder, const QString& value, QString& text,
                       int limit = 10000);

// The four column texts of the first selected card of the card list.
struct SelectedCardTexts {
    QString name;
    QString graphic;
    QString date;
    QString description;
};

// The four texts as the card list shows them for CARD.
SelectedCardTexts CardTexts(const CFotoObj& card);

// Expands the album, selection and clock placeholders of utility command lines and print
// headers ("{CRPNAME}", "{NAMESEL}", "{DATE}" ...). Without a selection the selection
// placeholders stay as they are. "{NEWNAME}" takes a new image name only when it is used.
bool ExpandPlaceholders(QString& text, CAlboraDoc& doc,
                        const std::optional<SelectedCardTexts>& selection);
// As above for one word of a command line, with every "{NEWNAME}" given NEWNAME, so a command
// expanded word by word takes one name. The placeholders that name files give absolute paths, and
// "{IMAGESEL}" and "{SELNOEX}" the card's file as the album finds it here: a program gets a file it
// can open, never a text that reads as one of its options.
bool ExpandProgramPlaceholders(QString& word, CAlboraDoc& doc, const std::optional<SelectedCardTexts>& selection,
                               const QString& newName);
