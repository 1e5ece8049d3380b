#pragma once

#include <QDialog>
#include <functional>

class CAppSettings;
class SettingsStore;
class UiServices;

// "Welcome to Albora 32 bits": the first steps as buttons. The dialog closes with the command of
// the chosen button, which the caller runs; a button whose command is disabled stays disabled.
class WelcomeDialog : public QDialog {
    Q_OBJECT

public:
    WelcomeDialog(CAppSettings& settings, SettingsStore& store, UiServices& ui,
                  const std::function<bool(int)>& isEnabled, QWidget* parent);

    // The commands of the chosen button, in order; empty for Cancel.
    const std::vector<int>& ChosenCommands() const { return m_chosen; }

private:
    std::vector<int> m_chosen;
};
