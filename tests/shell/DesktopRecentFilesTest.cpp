#include "TestFiles.h"
#include "shell/RecentFileList.h"

#include <QUrl>
#include <glib.h>
#include <gtest/gtest.h>

namespace {

// $XDG_DATA_HOME in a folder of the test's own for its lifetime.
class ScopedDataHome {
public:
    explicit ScopedDataHome(const QString& folder) : m_previous(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    }
    ~ScopedDataHome() { qputenv("XDG_DATA_HOME", m_previous); }
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

private:
    QByteArray m_previous;
};

QByteArray Uri(const QString& path) { return QUrl::fromLocalFile(path).toEncoded(); }

}  // namespace

// File managers and the desktop's file dialogs list the albums opened, as GLib reads them.
TEST(DesktopRecentFiles, OpenedAlbumsAreListedForTheDesktop) {
    ScopedTestDir dir;
    ScopedDataHome home(dir.Path("data"));
    const QString holidays = dir.Path("my holidays.crp");
    RecentFileList list;
    list.Add(holidays);
    list.Add(holidays);  // the title's updates tell nothing new
    list.Add(dir.Path("b.crp"));
    list.Add(holidays);

    GBookmarkFile* bookmarks = g_bookmark_file_new();
    GError* error = nullptr;
    ASSERT_TRUE(g_bookmark_file_load_from_file(
        bookmarks, QFile::encodeName(dir.Path("data/recently-used.xbel")).constData(), &error))
        << (error ? error->message : "");
    EXPECT_EQ(g_bookmark_file_get_size(bookmarks), 2);
    const QByteArray uri = Uri(holidays);
    ASSERT_TRUE(g_bookmark_file_has_item(bookmarks, uri.constData()));
    gchar* type = g_bookmark_file_get_mime_type(bookmarks, uri.constData(), nullptr);
    EXPECT_STREQ(type, "application/x-albora-album");
    gchar* exec = nullptr;
    guint count = 0;
    ASSERT_TRUE(g_bookmark_file_get_application_info(bookmarks, uri.constData(), "Albora", &exec, &count,
                                                     nullptr, nullptr));
    // GLib hands the command back with the album's own name in it.
    EXPECT_EQ(QString::fromUtf8(exec).toStdString(), ("albora " + holidays).toStdString());
    EXPECT_EQ(count, 2u);
    g_free(exec);
    g_free(type);
    g_bookmark_file_free(bookmarks);
}

// The desktop's file belongs to every program: one that cannot be read is never replaced, and a
// place that cannot hold it disturbs nothing.
TEST(DesktopRecentFiles, AnUnreadableListIsLeftAsItIs) {
    ScopedTestDir dir;
    QDir().mkpath(dir.Path("data"));
    dir.Write(QStringLiteral("data/recently-used.xbel"), "<xbel version=\"1.0\"><bookmark");
    {
        ScopedDataHome home(dir.Path("data"));
        RecentFileList list;
        list.Add(dir.Path("a.crp"));
        EXPECT_EQ(list.Files(), QStringList{dir.Path("a.crp")});
    }
    QFile kept(dir.Path("data/recently-used.xbel"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("<xbel version=\"1.0\"><bookmark"));

    dir.Write(QStringLiteral("file"), "x");
    ScopedDataHome blocked(dir.Path("file"));
    RecentFileList list;
    list.Add(dir.Path("a.crp"));
    EXPECT_EQ(list.Files(), QStringList{dir.Path("a.crp")});
}
