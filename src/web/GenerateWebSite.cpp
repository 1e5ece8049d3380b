#include "GenerateWebSite.h"

#include "HtmlText.h"
#include "HtmlWizardSettings.h"
#include "OutputNames.h"
#include "PageTemplates.h"
#include "SiteCopy.h"
#include "SiteManifest.h"
#include "SitePictures.h"
#include "TemplateFiles.h"

#include "album/AlbumOutputGuard.h"
#include "album/CAlboraDoc.h"
#include "image/ImageLibrary.h"
#include "platform/FolderLock.h"
#include "platform/ProblemList.h"
#include "platform/ProgramPaths.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDateTime>
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

class SiteRun {
public:
    SiteRun(CAlboraDoc& doc, UiServices& ui, const HtmlWizardSettings& settings, bool full)
        : m_doc(doc), m_ui(ui), m_settings(settings), m_out(settings.outputDirectory), m_full(full) {}

    WebSiteResult Run(const QString& templates);

private:
    bool OpenFolders(const QString& templates);
    bool MakeOutputDirectory();
    void NameEverything();
    void NameCardPages();
    bool CopySounds();
    void GuardOutputs();
    enum class Replacing { AnyButTheAlbums, OnlyOwnOutputs };
    // Whether the output NAME may be written over whatever is there now.
    bool Replaceable(const QString& name, Replacing replacing) const;
    bool WritePages();
    bool WriteTemplate(qsizetype index);
    bool WritePage(const QString& name, const QString& page, const QString& timeless);
    bool CopyAll(const SourceFolder& folder, const char* status);
    CopyOutcome Copy(const QString& source, const QString& name);
    PlaceholderValues AlbumPageValues() const;
    WebSiteResult Finish(WebSiteResult result);
    void RemoveStale();
    void ReportProblems();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    const HtmlWizardSettings& m_settings;
    QString m_out;
    bool m_full;
    SourceFolder m_formats, m_styles, m_buttons;
    OutputNames m_names, m_thumbnailNames;
    std::vector<SitePicture> m_pictures;
    std::vector<WebCard> m_cards;
    std::vector<QString> m_soundSources;
    // The pages of each per-card template, by its place among the format files.
    std::vector<QStringList> m_cardPages;
    QStringList m_firstCardPages;  // of the first per-card template: the cards' own pages
    SiteManifest m_previous, m_current;
    OutputGuard m_guard;
    bool m_failed = false;
    bool m_told = false;  // a message already said why the run stopped
};

WebSiteResult SiteRun::Run(const QString& templates) {
    if (m_doc.Db().GetCount() > kMaxWebCards) {
        m_ui.MessageBox(QStringLiteral("Error:\nSorry, actualy only less than 999 images by album!"), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return WebSiteResult::NotMade;
    }
    // Every folder is checked before anything is written, so a missing set leaves no half site.
    if (!OpenFolders(templates) || !MakeOutputDirectory()) return WebSiteResult::NotMade;
    // A second run into the same folder would mix its pictures, pages and record with this one's.
    const FolderLock lock(m_out);
    if (!lock.Held()) {
        m_ui.MessageBox(QStringLiteral("Error:\nThe web site in %1 is being made by another run.").arg(m_out),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return WebSiteResult::NotMade;
    }
    WaitCursor wait(m_ui);
    m_previous = SiteManifest::Load(m_out);
    GuardOutputs();
    NameEverything();
    const PictureOptions options{PictureTargetOf(m_settings.imageFormat), m_settings.pictureBox,
                                 m_settings.thumbnailBox, ImageLibrary::JpegQuality(),
                                 m_settings.keepLocationAndOwner, m_settings.pageBackground};
    SiteOutputs outputs{m_out, m_previous, m_current, m_full};
    const PicturesResult pictures = WritePictures(m_pictures, options, outputs, m_ui);
    // Pages are written only once every picture they show is in place.
    m_told = pictures.failed;
    if (pictures.aborted || pictures.failed) return Finish(WebSiteResult::NotMade);
    if (!CopySounds() || !WritePages() || !CopyAll(m_styles, "Style implementation: %1 -> %2 ") ||
        !CopyAll(m_buttons, "Buttons implementation: %1 -> %2 "))
        return Finish(WebSiteResult::NotMade);
    return Finish(m_failed ? WebSiteResult::Incomplete : WebSiteResult::Complete);
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
    const QString thumbs = m_out + QStringLiteral("/thumbs");
    // A thumbs/ that leads elsewhere would receive the thumbnails over whatever lives there.
    if (EscapesFolder(m_out, QStringLiteral("thumbs"))) {
        m_ui.MessageBox(OutputRefusal(thumbs, QStringLiteral("a symbolic link")), MsgButtons::Ok, MsgIcon::Stop);
        return false;
    }
    // An existing folder is simply used again; missing parents are made.
    errno = 0;
    if (QDir().mkpath(thumbs) && QFileInfo(thumbs).isDir()) return true;
    const QString reason = QString::fromLocal8Bit(std::strerror(errno ? errno : ENOTDIR));
    m_ui.MessageBox(QStringLiteral("Directory creation error:\n%1\n%2").arg(m_out, reason), MsgButtons::Ok,
                    MsgIcon::Stop);
    return false;
}

void SiteRun::GuardOutputs() {
    // The site may be made in the photos' own folder: its files then take other names rather than
    // replace the album's, and the templates it is made from are never written over.
    m_guard = GuardOfAlbum(m_doc);
    for (const SourceFolder* folder : {&m_formats, &m_styles, &m_buttons})
        for (const QString& file : folder->files)
            m_guard.Protect(folder->path + QLatin1Char('/') + file, QStringLiteral("a template of the site"));
}

bool SiteRun::Replaceable(const QString& name, Replacing replacing) const {
    const QString path = m_out + QLatin1Char('/') + name;
    if (m_guard.Protected(path)) return false;
    if (replacing == Replacing::AnyButTheAlbums) return true;
    const QFileInfo file(path);
    return !(file.exists() || file.isSymLink()) || m_previous.Has(name);
}

void SiteRun::NameEverything() {
    // The names template files keep are taken first, since pages refer to them as written: they
    // replace what is there unless the album holds it.
    m_names.SetReserved([this](const QString& name) { return !Replaceable(name, Replacing::AnyButTheAlbums); });
    for (SourceFolder* folder : {&m_formats, &m_styles, &m_buttons})
        for (const QString& file : folder->files)
            folder->outputNames += folder == &m_formats && IsTextTemplate(file) && NamingOf(file) != PageNaming::Single
                                       ? QString()
                                       : m_names.Claim(file);
    // Pictures, notes and per-card pages, reached through placeholders, give way to them and to
    // every file in the folder that no earlier run of this site wrote: a site made among the
    // user's photos never replaces one of them.
    m_names.SetReserved([this](const QString& name) { return !Replaceable(name, Replacing::OnlyOwnOutputs); });
    m_thumbnailNames.SetReserved(
        [this](const QString& name) { return !Replaceable(QStringLiteral("thumbs/") + name, Replacing::OnlyOwnOutputs); });
    const int count = m_doc.Db().GetCount();
    const PictureTarget target = PictureTargetOf(m_settings.imageFormat);
    m_pictures.reserve(count);
    for (int i = 0; i < count; ++i) {
        SitePicture picture;
        picture.source = m_doc.CardFile(i);
        picture.name = m_names.Claim(PictureName(picture.source, target));
        picture.thumbnail = QStringLiteral("thumbs/") + m_thumbnailNames.Claim(ThumbnailName(picture.name, target));
        m_pictures.push_back(picture);
        const QString sound = m_settings.includeSound ? ExistingSoundFile(picture.source) : QString();
        const bool withSound = !sound.isEmpty() && QFileInfo(sound).isFile();
        m_soundSources.push_back(withSound ? sound : QString());
        m_cards.push_back({m_doc.Db().GetAt(i), i + 1, &m_pictures.back(),
                           withSound ? m_names.Claim(BaseName(picture.name) + QStringLiteral(".wav")) : QString()});
    }
    NameCardPages();
}

void SiteRun::NameCardPages() {
    m_cardPages.resize(m_formats.files.size());
    for (qsizetype t = 0; t < m_formats.files.size(); ++t) {
        const QString& file = m_formats.files[t];
        const PageNaming naming = NamingOf(file);
        if (!IsTextTemplate(file) || naming == PageNaming::Single) continue;
        for (const WebCard& card : m_cards) m_cardPages[t] += m_names.Claim(CardPageName(file, naming, card));
        if (m_firstCardPages.isEmpty()) m_firstCardPages = m_cardPages[t];
    }
}

bool SiteRun::CopySounds() {
    for (std::size_t i = 0; i < m_cards.size(); ++i)
        if (!m_soundSources[i].isEmpty() && Copy(m_soundSources[i], m_cards[i].soundName) == CopyOutcome::Aborted)
            return false;
    return true;
}

PlaceholderValues SiteRun::AlbumPageValues() const {
    const AlbumPageFacts facts{m_doc.CardFiles().Directory(),
                               ProgramPaths::ProgramDirectory(),
                               static_cast<int>(m_cards.size()),
                               std::time(nullptr),
                               m_firstCardPages.isEmpty() ? QString() : m_firstCardPages.first(),
                               m_firstCardPages.isEmpty() ? QString() : m_firstCardPages.last()};
    return AlbumValues(m_doc.Db().List(), facts, m_settings);
}

bool SiteRun::WritePages() {
    m_ui.SetStatusText(0, QStringLiteral("Format : %1 ").arg(FormatKind(m_settings.pageFormat)));
    for (qsizetype i = 0; i < m_formats.files.size(); ++i) {
        const QString& file = m_formats.files[i];
        if (IsTextTemplate(file) ? !WriteTemplate(i)
                                 : Copy(m_formats.path + QLatin1Char('/') + file, m_formats.outputNames[i]) ==
                                       CopyOutcome::Aborted)
            return false;
    }
    return true;
}

bool SiteRun::WriteTemplate(qsizetype index) {
    const QString& file = m_formats.files[index];
    QString page;
    if (!LoadTemplate(m_formats.path + QLatin1Char('/') + file, page, m_ui)) {
        m_ui.MessageBox(QStringLiteral("Error:\nLoading file"), MsgButtons::Ok, MsgIcon::Exclamation);
        m_failed = true;
    }
    // The page as it would be at any other time decides whether it is written again: one that
    // differs only in when the run was made (another day, another time zone) keeps the date it
    // was made on, which still tells when its content was made.
    const PlaceholderValues album = AlbumPageValues(), timeless = WithoutTimeOfRun(album);
    if (NamingOf(file) == PageNaming::Single)
        return WritePage(m_formats.outputNames[index], ExpandSinglePage(page, album, m_cards, m_firstCardPages, m_settings),
                         ExpandSinglePage(page, timeless, m_cards, m_firstCardPages, m_settings));
    const QStringList& pages = m_cardPages[index];
    for (std::size_t i = 0; i < m_cards.size(); ++i)
        if (!WritePage(pages[qsizetype(i)], WithCardValues(album, m_cards, i, pages, m_settings).Expand(page),
                       WithCardValues(timeless, m_cards, i, pages, m_settings).Expand(page)))
            return false;
    return true;
}

bool SiteRun::WritePage(const QString& name, const QString& page, const QString& timeless) {
    const QString path = m_out + QLatin1Char('/') + name;
    m_ui.SetStatusText(0, QStringLiteral("Create format script: %1 ").arg(path));
    const QString key = SiteManifest::KeyOf({QStringLiteral("page"), timeless});
    if (!m_full && m_previous.Unchanged(m_out, name, key)) {
        m_current.Carry(m_previous, name);
        return true;
    }
    // A page that cannot be written means no later one can be either: one message, and the run stops.
    QString reason;
    const QByteArray bytes = WithTrimmedTitle(page).toUtf8();
    if (!SafeFile::Write(path, bytes, &reason)) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't open file: %1\n%2").arg(path, reason), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        m_told = true;
        return false;
    }
    m_current.Record(m_out, name, key, {}, SiteManifest::ContentKeyOfBytes(bytes));
    return true;
}

bool SiteRun::CopyAll(const SourceFolder& folder, const char* status) {
    for (qsizetype i = 0; i < folder.files.size(); ++i) {
        const QString source = folder.path + QLatin1Char('/') + folder.files[i];
        m_ui.SetStatusText(0, QString::fromLatin1(status).arg(source, m_out + QLatin1Char('/') + folder.outputNames[i]));
        if (Copy(source, folder.outputNames[i]) == CopyOutcome::Aborted) return false;
    }
    return true;
}

CopyOutcome SiteRun::Copy(const QString& source, const QString& name) {
    const QFileInfo info(source);
    const QString key =
        SiteManifest::KeyOf({QStringLiteral("copy"), info.absoluteFilePath(), QString::number(info.size()),
                             QString::number(info.lastModified().toMSecsSinceEpoch())});
    if (!m_full && m_previous.Unchanged(m_out, name, key)) {
        m_current.Carry(m_previous, name);
        return CopyOutcome::Copied;
    }
    const CopyOutcome outcome = CopyWithRetry(source, m_out + QLatin1Char('/') + name, m_ui);
    if (outcome == CopyOutcome::Copied) m_current.Record(m_out, name, key);
    if (outcome == CopyOutcome::Skipped) m_failed = true;
    return outcome;
}

WebSiteResult SiteRun::Finish(WebSiteResult result) {
    // Only a run that made everything knows what is no longer wanted; any other keeps the
    // earlier records, so nothing of ours is ever lost track of.
    if (result == WebSiteResult::Complete)
        RemoveStale();
    else
        m_current.Keep(m_previous);
    QString reason;
    // After a failure already told, a record that cannot be written either is no news.
    if (!m_current.Save(m_out, &reason) && !m_told) {
        m_ui.MessageBox(QStringLiteral("Error:\nCan't open file: ") + m_out + QLatin1Char('/') + SiteManifest::kFileName +
                            QLatin1Char('\n') + reason,
                        MsgButtons::Ok, MsgIcon::Exclamation);
        if (result == WebSiteResult::Complete) result = WebSiteResult::Incomplete;
    }
    if (result == WebSiteResult::NotMade) {
        m_ui.SetStatusText(0, QStringLiteral("WEB Site Creation stopped."));
        return result;
    }
    ReportProblems();
    if (result == WebSiteResult::Complete && std::none_of(m_pictures.begin(), m_pictures.end(),
                                                          [](const SitePicture& p) { return !p.problem.isEmpty(); })) {
        m_ui.SetStatusText(0, QStringLiteral("Successful WEB Site Creation."));
        m_ui.MessageBox(QStringLiteral("Successful WEB Site Creation on:\n") + m_out, MsgButtons::Ok,
                        MsgIcon::Information);
        return result;
    }
    m_ui.SetStatusText(0, QStringLiteral("WEB Site created with problems."));
    return WebSiteResult::Incomplete;
}

void SiteRun::RemoveStale() {
    // Only what this site wrote and still holds as written goes: a record can be edited or
    // planted by anyone, so it alone never decides that a file of the user's is removed.
    for (const QString& stale : m_previous.NotIn(m_current))
        if (m_previous.StillAsWritten(m_out, stale) && m_guard.RemoveRefusal(m_out, stale).isEmpty())
            QFile::remove(m_out + QLatin1Char('/') + stale);
}

void SiteRun::ReportProblems() {
    ProblemList problems;
    for (const SitePicture& picture : m_pictures)
        if (!picture.problem.isEmpty()) problems.Add(picture.source + QStringLiteral(": ") + picture.problem);
    if (problems.IsEmpty()) return;
    m_ui.MessageBox(QStringLiteral("The web site was made on:\n%1\nThese cards show a stand-in instead of their "
                                   "picture:\n%2")
                        .arg(m_out, problems.Text()),
                    MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

QString DefaultTemplatesDirectory() { return ProgramPaths::FindShippedFile(QStringLiteral("HTMLWIZ")); }

WebSiteResult GenerateWebSite(CAlboraDoc& doc, UiServices& ui, const HtmlWizardSettings& settings,
                              const QString& templatesDirectory, bool fullRebuild) {
    return SiteRun(doc, ui, settings, fullRebuild).Run(templatesDirectory);
}
