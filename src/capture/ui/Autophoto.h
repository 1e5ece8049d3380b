#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class CAppSettings;
class UiServices;
class QWidget;

// Autophoto: a photo every gap ("latenciaTimer" minutes, or seconds when "tFactor" is 1) by the
// chosen device, without its dialogs, until "tNDetiene" photos or End. With "fmini" the main
// window is minimised meanwhile.
class Autophoto : public QObject {
    Q_OBJECT

public:
    // TAKE takes one photo; false stops the run.
    Autophoto(CAppSettings& settings, UiServices& ui, QWidget* mainWindow, std::function<bool()> take);

    void Begin();
    void End();
    bool IsRunning() const { return m_timer.isActive() || m_taking; }
    int Taken() const { return m_taken; }

    // The gap between photos by the settings, at least a second.
    static int GapMs(const CAppSettings& settings);

private:
    void TakeOne();

    CAppSettings& m_settings;
    UiServices& m_ui;
    QWidget* m_mainWindow;
    std::function<bool()> m_take;
    QTimer m_timer;
    int m_taken = 0;
    bool m_taking = false;
    bool m_minimised = false;
};
