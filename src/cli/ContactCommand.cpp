// albora-cli contact ALBUM.crp OUT.png: the album as pages of thumbnails, made with the contact
// sheet's own thumbnail code and captions.
#include "CliArgs.h"
#include "CliContext.h"

#include "album/AlbumOutputGuard.h"
#include "album/CAlboraDoc.h"
#include "image/CPngImage.h"
#include "image/ContactCell.h"
#include "image/ParallelRows.h"
#include "image/ThumbnailCache.h"
#include "platform/SafeFile.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kGap = 10;
const QSize kCells[] = {{80, 60}, {160, 120}, {240, 180}, {320, 240}};

// OUT for a single page, OUT-1.png, OUT-2.png ... for several.
QString PagePath(const QString& out, int page, int pages) {
    if (pages == 1) return out;
    const QFileInfo info(out);
    return info.dir().filePath(QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(page).arg(info.suffix()));
}

}  // namespace

int RunContactCommand(CliContext& c, const QStringList& args) {
    CliOptions options{{"size", "columns"}, {"info", "no-thumbnail-cache"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2) return c.Usage(QStringLiteral("contact takes ALBUM.crp OUT.png"));
    bool ok = true;
    const int size = parsed->Value("size", "0").toInt(&ok);
    if (!ok || size < 0 || size > 3) return c.Usage(QStringLiteral("--size is 0 to 3"));
    const int columns = parsed->Value("columns", "4").toInt(&ok);
    if (!ok || columns < 1 || columns > 100) return c.Usage(QStringLiteral("--columns is 1 to 100"));
    const bool info = parsed->Has("info");

    CAlboraDoc doc(c.ui, c.settings);
    if (!doc.FileOpen(parsed->positional[0])) return kExitFailure;
    const int count = doc.Db().GetCount();
    const QSize cell = kCells[size];
    // The files are found first (the resolver is not shared across threads), then every
    // thumbnail is made on all cores, then the pages.
    std::optional<ThumbnailCache> cache;
    if (!parsed->Has("no-thumbnail-cache")) cache.emplace();
    QStringList files, graphics;
    for (int i = 0; i < count; ++i) {
        files << doc.CardFile(i);
        graphics << doc.Db().GetAt(i)->m_strGraphic;
    }
    std::vector<Thumbnail> thumbs(static_cast<std::size_t>(count));
    ParallelEach(count, [&](int i) { thumbs[std::size_t(i)] = MakeThumbnail(files[i], cell, cache ? &*cache : nullptr); });

    QFont font;
    font.setPixelSize(12);
    const int line = QFontMetrics(font).height();
    const int perPage = columns * columns;
    const int pages = std::max(1, (count + perPage - 1) / perPage);
    const QSize pitch(cell.width() + kGap, cell.height() + line + kGap);
    const QString out = QFileInfo(parsed->positional[1]).absoluteFilePath();
    const OutputGuard guard = GuardOfAlbum(doc);
    for (int page = 0; page < pages; ++page)
        if (const QString refusal = guard.WriteRefusal(PagePath(out, page + 1, pages)); !refusal.isEmpty())
            return c.Fail(refusal);
    // Pages are painted and written on all cores; the first that cannot be written is reported.
    std::vector<QString> errors(static_cast<std::size_t>(pages));
    ParallelEach(pages, [&](int page) {
        const int onPage = std::clamp(count - page * perPage, 0, perPage);
        const int rows = std::max(1, (onPage + columns - 1) / columns);
        QImage sheet(kGap + columns * pitch.width(), kGap + rows * pitch.height(), QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        painter.setFont(font);
        for (int k = 0; k < onPage; ++k) {
            const int card = page * perPage + k;
            const QRect rect(QPoint(kGap + (k % columns) * pitch.width(), kGap + (k / columns) * pitch.height()), cell);
            PaintContactCell(painter, rect, thumbs[std::size_t(card)], card + 1, graphics[card], info, line);
        }
        painter.end();
        const QString path = PagePath(out, page + 1, pages);
        const QByteArray png = CPngImage::EncodeQuick(sheet);
        QString error;
        if (png.isEmpty() || !SafeFile::Write(path, png, &error))
            errors[std::size_t(page)] = QStringLiteral("Error:\nCan't save file!\n%1\n%2").arg(path, error);
    });
    for (const QString& error : errors)
        if (!error.isEmpty()) return c.Fail(error);
    return kExitOk;
}
