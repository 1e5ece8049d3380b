#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/Placeholders.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

TEST(Placeholders, ReplaceIgnoresCaseAndNeverRescansWhatItInserted) {
    QString text = QStringLiteral("{crpname} and {CRPNAME}");
    EXPECT_EQ(ReplacePlaceholder(QStringLiteral("{CRPNAME}"), QStringLiteral("{CRPNAME}!"), text), 2);
    EXPECT_EQ(text, QStringLiteral("{CRPNAME}! and {CRPNAME}!"));
    QString many = QString(20, 'x');
    EXPECT_EQ(ReplacePlaceholder(QStringLiteral("x"), QStringLiteral("yy"), many, 5), 5);
    EXPECT_EQ(many, QString(10, 'y') + QString(15, 'x'));
    QString shortText = QStringLiteral("{D");
    EXPECT_EQ(ReplacePlaceholder(QStringLiteral("{DATE}"), QStringLiteral("x"), shortText), 0);
}

TEST(Placeholders, ExpandUsesAlbumSelectionAndClock) {
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc(ui, settings);
    doc.Db().List().m_strName = QStringLiteral("{CRPNAME}");
    doc.Db().List().m_strAuthor = QStringLiteral("Ana");
    QString text = QStringLiteral("{NAMESEL} {crpname} {CRPAUTHOR} {DATE}|{CURDATE}|{DATETIME}|{TIME}");
    ExpandPlaceholders(text, doc, std::nullopt);
    EXPECT_TRUE(text.startsWith(QStringLiteral("{NAMESEL} {CRPNAME} Ana ")));
    const QStringList parts = text.section(' ', 3).split('|');
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(parts[1], parts[2]);
    EXPECT_TRUE(parts[1].startsWith(parts[0].left(parts[0].size())));
    EXPECT_EQ(parts[3].size(), 8);  // HH:MM:SS

    QString selected = QStringLiteral("{namesel}/{IMAGESEL}/{SELNOEX}/{DESCSEL}");
    ExpandPlaceholders(selected, doc, SelectedCardTexts{"n", "g.jpg", "d", "text"});
    EXPECT_EQ(selected, QStringLiteral("n/g.jpg/g.jpg/text"));
}
