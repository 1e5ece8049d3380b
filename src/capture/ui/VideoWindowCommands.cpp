#include "VideoWindowCommands.h"

#include "CaptureSpaceDialog.h"
#include "PaletteDialogs.h"
#include "VfwCaptureDevice.h"
#include "VideoFormatDialog.h"
#include "VideoSourceDialog.h"

#include "album/CAppSettings.h"
#include "capture/video/VideoModes.h"
#include "image/CImageObject.h"
#include "image/ColourReduction.h"
#include "image/PaletteFile.h"
#include "platform/CommandIds.h"
#include "platform/CommandTarget.h"
#include "platform/FileFilter.h"
#include "platform/ProcessLauncher.h"
#include "platform/RegularFile.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QProcess>

namespace {

const QString kPaletteFilter = QtFileFilter(QStringLiteral("Windows pal. *.pal|*.pal|*.*|*.*||"));
constexpr qint64 kLargestPaletteFile = 64 * 1024;

// The palette of a picture: its own when it has one, else a median cut of its colours.
ImagePalette PaletteOf(const QImage& image) {
    if (image.format() == QImage::Format_Indexed8 && !image.colorTable().isEmpty()) {
        std::vector<PaletteEntry> entries;
        for (QRgb c : image.colorTable()) entries.push_back({std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c)), 0});
        return ImagePalette(std::move(entries));
    }
    ColourReduction::PaletteCounter counter;
    counter.Add(ImageFromQImage(image));
    return counter.MedianCut(256);
}

// A capture file set aside but not yet recorded into holds zeros, not an AVI.
bool HoldsSequence(const QString& path) {
    QFile file;
    if (!OpenRegularFile(path, file)) return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.endsWith("AVI ");
}

}  // namespace

VideoWindowCommands::VideoWindowCommands(VfwCaptureDevice& device, CAppSettings& settings, UiServices& ui)
    : m_device(device), m_settings(settings), m_ui(ui) {}

const std::vector<int>& VideoWindowCommands::Ids() {
    using namespace Cmd;
    static const std::vector<int> ids{VfwPreview,     VfwOverlay,      VfwStretch,     0,          VfwVideoFormat,
                                      VfwVideoSource, VfwVideoDisplay, VfwConfigure,   0,          VfwMakePalette,
                                      VfwLoadPalette, VfwSavePalette,  VfwViewPalette, VfwPastePalette, 0,
                                      VfwCopy,        0,               VfwCapturedVideo, VfwEditMovie};
    return ids;
}

void VideoWindowCommands::Update(int id, CommandState& state) const {
    VideoWindow* window = m_device.Window();
    // Playing back may have let the camera go; the player can still be closed then.
    state.enabled = window && (window->IsConnected() || (id == Cmd::VfwCapturedVideo && window->IsPlaying()));
    if (!window) return;
    switch (id) {
    case Cmd::VfwPreview:
        state.checked = window->Previewing();
        break;
    case Cmd::VfwStretch:
        state.checked = window->Stretched();
        break;
    case Cmd::VfwCapturedVideo:
        state.checked = window->IsPlaying();
        break;
    case Cmd::VfwSavePalette:
        state.enabled = state.enabled && window->Palette().Count() > 0;
        break;
    case Cmd::VfwPastePalette:
        state.enabled = state.enabled && QApplication::clipboard()->mimeData() && QApplication::clipboard()->mimeData()->hasImage();
        break;
    default:
        break;
    }
}

void VideoWindowCommands::Run(int id) {
    VideoWindow* window = m_device.Window();
    // The window's keys reach here whatever the state its menu last showed.
    CommandState state;
    Update(id, state);
    if (!window || !state.enabled) {
        m_ui.Beep();
        return;
    }
    VideoWindow::Busy busy(window);
    switch (id) {
    case Cmd::VfwPreview:
        window->SetPreview(!window->Previewing());
        break;
    case Cmd::VfwOverlay:
        // No camera here draws its own overlay: the live picture is the preview.
        window->SetPreview(true);
        break;
    case Cmd::VfwStretch:
        window->SetStretched(!window->Stretched());
        break;
    case Cmd::VfwVideoFormat:
        ChooseFormat();
        break;
    case Cmd::VfwVideoSource:
        ChooseSource();
        break;
    case Cmd::VfwVideoDisplay:
        m_ui.MessageBox(QStringLiteral("This device don't support Video Display setup!"), MsgButtons::Ok, MsgIcon::Information);
        break;
    case Cmd::VfwConfigure:
        m_device.Configure();
        break;
    case Cmd::VfwMakePalette:
        MakePalette();
        break;
    case Cmd::VfwLoadPalette:
        LoadPalette();
        break;
    case Cmd::VfwSavePalette:
        SavePalette();
        break;
    case Cmd::VfwViewPalette:
        ShowPalette(window->Palette(), window->PaletteCaption(), window);
        break;
    case Cmd::VfwPastePalette:
        PastePalette();
        break;
    case Cmd::VfwCopy:
        Copy();
        break;
    case Cmd::VfwCapturedVideo:
        ToggleCapturedVideo();
        break;
    case Cmd::VfwEditMovie:
        EditMovie();
        break;
    default:
        break;
    }
}

void VideoWindowCommands::ChooseFormat() {
    VideoWindow* window = m_device.Window();
    QString error;
    std::vector<VideoFormat> modes = SourceModes(window->Source(), &error);
    if (modes.empty()) {
        m_ui.MessageBox(QStringLiteral("Error:\nThe camera tells no formats. ") + error, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // Left to the camera, the format shown is the one it chose.
    const VideoFormat current = window->Format().encoding.isEmpty() ? window->Camera().CurrentFormat() : window->Format();
    VideoFormatDialog dialog(std::move(modes), current, window);
    if (!dialog.Exec()) return;
    if (!window->SetFormat(dialog.Chosen()))
        m_ui.MessageBox(QStringLiteral("Error:\n") + window->Error(), MsgButtons::Ok, MsgIcon::Exclamation);
    window->FitToVideo();
}

void VideoWindowCommands::ChooseSource() {
    VideoWindow* window = m_device.Window();
    const int before = window->DriverIndex();
    VideoSourceDialog dialog(window->Camera(), before, window);
    if (!dialog.Exec() || dialog.Driver() == before || dialog.Driver() < 0) return;
    window->Disconnect();
    if (!window->ConnectDriver(dialog.Driver())) {
        m_ui.MessageBox(QStringLiteral("Error:\n") + window->Error(), MsgButtons::Ok, MsgIcon::Exclamation);
        if (!window->ConnectDriver(before))
            m_ui.MessageBox(QStringLiteral("Error:\nThe camera used before could not be taken back: ") + window->Error(),
                            MsgButtons::Ok, MsgIcon::Exclamation);
    }
    window->FitToVideo();
}

// Frames a preview period apart, so that the palette sees the picture move.
void VideoWindowCommands::MakePalette() {
    VideoWindow* window = m_device.Window();
    MakePaletteDialog dialog(window);
    if (!dialog.Exec()) return;
    m_ui.BeginWaitCursor();
    ColourReduction::PaletteCounter counter;
    for (int i = 0; i < dialog.Frames() && window->IsConnected(); ++i) {
        if (i) {
            QElapsedTimer gap;
            gap.start();
            while (gap.elapsed() < 66) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        }
        counter.Add(window->Camera().NewestFrame(2000));
    }
    const ImagePalette palette = counter.MedianCut(dialog.Colours());
    m_ui.EndWaitCursor();
    if (palette.Count() == 0) {
        m_ui.MessageBox(QStringLiteral("Error:\nThe camera gave no picture to make a palette of."), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    window->SetPalette(palette, QStringLiteral("Palette: Video"));
}

void VideoWindowCommands::LoadPalette() {
    const auto path = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Load palette"), kPaletteFilter,
                                      QStringLiteral("normal.pal"));
    if (!path) return;
    QString reason;
    std::optional<ImagePalette> palette;
    if (const auto bytes = ReadRegularFile(*path, kLargestPaletteFile, &reason)) palette = PaletteFile::Parse(*bytes, &reason);
    if (!palette) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't load the palette %1: %2").arg(*path, reason), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    m_device.Window()->SetPalette(*palette, QStringLiteral("Paleta: ") + *path);
}

void VideoWindowCommands::SavePalette() {
    auto path = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Save palette"), kPaletteFilter, QStringLiteral("normal.pal"));
    if (!path) return;
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".pal");
    QString error;
    if (!SafeFile::Write(*path, PaletteFile::Bytes(m_device.Window()->Palette()), &error))
        m_ui.MessageBox(QStringLiteral("Error:\nCan't save the palette %1: %2").arg(*path, error), MsgButtons::Ok,
                        MsgIcon::Exclamation);
}

void VideoWindowCommands::PastePalette() {
    const QImage image = QApplication::clipboard()->image();
    const ImagePalette palette = image.isNull() ? ImagePalette() : PaletteOf(image);
    if (palette.Count() == 0) {
        m_ui.Beep();
        return;
    }
    m_device.Window()->SetPalette(palette, QStringLiteral("Palette: Clipboard"));
}

void VideoWindowCommands::Copy() {
    const CImageObject frame = m_device.Window()->GrabFrame();
    if (!frame.IsValid()) {
        m_ui.Beep();
        return;
    }
    QApplication::clipboard()->setImage(frame.MakeBitmap());
}

// With hardware play the camera is let go while the sequence plays, and the same one is taken
// again afterwards.
void VideoWindowCommands::ToggleCapturedVideo() {
    VideoWindow* window = m_device.Window();
    if (window->IsPlaying()) {
        window->StopPlaying();
        if (m_settings.hardPlay == 1 && !window->IsConnected() && !window->ConnectDriver(window->DriverIndex()))
            m_ui.MessageBox(QStringLiteral("Error:\n") + window->Error(), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const QString file = m_device.CaptureFile();
    if (!HoldsSequence(file)) {
        m_ui.MessageBox(QStringLiteral("Error:\nNo sequence has been captured in %1 yet.").arg(file), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    if (m_settings.hardPlay == 1) window->Disconnect();
    window->Play(file);
}

void VideoWindowCommands::EditMovie() {
    if (!HoldsSequence(m_device.CaptureFile())) {
        m_ui.MessageBox(QStringLiteral("Error:\nNo sequence has been captured in %1 yet.").arg(m_device.CaptureFile()),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    QStringList command = QProcess::splitCommand(m_settings.videoEditor);
    if (command.isEmpty()) command = {QStringLiteral("xdg-open")};
    const QString program = command.takeFirst();
    command << m_device.CaptureFile();
    SystemProcessLauncher launcher;
    if (!launcher.StartDetached(program, command))
        m_ui.MessageBox(QStringLiteral("Error:%1\nCan't execute %2").arg(launcher.StartError(), m_settings.videoEditor + QLatin1Char(' ') + m_device.CaptureFile()),
                        MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Error"));
}
