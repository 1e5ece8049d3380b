// The image view's transforms: each asks its questions, runs, and replaces the picture.
#include "CImgView.h"

#include "ImageViewDialogs.h"

#include "image/ImageTransforms.h"
#include "platform/CommandIds.h"
#include "platform/UiServices.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <thread>

void CImgView::RegisterTransforms() {
    using namespace ImageTransforms;
    const auto valid = [this](CommandState& s) { s.enabled = HasImage() && !m_busy; };
    const auto lossless = [this](CImageObject (*transform)(const CImageObject&)) {
        return [this, transform] {
            WaitCursor wait(m_services.ui);
            ApplyTransform(transform(m_image), {});
        };
    };
    OnCommand(Cmd::ImageFlipHorizontal, lossless(FlipHorizontal), valid);
    OnCommand(Cmd::ImageFlipVertical, lossless(FlipVertical), valid);
    OnCommand(Cmd::ImageRotate90CW, lossless(Rotate90Clockwise), valid);
    OnCommand(Cmd::ImageRotate90CCW, lossless(Rotate90CounterClockwise), valid);
    OnCommand(Cmd::ImageRotate180, lossless(Rotate180), valid);
    OnCommand(Cmd::ImageCrop, [this] {
        const QRect selection = m_selection;
        CImageObject part = Crop(m_image, selection);
        ApplyTransform(std::move(part), QString::asprintf("Croped new size: (%d,%d)", selection.width(), selection.height()));
    }, [this](CommandState& s) { s.enabled = HasImage() && !m_busy && !m_selection.isEmpty(); });

    OnCommand(Cmd::ImageSize, [this] {
        int width = m_image.GetWidth(), height = m_image.GetHeight();
        Filter filter = Filter::Box;
        if (!m_services.dialogs.AskSize(width, height, filter)) return;
        auto result = RunWithProgress([&](const Progress& progress) { return Resize(m_image, width, height, filter, progress); });
        ApplyTransform(std::move(result), QString::asprintf("Sized new size: (%d,%d)", width, height));
    }, valid);
    OnCommand(Cmd::ImageRotate, [this] {
        double degrees = -45;
        QRgb background = qRgb(0, 0, 0);
        if (!m_services.dialogs.AskRotation(degrees, background)) return;
        if (degrees == 0) {
            m_services.ui.MessageBox(QStringLiteral("Error:\nCannot parse rotation angle or roation angle is zero."),
                                     MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        auto result = RunWithProgress([&](const Progress& progress) { return RotateByAngle(m_image, degrees, background, progress); });
        const QString status = result && result->IsValid()
                                   ? QString::asprintf("Rotated new size: (%d,%d)", result->GetWidth(), result->GetHeight())
                                   : QString();
        ApplyTransform(std::move(result), status);
    }, valid);
    OnCommand(Cmd::ColorVariation, [this] {
        if (!HasImage()) return;
        QRgb colour = qRgb(255, 255, 255);
        int intensity = 128;
        if (!m_services.dialogs.AskTint(colour, intensity)) return;
        auto result = RunWithProgress([&](const Progress&) { return Tint(m_image, colour, intensity); });
        ApplyTransform(std::move(result), QString::asprintf("Color applied (R:%d,G:%d,B:%d,I:%d)", qRed(colour),
                                                            qGreen(colour), qBlue(colour), intensity));
    }, [this](CommandState& s) { s.enabled = !m_busy; });
    OnCommand(Cmd::BrightnessContrast, [this] {
        if (!HasImage()) return;
        const auto adjusted = [this](int brightness, int contrast) {
            CImageObject copy = m_image.Clone();
            Brightness(copy, brightness);
            Contrast(copy, contrast);
            return copy;
        };
        // The window shows each choice on the picture; the picture itself changes only on OK.
        const auto show = [this](const QImage& bitmap) {
            m_bitmap = bitmap;
            viewport()->update();
        };
        int brightness = 128, contrast = 128;
        if (!m_services.dialogs.AskBrightnessContrast(brightness, contrast, [&](int b, int c) {
                show(adjusted(b, c).MakeBitmap());
            })) {
            show(m_image.MakeBitmap());
            return;
        }
        WaitCursor wait(m_services.ui);
        ApplyTransform(adjusted(brightness, contrast), {});
    }, [this](CommandState& s) { s.enabled = !m_busy; });
}

std::optional<CImageObject> CImgView::RunWithProgress(
    const std::function<std::optional<CImageObject>(const std::function<void(int)>&)>& transform) {
    WaitCursor wait(m_services.ui);
    m_busy = true;
    std::optional<CImageObject> result;
    QEventLoop loop;
    QPointer<CImgView> self(this);
    // The progress goes to the status bar on the window's thread while the work runs on its own.
    const std::function<void(int)> progress = [self](int percent) {
        QMetaObject::invokeMethod(self.data(), [self, percent] {
            if (self) self->m_services.ui.SetStatusTextF(0, "%d percent completed...", percent & 0xFF);
        }, Qt::QueuedConnection);
    };
    std::thread worker([&] {
        result = transform(progress);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QCoreApplication::sendPostedEvents(this);
    m_busy = false;
    return result;
}
