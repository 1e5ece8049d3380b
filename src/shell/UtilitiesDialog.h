#pragma once

#include "album/UtilityDefinition.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class CAppSettings;
class QLineEdit;
class QPushButton;

// "Define utilities": the five utility definitions, each with a "..." button that puts a chosen
// program in its place. OK stores all five; Cancel keeps the settings as they were.
class UtilitiesDialog : public QDialog {
    Q_OBJECT

public:
    UtilitiesDialog(CAppSettings& settings, QWidget* parent);

    // Asks for a program file, starting from the given one; the file dialog unless replaced.
    std::function<std::optional<QString>(const QString&)> chooseProgram;

    QLineEdit* Edit(int utility) const { return m_edits[std::size_t(utility)]; }
    QPushButton* BrowseButton(int utility) const { return m_browse[std::size_t(utility)]; }
    void accept() override;

private:
    void Browse(int utility);

    CAppSettings& m_settings;
    std::array<QLineEdit*, UtilityDefinition::kCount> m_edits{};
    std::array<QPushButton*, UtilityDefinition::kCount> m_browse{};
};

// The program file dialog of "Assign application": executables, or all files.
std::optional<QString> ChooseApplication(QWidget* parent, const QString& current);
