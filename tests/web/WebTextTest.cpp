#include "TestFiles.h"
#include "web/CardFileFacts.h"
#include "web/HtmlText.h"
#include "web/HtmlWizardSettings.h"
#include "web/OutputNames.h"
#include "web/PlaceholderValues.h"

#include <gtest/gtest.h>

TEST(WebText, UserTextsAreEscapedWithTheirLineBreaks) {
    EXPECT_EQ(HtmlEscape(QStringLiteral("<script>a & \"b\" 'c'</script>")),
              QStringLiteral("&lt;script&gt;a &amp; &quot;b&quot; &#39;c&#39;&lt;/script&gt;"));
    EXPECT_EQ(HtmlEscape(QStringLiteral("one\r\ntwo\nthree\rfour")), QStringLiteral("one<br>two<br>three<br>four"));
}

TEST(WebText, OutputNamesLoseTheCharactersThatBreakLinks) {
    EXPECT_EQ(SafeOutputName(QStringLiteral("a#b?c%d\"e<f>g\\h é.jpg")), QStringLiteral("a_b_c_d_e_f_g_h é.jpg"));
}

TEST(WebText, NamesAreUniqueIgnoringCase) {
    OutputNames names;
    EXPECT_EQ(names.Claim(QStringLiteral("beach.jpg")), QStringLiteral("beach.jpg"));
    EXPECT_EQ(names.Claim(QStringLiteral("BEACH.jpg")), QStringLiteral("BEACH-2.jpg"));
    EXPECT_EQ(names.Claim(QStringLiteral("beach.jpg")), QStringLiteral("beach-3.jpg"));
    EXPECT_EQ(names.Claim(QStringLiteral("beach-2.JPG")), QStringLiteral("beach-2-2.JPG"));
    EXPECT_EQ(names.Claim(QStringLiteral("README")), QStringLiteral("README"));
    EXPECT_EQ(names.Claim(QStringLiteral("readme")), QStringLiteral("readme-2"));
}

TEST(WebText, PlaceholdersExpandInOnePassIgnoringCase) {
    PlaceholderValues values;
    values.Set(QStringLiteral("{CRPNAME}"), QStringLiteral("{ALBOPATH}"));
    values.Set(QStringLiteral("{ALBOPATH}"), QStringLiteral("/secret/"));
    values.Set(QStringLiteral("{EMPTY}"), {});
    EXPECT_EQ(values.Expand(u"{{cRpName}} {Unknown} {EMPTY}{ALBOPATH}{"), QStringLiteral("{{ALBOPATH}} {Unknown} /secret/{"));
}

TEST(WebText, EveryOccurrenceIsExpandedHoweverMany) {
    PlaceholderValues values;
    values.Set(QStringLiteral("{N}"), QStringLiteral("x"));
    const QString page = QStringLiteral("{n}").repeated(25000);
    EXPECT_EQ(values.Expand(page), QStringLiteral("x").repeated(25000));
}

TEST(WebText, WizardDefaultsAndFormatFolders) {
    const HtmlWizardSettings s;
    EXPECT_TRUE(s.outputDirectory.endsWith(QStringLiteral("/WEB")));
    EXPECT_EQ(s.imageFormat, QStringLiteral("JPEG"));
    EXPECT_TRUE(s.includeImageName && s.includeCardDate && s.includeDescription && !s.includeFileName);
    EXPECT_TRUE(s.includeAlbumAuthor && s.includeAlbumDate && s.includeAlbumDescription && s.generateIndexPage);
    EXPECT_EQ(s.buttonSet, QStringLiteral("Classic"));
    EXPECT_EQ(s.styleSet, QStringLiteral("Classic"));
    EXPECT_EQ(FormatKind(s.pageFormat), QStringLiteral("NORMAL"));
    EXPECT_EQ(FormatKind(PageFormatId::OnePage), QStringLiteral("ONEPAGE"));
    EXPECT_EQ(FormatKind(PageFormatId::Frames), QStringLiteral("FRAMES"));
    EXPECT_EQ(FormatKind(PageFormatId::MinMax), QStringLiteral("MINMAX"));
    EXPECT_EQ(FormatKind(1155), QStringLiteral("NORMAL"));
}

TEST(WebText, CardFileSizesReadAsPeopleWriteThem) {
    const ScopedTestDir dir;
    dir.Write(QStringLiteral("small.jpg"), QByteArray(512, 'x'));
    dir.Write(QStringLiteral("large.jpg"), QByteArray(1258291, 'x'));
    EXPECT_EQ(CardFileFacts::Size(dir.Path(QStringLiteral("small.jpg"))), QStringLiteral("512 bytes"));
    EXPECT_EQ(CardFileFacts::Size(dir.Path(QStringLiteral("large.jpg"))), QStringLiteral("1.2 MB"));
    EXPECT_EQ(CardFileFacts::Size(dir.Path(QStringLiteral("missing.jpg"))), QString());
    EXPECT_EQ(CardFileFacts::CreationDate(dir.Path()), QString());
}
