#pragma once

#include "capture/overlay/OverlayController.h"

#include <QImage>
#include <QWidget>

class CAppSettings;
class UiServices;

// "Video Overlay": the tool window the overlay device shows its video in, keyed into the key
// colour around the ruler and the plane. Mouse moves show the position in the status bar, the
// right button opens the window's menu, and closing the window closes the device and hides it.
class OverlayWindow : public QWidget {
    Q_OBJECT

public:
    OverlayWindow(CAppSettings& settings, UiServices& ui, MciInterpreter& mci, QWidget* owner);
    OverlayController& Controller() { return m_controller; }
    // The window as last shown, video included.
    const QImage& Shown() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The next paint is a paint of the window, not only a new frame.
    void Invalidate();
    void ShowLater(const QString& message);

    CAppSettings& m_settings;
    UiServices& m_ui;
    OverlayController m_controller;
    bool m_painted = false;
    QImage m_shown;
};
