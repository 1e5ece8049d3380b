// albora-cli quick: the quick browser's folders in "quick.lst", and an album from one of them.
#include "CliArgs.h"
#include "CliContext.h"
#include "album/CAlboraDoc.h"
#include "browse/QuickFolders.h"

#include <QFileInfo>

namespace {

int Save(CliContext& c, const QStringList& folders) {
    QString reason;
    if (QuickFolders::Write(QuickFolders::ListPath(), folders, &reason)) return kExitOk;
    return c.Fail(QStringLiteral("Error:\nCan't write %1!\n(%2)").arg(QuickFolders::ListPath(), reason));
}

// The entry N counted from 1, as "list" prints it; -1 when there is none.
int EntryIndex(const QString& text, const QStringList& folders) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 1 && n <= folders.size() ? n - 1 : -1;
}

}  // namespace

int RunQuickCommand(CliContext& c, const QStringList& args) {
    QString error;
    const auto parsed = ParseCliArgs(args, {{"mask"}, {}}, error);
    if (!parsed) return c.Usage(error);
    const QStringList& words = parsed->positional;
    const QString command = words.value(0);
    QString reason;
    QStringList folders = QuickFolders::Read(QuickFolders::ListPath(), &reason);
    // A list that cannot be read is not written over with what little is known.
    if (!reason.isEmpty()) return c.Fail(QStringLiteral("Error:\nCan't read %1!\n(%2)").arg(QuickFolders::ListPath(), reason));
    if (command == QStringLiteral("list") && words.size() == 1) {
        for (int i = 0; i < folders.size(); ++i) c.out << i + 1 << '\t' << folders[i] << '\n';
        return kExitOk;
    }
    if (command == QStringLiteral("add") && words.size() == 2) {
        if (!QFileInfo(words[1]).isDir()) return c.Fail(QStringLiteral("Error:\n%1 is not a folder!").arg(words[1]));
        folders << QFileInfo(words[1]).absoluteFilePath();
        return Save(c, folders);
    }
    if (command == QStringLiteral("del") && words.size() == 2) {
        const int index = EntryIndex(words[1], folders);
        if (index < 0) return c.Fail(QStringLiteral("No quick folder %1").arg(words[1]));
        folders.removeAt(index);
        return Save(c, folders);
    }
    if (command == QStringLiteral("go") && words.size() == 3) {
        const int index = EntryIndex(words[1], folders);
        if (index < 0) return c.Fail(QStringLiteral("No quick folder %1").arg(words[1]));
        const QString out = QFileInfo(words[2]).absoluteFilePath();
        if (parsed->Has("mask")) c.settings.browserMask = parsed->Value("mask");
        CAlboraDoc doc(c.ui, c.settings);
        if (!doc.NewAlbumFromFolder(folders[index])) return kExitFailure;
        doc.SetPathName(out);
        return doc.FileSave() ? kExitOk : kExitFailure;
    }
    return c.Usage(QStringLiteral("quick takes list, add DIR, del N or go N OUT.crp [--mask M]"));
}
