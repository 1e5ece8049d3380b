#include "platform/CodePage1252.h"

#include <gtest/gtest.h>

TEST(CodePage1252, RoundTripsEveryByte) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString text = CodePage1252::Decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));  // euro sign
    EXPECT_EQ(text[0x9F], QChar(0x0178));
    EXPECT_EQ(text[0xE9], QChar(0xE9));
    EXPECT_EQ(CodePage1252::Encode(text), all);
}

TEST(CodePage1252, RefusesCharactersOutsideTheCodePage) {
    EXPECT_FALSE(CodePage1252::Encode(QStringLiteral("\u65E5\u672C")));
    EXPECT_FALSE(CodePage1252::Encode(QStringLiteral("a\u0100")));
    EXPECT_EQ(CodePage1252::Encode(QStringLiteral("Caf\u00E9 \u20AC")), QByteArray("Caf\xE9 \x80"));
}
