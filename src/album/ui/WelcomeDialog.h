#pragma once

#include <QDialog>
#include <functional>

class CAppSettings;
class SettingsStore;
class TipPanel;
class UiServices;

// "Welcome to Albora 32 bits": the first steps as buttons, beside the tip of the day (from TIPFILE)
// while tips show at start-up. The dialog closes with the command of the chosen button, which the
// caller runs; a button whose command is disabled stays disabled.
class WelcomeDialog : public QDialog {
    Q_OBJECT

public:
    WelcomeDialog(CAppSettings& settings, SettingsStore& store, UiServices& ui,
                  const std::function<bool(int)>& isEnabled, const QString& tipFile, QWidget* parent);

    // The commands of the chosen button, in order; empty for Cancel.
    const std::vector<int>& ChosenCommands() const { return m_chosen; }
    // The tip shown; empty when tips are off.
    QString CurrentTip() const;

private:
    std::vector<int> m_chosen;
    TipPanel* m_tip = nullptr;
};
