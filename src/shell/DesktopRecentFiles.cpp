#include "DesktopRecentFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <glib.h>
#include <memory>

namespace {

// The type and the command line of the shipped albora-mime.xml and albora.desktop.
constexpr char kAlbumType[] = "application/x-albora-album";
constexpr char kCommand[] = "albora %f";

struct BookmarksFree {
    void operator()(GBookmarkFile* bookmarks) const { g_bookmark_file_free(bookmarks); }
};

}  // namespace

void AddToDesktopRecentFiles(const QString& path) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    const QByteArray file = QFile::encodeName(folder + QStringLiteral("/recently-used.xbel"));
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    const std::unique_ptr<GBookmarkFile, BookmarksFree> bookmarks(g_bookmark_file_new());
    GError* error = nullptr;
    if (!g_bookmark_file_load_from_file(bookmarks.get(), file.constData(), &error)) {
        const bool absent = g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT);
        g_error_free(error);
        if (!absent) return;
    }
    g_bookmark_file_set_mime_type(bookmarks.get(), uri.constData(), kAlbumType);
    g_bookmark_file_add_application(bookmarks.get(), uri.constData(), "Albora", kCommand);
    if (!g_bookmark_file_to_file(bookmarks.get(), file.constData(), &error)) g_error_free(error);
}
