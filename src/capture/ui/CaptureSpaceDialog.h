#pragma once

#include "platform/widgets/FormDialog.h"

class QLabel;
class QLineEdit;
class QSpinBox;
class UiServices;

// "Capture temporary file": where sequences are recorded before they are saved, and how much room
// is set aside for them. OK reserves the room; when the disk cannot give it the dialog says so
// and stays open.
class CaptureSpaceDialog : public FormDialog {
public:
    CaptureSpaceDialog(const QString& captureFile, UiServices& ui, QWidget* parent);
    QString CaptureFile() const;
    void accept() override;

private:
    void ShowFreeSpace();
    void Browse();

    UiServices& m_ui;
    QLineEdit* m_name;
    QSpinBox* m_megabytes;
    QLabel* m_free;
    QLabel* m_fileSize;
};
