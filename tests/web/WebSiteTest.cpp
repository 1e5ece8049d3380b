#include "WebSiteFixture.h"

#include "image/CImageObject.h"
#include "platform/CTime.h"
#include "platform/ProgramPaths.h"
#include "web/TemplateFiles.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {
const QByteArray kList = "{BEGINITERATESELECTED}[{CNT0001}]{ENDITERATESELECTED}";
}

TEST(WebSite, NineHundredNinetyNineCardsArePublishedAThousandRefused) {
    WebSiteFixture f;
    f.web.imageFormat = QStringLiteral("No convert");
    f.Template(QStringLiteral("index.htm"), kList);
    for (int i = 0; i < 999; ++i) f.AddCard(QStringLiteral("p%1.jpg").arg(i));
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_TRUE(f.Page(QStringLiteral("index.htm")).startsWith(QStringLiteral("[0001][0002]")));
    EXPECT_TRUE(f.Page(QStringLiteral("index.htm")).endsWith(QStringLiteral("[0999]\r\n")));
    EXPECT_TRUE(f.Written(QStringLiteral("p998.jpg")));
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Successful WEB Site Creation on:\n") + f.out);

    QDir(f.out).removeRecursively();
    f.AddCard(QStringLiteral("last.jpg"));
    EXPECT_EQ(f.Generate(), WebSiteResult::NotMade);
    EXPECT_EQ(f.ui.LastMessage(), QStringLiteral("Error:\nSorry, actualy only less than 999 images by album!"));
    EXPECT_FALSE(QFileInfo::exists(f.out));
}

TEST(WebSite, MissingTemplateFoldersStopBeforeAnythingIsWritten) {
    const std::pair<const char*, const char*> cases[] = {{"/FORMATS/NORMAL", "Error:\nNot formats available"},
                                                         {"/STYLES/Classic", "Error:\nNot styles available"},
                                                         {"/BUTTONS/Classic", "Error:\nNot buttons available"}};
    for (const auto& [folder, message] : cases) {
        WebSiteFixture f;
        f.AddCard(QStringLiteral("a.jpg"));
        QDir(f.templates + folder).removeRecursively();
        EXPECT_EQ(f.Generate(), WebSiteResult::NotMade) << folder;
        EXPECT_EQ(f.ui.LastMessage(), QString::fromLatin1(message));
        EXPECT_FALSE(QFileInfo::exists(f.out)) << folder;
    }
}

TEST(WebSite, UserTextsEnterPagesEscapedAndAreNeverExpandedAgain) {
    WebSiteFixture f;
    f.doc.Db().List().m_strName = QStringLiteral("Trip & Co");
    CFotoObj& card = f.AddCard(QStringLiteral("a.jpg"));
    card.m_strName = QStringLiteral("<script>");
    card.m_strDescription = QStringLiteral("line\n{ALBOPATH} {cRpName}");
    f.Template(QStringLiteral("index.htm"),
               "<title>{crpname}</title>{BEGINITERATESELECTED}{IMAGESELNAME}|{IMAGESELDESCRIP}{ENDITERATESELECTED}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")),
              QStringLiteral("<title>Trip &amp; Co</title>&lt;script&gt;|line<br>{ALBOPATH} {cRpName}\r\n"));
}

TEST(WebSite, PicturesAreCopiedOrConvertedUnderSafeUniqueNames) {
    WebSiteFixture f;
    f.AddCard(QStringLiteral("y.bmp"));
    f.AddCard(QStringLiteral("x.jpg"));
    f.AddCard(QStringLiteral("b/X.JPG"));
    f.AddCard(QStringLiteral("we#ird?.jpg"));
    f.AddCard(QStringLiteral("next.jpg"));
    f.dir.Write(QStringLiteral("HTMLWIZ/BUTTONS/Classic/next.jpg"), "button");
    f.Template(QStringLiteral("index.htm"), "{BEGINITERATESELECTED}{IMAGESELARCH} {ENDITERATESELECTED}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")), QStringLiteral("y.jpg x.jpg X-2.jpg we_ird_.jpg next-2.jpg \r\n"));
    EXPECT_TRUE(ReadAll(f.out + "/y.jpg").startsWith("\xFF\xD8"));
    // A JPEG that needs no change keeps every byte.
    EXPECT_EQ(ReadAll(f.out + "/x.jpg"), SmallPicture(QStringLiteral("jpg")));
    EXPECT_EQ(ReadAll(f.out + "/X-2.jpg"), SmallPicture(QStringLiteral("jpg")));
    EXPECT_EQ(ReadAll(f.out + "/next.jpg"), "button");
    EXPECT_TRUE(f.Written(QStringLiteral("next-2.jpg")));
    EXPECT_TRUE(f.Written(QStringLiteral("thumbs/X-2.jpg")));
}

TEST(WebSite, NoConvertCopiesEveryPictureUnchanged) {
    WebSiteFixture f;
    f.web.imageFormat = QStringLiteral("No convert");
    for (const char* name : {"y.bmp", "x.jpg", "z.png", "w.gif"}) f.AddCard(QString::fromLatin1(name));
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    for (const char* name : {"y.bmp", "x.jpg", "z.png", "w.gif"})
        EXPECT_EQ(ReadAll(f.Picture(QString::fromLatin1(name))), SmallPicture(QFileInfo(name).suffix())) << name;
    EXPECT_TRUE(f.Written(QStringLiteral("thumbs/y.jpg")));
}

// A bad picture never stops the site: it shows a drawn stand-in and the summary says why.
TEST(WebSite, BadPicturesGetAStandInAndASummary) {
    WebSiteFixture f;
    f.AddCard(QStringLiteral("a.jpg"));
    f.doc.Db().List().GetAt(0)->m_strGraphic = QStringLiteral("gone.jpg");
    f.AddCard(QStringLiteral("text.jpg"), "not a picture");
    f.AddCard(QStringLiteral("b.jpg"));
    f.Template(QStringLiteral("index.htm"), "{BEGINITERATESELECTED}{IMAGESELWIDTH}x{IMAGESELHEIGHT} {ENDITERATESELECTED}");
    EXPECT_EQ(f.Generate(), WebSiteResult::Incomplete);
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")), QStringLiteral("640x480 640x480 8x6 \r\n"));
    for (const char* name : {"gone.jpg", "text.jpg", "thumbs/gone.jpg", "thumbs/text.jpg", "b.jpg"}) {
        CImageObject written;
        EXPECT_TRUE(written.Load(f.Picture(QString::fromLatin1(name)))) << name;
    }
    ASSERT_EQ(f.ui.Messages().size(), 1u);
    const QString summary = f.ui.LastMessage();
    EXPECT_TRUE(summary.startsWith(QStringLiteral("The web site was made on:\n") + f.out)) << summary.toStdString();
    EXPECT_TRUE(summary.contains(f.dir.Path(QStringLiteral("gone.jpg")) + QStringLiteral(": the file is missing")));
    EXPECT_TRUE(summary.contains(f.dir.Path(QStringLiteral("text.jpg")) + QStringLiteral(": ")));
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("WEB Site created with problems."));
}

TEST(WebSite, EscStopsThePicturesAndWritesNoPage) {
    WebSiteFixture f;
    for (int i = 0; i < 20; ++i) f.AddCard(QStringLiteral("p%1.png").arg(i));
    f.Template(QStringLiteral("index.htm"), "{TOTALCNT}");
    f.ui.CancelAfterSteps(2);
    EXPECT_EQ(f.Generate(), WebSiteResult::NotMade);
    EXPECT_FALSE(f.Written(QStringLiteral("index.htm")));
    EXPECT_LE(f.ui.ProgressSteps(), 3);
    EXPECT_EQ(f.ui.StatusText(0), QStringLiteral("WEB Site Creation stopped."));
}

TEST(WebSite, LinesStayWholeAndOtherFormatFilesAreCopiedByteForByte) {
    WebSiteFixture f;
    f.doc.Db().List().m_strName = QStringLiteral("Álbum");
    const QByteArray longLine = QByteArray(509, 'a') + "{CRPNAME}" + QByteArray(600, 'b') + "ä€";
    f.Template(QStringLiteral("page.html"), longLine + "\nwin\r\nlast");
    const QByteArray logo("\x89PNG\r\n\x1a\n\0{CRPNAME}\n", 20);
    f.Template(QStringLiteral("logo.png"), logo);
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(ReadAll(f.out + "/page.html"),
              QByteArray(509, 'a') + "\xC3\x81lbum" + QByteArray(600, 'b') + "ä€\r\nwin\r\nlast\r\n");
    EXPECT_EQ(ReadAll(f.out + "/logo.png"), logo);
}

TEST(WebSite, PerCardPagesExpandEveryCardPlaceholder) {
    WebSiteFixture f;
    f.web.imageFormat = QStringLiteral("No convert");
    f.AddCard(QStringLiteral("a.bmp"));
    f.AddCard(QStringLiteral("b.jpg"));
    f.AddCard(QStringLiteral("c/a.bmp"));
    f.Template(QStringLiteral("page{CNT0001}.htm"), "{cnt0001} {COUNTERPLUS} {IMAGESELARCH}");
    f.Template(QStringLiteral("{ITERIMAGE}.htm"), "{CNT0001} of {TOTALCNT}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("page0001.htm")), QStringLiteral("0001 1 a.bmp\r\n"));
    EXPECT_EQ(f.Page(QStringLiteral("page0003.htm")), QStringLiteral("0003 3 a-2.bmp\r\n"));
    EXPECT_EQ(f.Page(QStringLiteral("a.htm")), QStringLiteral("0001 of 3\r\n"));
    EXPECT_EQ(f.Page(QStringLiteral("b.htm")), QStringLiteral("0002 of 3\r\n"));
    EXPECT_EQ(f.Page(QStringLiteral("a-2.htm")), QStringLiteral("0003 of 3\r\n"));
}

TEST(WebSite, SinglePagesWithoutBothMarkersInOrderArePlainPages) {
    const std::pair<QByteArray, QString> cases[] = {
        {"h{BEGINITERATESELECTED}{ENDITERATESELECTED}t", "ht\r\n"},
        {"h{beginIterateSelected}{IMAGESELNAME};{endIterateSelected}t", "hone;two;t\r\n"},
        {"h{BEGINITERATESELECTED}{IMAGESELNAME}", "h{IMAGESELNAME}\r\n"},
        {"{ENDITERATESELECTED}{IMAGESELNAME}{BEGINITERATESELECTED}", "{IMAGESELNAME}\r\n"}};
    for (const auto& [text, page] : cases) {
        WebSiteFixture f;
        f.AddCard(QStringLiteral("one.jpg"));
        f.AddCard(QStringLiteral("two.jpg"));
        f.Template(QStringLiteral("index.htm"), text);
        ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
        EXPECT_EQ(f.Page(QStringLiteral("index.htm")), page) << text.constData();
    }
}

TEST(WebSite, InformationBlocksFollowTheOptions) {
    WebSiteFixture f;
    CFotoObjList& album = f.doc.Db().List();
    album.m_strName = QStringLiteral("A");
    album.m_strDescription = QStringLiteral("D");
    album.m_strAuthor = QStringLiteral("W");
    album.m_timeCreated = 1000000000;
    CFotoObj& card = f.AddCard(QStringLiteral("pic.png"));
    card.m_strName = QStringLiteral("N");
    card.m_strDescription = QStringLiteral("<d>");
    card.m_time = 1100000000;
    f.web.email = QStringLiteral("me@x");
    f.web.moreInfo = QStringLiteral("M");
    f.Template(QStringLiteral("card{CNT0001}.htm"), "{IMAGEDATASELECTED}|{CRPDATASELECTED}|{CRPDATE}");
    const QString cardDate = *CTime::CardDate(card.m_time);
    const QString created = *CTime::Format("%B %d, %Y %H:%M:%S", album.m_timeCreated);
    const QString contact = QStringLiteral("<LI><B>Email: </B><A HREF=\"MAILTO:me@x\">me@x</A>"
                                           "<LI><B>More information: </B><BR>M</UL>");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("card0001.htm")),
              QStringLiteral("<B>N</B><UL><LI>%1<LI>&lt;d&gt;</UL>|<B>Album name: </B>A<UL>"
                             "<LI><B>Creation date: </B>%2<LI><B>Description: </B><BR>D<LI><B>Author: </B>W%3|%2\r\n")
                  .arg(cardDate, created, contact));

    f.web = HtmlWizardSettings();
    f.web.outputDirectory = f.out;
    f.web.includeImageName = f.web.includeCardDate = f.web.includeDescription = false;
    f.web.includeFileName = true;
    f.web.includeAlbumDate = f.web.includeAlbumDescription = f.web.includeAlbumAuthor = false;
    f.web.email = QStringLiteral("me@x");
    f.web.moreInfo = QStringLiteral("M");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("card0001.htm")),
              QStringLiteral("<B></B><UL><LI>pic.jpg</UL>|<B>Album name: </B>A<UL>%1|\r\n").arg(contact));

    // What the album and the user left empty has no label of its own; no facts, no list.
    f.web = HtmlWizardSettings();
    f.web.outputDirectory = f.out;
    album.m_strAuthor.clear();
    album.m_strName.clear();
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    const QString page = f.Page(QStringLiteral("card0001.htm"));
    EXPECT_FALSE(page.contains(QStringLiteral("Author"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("Album name"))) << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("Email"))) << page.toStdString();
    album.m_strDescription.clear();
    album.m_timeCreated = 0;
    f.web.includeAlbumDate = false;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_TRUE(f.Page(QStringLiteral("card0001.htm")).contains(QStringLiteral("||\r\n")));
}

// The date and size are the card file's own, whatever the site makes of the picture; a file that
// cannot be read leaves its items out.
TEST(WebSite, FileDateAndSizeJoinTheCardInformationWhenAsked) {
    WebSiteFixture f;
    f.AddCard(QStringLiteral("pic.png"));
    const QFileInfo file(f.doc.CardFile(0));
    const QDateTime born = file.birthTime().isValid() ? file.birthTime() : file.lastModified();
    const QString date = *CTime::CardDate(born.toSecsSinceEpoch());
    f.Template(QStringLiteral("card{CNT0001}.htm"), "{IMAGEDATASELECTED}");
    f.web.includeImageName = f.web.includeCardDate = f.web.includeDescription = false;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("card0001.htm")), QStringLiteral("<B></B><UL></UL>\r\n"));

    f.web.includeFileDate = f.web.includeFileSize = true;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("card0001.htm")),
              QStringLiteral("<B></B><UL><LI>%1<LI>%2 bytes</UL>\r\n").arg(date).arg(file.size()));

    f.web.includeFileSize = false;
    f.web.includeFileName = true;
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("card0001.htm")), QStringLiteral("<B></B><UL><LI>pic.jpg<LI>%1</UL>\r\n").arg(date));
}

TEST(WebSite, PathsAreTheAlbumAndProgramFolders) {
    WebSiteFixture f;
    f.web.outputDirectory = f.dir.Path(QStringLiteral("deep/er/web"));
    QDir().mkpath(f.web.outputDirectory);
    f.Template(QStringLiteral("index.htm"), "{CRPPATH}|{ALBOPATH}");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(QString::fromUtf8(ReadAll(f.web.outputDirectory + "/index.htm")),
              f.dir.Path() + '|' + ProgramPaths::ProgramDirectory() + "\r\n");
}

TEST(WebSite, ATemplateTooBigToHoldStillGivesItsPage) {
    WebSiteFixture f;
    f.Template(QStringLiteral("big.htm"), {});
    QFile(f.templates + "/FORMATS/NORMAL/big.htm").resize(kMaxTemplateBytes + 1);
    ASSERT_EQ(f.Generate(), WebSiteResult::Incomplete);
    EXPECT_EQ(f.ui.Messages()[0].text, QStringLiteral(">Error: No hay suficiente memoria para mostrar el contenido!"));
    EXPECT_EQ(f.ui.Messages()[1].text, QStringLiteral("Error:\nLoading file"));
    EXPECT_EQ(f.Page(QStringLiteral("big.htm")), QStringLiteral("<B>Albora Wizard ERROR</B>"));
}

// A name with blanks or letters beyond ASCII is a valid link once encoded; the page still shows
// it as the user wrote it. An album without a name leaves no blank at the end of the title.
TEST(WebSite, LinksAreEncodedNamesShownAsTheyAreAndEmptyNamesLeaveNoBlank) {
    WebSiteFixture f;
    f.web.includeFileName = true;
    f.web.includeCardDate = f.web.includeDescription = false;
    f.AddCard(QStringLiteral("my photo \u00fc+1.jpg"));
    f.AddCard(QStringLiteral("b.jpg"));
    f.Template(QStringLiteral("page{CNT0001}.htm"),
               "<title>Photo album {CRPNAME}</title><img src=\"{IMAGESELARCH}\" alt=\"{IMAGESELNAME}\">"
               "<img src=\"{IMAGESELTHUMB}\" alt=\"\"><a href=\"{NEXTPAGE}\">n</a>{IMAGEDATASELECTED}");
    f.Template(QStringLiteral("index.htm"), "<TITLE> Photo album  {CRPNAME} </TITLE><a href=\"{FIRSTPAGE}\">f</a>");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_EQ(f.Page(QStringLiteral("page0001.htm")),
              QStringLiteral("<title>Photo album</title><img src=\"my%20photo%20%C3%BC%2B1.jpg\" alt=\"my photo "
                             "\u00fc+1\"><img src=\"thumbs/my%20photo%20%C3%BC%2B1.jpg\" alt=\"\"><a "
                             "href=\"page0002.htm\">n</a><B>my photo \u00fc+1</B><UL><LI>my photo \u00fc+1.jpg</UL>\r\n"));
    EXPECT_EQ(f.Page(QStringLiteral("index.htm")), QStringLiteral("<TITLE>Photo album</TITLE><a href=\"page0001.htm\">f</a>\r\n"));

    f.doc.Db().List().m_strName = QStringLiteral("Trip");
    ASSERT_EQ(f.Generate(), WebSiteResult::Complete);
    EXPECT_TRUE(f.Page(QStringLiteral("index.htm")).startsWith(QStringLiteral("<TITLE>Photo album Trip</TITLE>")));
}
