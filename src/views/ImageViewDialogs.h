#pragma once

#include "image/ImageTransforms.h"

#include <QRgb>
#include <functional>

class QWidget;

// The questions of the image view's transforms: the GUI shows its dialogs, tests script them.
class ImageViewDialogs {
public:
    using Preview = std::function<void(int brightness, int contrast)>;

    virtual ~ImageViewDialogs() = default;
    // "Change image size", in the proportions of WIDTH x HEIGHT unless the user unlocks them;
    // true on OK.
    virtual bool AskSize(int& width, int& height, ImageTransforms::Filter& filter) = 0;
    // "Rotate image": degrees from -360 to 360 and the background.
    virtual bool AskRotation(double& degrees, QRgb& background) = 0;
    // "Appy color": the colour and its intensity 0..255.
    virtual bool AskTint(QRgb& colour, int& intensity) = 0;
    // "Brigthness/Contrast": each 0..255, 128 changing nothing. PREVIEW is told every change,
    // so the picture can show it while the dialog is open.
    virtual bool AskBrightnessContrast(int& brightness, int& contrast, const Preview& preview) = 0;
};

// The same questions as dialogs over PARENT.
class QtImageViewDialogs final : public ImageViewDialogs {
public:
    explicit QtImageViewDialogs(QWidget* parent) : m_parent(parent) {}
    bool AskSize(int& width, int& height, ImageTransforms::Filter& filter) override;
    bool AskRotation(double& degrees, QRgb& background) override;
    bool AskTint(QRgb& colour, int& intensity) override;
    bool AskBrightnessContrast(int& brightness, int& contrast, const Preview& preview) override;

private:
    QWidget* m_parent;
};
