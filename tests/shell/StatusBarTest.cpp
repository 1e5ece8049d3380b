#include "shell/StatusBarWithProgress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(StatusBar, CutsLongTextsAndShowsProgressAfterPaneZero) {
    QMainWindow window;
    auto* bar = new StatusBarWithProgress(&window);
    window.setStatusBar(bar);
    window.resize(800, 300);
    window.show();

    bar->SetPaneText(0, QString(300, 'x'));
    EXPECT_EQ(bar->PaneText(0).size(), 255);

    bar->SetPaneText(0, QStringLiteral("Listing..."));
    EXPECT_FALSE(bar->Progress()->isVisible());
    bar->ProgressBegin(0, 10, 2);
    EXPECT_TRUE(bar->Progress()->isVisible());
    EXPECT_EQ(bar->Progress()->width(), StatusBarWithProgress::kProgressWidth);
    bar->ProgressStep();
    bar->ProgressStep();
    EXPECT_EQ(bar->Progress()->value(), 4);
    bar->ProgressEnd();
    bar->ProgressStep();  // after the end: nothing changes
    EXPECT_EQ(bar->Progress()->value(), 4);
    EXPECT_FALSE(bar->Progress()->isVisible());
}

TEST(StatusBar, EscapeOrAClickRaisesTheCancelRequestUntilTheNextBegin) {
    QMainWindow window;
    auto* bar = new StatusBarWithProgress(&window);
    window.setStatusBar(bar);
    window.show();
    bar->ProgressBegin(0, 100, 1);
    EXPECT_FALSE(bar->CancelRequested());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(bar->CancelRequested());
    bar->ProgressBegin(0, 100, 1);
    EXPECT_FALSE(bar->CancelRequested());
    QTest::mouseClick(bar->Progress(), Qt::LeftButton);
    EXPECT_TRUE(bar->CancelRequested());
    bar->ProgressEnd();
}
