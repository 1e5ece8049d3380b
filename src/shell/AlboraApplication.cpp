#include "AlboraApplication.h"

#include "CMainFrame.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/TipOfTheDay.h"
#include "image/ImageLibrary.h"
#include "platform/ProgramPaths.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/QtUiServices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

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
    parser.process(app);

    ProgramPaths::CaptureProgramDirectory();
    std::unique_ptr<SettingsStore> store = MakeUserSettingsStore();
    CAppSettings settings;
    settings.Load(*store);
    settings.ApplyProgramDirectory(ProgramPaths::ProgramDirectory());

    QtUiServices ui;
    ImageLibrary::SetJpegQuality(settings.JPGquality);
    ImageLibrary::SetUi(&ui);
    CAlboraDoc doc(ui, settings);
    CMainFrame frame(doc, settings, *store, ui);
    frame.RestorePlacement();
    frame.show();

    // The first album comes after the window is up, so its dialogs have a parent to sit on. A
    // command-line album that cannot be read leaves an empty, untitled album open.
    const QStringList args = parser.positionalArguments();
    QTimer::singleShot(0, &frame, [&] {
        if (!args.isEmpty())
            doc.FileOpen(args.front());
        else
            doc.FileNew();
        if (TipOfTheDay::ShowAtStartUp(*store)) frame.ShowTipOfTheDay();
        if (settings.flgWelcomeDlg) frame.ShowWelcome();
    });

    const int code = app.exec();
    settings.Save(*store);
    store->Flush();
    return code;
}

}  // namespace AlboraApplication
