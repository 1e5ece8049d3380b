// albora-cli browse: a folder as the image browser's tree shows it, listed once or kept current.
#include "CliArgs.h"
#include "CliContext.h"
#include "browse/BrowseFilter.h"
#include "browse/FolderTree.h"
#include "browse/MediaFilter.h"
#include "platform/media/PlayableTypes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

namespace {

struct BrowseSetup {
    QString folder;
    QStringList patterns;
    bool files = true;
};

std::optional<BrowseSetup> Setup(CliContext& c, const CliArgs& args, int& exit) {
    if (args.positional.size() != 1) {
        exit = c.Usage(QStringLiteral("browse takes one folder"));
        return std::nullopt;
    }
    const std::optional<QStringList> patterns = PatternsOfFilter(args.Value("filter", QStringLiteral("Internet images")));
    if (!patterns) {
        c.ui.MessageBox(kInvalidFilterText, MsgButtons::Ok, MsgIcon::Exclamation, kInvalidFilterCaption);
        exit = kExitFailure;
        return std::nullopt;
    }
    const QFileInfo folder(args.positional[0]);
    if (!folder.isDir()) {
        exit = c.Fail(QStringLiteral("Error:\nNo folder %1").arg(args.positional[0]));
        return std::nullopt;
    }
    return BrowseSetup{folder.absoluteFilePath(), *patterns, !args.Has("no-files")};
}

// The folder as a drive of its own, expanded as the browser expands it.
bool Open(CliContext& c, FolderTree& tree, const BrowseSetup& setup) {
    tree.SetFilePatterns(setup.patterns);
    tree.SetShowFiles(setup.files);
    tree.SetDrives({{setup.folder, Drive::Kind::Fixed}});
    if (tree.Expand(tree.index(0, 0, tree.RootIndex()))) return true;
    c.ui.MessageBox(FolderTree::kListingError, MsgButtons::Ok, MsgIcon::Stop, FolderTree::kListingErrorCaption);
    return false;
}

void Print(CliContext& c, const QStringList& names, bool json) {
    if (json) {
        c.out << QJsonDocument(QJsonArray::fromStringList(names)).toJson(QJsonDocument::Indented);
        return;
    }
    for (const QString& name : names) c.out << name << '\n';
}

int Tree(CliContext& c, const QStringList& args) {
    QString error;
    const auto parsed = ParseCliArgs(args, {{"filter"}, {"no-files", "json"}}, error);
    if (!parsed) return c.Usage(error);
    int exit = kExitOk;
    const auto setup = Setup(c, *parsed, exit);
    if (!setup) return exit;
    FolderTree tree(false);
    if (!Open(c, tree, *setup)) return kExitFailure;
    Print(c, tree.ChildNames(tree.index(0, 0, tree.RootIndex())), parsed->Has("json"));
    return kExitOk;
}

int Watch(CliContext& c, const QStringList& args) {
    QString error;
    const auto parsed = ParseCliArgs(args, {{"filter", "seconds", "until-files"}, {"no-files", "json"}}, error);
    if (!parsed) return c.Usage(error);
    bool ok = true;
    const double seconds = parsed->Value("seconds", QStringLiteral("10")).toDouble(&ok);
    if (!ok || seconds < 0 || seconds > 86400) return c.Usage(QStringLiteral("--seconds is 0 to 86400"));
    const int until = parsed->Value("until-files", QStringLiteral("-1")).toInt(&ok);
    if (!ok) return c.Usage(QStringLiteral("--until-files is a number"));
    int exit = kExitOk;
    const auto setup = Setup(c, *parsed, exit);
    if (!setup) return exit;
    FolderTree tree(true);
    QObject::connect(&tree, &FolderTree::notWatched, [&](const QString& path) {
        c.Report(QStringLiteral("Not watched (no more watches allowed here): ") + path);
    });
    if (!Open(c, tree, *setup)) return kExitFailure;
    const QModelIndex folder = tree.index(0, 0, tree.RootIndex());
    const auto files = [&] { return tree.FileCount(folder); };
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (until >= 0 && files() >= until) loop.quit();
    };
    QObject::connect(&tree, &FolderTree::changesApplied, &loop, check);
    check();
    if (until < 0 || files() < until) loop.exec();
    Print(c, tree.ChildNames(folder), parsed->Has("json"));
    return kExitOk;
}

}  // namespace

int RunMediaCommand(CliContext& c, const QStringList& args) {
    if (args != QStringList{QStringLiteral("filter")}) return c.Usage(QStringLiteral("media takes filter"));
    c.out << MakeMediaFilter(PlayableExtensions(MediaExtensions())).filter << '\n';
    return kExitOk;
}

int RunBrowseCommand(CliContext& c, const QStringList& args) {
    const QString command = args.value(0);
    if (command == QStringLiteral("tree")) return Tree(c, args.mid(1));
    if (command == QStringLiteral("watch")) return Watch(c, args.mid(1));
    return c.Usage(QStringLiteral("browse takes tree or watch"));
}
