#pragma once

#include "platform/CommandTarget.h"

#include <utility>
#include <vector>

class CAlboraDoc;
class CAppSettings;
class MainWindowServices;
class ProcessLauncher;
class QWidget;
class UiServices;

// The commands of Utilities > Internet: the assistant that makes the album's site, looking at it
// inside the program or in the desktop's browser, editing and publishing it with the programs the
// settings name, and those settings.
class WebCommands : public CommandTarget {
public:
    struct Services {
        UiServices& ui;
        ProcessLauncher& launcher;
        MainWindowServices& mainWindow;
        QWidget* parent;  // owns the wizard and the dialogs
    };
    WebCommands(CAlboraDoc& doc, CAppSettings& settings, Services services);

private:
    void MakeSite();
    void Explore(const QString& target);
    void EditPage();
    void Publish();
    // The site's home page, or its folder; empty while the album has none.
    QString SiteTarget(const QString& name) const;
    // Starts COMMANDLINE with its placeholders filled in, or says why it cannot.
    void Start(const QString& commandLine, const std::vector<std::pair<QString, QString>>& placeholders);

    CAlboraDoc& m_doc;
    CAppSettings& m_settings;
    Services m_services;
};
