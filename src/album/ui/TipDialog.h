#pragma once

#include <QDialog>

class QCheckBox;
class SettingsStore;
class TipPanel;

// "Albora 32 bits: Tip of the Day".
class TipDialog : public QDialog {
    Q_OBJECT

public:
    TipDialog(SettingsStore& store, const QString& tipFile, QWidget* parent);

    QString CurrentTip() const;

    void accept() override;

private:
    TipPanel* m_panel;
    QCheckBox* m_showAtStartUp;
};
