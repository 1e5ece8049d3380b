#pragma once

#include <QDialog>

class CAlboraDoc;
class CaptureFileFields;
class UiServices;

// "Video Photo: Capture": the file a grabbed frame goes to. OK on a name that exists asks first;
// No keeps the dialog open.
class CaptureFileDialog : public QDialog {
public:
    CaptureFileDialog(CAlboraDoc& doc, UiServices& ui, const QString& proposed, QWidget* parent);
    QString FileName() const;
    void accept() override;

private:
    UiServices& m_ui;
    CaptureFileFields* m_fields;
};
