// The album document's new-album steps, naming rules and the album information.
#include "CAlboraDoc.h"

#include "CAppSettings.h"

#include "platform/ProgramPaths.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <utility>

bool CAlboraDoc::EditInfo(AlbumInfoFields& fields) {
    return editAlbumInfo ? editAlbumInfo(fields) : true;
}

void CAlboraDoc::EditAlbumInformation() {
    CFotoObjList& album = m_db.List();
    const QString directory = album.m_strDirectory.isEmpty() ? m_proposedFolder : album.m_strDirectory;
    AlbumInfoFields fields{album.m_strName, album.m_strDescription, album.m_strAuthor,
                           directory, album.m_timeCreated, m_db.GetCount()};
    if (!EditInfo(fields)) return;
    album.m_strName = fields.name;
    album.m_strDescription = fields.description;
    album.m_strAuthor = fields.author;
    // A folder chosen instead of the proposed one is the album's at once; the proposed one is
    // still made when it is first needed.
    if (fields.directory != directory) {
        album.m_strDirectory = fields.directory;
        m_proposedFolder.clear();
    }
    SetModifiedFlag();
}

bool CAlboraDoc::FileNewUnasked() {
    const QScopedValueRollback unasked(m_bUnasked, true);
    return FileNew();
}

bool CAlboraDoc::OnNewDocument() {
    Document::OnNewDocument();
    if (m_bFromFolder) {
        m_bFromFolder = false;
        return true;
    }
    if (!m_db.Reset()) {
        Ui().MessageBox(QStringLiteral("Error:\nCan't create a new folder!\n\nMay exist a memory error."),
                        MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    const QString programDir = ProgramPaths::ProgramDirectory();
    CFotoObjList& album = m_db.List();
    QString proposedDir = programDir;
    if (m_settings.flgCreaDir) {
        if (!QDir::setCurrent(programDir))
            Ui().MessageBox(QStringLiteral("Error: set to Albora directory!\r") + programDir,
                            MsgButtons::Ok, MsgIcon::Information);
        const QString folder = NextAlbumFolderName();
        if (folder.isEmpty())
            Ui().MessageBox(QStringLiteral("Error:\nCan't create the folder name!"),
                            MsgButtons::Ok, MsgIcon::Information);
        album.m_strName = folder;
        proposedDir = programDir + folder;
    }
    const AlbumInfoFields proposed{album.m_strName, album.m_strDescription, album.m_strAuthor,
                                   proposedDir, album.m_timeCreated, m_db.GetCount()};
    AlbumInfoFields fields = proposed;
    if (m_bUnasked || EditInfo(fields)) {
        album.m_strName = fields.name;
        album.m_strDescription = fields.description;
        album.m_strAuthor = fields.author;
        // Made when the album is first saved or given a picture: a New left untouched leaves no
        // empty folder behind.
        if (m_settings.flgCreaDir) m_proposedFolder = fields.directory;
    }
    // An album whose proposed information was taken as it stood holds nothing to lose: closing it
    // asks no question. Typed information is kept until it is saved or given up.
    const bool typed = fields.name != proposed.name || fields.description != proposed.description ||
                       fields.author != proposed.author;
    SetModifiedFlag(typed);
    return true;
}

QString CAlboraDoc::AlbumFolder() {
    if (!m_proposedFolder.isEmpty()) MakeAlbumFolder(std::exchange(m_proposedFolder, QString()));
    return m_db.List().m_strDirectory;
}

void CAlboraDoc::MakeAlbumFolder(const QString& dir) {
    if (!QDir().mkpath(dir))
        Ui().MessageBox(QStringLiteral("Error:\nCan't create directory!\rSwitching to dir:") + dir,
                        MsgButtons::Ok, MsgIcon::Information);
    if (QDir::setCurrent(dir)) {
        m_db.List().m_strDirectory = dir;
    } else {
        Ui().MessageBox(QStringLiteral("Error: can't set directory!\r") + dir, MsgButtons::Ok,
                        MsgIcon::Information);
        m_db.List().m_strDirectory = ProgramPaths::ProgramDirectory();
    }
}

QString CAlboraDoc::NextAlbumFolderName() {
    return m_albumFolderCounter.Next(QStringLiteral("Album_%04d"), QDir::current()).value_or(QString());
}

QString CAlboraDoc::ImagePattern(const QString& extension) const {
    return m_settings.NombreFoto + extension;
}

QString CAlboraDoc::NextImageFileName(ImageCounter counter) {
    AlbumFolder();  // the picture is named in the album's folder, which it makes current
    const QString extension = counter == ImageCounter::Video ? QStringLiteral(".avi")
                              : m_settings.flgJPG           ? QStringLiteral(".jpg")
                                                            : QStringLiteral(".bmp");
    return m_imageCounters[static_cast<int>(counter)]
        .Next(ImagePattern(extension), QDir::current())
        .value_or(QString());
}

int CAlboraDoc::AddFileAsCard(const QString& path) {
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = path;
    card->m_strGraphic = path;
    card->m_strDescription = QStringLiteral("No description");
    const int index = m_db.InsertSorted(std::move(card));
    SetModifiedFlag();
    CurrentCardChanged();
    return index;
}

int CAlboraDoc::InsertImageAsCard(const QString& fileName, View* sender) {
    if (m_db.Found()) m_db.Search(nullptr, {});
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = card->m_strGraphic = fileName;
    const int index = m_db.InsertSorted(std::move(card));
    SetModifiedFlag();
    UpdateAllViews(sender, Hint::Rebuild);
    return index;
}

namespace {

QStringList PatternsOfMask(const QString& mask) {
    if (mask.startsWith(QStringLiteral("Internet images")))
        return {"*.jpg", "*.jpeg", "*.gif"};
    if (mask.startsWith(QStringLiteral("All images")))
        return {"*.jpg", "*.jpeg", "*.gif", "*.bmp", "*.dib", "*.png", "*.avi"};
    return {mask};
}

}  // namespace

bool CAlboraDoc::NewAlbumFromFolder(const QString& folder) {
    m_bFromFolder = true;
    if (!FileNew()) {
        // The user kept the old album; the next new album must show its dialog again.
        m_bFromFolder = false;
        return false;
    }
    const QString directory = QFileInfo(folder).absoluteFilePath();
    QDir::setCurrent(directory);
    m_db.List().m_strDirectory = directory;

    WaitCursor wait(Ui());
    const QDir dir(directory);
    std::vector<std::shared_ptr<CFotoObj>> cards;
    for (const QString& pattern : PatternsOfMask(m_settings.browserMask)) {
        const QFileInfoList files =
            dir.entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System,
                              QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& file : files) {
            auto card = std::make_shared<CFotoObj>();
            card->m_strName = card->m_strGraphic =
                m_settings.addPathBrowser ? file.absoluteFilePath() : file.fileName();
            // Sizes of 4 GiB and more are written in full rather than cut to 32 bits.
            card->m_strDescription = QString::asprintf("%08lld bytes", file.size());
            cards.push_back(std::move(card));
        }
    }
    const std::size_t found = cards.size();
    m_db.InsertAllSorted(std::move(cards));
    if (found == 0)
        Ui().MessageBox(QStringLiteral("Message:\nNo files found type:\n") + m_settings.browserMask,
                        MsgButtons::Ok, MsgIcon::Information);
    else
        SetModifiedFlag();  // an album that exists only in memory must not close unasked
    CurrentCardChanged();
    return true;
}
