#pragma once

#include "FullScreenPicture.h"
#include "ImageZoom.h"
#include "SelectionTracker.h"

#include "image/CImageObject.h"
#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <functional>
#include <optional>

class CAlboraDoc;
class CAppSettings;
class CommandActions;
class ImageViewDialogs;
class QPrinter;
class SoundAnnotations;
class UiServices;

// The " Image " tab: the current card's picture, fitted to the window, zoomed 1:8 to 5:1 or
// stretched, with its information, the pixel under the mouse, a selection, and the transforms on
// a working copy that can be saved over the card's file or thrown away. Space and Backspace go
// through the cards; F11 shows the picture alone on the screen.
class CImgView : public QAbstractScrollArea, public View, public CommandTarget {
    Q_OBJECT

public:
    struct Services {
        UiServices& ui;
        SoundAnnotations& sound;
        ImageViewDialogs& dialogs;
        CommandActions* actions;  // for the context menu; may be null
    };

    CImgView(CAlboraDoc& doc, Services services, QWidget* parent = nullptr);
    ~CImgView() override;

    void OnUpdate(View* sender, int hint, void* object) override;
    void PrepareToClose() override { SavePrompt(); }

    // The state a user sees.
    bool HasImage() const { return m_image.IsValid(); }
    const CImageObject& Image() const { return m_image; }
    const QString& FileName() const { return m_fileName; }
    const QString& Message() const { return m_message; }
    const ImageZoom& Zoom() const { return m_zoom; }
    // The scale the picture is drawn at now.
    double Scale() const;
    bool Stretched() const { return m_zoom.mode == ImageZoom::Mode::Stretch; }
    // Changes the zoom, keeping the picture's point under ANCHOR (viewport coordinates) in place.
    void SetZoom(const ImageZoom& zoom, std::optional<QPoint> anchor = std::nullopt);
    void ZoomBy(int direction, std::optional<QPoint> anchor = std::nullopt);
    // Goes to the next (+1) or previous (-1) card, if there is one.
    void StepCard(int direction);
    void ShowFullScreen();
    FullScreenPicture* FullScreen() const { return m_fullScreen; }
    bool Modified() const { return m_modified; }
    QPoint Origin() const { return m_origin; }
    // The selection as drawn in the window, and the part of the picture it covers (in picture
    // pixels from the top-left), which is what is kept through zooms and scrolls.
    const QRect& Selection() const { return m_tracker.Rect(); }
    const QRect& PictureSelection() const { return m_selection; }
    // Selects the part of the picture under RECT of the window, as a drag of the mouse would.
    void SetSelection(const QRect& rect);
    static bool ShowInformation() { return s_showInfo; }

    // How the zoom reads in the information lines: "1:1", "1:4", "fit, 23%", "stretched".
    QString ZoomText() const;
    // The status-bar text for the mouse at POINT of the window.
    QString PixelReadout(const QPoint& point) const;
    // Asks whether to save a changed picture over the card's file.
    void SavePrompt();
    void Undo();
    void Export();
    // "Error:\nCan't save file!" with the reason the write of IMAGE failed on a second line.
    void ReportSaveFailure(const CImageObject& image);
    void CopyToClipboard();
    void ShowImageInformation();
    // Replaces the picture with a transform's result (or says why it could not be made).
    void ApplyTransform(std::optional<CImageObject> result, const QString& status);
    void Print(QPrinter& printer);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void RegisterCommands();
    void RegisterZoomCommands();
    void RegisterTransforms();
    void LoadCurrentCard();
    void SetImage(CImageObject image);
    void UpdateScrollBars();
    void UpdateOrigin();
    // Where the picture is drawn in the window.
    QRect PictureArea() const;
    // Picture pixels to window pixels and back, through the zoom, stretch and scroll.
    QRect ToWindow(const QRect& picture) const;
    QRect ToPicture(const QRect& window) const;
    // The selection follows the mouse's rectangle in the window.
    void TakeSelectionFromTracker();
    void ShowContextMenu(const QPoint& globalPos);
    // Runs a long transform off the window's thread, showing its progress and keeping the
    // window painting.
    std::optional<CImageObject> RunWithProgress(
        const std::function<std::optional<CImageObject>(const std::function<void(int)>&)>& transform);
    void PrintWithDialog(bool preview);

    CAlboraDoc& m_doc;
    Services m_services;
    CImageObject m_image;
    QImage m_bitmap;  // the picture as drawn, made once per change
    QString m_fileName;
    QString m_message;
    QPoint m_origin;
    ImageZoom m_zoom;
    ImageZoom m_beforeStretch;
    bool m_modified = false;
    bool m_focused = false;
    bool m_busy = false;
    SelectionTracker m_tracker;
    QRect m_selection;
    QPointer<FullScreenPicture> m_fullScreen;
    static bool s_showInfo;
};
