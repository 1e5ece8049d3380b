#include "AlboraApplication.h"

#include "CMainFrame.h"
#include "GuiSession.h"

#include "album/CAppSettings.h"
#include "album/TipOfTheDay.h"
#include "album/ui/CAlboraView.h"
#include "album/ui/CardListPrinter.h"
#include "platform/HeadlessUi.h"
#include "platform/ProgramPaths.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextStream>
#include <QTimer>

namespace {

// The framework's print switch: the album's card list to the default printer, or to a PDF file.
int PrintAlbum(CAppSettings& settings, const QString& album, const QString& output) {
    QTextStream err(stderr);
    HeadlessUi ui;
    ui.onMessage = [&err](const HeadlessUi::Message& m) { err << QString(m.text).replace('\r', '\n') << Qt::endl; };
    CAlboraDoc doc(ui, settings);
    if (!doc.FileOpen(album)) return 1;
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(CAlboraView::kPrintResolution);
    printer.setDocName(doc.GetTitle());
    if (!output.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        err << "Error:\nNo printer is installed!" << Qt::endl;
        return 1;
    }
    CardListPrinter(doc, std::nullopt).Print(printer);
    return 0;
}

}  // namespace

namespace AlboraApplication {

int Run(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Albora"));
    QApplication::setOrganizationName(QStringLiteral("Marenkis Setup"));
    QApplication::setApplicationVersion(QStringLiteral("3.0"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("albora"),
                                                 QIcon::fromTheme(QStringLiteral("image-x-generic"))));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Albora, the image album manager."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("album"), QStringLiteral("The album (.crp) to open."),
                                 QStringLiteral("[ALBUM.crp]"));
    const QCommandLineOption print(QStringLiteral("print"), QStringLiteral("Print the album's card list and exit."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("With --print: write the pages to this PDF file."),
                                    QStringLiteral("FILE.pdf"));
    parser.addOption(print);
    parser.addOption(output);
    parser.process(app);

    ProgramPaths::CaptureProgramDirectory();
    std::unique_ptr<SettingsStore> store = MakeUserSettingsStore();
    CAppSettings settings;
    settings.Load(*store);
    settings.ApplyProgramDirectory(ProgramPaths::ProgramDirectory());
    const QStringList args = parser.positionalArguments();
    if (parser.isSet(print)) {
        if (args.size() != 1) {
            QTextStream(stderr) << "albora: --print needs one album" << Qt::endl;
            return 2;
        }
        return PrintAlbum(settings, args.front(), parser.value(output));
    }

    GuiSession session(settings, *store);
    CMainFrame& frame = *session.frame;
    frame.RestorePlacement();
    frame.show();

    // The first album comes after the window is up, so its dialogs have a parent to sit on. A
    // command-line album that cannot be read leaves an empty, untitled album open.
    QTimer::singleShot(0, &frame, [&] {
        if (!args.isEmpty())
            session.doc.FileOpen(args.front());
        else
            session.doc.FileNew();
        if (TipOfTheDay::ShowAtStartUp(*store)) frame.ShowTipOfTheDay();
        if (settings.flgWelcomeDlg) frame.ShowWelcome();
    });

    const int code = app.exec();
    settings.Save(*store);
    store->Flush();
    return code;
}

}  // namespace AlboraApplication
