#pragma once

#include "platform/Document.h"
#include "platform/MainWindowServices.h"
#include "platform/ProcessLauncher.h"

#include <QStringList>
#include <vector>

// A view that keeps the hints it is told.
class HintLog : public View {
public:
    void OnUpdate(View*, int hint, void*) override { hints.push_back(hint); }
    std::vector<int> hints;
};

// The main window's services as a record of the tabs brought forward.
class RecordingMainWindow : public MainWindowServices {
public:
    std::vector<int> tabs;
    void ShowTab(int tab) override { tabs.push_back(tab); }
    QString GetWebLocation() const override { return {}; }
    void NavigateWeb(const QString&) override {}
};

// Records the programs it is asked to start instead of starting them; knows one association.
class RecordingLauncher : public ProcessLauncher {
public:
    std::vector<QStringList> started;
    QString association = QStringLiteral("viewer.desktop");
    bool StartDetached(const QString& program, const QStringList& args) override {
        started.push_back(QStringList{program} + args);
        return true;
    }
    QString RunAndRead(const QString&, const QStringList& args) override {
        return args.value(1) == QStringLiteral("filetype") ? QStringLiteral("image/jpeg") : association;
    }
    bool Exists(const QString&) const override { return true; }
};
