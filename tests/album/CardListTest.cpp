#include "CardListFixture.h"
#include "image/CImageObject.h"
#include "platform/CommandIds.h"

#include <gtest/gtest.h>

TEST(CardList, ARebuildShowsEveryCardWithItsIndex) {
    CardListFixture f;
    f.AddCards({"b", "a", "c"}, {"b.jpg", "a.jpg", "c.jpg"});
    EXPECT_EQ(f.RowNames(), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(f.RowCards(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("3 items listed"));
    EXPECT_FALSE(f.ui.ProgressVisible());
    EXPECT_EQ(f.ui.ProgressSteps(), 3);
}

TEST(CardList, ColumnClicksSortByTheShownTextAndKeepTheCards) {
    CardListFixture f;
    f.AddCards({"b", "C", "a"});
    f.view.SortByColumn(0);
    EXPECT_EQ(f.RowNames(), (QStringList{"C", "a", "b"}));  // bytes, no folding
    EXPECT_EQ(f.RowCards(), (std::vector<int>{1, 2, 0}));
    f.view.SortByColumn(0);
    EXPECT_EQ(f.RowNames(), (QStringList{"b", "a", "C"}));
    EXPECT_FALSE(f.view.SortAscending());

    // Dates sort by their month-first text: 12/31/1999 after 01/02/2000.
    setenv("TZ", "UTC", 1);
    tzset();
    f.doc.Db().List().GetAt(0)->m_time = 946771200;  // 01/02/2000
    f.doc.Db().List().GetAt(1)->m_time = 946598400;  // 12/31/1999
    f.doc.Db().List().GetAt(2)->m_time = 949363200;  // 02/01/2000
    f.view.RebuildAll(false);
    f.view.SortByColumn(2);
    EXPECT_TRUE(f.view.SortAscending());
    EXPECT_EQ(f.RowNames(), (QStringList{"b", "a", "C"}));
    unsetenv("TZ");
    tzset();

    // After a sort, hint 501 clears the selection and selects nothing.
    f.doc.m_nCurrent = 1;
    f.Select({0});
    f.doc.UpdateAllViews(nullptr, Hint::SelectionOnly);
    EXPECT_TRUE(f.view.SelectedCards().empty());
}

TEST(CardList, SelectionHintSelectsTheCurrentCardInAlbumOrder) {
    CardListFixture f;
    f.AddCards({"a", "b", "c"});
    f.doc.m_nCurrent = 2;
    f.doc.UpdateAllViews(nullptr, Hint::SelectionOnly);
    EXPECT_EQ(f.view.SelectedCards(), std::vector<int>{2});
}

TEST(CardList, ViewCurrentImageTellsTheOtherViewsAndBringsTheImageForward) {
    CardListFixture f;
    f.AddCards({"a", "b"}, {"a.jpg", "b.jpg"});
    f.Select({1});
    f.view.Execute(Cmd::ViewCurrentImage);
    EXPECT_EQ(f.doc.m_nCurrent, 1);
    EXPECT_EQ(f.doc.m_strCurrentFile, QStringLiteral("b.jpg"));
    EXPECT_EQ(f.other.hints.back(), Hint::ViewCurrent);
    EXPECT_EQ(f.mainWindow.tabs, std::vector<int>{MainWindowServices::ImageTab});
}

TEST(CardList, AddThenCancelLeavesTheAlbumButMarksItModified) {
    CardListFixture f;
    f.AddCards({"a"});
    f.view.Execute(Cmd::CardAdd);
    EXPECT_EQ(f.Names(), QStringList{"a"});
    EXPECT_TRUE(f.doc.IsModified());
    f.dialogs.edits.push_back([](CFotoObj& card) {
        EXPECT_EQ(card.m_strName, QStringLiteral("Name"));
        EXPECT_EQ(card.m_strDescription, QStringLiteral("Description"));
        card.m_strName = QStringLiteral("0 first");
        return true;
    });
    f.view.Execute(Cmd::CardAdd);
    EXPECT_EQ(f.Names(), (QStringList{"0 first", "a"}));
    EXPECT_EQ(f.RowNames(), (QStringList{"0 first", "a"}));
}

TEST(CardList, PhotoCardFieldsFollowTheirRules) {
    CFotoObj card;
    card.m_strGraphic = QStringLiteral("old.jpg");
    card.m_time = 1;
    ApplyPhotoCardFields(card, {}, QStringLiteral("d"), {});
    EXPECT_EQ(card.m_strName, QStringLiteral("Nombre"));
    EXPECT_EQ(card.m_strGraphic, QStringLiteral("old.jpg"));  // emptying the field keeps the object
    EXPECT_GT(card.m_time, 1u);
    ApplyPhotoCardFields(card, {}, {}, QStringLiteral("new.png"));
    EXPECT_EQ(card.m_strName, QStringLiteral("new.png"));
    EXPECT_EQ(card.m_strGraphic, QStringLiteral("new.png"));
}

TEST(CardList, ModifyChangesTheRowInPlace) {
    CardListFixture f;
    f.AddCards({"a", "b", "c"});
    f.Select({1, 2});
    f.dialogs.edits.push_back([](CFotoObj& card) {
        ApplyPhotoCardFields(card, QStringLiteral("zz"), {}, {});
        return true;
    });
    f.view.Execute(Cmd::CardModify);  // the second card is cancelled
    EXPECT_EQ(f.dialogs.editCalls, 2);
    EXPECT_EQ(f.Names(), (QStringList{"a", "zz", "c"}));
    EXPECT_EQ(f.RowNames(), (QStringList{"a", "zz", "c"}));
    EXPECT_EQ(f.other.hints.back(), Hint::Rebuild);
}

TEST(CardList, DeleteRemovesEverySelectedCardAndOffersTheirFilesInOneQuestion) {
    ScopedTestDir dir;
    dir.Write("b.jpg", "picture");
    dir.Write("b.wav", "note");
    dir.Write("c.jpg", "picture");
    dir.Write("d.jpg", "picture");
    CardListFixture f;
    f.AddCards({"a", "b", "c", "d"}, {"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    f.view.SortByColumn(0);
    f.view.SortByColumn(0);  // descending: d, c, b, a
    f.Select({2, 1});
    f.ui.QueueAnswer(MsgAnswer::Yes);  // destroy the cards
    f.ui.QueueAnswer(MsgAnswer::Yes);  // and their files
    f.view.Execute(Cmd::CardDelete);
    EXPECT_EQ(f.Names(), (QStringList{"a", "d"}));
    EXPECT_EQ(f.RowNames(), (QStringList{"d", "a"}));
    EXPECT_EQ(f.RowCards(), (std::vector<int>{1, 0}));
    EXPECT_FALSE(QFile::exists(dir.Path("b.jpg")));
    EXPECT_FALSE(QFile::exists(dir.Path("b.wav")));
    EXPECT_FALSE(QFile::exists(dir.Path("c.jpg")));
    EXPECT_TRUE(QFile::exists(dir.Path("d.jpg")));
    EXPECT_EQ(f.doc.m_nCurrent, -1);
    ASSERT_EQ(f.ui.Messages().size(), 2u);
    EXPECT_EQ(f.ui.Messages()[0].text, QStringLiteral("Warning!:\nDo you like to destroy these 2 cards, are you sure?"));
    EXPECT_EQ(f.ui.Messages()[1].text, QStringLiteral("Warning!\nDelete the graphic files?\nc.jpg\nb.jpg"));
    EXPECT_EQ(f.other.hints.back(), Hint::Rebuild);

    // One card asks as it always did.
    f.ui.ClearRecord();
    f.Select({0});
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.ui.QueueAnswer(MsgAnswer::No);
    f.view.Execute(Cmd::CardDelete);
    EXPECT_EQ(f.Names(), QStringList{"a"});
    EXPECT_EQ(f.ui.Messages()[0].text, QStringLiteral("Warning!:\nDo you like to destroy this card, are you sure?"));
    EXPECT_EQ(f.ui.Messages()[1].text, QStringLiteral("Warning!\nDelete the graphic file?\nd.jpg"));
    EXPECT_TRUE(QFile::exists(dir.Path("d.jpg")));

    // Without the confirmation only the files are asked about.
    dir.Write("e.jpg", "picture");
    f.AddCards({"e"}, {dir.Path("e.jpg")});
    f.settings.confirmaBorra = 0;
    f.ui.ClearRecord();
    f.Select({int(f.RowNames().indexOf("e"))});
    f.ui.QueueAnswer(MsgAnswer::No);
    f.view.Execute(Cmd::CardDelete);
    EXPECT_EQ(f.Names(), QStringList{"a"});
    ASSERT_EQ(f.ui.Messages().size(), 1u);
    EXPECT_EQ(f.ui.Messages()[0].text, QStringLiteral("Warning!\nDelete the graphic file?\n") + dir.Path("e.jpg"));

    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.view.List()->clearSelection();
    f.view.Execute(Cmd::CardDelete);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Message:\nSelect a card, then delete."));
}

// A copied card names the same picture as its original, maybe in other words: deleting either
// must not offer to erase it. The question comes only for a picture no other card names, and its
// default keeps the file.
TEST(CardList, DeleteOffersToEraseOnlyAPictureNoOtherCardNamesAndDefaultsToKeepingIt) {
    ScopedTestDir dir;
    dir.Write("a.jpg", "picture");
    CardListFixture f;
    f.AddCards({"a", "copy of a"}, {"a.jpg", dir.Path("a.jpg")});
    f.Select({0});
    f.ui.QueueAnswer(MsgAnswer::Yes);  // destroy the card
    f.view.Execute(Cmd::CardDelete);
    EXPECT_EQ(f.Names(), QStringList{"copy of a"});
    ASSERT_EQ(f.ui.Messages().size(), 1u);
    EXPECT_TRUE(QFile::exists(dir.Path("a.jpg")));

    f.ui.ClearRecord();
    f.Select({0});
    f.ui.QueueAnswer(MsgAnswer::Yes);  // destroy the card; the file question is left unanswered
    f.view.Execute(Cmd::CardDelete);
    EXPECT_TRUE(f.Names().isEmpty());
    ASSERT_EQ(f.ui.Messages().size(), 2u);
    EXPECT_EQ(f.ui.Messages()[1].text, QStringLiteral("Warning!\nDelete the graphic file?\n") + dir.Path("a.jpg"));
    EXPECT_EQ(f.ui.Messages()[1].buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_TRUE(QFile::exists(dir.Path("a.jpg")));
}

TEST(CardList, SearchShowsTheFoundCardsOrSaysSo) {
    CardListFixture f;
    f.AddCards({"Doghouse", "Cat"});
    f.dialogs.searches.push_back({QStringLiteral("zebra"), QStringLiteral("Name")});
    f.view.Execute(Cmd::CardSearch);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Search:\nSearch string not found!\nzebra"));
    f.dialogs.searches.push_back({QStringLiteral("dog"), QStringLiteral("Name")});
    f.view.Execute(Cmd::CardSearch);
    EXPECT_EQ(f.RowNames(), QStringList{"Doghouse"});
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("1 items listed"));
    EXPECT_EQ(f.session.lastSearchText, QStringLiteral("dog"));
    EXPECT_FALSE(f.view.Update(Cmd::CardAdd).enabled);
    f.view.Execute(Cmd::ViewAllCards);
    EXPECT_EQ(f.RowNames(), (QStringList{"Doghouse", "Cat"}));
}

TEST(CardList, PastedCardsLandAfterTheSelection) {
    struct Case {
        std::vector<int> select;
        int albumSize;
        std::vector<int> expected;
    };
    for (const Case& c : {Case{{1}, 3, {1, 2}}, Case{{0}, 3, {1, 2}}, Case{{}, 0, {0, 1}}}) {
        CardListFixture f;
        QStringList names;
        for (int i = 0; i < c.albumSize; ++i) names << QStringLiteral("card%1").arg(i);
        f.AddCards(names);
        f.session.cardClipboard.List().AddTail(std::make_shared<CFotoObj>());
        f.session.cardClipboard.List().AddTail(std::make_shared<CFotoObj>());
        f.session.cardClipboard.List().GetAt(0)->m_strName = QStringLiteral("copy1");
        f.session.cardClipboard.List().GetAt(1)->m_strName = QStringLiteral("copy2");
        f.view.List()->clearSelection();
        for (int row : c.select) f.Select({row});
        f.other.hints.clear();
        f.view.Execute(Cmd::PasteCard);
        EXPECT_EQ(f.other.hints, std::vector<int>{Hint::Rebuild});  // the other views count the new cards
        EXPECT_TRUE(f.doc.IsModified());
        const QStringList after = f.Names();
        EXPECT_EQ(after.indexOf("copy1"), c.expected[0]);
        EXPECT_EQ(after.indexOf("copy2"), c.expected[1]);
    }
}

TEST(CardList, CopyCardTakesTheSelectedCardsSortedByName) {
    CardListFixture f;
    f.AddCards({"b", "a", "c"});
    f.view.Commands().CopyCard();
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Please first select one card to copy!"));
    f.Select({0, 1});
    f.view.Execute(Cmd::CopyCard);
    ASSERT_EQ(f.session.cardClipboard.GetCount(), 2);
    EXPECT_EQ(f.session.cardClipboard.GetAt(0)->m_strName, QStringLiteral("a"));
    EXPECT_TRUE(f.view.Update(Cmd::PasteCard).enabled);
}

TEST(CardList, DroppedFilesAreCopiedOrTakenWhereTheyAre) {
    ScopedTestDir dir;
    QDir().mkdir("album");
    QDir().mkdir("outside");
    dir.Write("outside/one.jpg", "1");
    dir.Write("outside/two.jpg", "2");
    CardListFixture f;
    f.doc.Db().List().m_strDirectory = dir.Path("album");
    f.settings.addPathBrowser = 0;

    // The first copy fails (its target is a folder that cannot be replaced); Ignore goes on.
    QDir().mkpath(dir.Path("album/one.jpg/blocked"));
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.ui.QueueAnswer(MsgAnswer::Ignore);
    f.view.Commands().DropFiles({dir.Path("outside/one.jpg"), dir.Path("outside/two.jpg")});
    EXPECT_EQ(f.Names(), QStringList{"two.jpg"});
    EXPECT_TRUE(f.ui.Messages()[1].text.startsWith(QStringLiteral("Copy error:\nSource: ")));
    EXPECT_EQ(f.ui.Messages()[1].buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(ReadAll(dir.Path("album/two.jpg")), QByteArray("2"));
    EXPECT_EQ(f.RowNames(), QStringList{"two.jpg"});  // hint 0 rebuilt the list
    EXPECT_TRUE(f.doc.IsModified());

    // A copy that fails leaves the file of the same name that the album had.
    dir.Write("album/three.jpg", "old");
    QDir().mkpath(dir.Path("outside/three.jpg"));  // cannot be read as a file
    f.ui.QueueAnswer(MsgAnswer::Yes);
    f.ui.QueueAnswer(MsgAnswer::Ignore);
    f.view.Commands().DropFiles({dir.Path("outside/three.jpg")});
    EXPECT_EQ(ReadAll(dir.Path("album/three.jpg")), QByteArray("old"));
    EXPECT_EQ(QDir(dir.Path("album")).entryList(QDir::Files), (QStringList{"three.jpg", "two.jpg"}));

    // Declined: the cards name the files where they are.
    f.ui.QueueAnswer(MsgAnswer::No);
    f.view.Commands().DropFiles({dir.Path("outside/one.jpg")});
    EXPECT_TRUE(f.Names().contains(dir.Path("outside/one.jpg")));
}

TEST(CardList, AssociationAndMailStartProgramsWithArgumentLists) {
    ScopedTestDir dir;
    dir.Write("a b.jpg", "x");
    CardListFixture f;
    f.AddCards({"a", "none", "gone"}, {"a b.jpg", "", "gone.jpg"});
    f.Select({0});
    f.view.Execute(Cmd::Association);
    ASSERT_EQ(f.launcher.started.size(), 1u);
    EXPECT_EQ(f.launcher.started[0], (QStringList{"xdg-open", dir.Path("a b.jpg")}));
    f.view.Execute(Cmd::FileSendMail);
    EXPECT_EQ(f.launcher.started[1], (QStringList{"xdg-email", "--attach", dir.Path("a b.jpg")}));

    f.Select({2});
    f.view.Commands().Association();
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nFile not found:\ngone.jpg"));
    f.view.Commands().Send();
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Can't find any image!"));
    f.launcher.association.clear();
    f.Select({0});
    f.view.Commands().Association();
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't find association for: a b.jpg"));
    EXPECT_FALSE([&] { f.Select({1}); return f.view.Update(Cmd::Association).enabled; }());
}

TEST(CardList, RenameMovesTheFileAndFollowsThePreserveChoice) {
    ScopedTestDir dir;
    dir.Write("old.jpg", "x");
    CardListFixture f;
    f.AddCards({"Holiday", "empty"}, {"old.jpg", ""});
    f.Select({0});
    f.dialogs.renames.push_back({QStringLiteral("new.jpg"), true});
    f.view.Execute(Cmd::RenameImage);
    EXPECT_TRUE(QFile::exists(dir.Path("new.jpg")));
    EXPECT_EQ(f.doc.Db().GetAt(0)->m_strName, QStringLiteral("Holiday"));
    EXPECT_EQ(f.doc.Db().GetAt(0)->m_strGraphic, QStringLiteral("new.jpg"));
    EXPECT_EQ(f.view.Model()->RowAt(0).texts[1], QStringLiteral("new.jpg"));
    f.dialogs.renames.push_back({QStringLiteral("newer.jpg"), false});
    f.view.Execute(Cmd::RenameImage);
    EXPECT_EQ(f.doc.Db().GetAt(0)->m_strName, QStringLiteral("newer.jpg"));
    f.Select({1});
    f.view.Execute(Cmd::RenameImage);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error: can't rename!\n\"empty\" not specify a file object"));
}

TEST(CardList, ConvertWritesTheNewFormatBesideTheOldFile) {
    ScopedTestDir dir;
    CImageObject picture;
    picture.Create(4, 4, 24);
    ASSERT_TRUE(picture.Save(dir.Path("IMG_0001.bmp")));
    CardListFixture f;
    f.AddCards({"IMG_0001.bmp"}, {"IMG_0001.bmp"});
    f.Select({0});
    f.dialogs.converts.push_back({QStringLiteral("JPEG"), true});
    f.ui.QueueAnswer(MsgAnswer::No);  // keep the old file
    f.view.Execute(Cmd::ConvertImage);
    EXPECT_TRUE(QFile::exists(dir.Path("IMG_0001.JPEG")));
    EXPECT_TRUE(QFile::exists(dir.Path("IMG_0001.bmp")));
    EXPECT_EQ(f.doc.Db().GetAt(0)->m_strGraphic, QStringLiteral("IMG_0001.JPEG"));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Delete previous image file?\nIMG_0001.bmp"));
    EXPECT_EQ(CImageObject(dir.Path("IMG_0001.JPEG")).Type(), IMAGE_JPEG);

    f.dialogs.converts.push_back({QStringLiteral("XPM"), true});
    f.view.Execute(Cmd::ConvertImage);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't save image: IMG_0001.XPM"));
}

TEST(CardList, PastedImagesBecomeCardsThroughTheScratchFile) {
    ScopedTestDir dir;
    CardListFixture f;
    f.settings.flgJPG = 1;
    f.settings.FastTempPath = dir.Path();
    f.AddCards({"zzz"}, {"zzz.jpg"});
    QImage clip(8, 6, QImage::Format_RGB32);
    clip.fill(qRgb(10, 200, 30));
    f.dialogs.edits.push_back([](CFotoObj& card) {
        EXPECT_EQ(card.m_strName, QStringLiteral("IMG_0000.jpg"));
        return false;
    });
    f.view.Commands().PasteImage(clip);
    // The scratch bitmap had a name of its own and is gone.
    EXPECT_TRUE(QDir(dir.Path()).entryList({"tempfoto*"}, QDir::Files).isEmpty());
    const CImageObject pasted(dir.Path("IMG_0000.jpg"));
    ASSERT_TRUE(pasted.IsValid());
    EXPECT_EQ(pasted.GetWidth(), 8);
    EXPECT_EQ(f.Names(), (QStringList{"IMG_0000.jpg", "zzz"}));
    EXPECT_EQ(f.RowCards(), (std::vector<int>{0, 1}));
    EXPECT_EQ(f.view.SelectedCards(), std::vector<int>{0});
    EXPECT_EQ(f.dialogs.editCalls, 1);  // flgAutoEdita opened the new card
    f.view.Commands().PasteImage(QImage());
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nClipboard Image"));
}

TEST(CardList, AnInsertedCardKeepsEveryRowPointingAtItsOwnCard) {
    CardListFixture f;
    f.AddCards({"a", "c", "e"});
    f.view.SortByColumn(0);
    f.view.SortByColumn(0);  // e, c, a
    f.view.Commands().InsertImageAsCard(QStringLiteral("b"));
    const std::vector<int> cards = f.RowCards();
    for (int r = 0; r < f.view.Model()->rowCount(); ++r)
        EXPECT_EQ(f.view.Model()->RowAt(r).texts[0], f.doc.Db().GetAt(cards[std::size_t(r)])->m_strName);
    EXPECT_EQ(f.view.SelectedCards(), std::vector<int>{1});
    // A picture just captured or pasted is the current card, shown by the image view.
    EXPECT_EQ(f.doc.m_nCurrent, 1);
    EXPECT_EQ(f.other.hints.back(), Hint::ViewCurrent);
}

// The sort and the column widths a user chose outlive rebuilds (a card viewed in the Image tab
// rebuilds the list) and, through the settings, restarts.
TEST(CardList, TheChosenSortAndColumnWidthsLast) {
    CardListFixture f;
    f.AddCards({"b", "/home/ana/Pictures/c.jpg", "a"});
    f.view.SortByColumn(0);
    f.view.SortByColumn(0);
    f.doc.UpdateAllViews(nullptr, Hint::Rebuild);
    EXPECT_EQ(f.RowNames(), (QStringList{"b", "a", "/home/ana/Pictures/c.jpg"}));
    EXPECT_FALSE(f.view.SortAscending());
    f.view.List()->setColumnWidth(1, 333);
    EXPECT_TRUE(f.settings.ListColumns.endsWith(QStringLiteral(";0;0")));

    CardListFixture restarted;
    restarted.settings.ListColumns = f.settings.ListColumns;
    restarted.AddCards({"y", "x"});
    EXPECT_EQ(restarted.RowNames(), (QStringList{"y", "x"}));
    EXPECT_EQ(restarted.view.List()->columnWidth(1), 333);

    // A name made from a path shows the file's name first when the mouse rests on it.
    const QModelIndex path = f.view.Model()->index(2, 0);
    EXPECT_EQ(f.view.Model()->data(path, Qt::ToolTipRole).toString(), QStringLiteral("c.jpg\n/home/ana/Pictures/c.jpg"));
    EXPECT_FALSE(f.view.Model()->data(f.view.Model()->index(0, 0), Qt::ToolTipRole).isValid());
}

TEST(CardList, UtilityCommandsFollowTheirDefinitionsAndRunOnTheSelectedCard) {
    CardListFixture f;
    f.AddCards({"a", "b"}, {"a.jpg", "My Photos/b.jpg"});
    f.settings.util1 = QStringLiteral("Open;viewer {IMAGESEL}");
    f.settings.util2 = QStringLiteral("x");
    f.settings.util5 = QStringLiteral("Gone");
    EXPECT_TRUE(f.view.Update(Cmd::Utility1).enabled);
    EXPECT_FALSE(f.view.Update(Cmd::Utility2).enabled);
    EXPECT_FALSE(f.view.Update(Cmd::Utility3).enabled);
    EXPECT_TRUE(f.view.Update(Cmd::Utility5).enabled);

    // The program gets the card's file by its full path.
    f.Select({1, 0});
    f.view.Execute(Cmd::Utility1);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Begin execute application?:\nviewer\n") + QDir::current().absoluteFilePath("a.jpg"));
    f.Select({1});
    f.view.Execute(Cmd::Utility1);
    ASSERT_EQ(f.launcher.started.size(), 2u);
    EXPECT_EQ(f.launcher.started[1], (QStringList{QStringLiteral("viewer"), QDir::current().absoluteFilePath("My Photos/b.jpg")}));
    EXPECT_EQ(f.other.hints.back(), Hint::ViewCurrent);

    f.view.Execute(Cmd::Utility5);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nCan't execute the utility: Gone"));
    EXPECT_EQ(f.launcher.started.size(), 2u);
}

// Space, Backspace and the page keys of the picture views step through the cards as the list
// shows them, sorted or not.
TEST(CardList, StepsFollowTheOrderTheListShows) {
    CardListFixture f;
    f.AddCards({"a", "b", "c"});
    f.view.SortByColumn(0);
    f.view.SortByColumn(0);  // descending: c, b, a
    f.doc.m_nCurrent = 2;
    f.doc.StepShown(+1);
    EXPECT_EQ(f.doc.m_nCurrent, 1);
    f.doc.StepShown(+1);
    EXPECT_EQ(f.doc.m_nCurrent, 0);
    f.doc.StepShown(+1);  // the last row: nothing follows
    EXPECT_EQ(f.doc.m_nCurrent, 0);
    f.doc.StepShown(-1);
    EXPECT_EQ(f.doc.m_nCurrent, 1);
    f.view.SortByColumn(0);  // ascending again
    f.doc.StepShown(+1);
    EXPECT_EQ(f.doc.m_nCurrent, 2);
}
