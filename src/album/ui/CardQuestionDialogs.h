#pragma once

#include <QString>

class QWidget;

// The small dialogs of the card commands; each returns true on OK.
namespace CardQuestionDialogs {

// "Search:" with "By:" (Name, Graphic, Date, Description) and "Text:".
bool AskSearch(QWidget* parent, QString& text, QString& field);
// "Rename image file" with "From:", "To:" and "Preserve original name on album".
bool AskRename(QWidget* parent, const QString& objectFile, const QString& cardName, QString& newName,
               bool& preserveName);
// "Convert" with "File:", "Name:", "New format:" and "Preserve original name on album".
bool AskConvert(QWidget* parent, const QString& objectFile, QString& format, bool& preserveName);

}  // namespace CardQuestionDialogs
