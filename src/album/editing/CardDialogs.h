#pragma once

#include <QString>

class CFotoObj;

// The questions the card commands ask through dialogs: the GUI shows them, tests script them.
class CardDialogs {
public:
    virtual ~CardDialogs() = default;
    // "Photo Card" on CARD (a copy); true on OK, with CARD holding the edited values.
    virtual bool EditCard(CFotoObj& card) = 0;
    // "Search:" starting with TEXT and FIELD; true on OK.
    virtual bool AskSearch(QString& text, QString& field) = 0;
    // "Rename image file": NEWNAME starts as the object file.
    virtual bool AskRename(const QString& objectFile, const QString& cardName, QString& newName,
                           bool& preserveName) = 0;
    // "Convert": FORMAT starts as "JPG".
    virtual bool AskConvert(const QString& objectFile, QString& format, bool& preserveName) = 0;
};

// What OK of the "Photo Card" dialog does with its fields: an empty name becomes the object
// file, or "Nombre"; an empty object field keeps the previous object; the time becomes now.
void ApplyPhotoCardFields(CFotoObj& card, const QString& name, const QString& description,
                          const QString& objectFile);
