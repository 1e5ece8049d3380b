#pragma once

#include "album/CFotoObj.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SoundAnnotations;
class UiServices;

// "Photo Card": the name, description and object file of a card, with a preview of the object,
// its sound note and the import and export of the description.
class PhotoCardDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kNameLimit = 255;
    static constexpr int kDescriptionLimit = 1024;
    static constexpr int kObjectLimit = 255;
    static constexpr qint64 kImportLimit = 9999;

    // Where a stored object file is found here (relative names, Windows paths).
    using FileLookup = std::function<QString(const QString& stored)>;

    // ON_VIEW shows the card's image in the image view (the view button); FIND_FILE finds the
    // object file for the preview and the sound note.
    PhotoCardDialog(const CFotoObj& card, UiServices& ui, SoundAnnotations& sound, FileLookup findFile,
                    std::function<void()> onView, QWidget* parent);

    // The card with the dialog's fields applied as OK applies them.
    CFotoObj Result() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

public:

    // The buttons, for scripted use.
    void ChooseObject();
    void ImportDescription();
    void ExportDescription();
    QLineEdit* NameField() const { return m_name; }
    QPlainTextEdit* DescriptionField() const { return m_description; }
    QLineEdit* ObjectField() const { return m_object; }
    QPushButton* ViewButton() const { return m_view; }
    const QLabel* Preview() const { return m_preview; }

private:
    void UpdatePreview();

    CFotoObj m_card;
    FileLookup m_findFile;
    UiServices& m_ui;
    SoundAnnotations& m_sound;
    QLineEdit* m_name;
    QPlainTextEdit* m_description;
    QLineEdit* m_object;
    QLabel* m_preview;
    QPushButton* m_view;
};
