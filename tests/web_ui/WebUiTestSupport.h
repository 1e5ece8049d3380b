#pragma once

#include "platform/HeadlessUi.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Runs ACT once DIALOG's own event loop has started; a dialog ACT leaves open is cancelled, so a
// failed expectation cannot leave the test waiting.
inline void WhileOpen(QDialog& dialog, std::function<void()> act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act();
        if (dialog.isVisible()) dialog.reject();
    });
}

// The headless Ui, keeping the title and starting folder of the last folder request.
class FolderRequestLog : public HeadlessUi {
public:
    std::optional<QString> ChooseFolder(const QString& title, const QString& start) override {
        this->title = title;
        this->start = start;
        return HeadlessUi::ChooseFolder(title, start);
    }

    QString title;
    QString start;
};

// The child of WINDOW named NAME.
template <class T>
T* Control(const QWidget& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(control) << name;
    return control;
}
