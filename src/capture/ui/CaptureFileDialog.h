#pragma once

#include <QDialog>

class CAlboraDoc;
class CaptureFileFields;
class UiServices;

// "Video Photo: Capture": the file a grabbed frame goes to; for the OVERLAY the same with its
// fixed format ("GrabaFormato"); or, for a SEQUENCE, "Video Sequence: Capture" with the AVI a
// recording goes to. OK on a name that exists asks first; No keeps the dialog open.
class CaptureFileDialog : public QDialog {
public:
    enum class Kind { Photo, Overlay, Sequence };
    CaptureFileDialog(CAlboraDoc& doc, UiServices& ui, const QString& proposed, QWidget* parent,
                      Kind kind = Kind::Photo);
    QString FileName() const;
    void accept() override;

private:
    UiServices& m_ui;
    CaptureFileFields* m_fields;
};
