#pragma once

#include <QDialog>

class CAlboraDoc;
class CaptureFileFields;
class CImageObject;
class XcbScreen;
class QCheckBox;
class QLabel;
class QSpinBox;
class UiServices;

// "Screen Photo: Capture": one press of Desktop, Rectangle, Window or Client area takes the picture
// into the file named here and ends the dialog, with OK only when the file was written.
class ScreenCaptureDialog : public QDialog {
public:
    enum class Mode { Desktop, Rectangle, Window, ClientArea };

    // OWNER, the main window, is hidden while the screen is taken.
    ScreenCaptureDialog(CAlboraDoc& doc, UiServices& ui, QWidget* owner, const QString& proposed);
    QString FileName() const;
    // Whether a capture was tried and failed (as against the dialog being cancelled).
    bool Failed() const { return m_failed; }
    void Capture(Mode mode);

private:
    // Runs the event loop for MS milliseconds, so hidden windows leave the screen.
    static void Wait(int ms);
    // The grab of MODE; the picture's result code.
    int Grab(Mode mode, XcbScreen& screen, CImageObject& picture);

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QWidget* m_owner;
    CaptureFileFields* m_fields;
    QCheckBox* m_hide;
    QSpinBox* m_delay;
    QLabel* m_feedback;
    bool m_failed = false;
};
