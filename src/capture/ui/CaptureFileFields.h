#pragma once

#include <QWidget>

class CAlboraDoc;
class QLabel;
class QLineEdit;
class UiServices;

// The two rows every capture dialog starts with: "&File:" with "Browse...", and "F&ormat:" with
// "Properties..." (the Images options). Changing the properties names the next free file in the
// new format.
class CaptureFileFields : public QWidget {
public:
    CaptureFileFields(CAlboraDoc& doc, UiServices& ui, const QString& proposed, QWidget* parent = nullptr);
    QString FileName() const;

private:
    void Browse();
    void Properties();
    void ShowFormat();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QLineEdit* m_file;
    QLabel* m_format;
};
