#pragma once

#include <QWidget>

class CAlboraDoc;
class QLabel;
class QLineEdit;
class UiServices;

// The two rows every capture dialog starts with: "&File:" with "Browse...", and "F&ormat:" with
// "Properties..." (the Images options). Changing the properties names the next free picture in
// the new format; a FIXED_FORMAT ("AVI") stays as it is, and so does the name.
class CaptureFileFields : public QWidget {
public:
    CaptureFileFields(CAlboraDoc& doc, UiServices& ui, const QString& proposed, const QString& fixedFormat = {},
                      QWidget* parent = nullptr);
    QString FileName() const;
    // Whether the chosen name is a file the album holds (its album file, a card's picture, note or
    // drawing), which a capture never replaces; the user is told so.
    bool RefusesAlbumFile() const;

private:
    void Browse();
    void Properties();
    void ShowFormat();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QString m_fixedFormat;
    QLineEdit* m_file;
    QLabel* m_format;
};
