#pragma once

#include "capture/LiveCam.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QSpinBox;
class UiServices;

// "LiveCamWebServer (Beta)": the picture's file, how often it is renewed, how many failures in a
// row stop it, and where its own web server listens. "Begin" is OK.
class LiveCamDialog : public QDialog {
public:
    LiveCamDialog(const LiveCamSettings& settings, const QString& listenOn, UiServices& ui, QWidget* parent);
    LiveCamSettings Settings() const;
    // "127.0.0.1:8080"; empty serves nothing.
    QString ListenOn() const;
    void accept() override;

private:
    void Browse();
    void MakeTestPage();
    void ShowListenWarning();

    UiServices& m_ui;
    QLineEdit* m_image;
    QSpinBox* m_rate;
    QSpinBox* m_maxErrors;
    QLineEdit* m_listen;
    QLabel* m_warning;
};
