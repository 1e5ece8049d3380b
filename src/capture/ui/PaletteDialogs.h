#pragma once

#include "platform/widgets/FormDialog.h"

class ImagePalette;
class QSpinBox;

// "Make palette": how many colours, from how many of the camera's frames.
class MakePaletteDialog : public FormDialog {
public:
    explicit MakePaletteDialog(QWidget* parent);
    int Colours() const;
    int Frames() const;

private:
    QSpinBox* m_colours;
    QSpinBox* m_frames;
};

// The palette's colours as a grid of swatches, titled CAPTION.
void ShowPalette(const ImagePalette& palette, const QString& caption, QWidget* parent);
