#pragma once

// Answers to the modal dialogs a command opens: a dialog runs its own event loop, so a test
// answers it from a timer.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <type_traits>

inline QWidget* TopWindow() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::activeModalWidget();
}

// Calls ACT with the next modal window or popup of type T that shows above the one on top now.
template <class T = QDialog>
void OnNext(std::type_identity_t<std::function<void(T*)>> act) {
    const QPointer<QWidget> below = TopWindow();
    auto* timer = new QTimer;
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [=] {
        T* top = qobject_cast<T*>(TopWindow());
        const bool late = waited->elapsed() > 5000;
        if (!late && (!top || top == below.data() || !top->isVisible())) return;
        timer->stop();
        timer->deleteLater();
        if (!late) return act(top);
        ADD_FAILURE() << "no " << T::staticMetaObject.className() << " opened";
        // Whatever opened instead would wait for an answer for ever.
        if (QWidget* stray = TopWindow()) stray->close();
    });
    timer->start();
}

// Types PATH into the file chooser and takes it (selecting it races with the chooser's own
// reading of the folder).
inline void Answer(QFileDialog* files, const QString& path) {
    files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    static_cast<QDialog*>(files)->accept();
}

// Closes the message box that comes next, keeping its text in TEXT.
inline void ReadMessage(QString& text) {
    OnNext<QMessageBox>([&text](QMessageBox* box) {
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
}

