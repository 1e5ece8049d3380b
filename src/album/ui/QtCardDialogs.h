#pragma once

#include "PhotoCardDialog.h"

#include "album/editing/CardDialogs.h"

#include <functional>

class QWidget;
class SoundAnnotations;
class UiServices;

// The card commands' questions as the GUI's dialogs.
class QtCardDialogs final : public CardDialogs {
public:
    QtCardDialogs(UiServices& ui, SoundAnnotations& sound, PhotoCardDialog::FileLookup findFile,
                  std::function<void()> viewCurrentImage)
        : m_ui(ui), m_sound(sound), m_findFile(std::move(findFile)), m_viewCurrentImage(std::move(viewCurrentImage)) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    bool EditCard(CFotoObj& card) override;
    bool AskSearch(QString& text, QString& field) override;
    bool AskRename(const QString& objectFile, const QString& cardName, QString& newName,
                   bool& preserveName) override;
    bool AskConvert(const QString& objectFile, QString& format, bool& preserveName) override;

private:
    UiServices& m_ui;
    SoundAnnotations& m_sound;
    PhotoCardDialog::FileLookup m_findFile;
    std::function<void()> m_viewCurrentImage;
    QWidget* m_parent = nullptr;
};
