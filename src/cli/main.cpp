// albora-cli: the album library's operations in batch, with the same code as the GUI.
#include "CliContext.h"
#include "CliHelp.h"

#include "image/ImageLibrary.h"
#include "platform/ProgramPaths.h"
#include "platform/QuietQtMessages.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    // Help and version come before Qt starts, and without arguments the usage goes to stderr.
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "-h" || first == "--help" || argc < 2) {
        std::fputs(kCliHelp, argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    // "GROUP [COMMAND] ... --help": that command's usage, when there is such a command.
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    if (std::find(words.begin(), words.end(), "--help") != words.end() ||
        std::find(words.begin(), words.end(), "-h") != words.end()) {
        if (const std::string usage = CommandHelp(words); !usage.empty()) {
            std::fputs(usage.c_str(), stdout);
            return kExitOk;
        }
    }
    if (first == "-v" || first == "--version") {
        std::puts("albora-cli " ALBORA_VERSION);
        return kExitOk;
    }
    // The command line is the command's alone: Qt would take options of its own names (--style,
    // -display ...) out of it before the command saw them.
    QStringList args;
    for (int i = 2; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const QString group = QString::fromLocal8Bit(argv[1]);
    // A batch command that succeeds prints nothing on stderr.
    InstallQuietQtMessages();
    // Drawing captions needs fonts, so the batch program is a GUI application without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    ProgramPaths::CaptureProgramDirectory();
    CliContext context;
    ImageLibrary::SetJpegQuality(context.settings.JPGquality);
    ImageLibrary::SetMaxPixels(context.settings.MaxPicturePixels);
    ImageLibrary::SetUi(&context.ui);
    if (group == QStringLiteral("album")) return RunAlbumCommand(context, args);
    if (group == QStringLiteral("image")) return RunImageCommand(context, args);
    if (group == QStringLiteral("contact")) return RunContactCommand(context, args);
    if (group == QStringLiteral("draw")) return RunDrawCommand(context, args);
    if (group == QStringLiteral("web")) return RunWebCommand(context, args);
    if (group == QStringLiteral("movie")) return RunMovieCommand(context, args);
    if (group == QStringLiteral("mpeg")) return RunMpegCommand(context, args);
    if (group == QStringLiteral("slides")) return RunSlidesCommand(context, args);
    if (group == QStringLiteral("utility")) return RunUtilityCommand(context, args);
    if (group == QStringLiteral("settings")) return RunSettingsCommand(context, args);
    if (group == QStringLiteral("capture")) return RunCaptureCommand(context, args);
    if (group == QStringLiteral("browse")) return RunBrowseCommand(context, args);
    if (group == QStringLiteral("quick")) return RunQuickCommand(context, args);
    if (group == QStringLiteral("media")) return RunMediaCommand(context, args);
    if (group == QStringLiteral("livecam")) return RunLiveCamCommand(context, args);
    if (group.startsWith('-')) return context.Usage(QStringLiteral("unknown option '%1'").arg(group));
    return context.Usage(QStringLiteral("unknown command group '%1'").arg(group));
}
