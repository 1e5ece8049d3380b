#pragma once

#include "image/CImageObject.h"

#include <QWidget>

class UiServices;

// "Imagen": a small window of its own that shows one picture 1:1, panned by dragging (the picture
// moves when the button is released). Closing only hides it.
class CFloatImageWnd : public QWidget {
    Q_OBJECT

public:
    CFloatImageWnd(UiServices& ui, QWidget* owner);

    // Shows FILENAME; a file that cannot be read leaves the window without a picture.
    void ShowFile(const QString& fileName);
    bool HasImage() const { return m_image.IsValid(); }
    const QString& FileName() const { return m_fileName; }
    QPoint PanOffset() const { return m_pan; }

    void CopyImage();
    void GoHome();
    void ShowInformation();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    UiServices& m_ui;
    CImageObject m_image;
    QImage m_bitmap;
    QString m_fileName;
    QPoint m_pan;
    QPoint m_dragStart;
    bool m_dragging = false;
};
