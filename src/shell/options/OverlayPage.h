#pragma once

#include "OptionsPage.h"

#include <QColor>
#include <functional>
#include <utility>

class QComboBox;
class QStackedWidget;
class UiServices;

// "MCI:Overlay": the overlay hardware and the format its photos are saved in, the plane drawn
// over the video and the croma key colour.
class OverlayPage : public OptionsPage {
    Q_OBJECT

public:
    explicit OverlayPage(UiServices& ui, QWidget* parent = nullptr);
    void Load(const CAppSettings& settings) override;
    void Store(CAppSettings& settings) const override;

    // The colour the user picks starting from INITIAL, nothing when cancelled; the platform's
    // colour dialog unless replaced.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColor;

private:
    bool Bravado() const;
    void ShowHardwareFormats();
    void ChooseKeyColor();
    void BrowsePlane();

    UiServices& m_ui;
    QComboBox* m_hardware;
    QStackedWidget* m_formats;
    QComboBox* m_videoBlasterFormats;
    QComboBox* m_bravadoFormats;
    QLineEdit* m_plane;
    NumberEdit* m_red;
    NumberEdit* m_green;
    NumberEdit* m_blue;
    // The hardware and format shown when the settings were loaded: a format the user did not
    // choose is left as stored, even when the shown list does not hold it.
    std::pair<QString, QString> m_shownAtLoad;
};
