#include "TestFiles.h"
#include "platform/ObjectArchive.h"

#include <gtest/gtest.h>

namespace {

// A node with a number and an optional reference to another node, enough to write every tag form.
class Node final : public Serializable {
public:
    static const ClassInfo kClass;
    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override {
        ar.WriteWord(value);
        ar.WriteObject(next.get());
    }
    void Load(ArchiveReader& ar) override {
        value = ar.ReadWord();
        next = ar.ReadObjectAs<Node>();
    }
    std::uint16_t value = 0;
    std::shared_ptr<Node> next;
};
const ClassInfo Node::kClass{"CNode", 2, [] { return std::make_unique<Node>(); }};

const ClassRegistry& Classes() {
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register(Node::kClass);
        return r;
    }();
    return registry;
}

QByteArray WrittenString(const QString& text) {
    QByteArray out;
    ArchiveWriter(out).WriteString(text);
    return out;
}

QString ReadString(const QByteArray& bytes, bool* ok = nullptr) {
    ArchiveReader ar(bytes, Classes());
    const QString text = ar.ReadString();
    if (ok) *ok = ar.ok() && ar.Remaining() == 0;
    return text;
}

QByteArray NodeHeader() { return Hex("FFFF 0200 0500") + "CNode"; }

}  // namespace

TEST(ObjectArchive, StringLengthPrefixesSwitchAtTheirLimits) {
    EXPECT_EQ(WrittenString(""), Hex("00"));
    EXPECT_EQ(WrittenString(QString(254, 'x')).left(1), Hex("FE"));
    EXPECT_EQ(WrittenString(QString(255, 'x')).left(3), Hex("FF FF 00"));
    EXPECT_EQ(WrittenString(QString(65533, 'x')).left(3), Hex("FF FD FF"));
    EXPECT_EQ(WrittenString(QString(65534, 'x')).left(7), Hex("FF FF FF FE FF 00 00"));
    for (int length : {0, 254, 255, 65533, 65534, 70000}) {
        bool ok = false;
        EXPECT_EQ(ReadString(WrittenString(QString(length, 'q')), &ok).size(), length);
        EXPECT_TRUE(ok) << length;
    }
}

TEST(ObjectArchive, TextsOutsideTheCodePageGoWideAndComeBack) {
    const QString text = QStringLiteral("Tokyo \u6771\u4EAC");
    const QByteArray bytes = WrittenString(text);
    EXPECT_EQ(bytes.left(4), Hex("FF FE FF 08"));
    EXPECT_EQ(ReadString(bytes), text);
    // A wide text with the word length form, as other writers produce.
    EXPECT_EQ(ReadString(Hex("FF FEFF FF 0100 6100")), QStringLiteral("a"));
    EXPECT_EQ(ReadString(Hex("01 E9")), QStringLiteral("\u00E9"));
}

TEST(ObjectArchive, CountsUseAWordUntilItsEscape) {
    QByteArray out;
    ArchiveWriter w(out);
    w.WriteCount(0xFFFE);
    w.WriteCount(0xFFFF);
    EXPECT_EQ(out, Hex("FEFF FFFF FFFF0000"));
}

TEST(ObjectArchive, ObjectsShareOneIndexSpaceWithTheirClasses) {
    auto first = std::make_shared<Node>();
    auto second = std::make_shared<Node>();
    first->value = 7;
    first->next = second;
    second->value = 8;
    second->next = first;  // back to index 2
    QByteArray out;
    ArchiveWriter(out).WriteObject(first.get());
    // class 1, first node 2, second node 3 as a class reference, then the back-reference 0x0002.
    EXPECT_EQ(out, NodeHeader() + Hex("0700 0180 0800 0200"));

    ArchiveReader ar(out, Classes());
    auto read = ar.ReadObjectAs<Node>();
    ASSERT_TRUE(ar.ok()) << ar.Error().toStdString();
    EXPECT_EQ(read->value, 7);
    EXPECT_EQ(read->next->value, 8);
    EXPECT_EQ(read->next->next, read);
    read->next->next.reset();  // break the cycle
    first->next.reset();
}

TEST(ObjectArchive, BigIndicesUseTheLongTag) {
    // A chain deeper than the nesting limit cannot be written as one object, so the long tags are
    // reached with many sibling objects written one after the other.
    QByteArray out;
    ArchiveWriter w(out);
    std::vector<std::shared_ptr<Node>> nodes(0x8000);
    for (auto& node : nodes) {
        node = std::make_shared<Node>();
        w.WriteObject(node.get());
    }
    w.WriteObject(nodes.back().get());
    // The last node took index 0x8001: a class reference tag with the long object index.
    EXPECT_EQ(out.right(6), Hex("FF7F 0180 0000"));

    ArchiveReader ar(out, Classes());
    std::shared_ptr<Node> last;
    for (size_t i = 0; i < nodes.size(); ++i) last = ar.ReadObjectAs<Node>();
    EXPECT_EQ(ar.ReadObjectAs<Node>(), last);
    EXPECT_TRUE(ar.LastWasBackReference());
    EXPECT_TRUE(ar.ok());
    EXPECT_EQ(ar.Remaining(), 0u);
}

TEST(ObjectArchive, HostileStreamsFailWithoutAllocating) {
    const QByteArray cases[] = {
        Hex("FFFF 0200 0500") + "CWhat" + Hex("0000 0000"),   // unknown class
        Hex("FFFF 0100 0500") + "CNode" + Hex("0000 0000"),   // other schema
        Hex("FFFF 0200 4000") + QByteArray(64, 'C'),          // name of 64 characters
        Hex("0500"),                                          // object never assigned
        NodeHeader() + Hex("0000 0100"),                      // back-reference to a class
        NodeHeader() + Hex("0000 0280"),                      // class reference to an object
        Hex("FF7F 05000080"),                                 // long class reference unknown
        NodeHeader() + Hex("00"),                             // truncated field
        Hex("FFFF 0200 0500") + "CNo",                        // truncated name
    };
    for (const QByteArray& bytes : cases) {
        ArchiveReader ar(bytes, Classes());
        EXPECT_EQ(ar.ReadObject(), nullptr) << bytes.toHex().constData();
        EXPECT_FALSE(ar.ok()) << bytes.toHex().constData();
    }
}

TEST(ObjectArchive, LengthsAndCountsAreCheckedAgainstTheBytesLeft) {
    bool ok = true;
    ReadString(Hex("FF FF FF FF FF FF 7F") + "abc", &ok);  // 2 GiB text in a few bytes
    EXPECT_FALSE(ok);
    ReadString(Hex("FF FE FF FF FF FF FF FF 7F"), &ok);
    EXPECT_FALSE(ok);

    const QByteArray hugeCount = Hex("FFFF FFFFFFFF 0000");
    ArchiveReader ar(hugeCount, Classes());
    EXPECT_EQ(ar.ReadCount(2), 0u);
    EXPECT_FALSE(ar.ok());
}

TEST(ObjectArchive, DeepNestingFailsInsteadOfOverflowingTheStack) {
    QByteArray bytes = NodeHeader() + Hex("0000");
    for (int i = 0; i < 100000; ++i) bytes += Hex("0180 0000");
    ArchiveReader ar(bytes, Classes());
    EXPECT_EQ(ar.ReadObject(), nullptr);
    EXPECT_FALSE(ar.ok());
}
