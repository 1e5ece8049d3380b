#pragma once

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class SettingsStore;
class TipOfTheDay;

// "Albora 32 bits: Tip of the Day".
class TipDialog : public QDialog {
    Q_OBJECT

public:
    TipDialog(SettingsStore& store, const QString& tipFile, QWidget* parent);
    ~TipDialog() override;

    QString CurrentTip() const;

    void accept() override;

private:
    void ShowNextTip();

    std::unique_ptr<TipOfTheDay> m_tips;
    QLabel* m_tip;
    QCheckBox* m_showAtStartUp;
};
