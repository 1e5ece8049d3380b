// The device choice, activation and Photo/Scan over devices that say what they would do, and
// the detection report.
#include "TestFiles.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/CapturePipeline.h"
#include "capture/DetectionReport.h"
#include "platform/HeadlessUi.h"
#include "TestDoubles.h"

#include <gtest/gtest.h>

namespace {

// A device that answers as it is told; the real ones run their dialogs here.
class ScriptedDevice : public CaptureDevice {
public:
    Capabilities abilities;
    bool activates = true;
    CaptureOutcome outcome;
    int activations = 0;
    QStringList proposals;

    Capabilities Abilities() const override { return abilities; }
    QString StatusName() const override { return QStringLiteral("Scripted"); }
    bool Activate() override {
        ++activations;
        return activates;
    }
    CaptureOutcome Take(const QString& proposed) override {
        proposals << proposed;
        return outcome;
    }
};

struct PipelineFixture {
    HeadlessUi ui;
    CAppSettings settings;
    ScriptedDevice* device = nullptr;
    int made = 0;
    CapturePipeline pipeline{settings, ui, [this](int kind) -> std::unique_ptr<CaptureDevice> {
                                 if (kind != CaptureKind::Twain) return nullptr;
                                 ++made;
                                 auto scripted = std::make_unique<ScriptedDevice>();
                                 device = scripted.get();
                                 return scripted;
                             }};
    QStringList inserted;
    bool Take() {
        return pipeline.PhotoScan("IMG_0000.jpg", [this](const QString& file) { inserted << file; }).cards;
    }
};

}  // namespace

TEST(CapturePipeline, ActivationShowsTheDeviceAndFallsBackToNoneWhenItCannotServe) {
    PipelineFixture f;
    f.pipeline.Select(CaptureKind::None);
    EXPECT_EQ(f.ui.StatusText(2), "None");
    EXPECT_EQ(f.ui.Beeps(), 1);
    EXPECT_FALSE(f.Take());

    f.pipeline.Select(CaptureKind::Twain);
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::Twain);
    EXPECT_EQ(f.ui.StatusText(2), "Scripted");
    f.device->activates = false;
    f.pipeline.Activate();
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::None);
    EXPECT_EQ(f.ui.StatusText(2), "None");

    // The device is made once and kept, as a capture window lives for the whole run.
    f.pipeline.Select(CaptureKind::Twain);
    EXPECT_EQ(f.made, 1);
    EXPECT_EQ(f.device->activations, 3);

    // A stored choice this computer has no device for is no choice.
    f.pipeline.Select(CaptureKind::VideoForWindows);
    EXPECT_EQ(f.settings.hardCapture, CaptureKind::None);
    EXPECT_EQ(f.ui.StatusText(2), "None");
}

TEST(CapturePipeline, PhotoScanHandsOutTheFilesThatAreToBecomeCardsInOrder) {
    PipelineFixture f;
    f.pipeline.Select(CaptureKind::Twain);
    f.device->outcome = CaptureOutcome::Taken({"IMG_0000.jpg", "IMG_0001.jpg", "IMG_0002.jpg"});
    f.device->abilities.cards = CaptureDevice::Cards::Always;
    f.settings.flgAutoInsert = 0;
    EXPECT_TRUE(f.Take());
    EXPECT_EQ(f.inserted, (QStringList{"IMG_0000.jpg", "IMG_0001.jpg", "IMG_0002.jpg"}));
    EXPECT_EQ(f.device->proposals, QStringList{"IMG_0000.jpg"});

    f.inserted.clear();
    f.device->abilities.cards = CaptureDevice::Cards::WhenAutoInsert;
    EXPECT_TRUE(f.Take());  // taken, so the card editor would open, but no card was wanted
    EXPECT_TRUE(f.inserted.isEmpty());
    f.settings.flgAutoInsert = 1;
    EXPECT_TRUE(f.Take());
    EXPECT_EQ(f.inserted.size(), 3);

    f.inserted.clear();
    f.device->abilities.cards = CaptureDevice::Cards::Never;
    EXPECT_FALSE(f.Take());
    EXPECT_TRUE(f.inserted.isEmpty());

    f.device->abilities.cards = CaptureDevice::Cards::Always;
    for (const CaptureOutcome& nothing : {CaptureOutcome::Failed(), CaptureOutcome::Cancelled(), CaptureOutcome::Taken({})}) {
        f.device->outcome = nothing;
        EXPECT_FALSE(f.Take());
    }
    EXPECT_TRUE(f.inserted.isEmpty());
}

TEST(CaptureDocument, InsertImageAsCardMakesADatedCardInNameOrderAmongAllCards) {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc(ui, settings);
    HintLog sender, other;
    doc.AddView(&sender);
    doc.AddView(&other);
    for (const char* name : {"b", "d", "zebra"}) doc.AddFileAsCard(name);
    const QString zebra = "zebra";
    ASSERT_TRUE(doc.Db().Search(&zebra, "Name"));
    doc.SetModifiedFlag(false);
    sender.hints.clear();
    other.hints.clear();

    const int index = doc.InsertImageAsCard("c", &sender);
    EXPECT_EQ(doc.Db().Found(), nullptr);  // the search result gave way to the album
    EXPECT_EQ(index, 1);                   // "b", "c", "d" ... by name
    const CFotoObj* card = doc.Db().GetAt(index);
    EXPECT_EQ(card->m_strName, "c");
    EXPECT_EQ(card->m_strGraphic, "c");
    EXPECT_TRUE(card->m_strDescription.isEmpty());
    EXPECT_NEAR(double(card->m_time), double(QDateTime::currentSecsSinceEpoch()), 5);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(sender.hints.empty());
    EXPECT_EQ(other.hints, std::vector<int>{Hint::Rebuild});
    doc.RemoveView(&sender);
    doc.RemoveView(&other);
}

TEST(DetectionReport, SaysWhatCanBeCapturedAndWarnsOfAPoorDisplay) {
    CaptureHardware found;
    EXPECT_EQ(DetectionReportText(found),
              "Report:\r\nWith this configuration:\r\n- you will be able to capture screen images.\r\n"
              "Display information:\r\nColors: True colors\r\n");
    found.scanner = true;
    found.trueColour = false;
    EXPECT_EQ(DetectionReportText(found),
              "Report:\r\nWith this configuration:\r\n- you will be able to capture screen images.\r\n"
              "- you will be able to capture single images from scanner sources.\r\n"
              "With this configuration you won't be able to capture live video, only single images.\r\n"
              "Display information:\r\nColors: No true colors\r\nPlease select more colors\r\n"
              "Warning: Albora only work fine with a true colors display!\r\n");
    found.video = true;
    found.overlay = true;
    found.screen = false;
    found.screenWhy = "no X display";
    const QString text = DetectionReportText(found);
    EXPECT_TRUE(text.contains("- you will not be able to capture screen images: no X display\r\n"));
    EXPECT_TRUE(text.contains("live video from digitalvideo sources.\r\n- you will be able to capture single images "
                              "from scanner sources.\r\n- you will be able to capture single images from ovelay sources.\r\n"
                              "Display information:"));
}
