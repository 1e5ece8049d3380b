#pragma once

#include <QDialog>

class QLabel;
class SequenceRecorder;

// Shown while a sequence records: the frames so far; Esc, a click or the time limit (seconds, 0
// for none) ends it.
class RecordingDialog : public QDialog {
public:
    RecordingDialog(const SequenceRecorder& recorder, int timeLimitSeconds, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_count;
};
