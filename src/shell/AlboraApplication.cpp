#include "web/ui/EmbeddedBrowser.h"
#include "AlboraApplication.h"

#include "CMainFrame.h"
#include "GuiSession.h"

#include "album/CAppSettings.h"
#include "album/ui/CAlboraView.h"
#include "album/ui/CardListPrinter.h"
#include "platform/HeadlessUi.h"
#include "platform/ProgramPaths.h"
#include "platform/QuietQtMessages.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>
#include <QTemporaryFile>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <sys/stat.h>

namespace {

// Whether PATH holds a whole PDF: a cut one (a full disk) lacks the end-of-file marker.
bool IsCompletePdf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 8) return false;
    file.seek(std::max<qint64>(0, file.size() - 64));
    return file.readAll().contains("%%EOF");
}

// The framework's print switch: the album's card list to the default printer, or to a PDF file,
// which goes to a temporary file beside OUTPUT and replaces it only when complete.
int PrintAlbum(CAppSettings& settings, const QString& album, const QString& output) {
    QTextStream err(stderr);
    HeadlessUi ui;
    ui.onMessage = [&err](const HeadlessUi::Message& m) { err << QString(m.text).replace('\r', '\n') << Qt::endl; };
    CAlboraDoc doc(ui, settings);
    if (!doc.FileOpen(album)) return 1;
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(CAlboraView::kPrintResolution);
    printer.setDocName(doc.GetTitle());
    const auto fail = [&err, &output](const QString& reason) {
        err << "Error:\nCan't print to " << output << ": " << reason << Qt::endl;
        return 1;
    };
    std::unique_ptr<QTemporaryFile> pages;
    if (!output.isEmpty()) {
        const QFileInfo target(output);
        pages = std::make_unique<QTemporaryFile>(target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX")));
        if (!pages->open()) return fail(pages->errorString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pages->fileName());
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        err << "Error:\nNo printer is installed!" << Qt::endl;
        return 1;
    }
    if (!CardListPrinter(doc, std::nullopt).Print(printer)) {
        if (!pages) {
            err << "Error:\nThe printer could not print!" << Qt::endl;
            return 1;
        }
        return fail(QStringLiteral("the pages could not be written"));
    }
    if (!pages) return 0;
    if (!IsCompletePdf(pages->fileName())) return fail(QStringLiteral("the disk may be full"));
    // A temporary file is private; the PDF gets the permissions of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(pages->handle(), 0666 & ~mask);
    if (::rename(QFile::encodeName(pages->fileName()).constData(), QFile::encodeName(output).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    pages->setAutoRemove(false);
    return 0;
}

const char kHelp[] = R"(Usage: albora [ALBUM.crp]
       albora --print ALBUM.crp [--output FILE.pdf]

Albora, the image album manager: opens the album, or makes a new one.

  --print ALBUM.crp   print the album's card list to the default printer and exit
  --output FILE.pdf   with --print: write the pages to FILE.pdf instead
  -h, --help          show this help and exit
  -v, --version       show the version and exit

Qt's own options (-platform, -style ...) are accepted too. Press F1 in the program for the manual.
Exit status: 0 success, 1 failure, 2 usage error.
)";

int UsageError(const QString& reason) {
    QTextStream(stderr) << "albora: " << reason << "\nTry 'albora --help'." << Qt::endl;
    return 2;
}

// --help and --version are answered before the window system is reached, so they work anywhere.
std::optional<int> AnswerHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "-h" || arg == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "-v" || arg == "--version") {
            std::puts("albora " ALBORA_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

// What the command line asks of the program.
struct CommandLine {
    bool print = false;
    QString output;
    QString album;
};

// Qt's own options, with a value or without; the application object takes them, so they are
// passed over here.
constexpr const char* kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "display",  "geometry",           "title",         "icon",   "name",            "visual",      "session",
    "style",    "stylesheet",         "qmljsdebugger"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

// The command line read before Qt starts, so that a usage error needs no display; nullopt after
// the usage error has been told.
std::optional<CommandLine> ReadCommandLine(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // Qt's options have one dash; ours are accepted with either.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption print(QStringLiteral("print"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE.pdf"));
    parser.addOption(print);
    parser.addOption(output);
    for (const char* name : kQtOptionsWithValue)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value")));
    for (const char* name : kQtFlags) parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    const auto usage = [](const QString& reason) {
        UsageError(reason);
        return std::nullopt;
    };
    if (!parser.parse(args)) return usage(parser.errorText());
    const QStringList albums = parser.positionalArguments();
    if (albums.size() > 1) return usage(QStringLiteral("one album at most"));
    if (parser.isSet(output) && !parser.isSet(print)) return usage(QStringLiteral("--output needs --print"));
    if (parser.isSet(print) && albums.size() != 1) return usage(QStringLiteral("--print needs one album"));
    return CommandLine{parser.isSet(print), parser.value(output), albums.value(0)};
}

}  // namespace

namespace AlboraApplication {

int Run(int argc, char** argv) {
    if (const std::optional<int> answered = AnswerHelpOrVersion(argc, argv)) return *answered;
    const std::optional<CommandLine> line = ReadCommandLine(argc, argv);
    if (!line) return 2;
    // Printing shows no window, so it needs no display: without one it draws as albora-cli does.
    const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (line->print && noDisplay && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    InstallQuietQtMessages();
    PrepareEmbeddedBrowser();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Albora"));
    QApplication::setOrganizationName(QStringLiteral("Marenkis Setup"));
    QApplication::setApplicationVersion(QStringLiteral(ALBORA_VERSION));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("albora"),
                                                 QIcon::fromTheme(QStringLiteral("image-x-generic"))));

    ProgramPaths::CaptureProgramDirectory();
    std::unique_ptr<SettingsStore> store = MakeUserSettingsStore();
    CAppSettings settings;
    settings.Load(*store);
    settings.ApplyProgramDirectory(ProgramPaths::ProgramDirectory(), ProgramPaths::ScratchDirectory());
    if (line->print) return PrintAlbum(settings, line->album, line->output);

    GuiSession session(settings, *store);
    CMainFrame& frame = *session.frame;
    frame.RestorePlacement();
    frame.show();

    // The first album comes after the window is up, so its dialogs have a parent to sit on.
    QTimer::singleShot(0, &frame, [&] { session.StartUp(line->album); });

    const int code = app.exec();
    settings.Save(*store);
    store->Flush();
    return code;
}

}  // namespace AlboraApplication
