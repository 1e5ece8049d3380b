#pragma once

#include "ImageZoom.h"

#include "image/CImageObject.h"

#include <QAbstractScrollArea>
#include <QPointer>

class UiServices;

// "Imagen": a window of its own that shows one picture, opened fitted into half the screen beside
// the contact sheet. +, - zoom, 0 (or Ctrl+0) fits, 1 shows it 1:1; a zoomed picture scrolls
// with the bars, the arrow keys or a drag (the picture moves when the button is released).
// Closing only hides it.
class CFloatImageWnd : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The window belongs to OWNER and keeps clear of BESIDE (the contact sheet), if given.
    CFloatImageWnd(UiServices& ui, QWidget* owner, QWidget* beside = nullptr);

    // Shows FILENAME fitted; a file that cannot be read leaves the window without a picture.
    void ShowFile(const QString& fileName);
    bool HasImage() const { return m_image.IsValid(); }
    const QString& FileName() const { return m_fileName; }
    const ImageZoom& Zoom() const { return m_zoom; }
    // The scale the picture is drawn at now.
    double Scale() const;
    // Changes the zoom, keeping the picture's point at the window's centre in place.
    void SetZoom(const ImageZoom& zoom);
    // How far the picture is scrolled, in window pixels.
    QPoint ScrollOffset() const;

    void CopyImage();
    void GoHome();
    void ShowInformation();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize PictureSize() const { return QSize(m_image.GetWidth(), m_image.GetHeight()); }
    void UpdateScrollBars();
    // Sizes the window to the fitted picture and, the first time, puts it beside the sheet.
    void FitWindow();

    UiServices& m_ui;
    QPointer<QWidget> m_beside;
    CImageObject m_image;
    QImage m_bitmap;
    QString m_fileName;
    ImageZoom m_zoom;
    QPoint m_dragStart;
    bool m_dragging = false;
    bool m_placed = false;
};
