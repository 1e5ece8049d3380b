// The folder tree over real folders: what is listed, and how it keeps current as the disk changes.
#include "TestFiles.h"

#include "browse/FolderTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <sys/inotify.h>

namespace {

void Touch(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
}

struct TreeFixture {
    ScopedTestDir dir;
    FolderTree tree;
    QModelIndex drive;

    explicit TreeFixture(bool watch = true) : tree(watch) {
        tree.SetDrives({{dir.Path(), Drive::Kind::Fixed}});
        drive = tree.index(0, 0, tree.RootIndex());
    }
    QModelIndex Open(const QString& relative = {}) {
        const QModelIndex index = relative.isEmpty() ? drive : tree.IndexOf(dir.Path(relative));
        EXPECT_TRUE(tree.Expand(index)) << relative.toStdString();
        return index;
    }
    QStringList Names(const QString& relative = {}) {
        return tree.ChildNames(relative.isEmpty() ? drive : tree.IndexOf(dir.Path(relative)));
    }
    // Waits until the folder shows EXPECTED, the watcher's changes being applied meanwhile.
    bool Shows(const QString& relative, const QStringList& expected) {
        return WaitFor([&] { return Names(relative) == expected; }, 3000);
    }
};

}  // namespace

TEST(FolderTree, ListsFoldersFirstThenTheFilesOfEveryPatternWithoutRegardToCase) {
    TreeFixture f(false);
    for (const char* folder : {"zeta", "Alpha", ".hidden", "RECYCLED", "$RECYCLE.BIN", "2024.05 Trip"})
        QDir().mkpath(f.dir.Path(folder));
    for (const char* file : {"b.JPG", "a.jpeg", "c.gif", "d.png", "e.bmp", "README", ".secret.jpg", "Ñandú.jpg", "写真.png"})
        Touch(f.dir.Path(file));
    f.tree.SetFilePatterns({"*.jpg", "*.jpeg", "*.gif", "*.png"});
    f.Open();
    EXPECT_EQ(f.Names(), (QStringList{"2024.05 Trip/", "Alpha/", "zeta/", "a.jpeg", "b.JPG", "c.gif", "d.png",
                                      "Ñandú.jpg", "写真.png"}));
    EXPECT_EQ(f.tree.data(f.tree.IndexOf(f.dir.Path("写真.png"))).toString(), "写真.png");
    EXPECT_EQ(f.tree.PathOf(f.tree.IndexOf(f.dir.Path("Alpha"))), f.dir.Path("Alpha"));
    EXPECT_TRUE(f.tree.hasChildren(f.tree.IndexOf(f.dir.Path("Alpha"))));  // not listed yet: it may hold something
    EXPECT_FALSE(f.tree.hasChildren(f.tree.IndexOf(f.dir.Path("b.JPG"))));

    // "*.*" is every file; without "Show Files" only folders.
    f.tree.SetFilePatterns({"*.*"});
    f.tree.Refresh();
    EXPECT_TRUE(f.Names().contains("README"));
    EXPECT_TRUE(f.Names().contains("e.bmp"));
    f.tree.SetShowFiles(false);
    f.tree.Refresh();
    EXPECT_EQ(f.Names(), (QStringList{"2024.05 Trip/", "Alpha/", "zeta/"}));

    // A folder that cannot be read stays closed.
    const QModelIndex zeta = f.tree.IndexOf(f.dir.Path("zeta"));
    QDir(f.dir.Path("zeta")).removeRecursively();
    EXPECT_FALSE(f.tree.Expand(zeta));
    EXPECT_TRUE(f.tree.ChildNames(zeta).isEmpty());
}

TEST(FolderTree, RefreshKeepsWhatIsStillThereAndFollowsTheDrives) {
    TreeFixture f(false);
    QDir().mkpath(f.dir.Path("a/deep"));
    Touch(f.dir.Path("a/deep/one.jpg"));
    f.Open();
    f.Open("a");
    f.Open("a/deep");
    Touch(f.dir.Path("a/deep/two.jpg"));
    QDir().mkpath(f.dir.Path("b"));
    f.tree.Refresh();
    EXPECT_EQ(f.Names(), (QStringList{"a/", "b/"}));
    EXPECT_EQ(f.Names("a/deep"), (QStringList{"one.jpg", "two.jpg"}));

    ScopedTestDir other;
    f.tree.SetDrives({{other.Path(), Drive::Kind::Removable}});
    EXPECT_EQ(f.tree.ChildNames(f.tree.RootIndex()), QStringList{other.Path() + "/"});
    EXPECT_EQ(f.tree.data(f.tree.index(0, 0, f.tree.RootIndex()), FolderTree::IconNameRole).toString(),
              "drive-removable-media");
}

TEST(FolderTree, CreatedDeletedAndRenamedEntriesShowAtOnceByTheirKind) {
    TreeFixture f;
    f.tree.SetFilePatterns({"*.jpg"});
    f.Open();
    QDir().mkpath(f.dir.Path("2024.05 Trip"));  // a dotted folder is still a folder
    Touch(f.dir.Path("photo.JPG"));
    Touch(f.dir.Path("notes.txt"));  // not a picture of the filter
    Touch(f.dir.Path("README.jpg"));
    EXPECT_TRUE(f.Shows({}, {"2024.05 Trip/", "photo.JPG", "README.jpg"}));
    QFile::rename(f.dir.Path("photo.JPG"), f.dir.Path("Ñandú.jpg"));
    QFile::remove(f.dir.Path("README.jpg"));
    QDir().rename(f.dir.Path("2024.05 Trip"), f.dir.Path("README"));  // a folder without a dot stays a folder
    EXPECT_TRUE(f.Shows({}, {"README/", "Ñandú.jpg"}));
    EXPECT_EQ(f.tree.TypeOf(f.tree.IndexOf(f.dir.Path("README"))), FolderTree::ItemType::Folder);
    f.tree.SetShowFiles(false);
    Touch(f.dir.Path("later.jpg"));
    QDir().mkpath(f.dir.Path("later"));
    EXPECT_TRUE(f.Shows({}, {"later/", "README/", "Ñandú.jpg"}));
}

TEST(FolderTree, MovesBetweenFoldersAndInAndOutOfTheTreeLandWhereTheyGo) {
    TreeFixture f;
    ScopedTestDir outside;
    QDir().mkpath(f.dir.Path("from"));
    QDir().mkpath(f.dir.Path("to"));
    Touch(f.dir.Path("from/a.jpg"));
    Touch(outside.Path("in.jpg"));
    f.Open();
    f.Open("from");
    f.Open("to");
    QFile::rename(f.dir.Path("from/a.jpg"), f.dir.Path("to/a.jpg"));
    QFile::rename(outside.Path("in.jpg"), f.dir.Path("from/in.jpg"));
    EXPECT_TRUE(f.Shows("to", {"a.jpg"}));
    EXPECT_TRUE(f.Shows("from", {"in.jpg"}));
    QFile::rename(f.dir.Path("from/in.jpg"), outside.Path("back.jpg"));
    EXPECT_TRUE(f.Shows("from", {}));

    // A watched folder that goes away takes its item, and its watch, with it.
    const int watches = f.tree.WatchCount();
    QDir(f.dir.Path("to")).removeRecursively();
    EXPECT_TRUE(f.Shows({}, {"from/"}));
    EXPECT_TRUE(WaitFor([&] { return f.tree.WatchCount() == watches - 1; }));
}

TEST(FolderTree, WatchesFollowExpansionAndAnOverflowListsAgain) {
    TreeFixture f;
    QDir().mkpath(f.dir.Path("a/b"));
    f.Open();
    f.Open("a");
    f.Open("a/b");
    EXPECT_EQ(f.tree.WatchCount(), 3);
    f.tree.SetWatching(false);  // the window is hidden
    EXPECT_EQ(f.tree.WatchCount(), 0);
    QDir().mkpath(f.dir.Path("a/meanwhile"));
    f.tree.SetWatching(true);
    EXPECT_EQ(f.tree.WatchCount(), 3);
    EXPECT_EQ(f.Names("a"), (QStringList{"b/", "meanwhile/"}));
    f.tree.Collapse(f.tree.IndexOf(f.dir.Path("a")));
    EXPECT_EQ(f.tree.WatchCount(), 1);
    EXPECT_TRUE(f.tree.hasChildren(f.tree.IndexOf(f.dir.Path("a"))));
    // Two items of one folder share its watch; the folder shows changes under both.
    f.tree.SetDrives({{f.dir.Path(), Drive::Kind::Fixed}, {f.dir.Path("a"), Drive::Kind::Fixed}});
    const QModelIndex second = f.tree.index(1, 0, f.tree.RootIndex());
    ASSERT_TRUE(f.tree.Expand(second));
    f.Open("a");
    EXPECT_EQ(f.tree.WatchCount(), 2);
    Touch(f.dir.Path("a/new.jpg"));
    EXPECT_TRUE(WaitFor([&] { return f.tree.ChildNames(second) == QStringList{"b/", "meanwhile/", "new.jpg"}; }));
    EXPECT_TRUE(f.Shows("a", {"b/", "meanwhile/", "new.jpg"}));

    // Lost changes: everything listed is read again.
    f.tree.blockSignals(true);  // nothing else to see while the file appears unnoticed
    f.tree.Collapse(second);
    f.tree.blockSignals(false);
    Touch(f.dir.Path("quiet.jpg"));
    f.tree.Apply({FolderChange{FolderChange::Kind::Overflow, -1, {}, false, 0}});
    EXPECT_TRUE(f.Names().contains("quiet.jpg"));
}

TEST(FolderWatcher, DecodingStopsAtACutRecordAndKeepsEveryWholeOne) {
    QByteArray buffer;
    const auto add = [&](int wd, std::uint32_t mask, std::uint32_t cookie, const QByteArray& name, std::uint32_t len) {
        inotify_event event{wd, mask, cookie, len};
        buffer.append(reinterpret_cast<const char*>(&event), sizeof event);
        buffer.append(name.leftJustified(int(len), '\0', true));
    };
    add(1, IN_CREATE | IN_ISDIR, 0, "2024.05 Trip", 16);
    add(1, IN_MOVED_FROM, 7, "old.jpg", 8);
    add(2, IN_MOVED_TO, 7, "写真.png", 16);
    add(-1, IN_Q_OVERFLOW, 0, {}, 0);
    const QVector<FolderChange> whole = DecodeFolderEvents(buffer.constData(), std::size_t(buffer.size()));
    ASSERT_EQ(whole.size(), 4);
    EXPECT_EQ(whole[0].kind, FolderChange::Kind::Created);
    EXPECT_TRUE(whole[0].isFolder);
    EXPECT_EQ(whole[0].name, "2024.05 Trip");
    EXPECT_EQ(whole[1].kind, FolderChange::Kind::MovedOut);
    EXPECT_EQ(whole[2].kind, FolderChange::Kind::MovedIn);
    EXPECT_EQ(whole[2].cookie, 7u);
    EXPECT_EQ(whole[2].name, "写真.png");
    EXPECT_EQ(whole[3].kind, FolderChange::Kind::Overflow);

    // A record whose name runs past the bytes read ends the walk there.
    add(1, IN_DELETE, 0, "x", 4096);
    buffer.chop(4000);
    EXPECT_EQ(DecodeFolderEvents(buffer.constData(), std::size_t(buffer.size())).size(), 4);
    EXPECT_TRUE(DecodeFolderEvents(buffer.constData(), 10).isEmpty());
}
