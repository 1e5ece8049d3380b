#include "ThemeIcon.h"

#include <QApplication>
#include <QStyle>
#include <map>

namespace {
const QString kDependedTheme = QStringLiteral("breeze");
}  // namespace

QIcon ThemeIcon(const QString& name) {
    // The program's own pictures, for commands no standard name fits.
    if (name.startsWith(QLatin1String("albora-"))) return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
    // Without a desktop theme, or for a name the desktop's theme lacks, the theme the program
    // depends on answers.
    static const bool themed = [] {
        const auto unset = [](const QString& theme) { return theme.isEmpty() || theme == QLatin1String("hicolor"); };
        if (unset(QIcon::themeName())) QIcon::setThemeName(kDependedTheme);
        if (unset(QIcon::fallbackThemeName())) QIcon::setFallbackThemeName(kDependedTheme);
        return true;
    }();
    Q_UNUSED(themed);
    static const std::map<QString, QStyle::StandardPixmap> fallbacks = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"document-save-as", QStyle::SP_DialogSaveButton},
        {"document-print", QStyle::SP_ComputerIcon},
        {"document-print-preview", QStyle::SP_FileDialogContentsView},
        {"mail-send", QStyle::SP_CommandLink},
        {"document-properties", QStyle::SP_FileDialogInfoView},
        {"go-first", QStyle::SP_MediaSkipBackward},
        {"go-previous", QStyle::SP_MediaSeekBackward},
        {"go-next", QStyle::SP_MediaSeekForward},
        {"go-last", QStyle::SP_MediaSkipForward},
        {"go-jump", QStyle::SP_ArrowForward},
        {"preferences-system", QStyle::SP_FileDialogDetailedView},
        {"media-playback-start", QStyle::SP_MediaPlay},
        {"media-playback-stop", QStyle::SP_MediaStop},
        {"x-office-presentation", QStyle::SP_DesktopIcon},
        {"help-about", QStyle::SP_MessageBoxInformation},
        {"help-contextual", QStyle::SP_TitleBarContextHelpButton},
        {"application-exit", QStyle::SP_DialogCloseButton},
        {"go-home", QStyle::SP_DirHomeIcon},
        {"folder-pictures", QStyle::SP_DirIcon},
        {"edit-cut", QStyle::SP_DialogDiscardButton},
        {"edit-copy", QStyle::SP_FileLinkIcon},
        {"edit-paste", QStyle::SP_DialogApplyButton},
        {"list-add", QStyle::SP_FileDialogNewFolder},
        {"list-remove", QStyle::SP_TrashIcon},
        {"document-edit", QStyle::SP_FileDialogDetailedView},
        {"edit-find", QStyle::SP_FileDialogContentsView},
        {"view-refresh", QStyle::SP_BrowserReload},
        {"image-x-generic", QStyle::SP_DesktopIcon},
        {"media-record", QStyle::SP_MediaVolume},
    };
    const auto it = fallbacks.find(name);
    if (it == fallbacks.end()) return QIcon::fromTheme(name);
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(it->second));
}
