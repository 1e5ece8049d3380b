// Three measurements of draw pages, each a ratio with its target:
//   render   10,000 mixed objects written as a PNG at 100 dpi, beside rsvg-convert drawing our
//            SVG of the same page at the same size (our time / rsvg-convert's, aim 1.0 or less);
//   link     100 paints of a page showing a linked 4000x3000 JPEG over 800x600, beside 100 djpeg
//            decodes of it (aim 0.1 or less: the first paint decodes, reduced by libjpeg's DCT
//            scaling, the others come from the picture cache);
//   archive  100,000 objects written and read as .adw bytes beside 10,000 (aim 12 or less:
//            linear);
//   drag     200 steps of dragging one object over the page of 10,000 in an offscreen draw view,
//            the mean time of a step beside rsvg-convert drawing the whole page once (aim 0.05
//            or less: only the area that changed is painted).
//   draw_bench            the full run
//   draw_bench --smoke    small sizes, for CI
#include "BenchSupport.h"
#include "album/CAppSettings.h"
#include "draw/DrawAnnotation.h"
#include "draw/DrawExport.h"
#include "draw/ui/CDrawView.h"
#include "platform/HeadlessUi.h"

#include <QFileInfo>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <random>

namespace {

constexpr std::uint32_t kPenStyles[] = {PenStyle::Solid, PenStyle::Dash, PenStyle::Dot, PenStyle::InsideFrame};

// A page of COUNT objects of every kind, with pens, fills and hatches, spread over an 11 x 8.5
// inch page; the same page for the same COUNT.
void FillMixedPage(DrawPage& page, int count) {
    page.pageWidth = 1100;
    page.pageHeight = 850;
    std::mt19937 random(20240601);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const QString faces[] = {"Arial", "Times New Roman", "Courier New"};
    for (int i = 0; i < count; ++i) {
        const int x = pick(-550, 500), y = pick(-425, 380), w = pick(8, 120), h = pick(8, 90);
        const PageRect bounds{x, y + h, x + w, y};
        std::shared_ptr<CDrawObj> object;
        const int kind = i % 7;
        if (kind < 5) {
            auto rect = std::make_shared<CDrawRect>(bounds);
            rect->shape = kind == 4 ? CDrawRect::Text : kind;
            if (kind == 4) {
                rect->text = QStringLiteral("Albora %1").arg(i);
                rect->font.height = i % 3 == 0 ? pick(12, 30) : -pick(10, 28);
                rect->font.SetFaceName(faces[i % 3]);
                rect->font.escapement = i % 5 == 0 ? 450 : 0;
            }
            object = rect;
        } else {
            auto poly = std::make_shared<CDrawPoly>(bounds);
            poly->polyKind = kind == 5 ? CDrawPoly::Polygon : CDrawPoly::Curve;
            const int points = kind == 5 ? pick(3, 9) : 3 * pick(1, 4) + 1;
            for (int p = 0; p < points; ++p) poly->points.push_back({x + pick(0, w), y + pick(0, h)});
            poly->RecalcBounds();
            object = poly;
        }
        const int penWidth = pick(1, 6);
        object->pen = {kPenStyles[pick(0, 3)], penWidth, penWidth, Rgb(pick(0, 255), pick(0, 255), pick(0, 255))};
        const int fill = pick(0, 9);
        object->brushOn = fill < 8;
        object->brush = {fill < 5 ? BrushStyle::Solid : fill < 7 ? BrushStyle::Hatched : BrushStyle::Hollow,
                         Rgb(pick(0, 255), pick(0, 255), pick(0, 255)), std::uint32_t(pick(0, 5))};
        page.Add(object);
    }
}

// A ratio is not measured (NaN) when the other program is missing; FAILED when a run failed.
struct Outcome {
    double ratio = NAN;
    bool failed = false;
    double theirs = NAN;  // the other program's seconds
};

// TARGET holds for the full sizes only; SMOKE runs say so instead of judging. False on a failure.
bool Report(const char* what, Outcome outcome, double target, bool smoke) {
    const char* verdict = outcome.failed              ? "FAILED"
                          : std::isnan(outcome.ratio) ? "not measured"
                          : smoke                     ? "not judged at smoke sizes"
                          : outcome.ratio <= target   ? "met"
                                                      : "MISSED";
    std::printf("%-8s ratio %7.3f   target <= %g: %s\n\n", what, outcome.ratio, target, verdict);
    return !outcome.failed;
}

// Our PNG of the mixed page beside rsvg-convert's of our SVG.
Outcome RenderRatio(const QTemporaryDir& dir, int count, int rounds) {
    DrawPage page;
    FillMixedPage(page, count);
    const QString png = dir.filePath("page.png"), svg = dir.filePath("page.svg"), theirs = dir.filePath("rsvg.png");
    QString error;
    const double image = BestOf(rounds, [&] { return !DrawExport::ToImage(page, 100).isNull(); });
    const double ours = BestOf(rounds, [&] { return DrawExport::Write(page, png, 100, &error); });
    std::printf("%d objects on %dx%d pixels\n", count, page.pageWidth, page.pageHeight);
    std::printf("DrawExport::Write PNG  %8.3f s   (ToImage alone %.3f s)\n", ours, image);
    if (std::isnan(ours + image) || !DrawExport::Write(page, svg, 100, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return {NAN, true};
    }
    if (QStandardPaths::findExecutable("rsvg-convert").isEmpty()) {
        std::printf("rsvg-convert missing: no comparison\n");
        return {};
    }
    const QStringList args{"-w", QString::number(page.pageWidth), "-h", QString::number(page.pageHeight), "-o", theirs, svg};
    const double rsvg = BestOf(rounds, [&] { return RunTool("rsvg-convert", args); });
    std::printf("rsvg-convert PNG       %8.3f s   (SVG of %.1f MB)\n", rsvg, QFileInfo(svg).size() / 1e6);
    return {ours / rsvg, std::isnan(rsvg), rsvg};
}

// STEPS mouse moves of a drag of the topmost object over the mixed page in an offscreen view, each
// painted before the next, beside RSVG seconds for the whole page.
Outcome DragRatio(int count, int steps, double rsvg) {
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc(ui, settings);
    DrawAnnotation draw(doc, ui);
    FillMixedPage(draw.Page(), count);
    CDrawView view(doc, {ui, draw, nullptr, nullptr});
    view.resize(1200, 900);
    view.show();
    QCoreApplication::processEvents();
    CDrawObj* moved = draw.Page().objects.back().get();
    const PageRect b = moved->bounds.Normalized();
    QPoint at = view.ToViewport({b.left + int(b.Width() / 2), b.bottom + int(b.Height() / 2)});
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(view.viewport(), &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < steps; ++i) {
        at += QPoint(1, i % 2);
        send(QEvent::MouseMove, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    const double step = timer.nsecsElapsed() / 1e9 / steps;
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    std::printf("%d drag steps over %d objects: %.3f ms a step\n", steps, count, step * 1000);
    if (std::isnan(rsvg)) return {};
    std::printf("rsvg-convert of the whole page %.3f s\n", rsvg);
    return {step / rsvg, false, rsvg};
}

// PAINTS paints of a page whose one link shows a WIDTH x HEIGHT JPEG beside as many djpeg runs.
Outcome LinkRatio(const QTemporaryDir& dir, int width, int height, int paints) {
    const QString file = dir.filePath("photo.jpg");
    ImageLibrary::SetJpegQuality(90);
    if (!MakePhoto(width, height).Save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return {NAN, true};
    }
    DrawPage page;
    page.pageWidth = width / 5;
    page.pageHeight = height / 5;
    const PageRect whole{-page.pageWidth / 2, page.pageHeight / 2, page.pageWidth / 2, -page.pageHeight / 2};
    page.Add(std::make_shared<CDrawRect>(whole, CDrawRect::Link, QStringLiteral("ObjLnk"), file, QString()));
    // One canvas repainted, as a view is on every scroll and expose.
    QImage canvas(page.pageWidth, page.pageHeight, QImage::Format_RGB32);
    const auto paint = [&] {
        QPainter painter(&canvas);
        DrawExport::Paint(page, painter, 1);
        return true;
    };
    const double first = BestOf(1, paint);
    // A link that cannot show its picture leaves the paper around its centred error text.
    if (canvas.pixel(2, 2) == qRgb(255, 255, 255)) {
        std::fprintf(stderr, "the link shows no picture\n");
        return {NAN, true};
    }
    const double rest = BestOf(1, [&] {
        for (int i = 1; i < paints; ++i) paint();
        return true;
    });
    const double ours = first + rest;
    std::printf("%dx%d JPEG (quality 90) over %dx%d, %d paints\n", width, height, page.pageWidth, page.pageHeight, paints);
    std::printf("page paints  %8.3f s   (first %.3f s, later %.3f ms each)\n", ours, first, 1000 * rest / (paints - 1));
    if (QStandardPaths::findExecutable("djpeg").isEmpty()) {
        std::printf("djpeg missing: no comparison\n");
        return {};
    }
    const double djpeg = BestOf(1, [&] {
        for (int i = 0; i < paints; ++i)
            if (!RunTool("djpeg", {"-outfile", "/dev/null", file})) return false;
        return true;
    });
    std::printf("djpeg        %8.3f s\n", djpeg);
    return {ours / djpeg, std::isnan(djpeg)};
}

// Seconds to write a page of COUNT objects as .adw bytes and read them into a new page.
double ArchiveTime(int count, int rounds) {
    DrawPage page;
    FillMixedPage(page, count);
    return BestOf(rounds, [&] {
        DrawPage back;
        return back.Deserialize(page.Serialize()).complete && back.objects.size() == std::size_t(count);
    });
}

Outcome ArchiveRatio(int small, int large, int rounds) {
    const double few = ArchiveTime(small, rounds), many = ArchiveTime(large, rounds);
    std::printf("write and read %7d objects %8.3f s\n", small, few);
    std::printf("write and read %7d objects %8.3f s\n", large, many);
    return {many / few, std::isnan(many + few)};
}

}  // namespace

int main(int argc, char** argv) {
    // Texts need fonts, and fonts a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool smoke = argc > 1 && QByteArray(argv[1]) == "--smoke";
    QTemporaryDir dir;
    const Outcome render = RenderRatio(dir, smoke ? 300 : 10000, smoke ? 1 : 3);
    bool ok = Report("render", render, 1.0, smoke);
    ok &= Report("link", smoke ? LinkRatio(dir, 400, 300, 3) : LinkRatio(dir, 4000, 3000, 100), 0.1, smoke);
    ok &= Report("archive", smoke ? ArchiveRatio(100, 1000, 1) : ArchiveRatio(10000, 100000, 3), 12, smoke);
    ok &= Report("drag", DragRatio(smoke ? 300 : 10000, smoke ? 10 : 200, render.theirs), 0.05, smoke);
    return ok ? 0 : 1;
}
