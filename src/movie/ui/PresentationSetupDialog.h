#pragma once

#include <QDialog>

#include "movie/PresentationOptions.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

// "Presentations setup": the choices a presentation starts with, offered again from its control
// bar while it runs.
class PresentationSetupDialog : public QDialog {
    Q_OBJECT

public:
    enum class Moment { Start, DuringShow };

    PresentationSetupDialog(const PresentationOptions& options, Moment moment, QWidget* parent);
    PresentationOptions Options() const;

    // Shows the dialog over OPTIONS; true, with OPTIONS changed, on "Begin...".
    static bool Edit(PresentationOptions& options, Moment moment, QWidget* parent);

private:
    void UpdateEnabled();

    PresentationOptions m_options;
    QCheckBox* m_fit;
    QCheckBox* m_playAudio;
    QCheckBox* m_waitForSound;
    QCheckBox* m_repeat;
    QCheckBox* m_showInfo;
    QCheckBox* m_startAtCurrent;
    QSpinBox* m_delay;
    QCheckBox* m_noDelay;
    QComboBox* m_unit;
};
