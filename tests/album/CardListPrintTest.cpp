#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/ui/CardListPrinter.h"
#include "platform/HeadlessUi.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(CardListPrint, PageArithmetic) {
    EXPECT_EQ(CardListPrinter::LinesPerPage(1000, 113, 113, 20), 34);
    EXPECT_EQ(CardListPrinter::PageCount(70, 34), 3);
    EXPECT_EQ(CardListPrinter::PageCount(68, 34), 2);  // no empty page at the end
    EXPECT_EQ(CardListPrinter::PageCount(0, 34), 1);
    EXPECT_EQ(CardListPrinter::LinesPerPage(100, 113, 113, 20), 1);
}

TEST(CardListPrint, PrintsEveryPageWithItsHeaderToPdf) {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc(ui, settings);
    doc.Db().List().m_strName = QStringLiteral("Holidays");
    for (int i = 0; i < 300; ++i) {
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = QStringLiteral("Card%1").arg(i, 3, 10, QChar('0'));
        card->m_strGraphic = QStringLiteral("IMG_%1.jpg").arg(i);
        card->m_strDescription = QStringLiteral("A long description that goes on and on ").repeated(6);
        doc.Db().List().AddTail(card);
    }
    doc.SetPathName(dir.Path("holidays.crp"));
    ASSERT_TRUE(doc.FileSave());

    // The command line's print switch, to a PDF file, with the header setting in its store.
    QDir().mkpath(dir.Path("config/Marenkis Setup"));
    dir.Write("config/Marenkis Setup/Albora.ini", "[Albora]\nMarHeader=Page {PAGENUM} of {CRPNAME}\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", dir.Path("config"));
    QProcess albora;
    albora.setProcessEnvironment(environment);
    albora.start(QStringLiteral(ALBORA_GUI_PATH), {"--print", dir.Path("holidays.crp"), "--output", dir.Path("list.pdf")});
    ASSERT_TRUE(albora.waitForFinished(60000));
    ASSERT_EQ(albora.exitCode(), 0) << albora.readAllStandardError().toStdString();
    QProcess info;
    info.start("pdfinfo", {dir.Path("list.pdf")});
    ASSERT_TRUE(info.waitForFinished());
    const QString meta = QString::fromUtf8(info.readAllStandardOutput());
    // A4 at 600 dpi: about 6800 pixels high, lines of about 58 pixels: 110 cards a page.
    const int pages = meta.section(QStringLiteral("Pages:"), 1).trimmed().section('\n', 0, 0).toInt();
    EXPECT_EQ(pages, 3) << meta.toStdString();
    QProcess text;
    text.start("pdftotext", {"-f", "2", "-l", "2", dir.Path("list.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QString second = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(second.contains(QStringLiteral("Page 2 of Holidays"))) << second.left(300).toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral("Card150")));
    EXPECT_FALSE(second.contains(QStringLiteral("Card000")));

    // Every column is on the paper, inside the right margin (A4 is 595 points wide).
    QProcess boxes;
    boxes.start("pdftotext", {"-f", "1", "-l", "1", "-bbox", dir.Path("list.pdf"), "-"});
    ASSERT_TRUE(boxes.waitForFinished());
    const QString words = QString::fromUtf8(boxes.readAllStandardOutput());
    for (const char* title : {">Name<", ">Graphic<", ">Date<", ">Descripcion<"})
        EXPECT_TRUE(words.contains(QLatin1String(title))) << title;
    const double rightEdge = 595.0 - settings.MarXDerBorde * 72.0 / 600;
    const QRegularExpression box(QStringLiteral("xMax=\"([0-9.]+)\""));
    int checked = 0;
    for (auto match = box.globalMatch(words); match.hasNext(); ++checked)
        ASSERT_LE(match.next().captured(1).toDouble(), rightEdge + 1) << words.left(2000).toStdString();
    EXPECT_GT(checked, 400);
}

TEST(CardListPrint, APrintSwitchThatCannotWriteItsPdfFailsAndSaysWhy) {
    ScopedTestDir dir;
    QDir().mkdir("seed");
    QDir().mkdir("after");
    {
        HeadlessUi ui;
        CAppSettings settings;
        CAlboraDoc doc(ui, settings);
        for (int i = 0; i < 40; ++i) doc.Db().List().AddTail(std::make_shared<CFotoObj>());
        doc.SetPathName(dir.Path("seed/a.crp"));
        ASSERT_TRUE(doc.FileSave());
    }
    QProcess albora;
    albora.start(QStringLiteral(ALBORA_GUI_PATH), {"--print", dir.Path("seed/a.crp"), "--output", "/no/such/dir/x.pdf"});
    ASSERT_TRUE(albora.waitForFinished(60000));
    EXPECT_EQ(albora.exitCode(), 1);
    EXPECT_TRUE(albora.readAllStandardError().contains("/no/such/dir/x.pdf"));

    dir.Write("seed/old.pdf", "the pages printed last week");
    const auto run = RunOnFullDisk(dir.Path("seed"), dir.Path("after"), QStringLiteral(ALBORA_GUI_PATH),
                                   {"--print", "a.crp", "--output", "old.pdf"});
    if (!run) GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(run->code, 1) << run->err.toStdString();
    EXPECT_EQ(ReadAll(dir.Path("after/old.pdf")), QByteArray("the pages printed last week"));
    EXPECT_EQ(QDir(dir.Path("after")).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.crp", "old.pdf"}));
}

// Printing needs no display, and a command line that is wrong is told before Qt starts: neither
// aborts where there is no window system. Qt's own options are still Qt's.
TEST(CardListPrint, ThePrintSwitchAndUsageErrorsNeedNoDisplay) {
    ScopedTestDir dir;
    {
        HeadlessUi ui;
        CAppSettings settings;
        CAlboraDoc doc(ui, settings);
        for (int i = 0; i < 5; ++i) doc.Db().List().AddTail(std::make_shared<CFotoObj>());
        doc.SetPathName(dir.Path("a.crp"));
        ASSERT_TRUE(doc.FileSave());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    const auto albora = [&](const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ALBORA_GUI_PATH), args);
        process.waitForFinished(60000);
        return std::pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
    };
    const auto printed = albora({"--print", "a.crp", "--output", "x.pdf"});
    EXPECT_EQ(printed.first, 0) << printed.second.toStdString();
    EXPECT_TRUE(ReadAll(dir.Path("x.pdf")).contains("%%EOF"));
    const auto styled = albora({"-style", "Fusion", "--print", "a.crp", "--output", "y.pdf", "-reverse"});
    EXPECT_EQ(styled.first, 0) << styled.second.toStdString();
    EXPECT_TRUE(QFile::exists(dir.Path("y.pdf")));
    for (const QStringList& args : {QStringList{"--output", "x.pdf"}, QStringList{"a.crp", "b.crp"}, QStringList{"--bogus"},
                                    QStringList{"--print"}, QStringList{"--print", "a.crp", "--output"}}) {
        const auto refused = albora(args);
        EXPECT_EQ(refused.first, 2) << args.join(' ').toStdString() << ' ' << refused.second.toStdString();
        EXPECT_TRUE(refused.second.startsWith("albora: ")) << refused.second.toStdString();
    }
}

TEST(CardListPrint, RendersInTheGivenRectangle) {
    HeadlessUi ui;
    CAppSettings settings;
    settings.FontSize = 20;
    CAlboraDoc doc(ui, settings);
    for (int i = 0; i < 70; ++i) doc.Db().List().AddTail(std::make_shared<CFotoObj>());
    QImage page(800, 1000, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    CardListPrinter printer(doc, std::nullopt);
    const int pages = printer.PageCountFor(painter, QRect(0, 0, 800, 1000));
    EXPECT_GE(pages, 2);
    printer.RenderPage(painter, QRect(0, 0, 800, 1000), 1);
    painter.end();
    // Ink between the margins, none left of them.
    int inked = 0, outside = 0;
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 800; ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255)) (x < settings.MarXIzqBorde - 2 ? outside : inked)++;
    EXPECT_GT(inked, 1000);
    EXPECT_EQ(outside, 0);
}
