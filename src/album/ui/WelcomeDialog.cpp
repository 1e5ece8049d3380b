#include "WelcomeDialog.h"

#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"

#include <QCheckBox>
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
                             const std::function<bool(int)>& isEnabled, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Welcome to Albora 32 bits"));
    auto* layout = new QVBoxLayout(this);
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
        layout->addWidget(button);
    }
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setToolTip(QStringLiteral("Open Albora normaly..."));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(cancel);

    auto* show = new QCheckBox(QStringLiteral("&Show welcome dialog on StartUp"));
    show->setToolTip(QStringLiteral("Uncheck to disable this dialog"));
    show->setChecked(settings.flgWelcomeDlg != 0);
    connect(show, &QCheckBox::toggled, this, [&settings, &store](bool checked) {
        settings.flgWelcomeDlg = checked ? 1 : 0;
        store.WriteInt(CAppSettings::kSection, QStringLiteral("flgWelcomeDlg"), settings.flgWelcomeDlg);
    });
    layout->addWidget(show);
}
