#pragma once

#include "album/CAlboraDoc.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class UiServices;

// "Album information": name, description, author and directory of the album, with its creation
// date and card count shown read-only.
class AlbumInfoDialog : public QDialog {
    Q_OBJECT

public:
    AlbumInfoDialog(const AlbumInfoFields& fields, UiServices& ui, QWidget* parent);
    AlbumInfoFields Fields() const;

    // Runs the dialog on FIELDS; true and the edited fields on OK.
    static bool Edit(AlbumInfoFields& fields, UiServices& ui, QWidget* parent);

private:
    void ChooseDirectory();

    AlbumInfoFields m_fields;
    UiServices& m_ui;
    QLineEdit* m_name;
    QPlainTextEdit* m_description;
    QLineEdit* m_author;
    QLineEdit* m_directory;
};
