#include "BrowseCommands.h"

#include "ImageBrowser.h"
#include "MediaWindow.h"
#include "QuickBrowser.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "browse/MediaFilter.h"
#include "platform/CommandIds.h"
#include "platform/FileFilter.h"
#include "platform/UiServices.h"
#include "platform/media/PlayableTypes.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

namespace {

const QStringList kMciDevices = {"animation", "cdaudio",   "dat",       "digitalvideo", "overlay",
                                 "scanner",   "sequencer", "vcr",       "videodisc",    "waveaudio"};

}  // namespace

BrowseCommands::BrowseCommands(CAlboraDoc& doc, UiServices& ui, SoundAnnotations& sound, QWidget* owner,
                               std::function<void(int)> execute)
    : m_doc(doc), m_ui(ui), m_sound(sound), m_owner(owner), m_execute(std::move(execute)) {
    OnCommand(Cmd::DiskImageBrowser, [this] { ToggleImageBrowser(); },
              [this](CommandState& s) { s.checked = m_browser && m_browser->isVisible(); });
    OnCommand(Cmd::QuickBrowser, [this] {
        if (m_quick) m_quick->close();
        m_quick = new QuickBrowser(m_doc.Settings(), m_ui, [this] { m_execute(Cmd::GoFromQuickFolders); }, m_owner);
        m_quick->show();
    });
    OnCommand(Cmd::GoFromQuickFolders, [this] {
        if (m_quick && !m_quick->ChosenFolder().isEmpty()) m_doc.NewAlbumFromFolder(m_quick->ChosenFolder());
    });
    OnCommand(Cmd::MultimediaBrowser, [this] { OpenMultimediaBrowser(); });
    OnCommand(Cmd::MciDevices, [this] { ChooseMciDevice(); });
}

BrowseCommands::~BrowseCommands() = default;

void BrowseCommands::ToggleImageBrowser() {
    if (!m_browser) {
        m_browser = new ImageBrowser(m_doc, m_ui, m_owner);
        m_browser->show();
        return;
    }
    m_browser->setVisible(!m_browser->isVisible());
}

void BrowseCommands::OpenMultimediaBrowser() {
    const MediaFilter filter = MakeMediaFilter(PlayableExtensions(MediaExtensions()));
    const auto file = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Multimedia browser"),
                                      QtFileFilter(filter.filter), {});
    if (!file || file->isEmpty()) return;
    (new MediaWindow(*file, m_sound, m_ui, m_owner))->show();
}

// Of the ten device types, only the sound input exists here; the rest say so.
void BrowseCommands::ChooseMciDevice() {
    QDialog dialog(m_owner);
    dialog.setWindowTitle(QStringLiteral("MCI devices"));
    auto* devices = new QComboBox;
    devices->addItems(kMciDevices);
    devices->setCurrentText(m_doc.Settings().lastMCIDevice);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Device:"), devices);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString device = devices->currentText();
    m_doc.Settings().lastMCIDevice = device;
    if (device == QStringLiteral("waveaudio"))
        (new MediaWindow({}, m_sound, m_ui, m_owner))->show();
    else
        m_ui.SetStatusText(0, QStringLiteral("No %1 device on this computer").arg(device));
}
