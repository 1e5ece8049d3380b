#include "QtCardDialogs.h"

#include "CardQuestionDialogs.h"

bool QtCardDialogs::EditCard(CFotoObj& card) {
    PhotoCardDialog dialog(card, m_ui, m_sound, m_findFile, m_viewCurrentImage, m_parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    card = dialog.Result();
    return true;
}

bool QtCardDialogs::AskSearch(QString& text, QString& field) {
    return CardQuestionDialogs::AskSearch(m_parent, text, field);
}

bool QtCardDialogs::AskRename(const QString& objectFile, const QString& cardName, QString& newName,
                              bool& preserveName) {
    return CardQuestionDialogs::AskRename(m_parent, objectFile, cardName, newName, preserveName);
}

bool QtCardDialogs::AskConvert(const QString& objectFile, QString& format, bool& preserveName) {
    return CardQuestionDialogs::AskConvert(m_parent, objectFile, format, preserveName);
}
