// The .adw file and the clipboard payload, byte for byte.
#include "TestFiles.h"
#include "draw/DrawPage.h"

#include <gtest/gtest.h>

namespace {

// Little-endian helpers for expected bytes.
QByteArray U16(std::uint16_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); }
QByteArray U32(std::uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); }
QByteArray Str(const QByteArray& s) { return QByteArray(1, char(s.size())) + s; }

// The header bytes up to the notice, which the test skips by its own length prefix.
qsizetype SkipHeader(const QByteArray& bytes) {
    qsizetype pos = 4 + 2;
    for (int i = 0; i < 2; ++i) pos += 1 + std::uint8_t(bytes[pos]);
    pos += 2;
    pos += 1 + std::uint8_t(bytes[pos]);
    return pos;
}

}  // namespace

TEST(DrawFile, AnEmptyPageIsHeaderCountAndItems) {
    DrawPage page;
    page.createdText = "07/12/26  10:30";
    page.pageFlags = 1;
    page.paperColor = 0x00FFEEDD;
    const QByteArray bytes = page.Serialize();
    EXPECT_EQ(bytes.left(4), QByteArray("ABDW"));
    EXPECT_EQ(bytes.mid(4, 2), U16(7));
    EXPECT_EQ(bytes.mid(6, 16), Str("07/12/26  10:30"));
    const qsizetype pos = SkipHeader(bytes);
    EXPECT_EQ(bytes.mid(pos), U32(0x00FFEEDD) + U32(799) + U32(1024) + U16(0) + U32(0));
    EXPECT_EQ(page.saved, 1);

    DrawPage back;
    const auto result = back.Deserialize(bytes);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(back.createdText, page.createdText);
    EXPECT_EQ(back.paperColor, 0x00FFEEDDu);
    EXPECT_EQ(back.pageWidth, 799);
}

TEST(DrawFile, SecondObjectOfAClassRefersToTheClassRecord) {
    DrawPage page;
    for (int i = 0; i < 2; ++i) {
        auto rect = std::make_shared<CDrawRect>(PageRect{-10 - i, 20, 30, -40});
        rect->name = QStringLiteral("R%1").arg(i);
        page.Add(rect);
    }
    const QByteArray bytes = page.Serialize();
    const qsizetype list = SkipHeader(bytes) + 12;
    EXPECT_EQ(bytes.mid(list, 2), U16(2));
    // A new class: 0xFFFF, schema 0, the name's length and the name; then the fields.
    EXPECT_EQ(bytes.mid(list + 2, 2 + 2 + 2 + 9), U16(0xFFFF) + U16(0) + U16(9) + QByteArray("CDrawRect"));
    EXPECT_EQ(bytes.mid(list + 17, 16), U32(std::uint32_t(-10)) + U32(20) + U32(30) + U32(std::uint32_t(-40)));
    // The second refers to class index 1 (the first object took index 2).
    EXPECT_NE(bytes.indexOf(U16(0x8001) + U32(std::uint32_t(-11))), -1);

    DrawPage back;
    ASSERT_TRUE(back.Deserialize(bytes).complete);
    ASSERT_EQ(back.objects.size(), 2u);
    EXPECT_EQ(back.objects[1]->name, "R1");
    EXPECT_EQ(back.objects[1]->bounds, (PageRect{-11, 20, 30, -40}));
    EXPECT_EQ(back.Serialize().mid(SkipHeader(bytes)), bytes.mid(SkipHeader(bytes)));
}

TEST(DrawFile, EveryKindAndFieldSurvivesAndLongNamesTakeTheirPrefix) {
    DrawPage page;
    auto text = std::make_shared<CDrawRect>(PageRect{0, 100, 300, 0});
    text->shape = CDrawRect::Text;
    text->text = QString(254, QChar('x'));
    text->name = QString(255, QChar('n'));
    text->font.height = -24;
    text->font.SetFaceName("Courier New");
    text->textAlign = 2;
    text->shadowOn = 1;
    text->shadowColor = 0x123456;
    text->shadowDx = 3;
    text->shadowDy = -4;
    text->extraText = "kept";
    text->extraWord = 7;
    auto poly = std::make_shared<CDrawPoly>();
    poly->polyKind = CDrawPoly::Curve;
    for (int i = 0; i < 7; ++i) poly->AddPoint({i * 10, i * i});
    auto group = std::make_shared<CDrawGroupObj>(PageRect{0, 0, 10, -10});
    group->members.push_back(std::make_shared<CDrawRect>(PageRect{1, 2, 3, 4}));
    auto wide = std::make_shared<CDrawRect>(PageRect{});
    wide->name = QStringLiteral("Straße 北京");
    for (const auto& object : std::vector<std::shared_ptr<CDrawObj>>{text, poly, group, wide}) page.Add(object);
    const QByteArray bytes = page.Serialize();
    // 254 bytes: a one-byte prefix; 255: 0xFF then a 16-bit length.
    EXPECT_NE(bytes.indexOf(QByteArray(1, char(0xFE)) + QByteArray(254, 'x')), -1);
    EXPECT_NE(bytes.indexOf(QByteArray(1, char(0xFF)) + U16(255) + QByteArray(255, 'n')), -1);

    DrawPage back;
    ASSERT_TRUE(back.Deserialize(bytes).complete);
    ASSERT_EQ(back.objects.size(), 4u);
    const auto* t = dynamic_cast<CDrawRect*>(back.objects[0].get());
    ASSERT_TRUE(t);
    EXPECT_EQ(t->font, text->font);
    EXPECT_EQ(t->font.FaceName(), "Courier New");
    EXPECT_EQ(t->extraText, "kept");
    EXPECT_EQ(t->extraWord, 7);
    EXPECT_EQ(t->shadowDy, -4);
    const auto* p = dynamic_cast<CDrawPoly*>(back.objects[1].get());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->points, poly->points);
    EXPECT_EQ(p->pointCapacity, 10);
    EXPECT_EQ(dynamic_cast<CDrawGroupObj*>(back.objects[2].get())->members.size(), 1u);
    EXPECT_EQ(back.objects[3]->name, QStringLiteral("Straße 北京"));
    EXPECT_EQ(back.Serialize().mid(SkipHeader(bytes)), bytes.mid(SkipHeader(bytes)));
}

TEST(DrawFile, RefusalsAndEarlyStopsKeepWhatWasRead) {
    DrawPage page;
    EXPECT_EQ(page.Deserialize("XXXX").refusal, "Error:\nNot a AlboDraw file\n\nOpen empty file!");
    DrawPage source;
    source.Add(std::make_shared<CDrawRect>(PageRect{0, 10, 10, 0}));
    source.Add(std::make_shared<CDrawRect>(PageRect{0, 20, 20, 0}));
    QByteArray bytes = source.Serialize();
    QByteArray newer = bytes;
    newer[4] = 8;
    EXPECT_EQ(page.Deserialize(newer).refusal, "Error:\nEarly versions not suported!");
    EXPECT_TRUE(page.objects.empty());
    // Cut in the second object: the first stays.
    const auto result = page.Deserialize(bytes.left(bytes.size() - 30));
    EXPECT_FALSE(result.complete);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(page.objects.size(), 1u);
    // An unknown class name is a failure too.
    QByteArray unknown = bytes;
    unknown.replace("CDrawRect", "CDrawXxxx");
    DrawPage other;
    EXPECT_FALSE(other.Deserialize(unknown).complete);
    EXPECT_TRUE(other.objects.empty());
}

TEST(DrawFile, AnOleObjectFromWindowsStopsTheReadWithAReason) {
    DrawPage source;
    source.Add(std::make_shared<CDrawRect>(PageRect{0, 10, 10, 0}));
    auto ole = std::make_shared<CDrawOleObj>();
    ole->item = std::make_shared<CDrawItem>();
    source.Add(ole);
    DrawPage page;
    const auto result = page.Deserialize(source.Serialize());
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(result.error, CDrawOleObj::kRefusal);
    EXPECT_EQ(page.objects.size(), 1u);
}

TEST(DrawFile, ClipboardPayloadKeepsSelectionOrder) {
    CDrawRect a(PageRect{0, 1, 2, 3}), b(PageRect{4, 5, 6, 7});
    a.name = "A";
    b.name = "B";
    const QByteArray payload = DrawPage::ClipboardPayload({&b, &a});
    QString error;
    const auto objects = DrawPage::ReadClipboardPayload(payload, &error);
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->name, "B");
    EXPECT_EQ(objects[1]->name, "A");
    EXPECT_TRUE(DrawPage::ReadClipboardPayload(payload.left(10)).size() < 2);
}

TEST(DrawFile, AGroupHoldingItselfIsRefused) {
    CDrawGroupObj group(PageRect{0, 10, 10, 0});
    group.members.push_back(std::make_shared<CDrawRect>(PageRect{1, 2, 3, 4}));
    QByteArray payload = DrawPage::ClipboardPayload({&group});
    // The member's record becomes a reference back to the group (object 2, after its class).
    const qsizetype member = payload.indexOf(QByteArray("CDrawRect")) - 6;
    ASSERT_GT(member, 0);
    payload = payload.left(member) + U16(2);
    QString error;
    EXPECT_TRUE(DrawPage::ReadClipboardPayload(payload, &error).empty());
    EXPECT_EQ(error, "an object listed twice");
}
