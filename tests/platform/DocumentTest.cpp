#include "platform/Document.h"
#include "platform/HeadlessUi.h"

#include <gtest/gtest.h>

namespace {

class Doc : public Document {
public:
    using Document::Document;
    bool openResult = true;
    int saves = 0;
    QString savedTo;

protected:
    bool OnOpenDocument(const QString&) override { return openResult; }
    bool OnSaveDocument(const QString& path) override {
        ++saves;
        savedTo = path;
        return true;
    }
    void DeleteContents() override {}
    QString FileFilter() const override { return QStringLiteral("Test (*.tst)"); }
    QString DefaultExtension() const override { return QStringLiteral(".tst"); }
};

class RecordingView : public View {
public:
    void OnUpdate(View* sender, int hint, void*) override {
        senders.push_back(sender);
        hints.push_back(hint);
    }
    std::vector<View*> senders;
    std::vector<int> hints;
};

}  // namespace

TEST(Document, UpdatesEveryViewButTheSender) {
    HeadlessUi ui;
    Doc doc(ui);
    RecordingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.UpdateAllViews(&a, 501);
    EXPECT_TRUE(a.hints.empty());
    EXPECT_EQ(b.hints, std::vector<int>{501});
    EXPECT_EQ(b.senders.front(), &a);
}

TEST(Document, AFailedOpenLeavesTheOpenDocumentUnderItsOwnName) {
    HeadlessUi ui;
    Doc doc(ui);
    RecordingView view;
    doc.AddView(&view);
    ASSERT_TRUE(doc.FileOpen(QStringLiteral("/tmp/good.tst")));
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("good"));
    EXPECT_EQ(view.hints, std::vector<int>{0});
    doc.SetModifiedFlag();
    doc.openResult = false;
    ui.QueueAnswer(MsgAnswer::No);  // keep the changes in memory, do not save them
    EXPECT_FALSE(doc.FileOpen(QStringLiteral("/tmp/bad.tst")));
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("good"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.hints, std::vector<int>{0});
    // Save goes to the file that was open, not to the one that could not be read.
    EXPECT_TRUE(doc.FileSave());
    EXPECT_EQ(doc.saves, 1);
}

TEST(Document, SaveModifiedAsksAndFollowsTheAnswer) {
    HeadlessUi ui;
    Doc doc(ui);
    doc.SetModifiedFlag();
    ui.QueueAnswer(MsgAnswer::Cancel);
    EXPECT_FALSE(doc.FileNew());
    EXPECT_EQ(ui.LastMessage(), QStringLiteral("Save changes to Untitled?"));
    EXPECT_TRUE(doc.IsModified());

    ui.QueueAnswer(MsgAnswer::Yes);
    ui.QueuePath(QStringLiteral("/tmp/named"));
    EXPECT_TRUE(doc.FileNew());
    EXPECT_EQ(doc.savedTo, QStringLiteral("/tmp/named.tst"));
    EXPECT_FALSE(doc.IsModified());
}
