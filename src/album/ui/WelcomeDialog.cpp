#include "WelcomeDialog.h"

#include "TipPanel.h"

#include "album/CAppSettings.h"
#include "album/TipOfTheDay.h"
#include "platform/CommandIds.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct WelcomeButton {
    const char* text;
    const char* toolTip;
    std::vector<int> commands;  // empty: the button only beeps
};

const WelcomeButton kButtons[] = {
    {"Create a &new album...\nto insert videos and images",
     "Create a new album to insert videos and images", {Cmd::FileNew}},
    {"Open &last album edited", "Open last album edited", {Cmd::FileMru1}},
    {"&Open existing album...", "Open an existing album", {Cmd::FileOpen}},
    {"&Tutorial...", "Begin the tutorial", {Cmd::Tutorial}},
    {"&New draw anotation...", "New draw anotation", {Cmd::NewDrawAnnotation}},
    {"Open las&t draw anotation", "Open last draw anotation", {}},
    {"&Browse folders for images...", "Browse folders for images",
     {Cmd::MaximizeImageAndLittleContact, Cmd::DiskImageBrowser}},
};

}  // namespace

WelcomeDialog::WelcomeDialog(CAppSettings& settings, SettingsStore& store, UiServices& ui,
                             const std::function<bool(int)>& isEnabled, const QString& tipFile, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Welcome to Albora 32 bits"));
    auto* steps = new QVBoxLayout;
    for (const WelcomeButton& entry : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(entry.text));
        button->setToolTip(QString::fromUtf8(entry.toolTip));
        button->setMinimumHeight(entry.commands.size() == 1 && entry.commands[0] == Cmd::FileNew ? 48 : 28);
        if (entry.commands.empty()) {
            connect(button, &QPushButton::clicked, this, [&ui] { ui.Beep(); });
        } else {
            button->setEnabled(isEnabled(entry.commands.back()));
            connect(button, &QPushButton::clicked, this, [this, &entry] {
                m_chosen = entry.commands;
                accept();
            });
        }
        steps->addWidget(button);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setToolTip(QStringLiteral("Open Albora normaly..."));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    steps->addWidget(cancel);

    // The tip of the day comes with the welcome, so a first start shows one dialog, not two.
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(steps);
    if (TipOfTheDay::ShowAtStartUp(store)) {
        m_tip = new TipPanel(store, tipFile, QStringLiteral("Ne&xt tip"));
        columns->addWidget(m_tip, 1);
    }

    auto* show = new QCheckBox(QStringLiteral("&Show at start-up"));
    show->setToolTip(QStringLiteral("Uncheck to disable this dialog"));
    show->setChecked(settings.flgWelcomeDlg != 0);
    connect(show, &QCheckBox::toggled, this, [&settings, &store](bool checked) {
        settings.flgWelcomeDlg = checked ? 1 : 0;
        store.WriteInt(CAppSettings::kSection, QStringLiteral("flgWelcomeDlg"), settings.flgWelcomeDlg);
    });
    steps->addWidget(show);
}

QString WelcomeDialog::CurrentTip() const { return m_tip ? m_tip->CurrentTip() : QString(); }
