// The annotation commands of the album document, the card binding, saving and undo.
#include "AnnotationFixture.h"
#include "image/CImageObject.h"

#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

struct Fixture : AnnotationFixture {
    void AddCard(const QString& graphic) {
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = graphic;
        card->m_strGraphic = graphic;
        doc.Db().List().AddTail(card);
    }
    std::shared_ptr<CDrawRect> AddRect(int size) {
        auto rect = std::make_shared<CDrawRect>(PageRect{0, size, size, 0});
        draw.Edits().Add(rect);
        return rect;
    }
};

}  // namespace

TEST(DrawAnnotation, TheCurrentCardBringsItsAnnotationAndAsksBeforeLeavingChanges) {
    Fixture f;
    f.AddCard("trip.2024/a.b.jpg");
    f.AddCard("b.jpg");
    QDir().mkpath("trip.2024");
    f.doc.GoTop();
    EXPECT_EQ(f.page.annotationPath, "trip.2024/a.adw");
    f.AddRect(10);
    EXPECT_EQ(f.page.saved, 0);
    // Cancel stays on the card: the document and the page agree; the next card's page is empty
    // and writable.
    f.ui.QueueAnswer(MsgAnswer::Cancel);
    f.doc.GoNext();
    EXPECT_EQ(f.ui.LastMessage(), "Save draw anotation ?:\ntrip.2024/a.adw");
    EXPECT_EQ(f.doc.m_nCurrent, 0);
    EXPECT_EQ(f.page.objects.size(), 1u);
    // Told again of the same card (the draw view passes changes on too): no second question.
    f.ui.ClearRecord();
    f.draw.LoadForCurrentCard();
    EXPECT_TRUE(f.ui.Messages().empty());
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.doc.GoNext();
    EXPECT_EQ(f.doc.m_nCurrent, 1);
    EXPECT_TRUE(QFile::exists("trip.2024/a.adw"));
    EXPECT_TRUE(f.page.objects.empty());
    EXPECT_EQ(f.page.annotationPath, "b.adw");
    f.doc.GoTop();
    EXPECT_EQ(f.page.objects.size(), 1u);
    EXPECT_EQ(f.ui.StatusText(0), "Anotation loaded...");
}

// Whatever replaces or ends the album asks about a changed drawing first, then about the album;
// Cancel to the drawing asks nothing more.
TEST(DrawAnnotation, TheAlbumsQuestionComesAfterTheDrawings) {
    Fixture f;
    f.AddCard("a.jpg");
    f.doc.GoTop();
    f.AddRect(10);
    f.doc.SetModifiedFlag();
    EXPECT_TRUE(f.doc.DrawingModified());
    f.ui.QueueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(f.doc.SaveModified());
    EXPECT_EQ(f.ui.Messages().size(), 1u);
    EXPECT_TRUE(f.doc.DrawingModified());

    f.ui.ClearRecord();
    f.ui.QueueAnswer(MsgAnswer::No);
    f.ui.QueueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(f.doc.SaveModified());
    ASSERT_EQ(f.ui.Messages().size(), 2u);
    EXPECT_EQ(f.ui.Messages()[0].text, "Save draw anotation ?:\na.adw");
    EXPECT_EQ(f.ui.Messages()[1].text, "Save changes to Untitled?");
    EXPECT_FALSE(f.doc.DrawingModified());

    f.AddRect(20);
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.ui.QueueAnswer(MsgAnswer::No);
    EXPECT_TRUE(f.doc.SaveModified());
    EXPECT_TRUE(QFile::exists("a.adw"));
}

TEST(DrawAnnotation, AReadOnlyFileLeavesTheNextPageWritable) {
    Fixture f;
    f.AddCard("a.jpg");
    f.AddCard("b.jpg");
    f.doc.GoTop();
    f.AddRect(10);
    f.ui.QueueAnswer(MsgAnswer::Yes);
    ASSERT_TRUE(f.draw.MakeReadOnly());
    EXPECT_TRUE(f.page.IsReadOnly());
    EXPECT_EQ(f.page.objects[0]->fixed, 1);
    EXPECT_FALSE(f.draw.Save());
    EXPECT_EQ(f.ui.LastMessage(), "Error:\nCan't save a read-only draw anotation!");
    EXPECT_FALSE(f.draw.MergeFile("a.adw"));
    EXPECT_EQ(f.ui.LastMessage(), "Error:\nCan't merge on a read-only draw anotation!");
    EXPECT_FALSE(f.draw.Edits().Add(std::make_shared<CDrawRect>()));
    f.doc.GoNext();
    EXPECT_FALSE(f.page.IsReadOnly());
    EXPECT_TRUE(f.draw.Edits().Add(std::make_shared<CDrawRect>()));
}

TEST(DrawAnnotation, ASaveThatCannotWriteSaysSoAndKeepsTheDrawing) {
    Fixture f;
    f.AddCard("a.jpg");
    f.doc.GoTop();
    f.AddRect(10);
    f.page.annotationPath = "no/such/folder/a.adw";
    EXPECT_FALSE(f.draw.Save());
    EXPECT_TRUE(f.ui.LastMessage().startsWith("Error:\nCan't save draw anotation!:\nno/such/folder/a.adw"));
    EXPECT_EQ(f.page.saved, 0);
    // The question's Yes fails too: the command stops and the drawing stays.
    f.ui.QueueAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(f.draw.AskToSave());
    EXPECT_EQ(f.page.objects.size(), 1u);
}

TEST(DrawAnnotation, AFileReadInPartIsMarkedAndSavingOverItAsks) {
    Fixture f;
    DrawPage source;
    for (int i = 0; i < 3; ++i) source.Add(std::make_shared<CDrawRect>(PageRect{0, i, i, 0}));
    const QByteArray bytes = source.Serialize();
    f.dir.Write("cut.adw", bytes.left(bytes.size() - 20));
    ASSERT_TRUE(f.draw.LoadFile("cut.adw"));
    EXPECT_EQ(f.page.objects.size(), 2u);
    EXPECT_FALSE(f.draw.Incomplete().isEmpty());
    EXPECT_TRUE(f.ui.StatusText(0).startsWith("Anotation read in part"));
    f.AddRect(5);
    f.ui.QueueAnswer(MsgAnswer::No);
    EXPECT_FALSE(f.draw.Save());
    EXPECT_EQ(ReadAll(f.dir.Path("cut.adw")).size(), bytes.size() - 20);
    f.ui.QueueAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(f.draw.Save());
    EXPECT_TRUE(f.draw.Incomplete().isEmpty());
}

TEST(DrawAnnotation, CommandMessagesAndTheSavedFlag) {
    Fixture f;
    EXPECT_FALSE(f.draw.LoadFile("missing.adw"));
    EXPECT_EQ(f.ui.LastMessage(), "Error:\nCan't find file!:\nmissing.adw");
    f.dir.Write("bad.adw", "not an annotation");
    f.draw.LoadFile("bad.adw");
    EXPECT_EQ(f.ui.LastMessage(), "Error:\nNot a AlboDraw file\n\nOpen empty file!");
    EXPECT_EQ(f.page.saved, 1);
    f.draw.Properties();
    EXPECT_EQ(f.ui.LastMessage(), "File name:\tbad.adw\nSize:\t\t(799,1024)\n# Objects:\t0\nSaved:\t\tYes");
    f.draw.chooseColor = [](ColorRef) { return std::optional<ColorRef>(0x00FF00); };
    EXPECT_TRUE(f.draw.PaperColor());
    EXPECT_EQ(f.page.paperColor, 0x00FF00u);
    EXPECT_EQ(f.page.saved, 0);
    EXPECT_EQ(f.ui.StatusText(0), "Paper color changed...");
    EXPECT_TRUE(f.draw.SaveTo("copy.adw"));
    DrawPage other;
    other.Add(std::make_shared<CDrawRect>(PageRect{0, 1, 1, 0}));
    other.pageFlags = 1;
    f.dir.Write("other.adw", other.Serialize());
    EXPECT_TRUE(f.draw.MergeFile("other.adw"));
    EXPECT_EQ(f.page.objects.size(), 1u);
    EXPECT_EQ(f.page.saved, 0);
    EXPECT_EQ(f.ui.StatusText(0), "Anotation loaded and merged...");
    f.draw.printerPageMillimetres = [] { return std::optional<QSizeF>(QSizeF(210, 297)); };
    f.draw.PrinterPageSize();
    EXPECT_EQ(f.page.pageWidth, 827);
    EXPECT_EQ(f.page.pageHeight, 1169);
}

TEST(DrawAnnotation, NewMakesTheBackgroundLinkAndUsesTemplates) {
    Fixture f;
    CImageObject picture;
    picture.Create(40, 30, 24, 2);
    ASSERT_TRUE(picture.Save(f.dir.Path("photo.bmp")));
    f.AddCard("photo.bmp");
    f.doc.m_nCurrent = 0;
    NewAnnotationChoice choice;
    choice.imagePath = "photo.bmp";
    choice.autoInsert = true;
    choice.fix = true;
    choice.width = 500;
    ASSERT_TRUE(f.draw.NewWith(choice));
    EXPECT_EQ(f.page.annotationPath, "photo.adw");
    EXPECT_EQ(f.page.pageWidth, 500);
    ASSERT_EQ(f.page.objects.size(), 1u);
    const auto* link = dynamic_cast<CDrawRect*>(f.page.objects[0].get());
    ASSERT_TRUE(link);
    EXPECT_EQ(link->shape, CDrawRect::Link);
    EXPECT_EQ(link->bounds, (PageRect{-20, 15, 20, -15}));
    EXPECT_EQ(link->fixed, 1);
    EXPECT_EQ(f.ui.StatusText(0), "New anotation created...");
    choice.autoInsert = false;
    choice.fromTemplate = true;
    choice.templateName = "Nothing.adw";
    f.draw.NewWith(choice);
    EXPECT_TRUE(f.ui.LastMessage().startsWith("Error:\nCan't find template file!:\n"));
    choice.templateName = "Normal.adw";
    f.ui.ClearRecord();
    f.draw.NewWith(choice);
    EXPECT_TRUE(f.ui.Messages().empty()) << f.ui.LastMessage().toStdString();
    EXPECT_TRUE(f.draw.Templates().contains("Normal.adw"));
}

TEST(DrawAnnotation, EveryEditUndoesAndRedoesToTheSameBytes) {
    Fixture f;
    auto a = f.AddRect(10);
    auto b = f.AddRect(20);
    auto c = f.AddRect(30);
    const auto bytes = [&] { return DrawPage::ClipboardPayload([&] {
                                 std::vector<const CDrawObj*> list;
                                 for (const auto& o : f.page.objects) list.push_back(o.get());
                                 return list;
                             }()) + QByteArray::number(f.page.paperColor); };
    DrawEdits& edits = f.draw.Edits();
    const std::vector<std::function<void()>> steps = {
        [&] { edits.Move({a.get(), b.get()}, 5, -5); },
        [&] { edits.DragHandle({c.get()}, 5, {50, -10}); },
        [&] { edits.SetLineColor({a.get()}, 0xFF); },
        [&] { edits.SetFill({b.get()}, 1, BrushStyle::Hatched, 4); },
        [&] { edits.SetPenWidth({a.get(), c.get()}, 8); },
        [&] { edits.SetFixed({b.get()}, 1); },
        [&] { edits.ToBack(c.get()); },
        [&] { edits.MoveFirst(a.get()); },
        [&] { edits.SetPaper(0x123456); },
        [&] { edits.Group({a.get(), b.get()}); },
        [&] { edits.Ungroup({f.page.objects.back().get()}); },
        [&] { edits.Paste(DrawPage::ClipboardPayload({c.get()})); },
        [&] { edits.Delete({c.get()}); },
    };
    for (const auto& step : steps) {
        const QByteArray before = bytes();
        step();
        const QByteArray after = bytes();
        ASSERT_NE(before, after);
        f.draw.UndoStack().undo();
        EXPECT_EQ(bytes(), before) << f.draw.UndoStack().text(f.draw.UndoStack().index()).toStdString();
        f.draw.UndoStack().redo();
        EXPECT_EQ(bytes(), after);
    }
    // Back to what was saved is saved again.
    ASSERT_TRUE(f.draw.SaveTo("u.adw"));
    edits.Move({f.page.objects.front().get()}, 1, 1);
    EXPECT_EQ(f.page.saved, 0);
    f.draw.UndoStack().undo();
    EXPECT_EQ(f.page.saved, 1);
    // A new drawing order is a change to save too.
    edits.ToBack(f.page.objects.back().get());
    EXPECT_EQ(f.page.saved, 0);
}

TEST(DrawAnnotation, GroupingKeepsWhatCannotBeCopiedAndChangesNothingWhenReadOnly) {
    Fixture f;
    auto a = f.AddRect(10);
    auto ole = std::make_shared<CDrawOleObj>();
    f.draw.Edits().Add(ole);
    auto* group = f.draw.Edits().Group({a.get(), ole.get()});
    ASSERT_TRUE(group);
    EXPECT_EQ(f.ui.LastMessage(), "Add Clone Error!");
    EXPECT_EQ(f.page.objects.size(), 2u);
    EXPECT_EQ(f.page.objects[0].get(), ole.get());
    f.page.pageFlags |= DrawPage::kReadOnly;
    EXPECT_EQ(f.draw.Edits().Ungroup({group}).size(), 1u);
    EXPECT_EQ(f.page.objects.size(), 2u);
    EXPECT_TRUE(f.draw.Edits().Paste(DrawPage::ClipboardPayload({a.get()})).empty());
}

TEST(DrawAnnotation, LinksMadeOnWindowsFindTheirPictureBesideTheAnnotation) {
    Fixture f;
    QDir().mkdir("notes");
    CImageObject picture;
    picture.Create(8, 8, 24, 2);
    ASSERT_TRUE(picture.Save(f.dir.Path("notes/IMG_0001.bmp")));
    f.page.annotationPath = f.dir.Path("notes/a.adw");
    EXPECT_EQ(f.page.ResolveLink("C:\\Fotos\\IMG_0001.bmp"), f.dir.Path("notes/IMG_0001.bmp"));
    EXPECT_EQ(f.page.ResolveLink("C:\\Fotos\\missing.bmp"), "C:\\Fotos\\missing.bmp");
    // A picture in the album's folder is found there.
    ASSERT_TRUE(picture.Save(f.dir.Path("IMG_0002.bmp")));
    f.doc.Db().List().m_strDirectory = "C:\\ALBORA\\Trip";
    f.doc.SetPathName(f.dir.Path("trip.crp"));
    EXPECT_EQ(f.page.ResolveLink("C:\\ALBORA\\Trip\\IMG_0002.bmp"), f.dir.Path("IMG_0002.bmp"));
}

TEST(DrawAnnotation, APhotoLargerThanThePageIsFittedInProportionAndCentred) {
    Fixture f;
    CImageObject picture;
    picture.Create(2048, 1536, 24, 2);
    ASSERT_TRUE(picture.Save(f.dir.Path("big.bmp")));
    CImageObject small;
    small.Create(300, 200, 24, 2);
    ASSERT_TRUE(small.Save(f.dir.Path("small.bmp")));
    f.AddCard("big.bmp");
    f.AddCard("small.bmp");
    NewAnnotationChoice choice;
    choice.autoInsert = true;
    choice.width = 799;
    choice.height = 1024;
    const auto linkBounds = [&](int card, const char* file) {
        f.doc.m_nCurrent = card;
        choice.imagePath = file;
        EXPECT_TRUE(f.draw.NewWith(choice));
        return f.page.objects.size() == 1 ? f.page.objects[0]->bounds : PageRect{};
    };
    // 2048 x 1536 at 799 / 2048 is 799 x 599, about the page's centre.
    EXPECT_EQ(linkBounds(0, "big.bmp"), (PageRect{-399, 299, 399, -299}));
    EXPECT_EQ(linkBounds(1, "small.bmp"), (PageRect{-150, 100, 150, -100}));
}

TEST(DrawAnnotation, TheBackgroundOfAPortraitTakenSidewaysIsUpright) {
    Fixture f;
    if (QStandardPaths::findExecutable("exiftool").isEmpty()) GTEST_SKIP() << "needs exiftool";
    CImageObject picture;
    picture.Create(60, 40, 24, 2);
    ASSERT_TRUE(picture.Save(f.dir.Path("side.jpg")));
    ASSERT_EQ(RunProgram("exiftool", {"-q", "-overwrite_original", "-n", "-Orientation=6", f.dir.Path("side.jpg")}).code, 0);
    f.AddCard("side.jpg");
    f.doc.m_nCurrent = 0;
    NewAnnotationChoice choice;
    choice.imagePath = "side.jpg";
    choice.autoInsert = true;
    ASSERT_TRUE(f.draw.NewWith(choice));
    ASSERT_EQ(f.page.objects.size(), 1u);
    EXPECT_EQ(f.page.objects[0]->bounds, (PageRect{-20, 30, 20, -30}));
}
