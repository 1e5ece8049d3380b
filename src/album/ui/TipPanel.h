#pragma once

#include <QWidget>
#include <memory>

class QLabel;
class SettingsStore;
class TipOfTheDay;

// "Did you know..." with the tip of the day and a button for the next one: the tip dialog's
// body, and part of the welcome dialog.
class TipPanel : public QWidget {
    Q_OBJECT

public:
    TipPanel(SettingsStore& store, const QString& tipFile, const QString& nextText, QWidget* parent = nullptr);
    ~TipPanel() override;

    QString CurrentTip() const;
    TipOfTheDay& Tips() { return *m_tips; }

private:
    void ShowNextTip();

    std::unique_ptr<TipOfTheDay> m_tips;
    QLabel* m_tip;
};
