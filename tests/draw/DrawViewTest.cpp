// The draw view under Xvfb: tools, selection, dragging, figures, commands and the faults of the
// read-only page and of figures that outlive their page.
#include "AnnotationFixture.h"
#include "draw/ui/CDrawView.h"
#include "draw/ui/DrawDialogs.h"
#include "platform/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Dialogs that answer from a script.
class ScriptedDialogs : public DrawDialogs {
public:
    std::optional<QStringList> names;
    std::optional<QString> objectName;
    int propertiesShown = 0;
    bool EditProperties(CDrawObj&, DrawEdits&) override { return ++propertiesShown, false; }
    bool EditGeometry(CDrawObj&, DrawEdits&) override { return false; }
    std::optional<ColorRef> PickColor(QPoint, ColorRef, bool) override { return ColorRef(0x0000FF); }
    std::optional<LogFont> ChooseFont(const LogFont&, ColorRef&) override { return std::nullopt; }
    std::optional<QStringList> ChooseNames(const QStringList&) override { return names; }
    std::optional<QString> AskObjectName() override { return objectName; }
    bool ChooseNew(NewAnnotationChoice&, const QStringList&) override { return false; }
    std::optional<ColorRef> ChooseColor(ColorRef) override { return std::nullopt; }
};

struct Fixture : AnnotationFixture {
    ScriptedDialogs dialogs;
    CDrawView view{doc, {ui, draw, &dialogs, nullptr}};

    Fixture() {
        CurrentDrawViewState() = DrawViewState();
        view.resize(900, 700);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QPoint At(int x, int y) const { return view.ToViewport({x, y}); }
    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    }
    void Drag(PagePoint from, PagePoint to, Qt::KeyboardModifiers modifiers = {}) {
        Send(QEvent::MouseButtonPress, At(from.x, from.y), Qt::LeftButton, modifiers);
        Send(QEvent::MouseMove, At((from.x + to.x) / 2, (from.y + to.y) / 2), Qt::LeftButton, modifiers);
        Send(QEvent::MouseMove, At(to.x, to.y), Qt::LeftButton, modifiers);
        Send(QEvent::MouseButtonRelease, At(to.x, to.y), Qt::NoButton, modifiers);
    }
    void Click(PagePoint p, Qt::KeyboardModifiers modifiers = {}) {
        Send(QEvent::MouseButtonPress, At(p.x, p.y), Qt::LeftButton, modifiers);
        Send(QEvent::MouseButtonRelease, At(p.x, p.y), Qt::NoButton, modifiers);
    }
    void DoubleClick(PagePoint p) {
        Click(p);
        QMouseEvent event(QEvent::MouseButtonDblClick, At(p.x, p.y), view.viewport()->mapToGlobal(At(p.x, p.y)),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(view.viewport(), &event);
        Send(QEvent::MouseButtonRelease, At(p.x, p.y), Qt::NoButton);
    }
    CDrawRect* AddRect(PageRect bounds, const QString& name) {
        auto rect = std::make_shared<CDrawRect>(bounds);
        rect->name = name;
        draw.Edits().Add(rect);
        return rect.get();
    }
    void Run(int id) { view.Execute(id); }
    bool Enabled(int id) { return view.Update(id).enabled; }
};

// A screen pixel is about one page unit: positions from the mouse come within two of the aim.
::testing::AssertionResult Near(const PageRect& actual, const PageRect& expected) {
    const bool near = std::abs(actual.left - expected.left) <= 2 && std::abs(actual.top - expected.top) <= 2 &&
                      std::abs(actual.right - expected.right) <= 2 && std::abs(actual.bottom - expected.bottom) <= 2;
    if (near) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
}

}  // namespace

TEST(DrawView, ZoomsMapThePageAndSizeTheScrollArea) {
    Fixture f;
    DrawViewPainting::Mapping m = f.view.CurrentMapping();
    m.ppiX = m.ppiY = 100;
    EXPECT_EQ(m.ScrollSize(), QSize(799, 1024));
    EXPECT_EQ(m.PageToDevice().map(QPointF(-399, 512)), QPointF(0, 0));
    m.zoom = DrawViewPainting::Zoom2to1;
    EXPECT_EQ(m.ScrollSize(), QSize(3 * 799, 3 * 1024));
    EXPECT_EQ(m.PageToDevice().map(QPointF(-349, 462)), QPointF(100, 100));
    m.zoom = DrawViewPainting::Zoom1to2;
    EXPECT_EQ(m.ScrollSize(), QSize(799, 1024));
    // At 1:2 the corner moves 50 units left and 10 up.
    EXPECT_EQ(m.PageToDevice().map(QPointF(-449, 522)), QPointF(0, 0));
    f.Run(Cmd::DrawZoom2to1);
    EXPECT_TRUE(f.view.Update(Cmd::DrawZoom2to1).checked);
    EXPECT_GT(f.view.verticalScrollBar()->maximum(), 2000);
    const PagePoint back = f.view.ToPage(f.view.ToViewport({100, -200}));
    EXPECT_NEAR(back.x, 100, 1);
    EXPECT_NEAR(back.y, -200, 1);
}

TEST(DrawView, DrawingToolsMakeObjectsAndAClickSelectsInstead) {
    Fixture f;
    f.Run(Cmd::DrawRectangle);
    f.Drag({-100, 100}, {0, 0});
    ASSERT_EQ(f.page.objects.size(), 1u);
    const auto* rect = dynamic_cast<CDrawRect*>(f.page.objects[0].get());
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->shape, CDrawRect::Rectangle);
    // Handle 1 followed the mouse; the corner where the button went down stayed.
    EXPECT_TRUE(Near(rect->bounds, PageRect{0, 0, -100, 100}));
    EXPECT_TRUE(rect->name.startsWith("ObjRect_"));
    EXPECT_EQ(CurrentDrawViewState().tool, DrawViewState::Rectangle);
    EXPECT_EQ(f.draw.UndoStack().count(), 1);
    // A click without a drag selects the object under it and returns to the select tool.
    f.Click({-50, 50});
    EXPECT_EQ(f.page.objects.size(), 1u);
    EXPECT_EQ(f.view.Selection(), std::vector<CDrawObj*>{f.page.objects[0].get()});
    EXPECT_EQ(CurrentDrawViewState().tool, DrawViewState::Select);
    EXPECT_EQ(f.ui.StatusText(0), "Selected: " + rect->name);
    f.draw.UndoStack().undo();
    EXPECT_TRUE(f.page.objects.empty());
    EXPECT_TRUE(f.view.Selection().empty());
}

TEST(DrawView, SelectMovesSizesCopiesAndNets) {
    Fixture f;
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    CDrawRect* b = f.AddRect({200, 100, 300, 0}, "B");
    f.Drag({50, 50}, {70, 40});
    EXPECT_TRUE(Near(a->bounds, PageRect{20, 90, 120, -10}));
    const int steps = f.draw.UndoStack().count();
    // A handle of the one selected object sizes it.
    f.Drag({120, -10}, {150, -30});
    EXPECT_TRUE(Near(a->bounds, PageRect{20, 90, 150, -30}));
    EXPECT_EQ(f.draw.UndoStack().count(), steps + 1);
    // Shift adds; Ctrl leaves copies behind.
    f.Click({250, 50}, Qt::ShiftModifier);
    EXPECT_EQ(f.view.Selection().size(), 2u);
    f.Drag({250, 50}, {250, 150}, Qt::ControlModifier);
    ASSERT_EQ(f.page.objects.size(), 4u);
    EXPECT_TRUE(Near(a->bounds, PageRect{20, 190, 150, 70}));
    EXPECT_TRUE(Near(b->bounds, PageRect{200, 200, 300, 100}));
    EXPECT_TRUE(Near(f.page.objects[3]->bounds, PageRect{200, 100, 300, 0}));
    // A drag over nothing selects what the net touches.
    f.Drag({180, 300}, {400, 180});
    EXPECT_EQ(f.view.Selection(), std::vector<CDrawObj*>{b});
    // Fixed objects keep their place.
    f.Run(Cmd::DrawFixObject);
    EXPECT_EQ(b->fixed, 1);
    f.Drag({250, 150}, {260, 160});
    EXPECT_TRUE(Near(b->bounds, PageRect{200, 200, 300, 100}));
}

TEST(DrawView, PolygonsAndCurvesFollowTheirRules) {
    Fixture f;
    f.Run(Cmd::DrawCurve);
    for (PagePoint p : {PagePoint{0, 0}, PagePoint{50, 50}, PagePoint{100, 0}, PagePoint{150, 50}})
        f.Click(p);
    f.DoubleClick({200, 0});
    ASSERT_EQ(f.page.objects.size(), 1u);
    const auto* curve = dynamic_cast<CDrawPoly*>(f.page.objects[0].get());
    ASSERT_TRUE(curve);
    EXPECT_EQ(curve->pointCount(), 4);
    EXPECT_TRUE(curve->name.startsWith("ObjCurve"));
    EXPECT_EQ(CurrentDrawViewState().tool, DrawViewState::Select);
    // Three points or fewer: the curve goes.
    f.Run(Cmd::DrawCurve);
    f.Click({0, -100});
    f.DoubleClick({50, -100});
    EXPECT_EQ(f.page.objects.size(), 1u);
    // A polygon ends on its first point.
    f.Run(Cmd::DrawPolygon);
    for (PagePoint p : {PagePoint{-200, 0}, PagePoint{-100, 0}, PagePoint{-150, 100}, PagePoint{-200, 0}}) f.Click(p);
    ASSERT_EQ(f.page.objects.size(), 2u);
    EXPECT_EQ(dynamic_cast<CDrawPoly*>(f.page.objects[1].get())->pointCount(), 3);
    EXPECT_EQ(f.view.Figure(), nullptr);
}

TEST(DrawView, AFigureInProgressEndsWithItsPageOrTool) {
    Fixture f;
    f.Run(Cmd::DrawPolygon);
    f.Click({0, 0});
    f.Click({100, 0});
    ASSERT_NE(f.view.Figure(), nullptr);
    f.draw.Discard();
    f.doc.UpdateAllViews(nullptr, 1);
    EXPECT_EQ(f.view.Figure(), nullptr);
    f.Click({50, 50});
    f.Click({80, 50});
    ASSERT_NE(f.view.Figure(), nullptr);
    f.Run(Cmd::DrawRectangle);
    EXPECT_EQ(f.view.Figure(), nullptr);
    EXPECT_EQ(f.page.objects.size(), 1u);
}

TEST(DrawView, AReadOnlyPageTakesNoNewObjects) {
    Fixture f;
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    f.page.pageFlags |= DrawPage::kReadOnly;
    EXPECT_FALSE(f.Enabled(Cmd::DrawRectangle));
    EXPECT_FALSE(f.Enabled(Cmd::DrawMakeLibrary));
    CurrentDrawViewState().tool = DrawViewState::Ellipse;
    f.Drag({-200, -200}, {-100, -100});
    EXPECT_EQ(f.page.objects.size(), 1u);
    f.view.Select(a);
    EXPECT_FALSE(f.Enabled(Cmd::DrawGroup));
    f.Drag({50, 50}, {60, 60}, Qt::ControlModifier);
    EXPECT_EQ(f.page.objects.size(), 1u);
    EXPECT_TRUE(Near(a->bounds, PageRect{0, 100, 100, 0}));
}

TEST(DrawView, SelectionCommandsKeysAndOrder) {
    Fixture f;
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    CDrawRect* b = f.AddRect({200, 100, 300, 0}, "B");
    f.AddRect({400, 100, 500, 0}, "B");
    f.view.Select(f.page.objects[2].get());
    f.Run(Cmd::DrawSelectNext);
    EXPECT_EQ(f.view.Selection(), std::vector<CDrawObj*>{a});
    f.dialogs.objectName = "B";
    f.Run(Cmd::DrawFindObject);
    EXPECT_EQ(f.view.Selection().size(), 3u);
    EXPECT_EQ(f.ui.LastMessage(), "Select objects:\n2 objects found!");
    EXPECT_EQ(f.ui.Beeps(), 2);
    f.dialogs.objectName = "C";
    f.Run(Cmd::DrawFindObject);
    EXPECT_EQ(f.ui.LastMessage(), "No objects found!");
    f.view.Select(b);
    QTest::keyClick(&f.view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(b->bounds.left, 190);
    f.page.saved = 1;
    f.Run(Cmd::DrawMoveLast);
    EXPECT_EQ(f.page.objects.front().get(), b);
    EXPECT_EQ(f.page.saved, 0);
    QTest::keyClick(&f.view, Qt::Key_Delete);
    EXPECT_EQ(f.page.objects.size(), 2u);
    EXPECT_TRUE(f.view.Selection().empty());
    f.Run(Cmd::EditUndo);
    EXPECT_EQ(f.page.objects.size(), 3u);
}

TEST(DrawView, CopiedObjectsPasteAsObjectsAndAsPictures) {
    Fixture f;
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    f.view.Select(a);
    f.Run(Cmd::DrawCopy);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->hasFormat(DrawPage::kClipboardMimeType));
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(picture.size(), QSize(120, 120));
    f.Run(Cmd::DrawPaste);
    EXPECT_EQ(f.page.objects.size(), 2u);
    EXPECT_EQ(f.page.objects[1]->name, "A");
    EXPECT_EQ(f.view.Selection(), std::vector<CDrawObj*>{f.page.objects[1].get()});
}

TEST(DrawView, PrintsThePageAtAHundredthOfAnInchPerUnit) {
    Fixture f;
    f.page.pageWidth = 400;
    f.page.pageHeight = 300;
    auto box = f.AddRect({-200, 150, -100, 50}, "inch");
    box->pen.widthX = box->pen.widthY = 0;
    box->penOn = 0;
    box->brush.color = 0x000000;
    CurrentDrawViewState().zoom = DrawViewPainting::Zoom2to1;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(f.dir.Path("page.pdf"));
    printer.setPageSize(QPageSize(QSizeF(4, 3), QPageSize::Inch));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    f.view.Print(printer);
    EXPECT_EQ(CurrentDrawViewState().zoom, DrawViewPainting::Zoom1to1);
    // At 100 pixels per inch the one-inch square at the page's top-left is 100 pixels wide.
    ASSERT_FALSE(RunProgram("pdftoppm", {"-r", "100", "-png", "-singlefile", f.dir.Path("page.pdf"), f.dir.Path("page")}).err.contains("Error"));
    const QImage page(f.dir.Path("page.png"));
    ASSERT_EQ(page.size(), QSize(400, 300));
    EXPECT_EQ(qGray(page.pixel(50, 50)), 0);
    EXPECT_EQ(qGray(page.pixel(97, 97)), 0);
    EXPECT_EQ(qGray(page.pixel(103, 50)), 255);
    EXPECT_EQ(qGray(page.pixel(50, 103)), 255);
    // The drawing alone: none of the screen's page border or drop shadow.
    for (const QPoint edge : {QPoint(399, 150), QPoint(200, 299), QPoint(0, 150), QPoint(200, 0), QPoint(399, 299)})
        EXPECT_EQ(qGray(page.pixel(edge)), 255) << edge.x() << "," << edge.y();
}

TEST(DrawView, PicturesOfOtherProgramsBecomeLinksBesideTheAnnotation) {
    Fixture f;
    f.page.annotationPath = f.dir.Path("trip.adw");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::green);
    auto* data = new QMimeData;
    data->setImageData(picture);
    QApplication::clipboard()->setMimeData(data);
    ASSERT_TRUE(f.Enabled(Cmd::DrawPaste));
    f.Run(Cmd::DrawPaste);
    ASSERT_EQ(f.page.objects.size(), 1u);
    const auto* link = dynamic_cast<CDrawRect*>(f.page.objects[0].get());
    ASSERT_TRUE(link);
    EXPECT_EQ(link->shape, CDrawRect::Link);
    EXPECT_EQ(link->text, f.dir.Path("trip_paste1.png"));
    EXPECT_EQ(link->bounds, (PageRect{10, 10, 50, -20}));
    EXPECT_EQ(QImage(link->text).size(), QSize(40, 30));
    // Insert New Object links a file; Original size gives a link its picture's size again.
    f.ui.QueuePath(f.dir.Path("trip_paste1.png"));
    f.Run(Cmd::DrawInsertObject);
    ASSERT_EQ(f.page.objects.size(), 2u);
    CDrawObj* inserted = f.page.objects[1].get();
    f.draw.Edits().Relocate(inserted, PageRect{0, 0, 5, -5});
    f.view.Select(inserted);
    f.Run(Cmd::DrawOriginalSize);
    EXPECT_EQ(inserted->bounds, (PageRect{0, 0, 40, -30}));
}

TEST(DrawView, ADragIsOneStepAndTheUndoTextNamesIt) {
    Fixture f;
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    const int steps = f.draw.UndoStack().count();
    f.Drag({50, 50}, {150, 20});
    EXPECT_EQ(f.draw.UndoStack().count(), steps + 1);
    EXPECT_EQ(f.view.Update(Cmd::EditUndo).text, "&Undo Move\tCtrl+Z");
    f.Run(Cmd::EditUndo);
    EXPECT_EQ(a->bounds, (PageRect{0, 100, 100, 0}));
    EXPECT_TRUE(f.view.Update(Cmd::EditRedo).enabled);
    f.Run(Cmd::EditRedo);
    EXPECT_TRUE(Near(a->bounds, PageRect{100, 70, 200, -30}));
}

TEST(DrawView, CommandsAreEnabledAndCheckedByThePageAndTheSelection) {
    Fixture f;
    for (int id : {Cmd::DrawSelectAll, Cmd::DrawSelectNext, Cmd::DrawSelectByName, Cmd::DrawFindObject, Cmd::DrawDelete,
                   Cmd::DrawCopy, Cmd::DrawProperties, Cmd::DrawGroup, Cmd::DrawMoveFirst, Cmd::EditUndo})
        EXPECT_FALSE(f.Enabled(id)) << id;
    EXPECT_TRUE(f.view.Update(Cmd::DrawSelect).checked);
    EXPECT_TRUE(f.view.Update(Cmd::DrawWidth1).checked);
    EXPECT_TRUE(f.view.Update(Cmd::DrawFillSolid).checked);
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    f.AddRect({200, 100, 300, 0}, "B");
    EXPECT_TRUE(f.Enabled(Cmd::DrawSelectAll));
    f.view.Select(a);
    for (int id : {Cmd::DrawDelete, Cmd::DrawCopy, Cmd::DrawProperties, Cmd::DrawSizePosition, Cmd::DrawGroup,
                   Cmd::DrawMoveFirst, Cmd::DrawFixObject})
        EXPECT_TRUE(f.Enabled(id)) << id;
    f.Run(Cmd::DrawWidth8);
    EXPECT_EQ(a->pen.widthX, 8);
    EXPECT_TRUE(f.view.Update(Cmd::DrawWidth8).checked);
    f.Run(Cmd::DrawFillCross45);
    EXPECT_EQ(a->brush.hatch, 5u);
    EXPECT_TRUE(f.view.Update(Cmd::DrawFillCross45).checked);
    f.Run(Cmd::DrawFillTransparent);
    EXPECT_EQ(a->brushOn, 0);
    EXPECT_EQ(a->brush.hatch, 5u);
    f.Run(Cmd::DrawSelectAll);
    EXPECT_FALSE(f.Enabled(Cmd::DrawMoveFirst));
    EXPECT_FALSE(f.Enabled(Cmd::DrawProperties));
    f.Run(Cmd::DrawLineColor);
    EXPECT_EQ(f.page.objects[1]->pen.color, 0x0000FFu);
    EXPECT_EQ(CurrentDrawDefaults().lineColor, 0x0000FFu);
    CurrentDrawDefaults() = DrawDefaults();
    f.Run(Cmd::DrawGrid);
    EXPECT_TRUE(f.view.Update(Cmd::DrawGrid).checked);
}

TEST(DrawView, ObjectsDeletedElsewhereLeaveTheSelectionAndTwoViewsShareTheClipboard) {
    Fixture f;
    CDrawView other(f.doc, {f.ui, f.draw, &f.dialogs, nullptr});
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    f.view.Select(a);
    other.Select(a);
    other.Execute(Cmd::DrawCopy);
    other.Execute(Cmd::DrawDelete);
    EXPECT_TRUE(f.view.Selection().empty());
    EXPECT_TRUE(f.page.objects.empty());
    f.Run(Cmd::DrawPaste);
    ASSERT_EQ(f.page.objects.size(), 1u);
    EXPECT_EQ(f.page.objects[0]->name, "A");
    // An undo that takes objects away takes them out of every selection.
    f.Run(Cmd::EditUndo);
    EXPECT_TRUE(f.view.Selection().empty());
}

TEST(DrawView, TheMouseOverAHandleShowsItsCursor) {
    Fixture f;
    CDrawRect* a = f.AddRect({0, 100, 100, 0}, "A");
    f.view.Select(a);
    const std::pair<PagePoint, Qt::CursorShape> cases[] = {{{50, 100}, Qt::SizeVerCursor},  {{100, 100}, Qt::SizeBDiagCursor},
                                                           {{100, 50}, Qt::SizeHorCursor},  {{0, 100}, Qt::SizeFDiagCursor},
                                                           {{50, 50}, Qt::ArrowCursor}};
    for (const auto& [point, cursor] : cases) {
        f.Send(QEvent::MouseMove, f.At(point.x, point.y), Qt::NoButton);
        EXPECT_EQ(f.view.viewport()->cursor().shape(), cursor) << point.x << "," << point.y;
    }
    EXPECT_EQ(f.ui.StatusText(1), QStringLiteral("X=50"));
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("Listo, presione F1 para ayuda"));
    // An inactive view takes no clicks.
    f.view.SetActive(false);
    f.Click({300, 300});
    EXPECT_EQ(f.view.Selection().size(), 1u);
}
