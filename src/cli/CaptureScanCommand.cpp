// albora-cli capture scan ALBUM.crp: one scanner session, each page a card.
#include "CaptureCliSupport.h"
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "capture/sane/ScanStore.h"
#include "capture/sane/TwainSession.h"

#include <QEventLoop>
#include <QFileInfo>

namespace {

// "--set OPTION=VALUE" may come many times, which the common parser does not keep.
QStringList TakeSettings(QStringList& args) {
    QStringList settings;
    for (int i = 0; i + 1 < args.size();) {
        if (args[i] == QLatin1String("--set")) {
            settings << args[i + 1];
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    return settings;
}

int TwainError(CliContext& c, const TwainSession& session) {
    c.ui.MessageBox(ScannerErrorText(session.LastError()), MsgButtons::Ok, MsgIcon::Information);
    return c.Fail(session.LastError());
}

}  // namespace

int RunCaptureScan(CliContext& c, const QStringList& arguments) {
    QStringList rest = arguments;
    const QStringList settings = TakeSettings(rest);
    QString error;
    const auto parsed = ParseCliArgs(
        rest, {{"device", "source", "mode", "resolution", "pages", "quality"}, {"split", "jpg"}}, error);
    if (!parsed) return c.Usage(error);
    const CliArgs& args = *parsed;
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("capture scan takes ALBUM.crp"));
    bool ok = true;
    const int pages = args.Value("pages", QStringLiteral("0")).toInt(&ok);
    if (!ok || pages < 0) return c.Usage(QStringLiteral("--pages needs a count"));
    if (!TakeStorageOptions(args, c.settings, error)) return c.Usage(error);
    for (const QString& setting : settings)
        if (!setting.contains(QLatin1Char('='))) return c.Usage(QStringLiteral("--set takes OPTION=VALUE"));

    const QString albumPath = QFileInfo(args.positional[0]).absoluteFilePath();
    CAlboraDoc doc(c.ui, c.settings);
    QString folder;
    if (!OpenCaptureAlbum(c, doc, albumPath, folder)) return kExitFailure;

    TwainSession session;
    if (!TwainSession::IsAvailable() || !session.OpenManager()) return TwainError(c, session);
    const QString device = args.Value("device");
    if (!device.isEmpty() && std::none_of(session.Scanners().begin(), session.Scanners().end(),
                                          [&](const ScannerInfo& s) { return s.name == device; }))
        return c.Fail(QStringLiteral("There is no scanner %1.").arg(device));
    if (!session.OpenSource(device)) return TwainError(c, session);
    QStringList wanted;
    for (const char* option : {"source", "mode", "resolution"})
        if (args.Has(option)) wanted << QString::fromLatin1(option) + QLatin1Char('=') + args.Value(option);
    for (const QString& setting : wanted + settings) {
        QString rounded;
        if (!session.Options().Set(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1), &error,
                                   &rounded))
            return c.Fail(error);
        if (!rounded.isEmpty()) c.Report(rounded);
    }
    if (!session.EnableSource()) return TwainError(c, session);

    int cards = 0;
    QString scanError;
    ScanPageReader reader;
    QEventLoop loop;
    QObject::connect(&reader, &ScanPageReader::PageRead, &loop, [&](const ScannedPage& page) {
        for (const ScanStoreEvent& event : StoreScannedPage(page, args.Has("split"), c.settings.NombreFoto, c.settings, c.ui)) {
            if (!event.written) {
                c.Report(event.message);
                continue;
            }
            doc.InsertImageAsCard(event.name);
            ++cards;
        }
    });
    QObject::connect(&reader, &ScanPageReader::Finished, &loop, [&](int, const QString& failure) {
        scanError = failure;
        loop.quit();
    });
    reader.Start(session, pages);
    loop.exec();
    session.ReturnTo(TwainSession::ManagerOpen);

    if (!scanError.isEmpty()) {
        c.ui.MessageBox(ScannerErrorText(scanError), MsgButtons::Ok, MsgIcon::Information);
        c.Report(scanError);
    }
    if (cards == 0) return c.Fail(QStringLiteral("No page was scanned."));
    doc.SetPathName(albumPath);
    return doc.FileSave() ? kExitOk : kExitFailure;
}
