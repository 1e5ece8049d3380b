#include "WebCommands.h"

#include "CPSheetHTMLWizard.h"
#include "InternetPropertiesSheet.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CommandIds.h"
#include "platform/MainWindowServices.h"
#include "platform/ProcessLauncher.h"
#include "platform/UiServices.h"
#include "web/GenerateWebSite.h"
#include "web/HtmlWizardSettings.h"
#include "web/WebCommandLines.h"
#include "web/WizardChoices.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

WebCommands::WebCommands(CAlboraDoc& doc, CAppSettings& settings, Services services)
    : m_doc(doc),
      m_settings(settings),
      m_services(services) {
    const auto exists = [this](const QString& name) {
        return [this, name](CommandState& s) { s.enabled = !SiteTarget(name).isEmpty(); };
    };
    OnCommand(Cmd::HtmlAssistant, [this] { MakeSite(); },
              [this](CommandState& s) { s.enabled = m_doc.Db().GetCount() > 0; });
    OnCommand(Cmd::ExploreWebPage, [this] { Explore(SiteTarget(QStringLiteral("index.htm"))); },
              exists(QStringLiteral("index.htm")));
    OnCommand(Cmd::ExploreHtmlDir, [this] { Explore(SiteTarget({})); }, exists({}));
    OnCommand(Cmd::HtmlEdit, [this] { EditPage(); });
    // A publisher is the user's own choice: without one there is nothing to start.
    OnCommand(Cmd::Publish, [this] { Publish(); }, [this](CommandState& s) {
        s.enabled = !CommandWords(m_settings.publisher, {}).isEmpty() && !SiteTarget(QStringLiteral("index.htm")).isEmpty();
    });
    OnCommand(Cmd::InternetProperties,
              [this] { InternetPropertiesSheet(m_settings, m_services.ui, m_services.parent).Run(); });
}

QString WebCommands::SiteTarget(const QString& name) const {
    const QString folder = AlbumSiteDirectory(m_doc, m_settings);
    if (folder.isEmpty()) return {};
    const QString target = name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
    return QFileInfo::exists(target) ? target : QString();
}

void WebCommands::MakeSite() {
    const QString album = SavedAlbumDirectory(m_doc);
    // What was chosen last, in this run or an earlier one, is offered again.
    HtmlWizardSettings choices;
    RecallWizardChoices(m_settings, choices);
    CPSheetHTMLWizard wizard(choices, m_services.ui, m_services.parent);
    if (!wizard.Run(SiteDirectory(m_settings.assistDefDir, album))) return;
    RememberWizardChoices(choices, m_settings);
    const WebSiteResult result = GenerateWebSite(m_doc, m_services.ui, choices, DefaultTemplatesDirectory());
    if (result == WebSiteResult::NotMade) return;
    // The tab shows the site just made, wherever the user put it.
    m_services.mainWindow.ShowTab(MainWindowServices::WebTab);
    m_services.mainWindow.NavigateWeb(
        QUrl::fromLocalFile(choices.outputDirectory + QStringLiteral("/index.htm")).toString());
}

void WebCommands::Explore(const QString& target) {
    if (target.isEmpty()) return;
    if (m_settings.useInternalBrowser) {
        m_services.mainWindow.ShowTab(MainWindowServices::WebTab);
        m_services.mainWindow.NavigateWeb(QUrl::fromLocalFile(target).toString());
        return;
    }
    if (!m_services.launcher.OpenWithAssociation(target))
        m_services.ui.MessageBox(QStringLiteral("Error:\nCan't start: xdg-open"), MsgButtons::Ok, MsgIcon::Stop);
}

void WebCommands::EditPage() {
    // The web view's page, as a file the editor can open.
    const QUrl location(m_services.mainWindow.GetWebLocation());
    QString file = location.isLocalFile() ? location.toLocalFile() : QString();
    m_services.ui.MessageBox(
        QStringLiteral("Remember:\rEvery time the Internet Assistant create a page it overwrites the changes you made to:\r") +
            file,
        MsgButtons::Ok, MsgIcon::Information);
    if (file.isEmpty()) {
        const std::optional<QString> chosen = m_services.ui.ChooseFile(
            FileDialogKind::Open, QStringLiteral("Open"), QStringLiteral("HTML files (*.htm *.html);;All Files (*)"), {});
        if (!chosen) return;
        file = *chosen;
    }
    Start(m_settings.htmlEditor, {{QStringLiteral("{FILEFROMSELECTOR}"), file}});
    const QString album = SavedAlbumDirectory(m_doc);
    if (!album.isEmpty()) QDir::setCurrent(album);
}

void WebCommands::Publish() {
    // The folder setting may itself name the album's folder, so it goes in first.
    QString folder = m_settings.assistDefDir;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    Start(m_settings.publisher, {{QStringLiteral("{ASSISTDEFDIR}"), folder},
                                 {QStringLiteral("{CRPPATH}"), m_doc.CardFiles().Directory()}});
}

void WebCommands::Start(const QString& commandLine, const std::vector<std::pair<QString, QString>>& placeholders) {
    QString failure = WindowsProgramProblem(commandLine);
    if (failure.isEmpty()) {
        const QStringList words = CommandWords(commandLine, placeholders);
        if (!words.isEmpty() && m_services.launcher.StartDetached(words.front(), words.mid(1))) return;
        failure = QStringLiteral("Can't start: ") + words.value(0);
        if (const QString reason = m_services.launcher.StartError(); !reason.isEmpty() && !words.isEmpty())
            failure += QStringLiteral("\n") + reason;
    }
    m_services.ui.MessageBox(QStringLiteral("Error:\n") + failure, MsgButtons::Ok, MsgIcon::Stop);
}
