#pragma once

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/QtUiServices.h"
#include "shell/CMainFrame.h"
#include "shell/GuiSession.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The program's main window over a session of its own, with settings in memory.
struct FrameFixture {
    MemorySettingsStore store;
    CAppSettings settings;
    std::unique_ptr<GuiSession> session;
    CMainFrame* frame = nullptr;
    CAlboraDoc* doc = nullptr;
    QtUiServices* ui = nullptr;

    // A main window placed by WINDOWPOS when given, and shown when SHOW is set; CLASSIC picks
    // the layout.
    explicit FrameFixture(const QString& windowPos = {}, bool show = true, bool classic = false) {
        if (!windowPos.isEmpty()) store.WriteText("Settings", "WindowPos", windowPos);
        settings.ClasicLayout = classic;
        session = std::make_unique<GuiSession>(settings, store);
        frame = session->frame.get();
        doc = &session->doc;
        ui = &session->ui;
        if (!show) return;
        frame->RestorePlacement();
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
    }
    void AddCards(int n) {
        for (int i = 0; i < n; ++i) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = QStringLiteral("Card %1").arg(i);
            card->m_strGraphic = QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QChar('0'));
            card->m_strDescription = QStringLiteral("Picture number %1").arg(i);
            doc->Db().InsertSorted(card);
        }
        doc->UpdateAllViews(nullptr, Hint::Rebuild);
    }
};
