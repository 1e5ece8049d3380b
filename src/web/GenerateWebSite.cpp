#include "GenerateWebSite.h"

#include "HtmlWizardSettings.h"
#include "OutputNames.h"
#include "PageTemplates.h"
#include "SiteCopy.h"
#include "SitePictures.h"
#include "TemplateFiles.h"

#include "album/CAlboraDoc.h"
#include "platform/ProgramPaths.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

// A template folder with its files and the names they take in the site.
struct SourceFolder {
    QString path;
    QStringList files;
    QStringList outputNames;
};

std::optional<SourceFolder> OpenFolder(const QString& path, const char* missingMessage, UiServices& ui) {
    std::optional<QStringList> files = ListTemplateFiles(path);
    if (!files) {
        ui.MessageBox(QString::fromLatin1(missingMessage), MsgButtons::Ok, MsgIcon::Exclamation);
        return std::nullopt;
    }
    return SourceFolder{path, *files, {}};
}

bool SavePage(const QString& path, const QString& page, UiServices& ui) {
    ui.SetStatusText(0, QStringLiteral("Create format script: %1 ").arg(path));
    if (SafeFile::Write(path, page.toUtf8())) return true;
    ui.MessageBox(QStringLiteral("Error:\nCan't open file: ") + path, MsgButtons::Ok, MsgIcon::Exclamation);
    ui.MessageBox(QStringLiteral("Error:\nSaving file"), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

class SiteRun {
public:
    SiteRun(CAlboraDoc& doc, UiServices& ui, const HtmlWizardSettings& settings)
        : m_doc(doc), m_ui(ui), m_settings(settings), m_out(settings.outputDirectory) {}

    bool Run(const QString& templates);

private:
    bool OpenFolders(const QString& templates);
    bool MakeOutputDirectory();
    void NameEverything();
    void WritePages();
    void WriteTemplate(const QString& file, const QString& outputName);
    bool CopyAll(const SourceFolder& folder, const char* status);
    PlaceholderValues AlbumPageValues() const;

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    const HtmlWizardSettings& m_settings;
    QString m_out;
    SourceFolder m_formats, m_styles, m_buttons;
    OutputNames m_names;
    std::vector<SitePicture> m_pictures;
    std::vector<WebCard> m_cards;
};

bool SiteRun::Run(const QString& templates) {
    if (m_doc.Db().GetCount() > kMaxWebCards) {
        m_ui.MessageBox(QStringLiteral("Error:\nSorry, actualy only less than 999 images by album!"), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }
    // Every folder is checked before anything is written, so a missing set leaves no half site.
    if (!OpenFolders(templates) || !MakeOutputDirectory()) return false;
    WaitCursor wait(m_ui);
    NameEverything();
    if (!WritePictures(m_pictures, m_out, PictureTargetOf(m_settings.imageFormat), m_ui)) return false;
    WritePages();
    if (!CopyAll(m_styles, "Style implementation: %1 -> %2 ") || !CopyAll(m_buttons, "Buttons implementation: %1 -> %2 "))
        return false;
    m_ui.SetStatusText(0, QStringLiteral("Successful WEB Site Creation."));
    m_ui.MessageBox(QStringLiteral("Successful WEB Site Creation on:\n") + m_out, MsgButtons::Ok, MsgIcon::Information);
    return true;
}

bool SiteRun::OpenFolders(const QString& templates) {
    const QString kind = FormatKind(m_settings.pageFormat);
    std::optional<SourceFolder> formats =
        OpenFolder(templates + QStringLiteral("/FORMATS/") + kind, "Error:\nNot formats available", m_ui);
    if (!formats) return false;
    std::optional<SourceFolder> styles =
        OpenFolder(templates + QStringLiteral("/STYLES/") + m_settings.styleSet, "Error:\nNot styles available", m_ui);
    if (!styles) return false;
    std::optional<SourceFolder> buttons = OpenFolder(templates + QStringLiteral("/BUTTONS/") + m_settings.buttonSet,
                                                     "Error:\nNot buttons available", m_ui);
    if (!buttons) return false;
    m_formats = std::move(*formats);
    m_styles = std::move(*styles);
    m_buttons = std::move(*buttons);
    return true;
}

bool SiteRun::MakeOutputDirectory() {
    m_ui.SetStatusText(0, QStringLiteral("Begin WEB Site Creation. Directory creation."));
    // An existing folder is simply used again; missing parents are made.
    errno = 0;
    if (QDir().mkpath(m_out) && QFileInfo(m_out).isDir()) return true;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno ? errno : ENOTDIR));
    m_ui.MessageBox(QStringLiteral("Directory creation error:\n%1\n%2").arg(m_out, reason), MsgButtons::Ok,
                    MsgIcon::Stop);
    return false;
}

void SiteRun::NameEverything() {
    // The names template files keep are taken first, since pages refer to them as written;
    // pictures and per-card pages, reached through placeholders, give way to them.
    for (SourceFolder* folder : {&m_formats, &m_styles, &m_buttons})
        for (const QString& file : folder->files)
            folder->outputNames += folder == &m_formats && IsTextTemplate(file) && NamingOf(file) != PageNaming::Single
                                       ? QString()
                                       : m_names.Claim(file);
    const int count = m_doc.Db().GetCount();
    const PictureTarget target = PictureTargetOf(m_settings.imageFormat);
    for (int i = 0; i < count; ++i) {
        const QString source = m_doc.CardFile(i);
        m_pictures.push_back({source, m_names.Claim(PictureName(source, target))});
        m_cards.push_back({m_doc.Db().GetAt(i), i + 1, m_pictures.back().name});
    }
}

PlaceholderValues SiteRun::AlbumPageValues() const {
    const AlbumPageFacts facts{m_doc.CardFiles().Directory(), ProgramPaths::ProgramDirectory(),
                               static_cast<int>(m_cards.size()), std::time(nullptr)};
    return AlbumValues(m_doc.Db().List(), facts, m_settings);
}

void SiteRun::WritePages() {
    m_ui.SetStatusText(0, QStringLiteral("Format : %1 ").arg(FormatKind(m_settings.pageFormat)));
    for (qsizetype i = 0; i < m_formats.files.size(); ++i) {
        const QString& file = m_formats.files[i];
        const QString source = m_formats.path + QLatin1Char('/') + file;
        if (!IsTextTemplate(file)) {
            if (CopyWithRetry(source, m_out + QLatin1Char('/') + m_formats.outputNames[i], m_ui) == CopyOutcome::Aborted)
                return;
            continue;
        }
        WriteTemplate(file, m_formats.outputNames[i]);
    }
}

void SiteRun::WriteTemplate(const QString& file, const QString& outputName) {
    QString page;
    if (!LoadTemplate(m_formats.path + QLatin1Char('/') + file, page, m_ui))
        m_ui.MessageBox(QStringLiteral("Error:\nLoading file"), MsgButtons::Ok, MsgIcon::Exclamation);
    const PageNaming naming = NamingOf(file);
    if (naming == PageNaming::Single) {
        SavePage(m_out + QLatin1Char('/') + outputName, ExpandSinglePage(page, AlbumPageValues(), m_cards, m_settings),
                 m_ui);
        return;
    }
    for (const WebCard& card : m_cards) {
        const QString name = m_names.Claim(CardPageName(file, naming, card));
        SavePage(m_out + QLatin1Char('/') + name, WithCardValues(AlbumPageValues(), card, m_settings).Expand(page), m_ui);
    }
}

bool SiteRun::CopyAll(const SourceFolder& folder, const char* status) {
    for (qsizetype i = 0; i < folder.files.size(); ++i) {
        const QString source = folder.path + QLatin1Char('/') + folder.files[i];
        const QString target = m_out + QLatin1Char('/') + folder.outputNames[i];
        m_ui.SetStatusText(0, QString::fromLatin1(status).arg(source, target));
        if (CopyWithRetry(source, target, m_ui) == CopyOutcome::Aborted) return false;
    }
    return true;
}

}  // namespace

QString DefaultTemplatesDirectory() { return ProgramPaths::FindShippedFile(QStringLiteral("HTMLWIZ")); }

bool GenerateWebSite(CAlboraDoc& doc, UiServices& ui, const HtmlWizardSettings& settings,
                     const QString& templatesDirectory) {
    return SiteRun(doc, ui, settings).Run(templatesDirectory);
}
