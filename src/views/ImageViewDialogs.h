#pragma once

#include "image/ImageTransforms.h"

#include <QRgb>

class QWidget;

// The questions of the image view's transforms: the GUI shows its dialogs, tests script them.
class ImageViewDialogs {
public:
    virtual ~ImageViewDialogs() = default;
    // "Change image size"; true on OK.
    virtual bool AskSize(int& width, int& height, ImageTransforms::Filter& filter) = 0;
    // "Rotate image": degrees from -360 to 360 and the background.
    virtual bool AskRotation(double& degrees, QRgb& background) = 0;
    // "Appy color": the colour and its intensity 0..255.
    virtual bool AskTint(QRgb& colour, int& intensity) = 0;
    // "Brigthness/Contrast": 0..255, 128 in the middle.
    virtual bool AskBrightness(int& value) = 0;
};

// The same questions as dialogs over PARENT.
class QtImageViewDialogs final : public ImageViewDialogs {
public:
    explicit QtImageViewDialogs(QWidget* parent) : m_parent(parent) {}
    bool AskSize(int& width, int& height, ImageTransforms::Filter& filter) override;
    bool AskRotation(double& degrees, QRgb& background) override;
    bool AskTint(QRgb& colour, int& intensity) override;
    bool AskBrightness(int& value) override;

private:
    QWidget* m_parent;
};
