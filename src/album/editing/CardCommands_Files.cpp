// The card commands that work on the cards' files: paste an image, dropped files, association,
// mail, rename and convert.
#include "CardCommands.h"

#include "CardDialogs.h"
#include "CardListSurface.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/CapturedPicture.h"
#include "image/CImageObject.h"
#include "platform/CTime.h"
#include "platform/OutputGuard.h"
#include "platform/ProcessLauncher.h"
#include "platform/SafeFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <set>

namespace {

// PATH's folder and base name with FORMAT as its extension.
QString WithExtension(const QString& path, const QString& format) {
    const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    const qsizetype dot = path.lastIndexOf('.');
    return (dot > slash ? path.left(dot) : path) + '.' + format;
}

}  // namespace

QString CardCommands::FileOf(const CFotoObj& card) const { return e.doc.CardFiles().Resolve(card.m_strGraphic); }

std::vector<const CFotoObj*> CardCommands::CardsWithFilesOnlyTheyName(const std::vector<const CFotoObj*>& going) const {
    // The whole album, not only a search result: a card out of sight still needs its file. One
    // walk over the album, so that deleting many cards of a large album stays quick.
    const std::set<const CFotoObj*> leaving(going.begin(), going.end());
    std::set<FileIdentity> kept;
    const CFotoObjList& album = e.doc.Db().List();
    for (int i = 0; i < album.GetCount(); ++i) {
        const CFotoObj* card = album.GetAt(i);
        if (leaving.count(card) || card->m_strGraphic.isEmpty()) continue;
        if (const auto identity = IdentityOfFile(FileOf(*card))) kept.insert(*identity);
    }
    std::vector<const CFotoObj*> cards;
    std::set<FileIdentity> listed;
    for (const CFotoObj* card : going) {
        if (card->m_strGraphic.isEmpty()) continue;
        // A file that is not there is still offered: its removal then says that it failed.
        const auto identity = IdentityOfFile(FileOf(*card));
        if (!identity || (!kept.count(*identity) && listed.insert(*identity).second)) cards.push_back(card);
    }
    return cards;
}

bool CardCommands::CheckObjectFile(const CFotoObj& card, const char* verb) {
    if (card.m_strGraphic.isEmpty()) {
        e.ui.MessageBox(QStringLiteral("Error: can't %1!\n\"%2\" not specify a file object")
                            .arg(QLatin1String(verb), card.m_strName),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (!QFileInfo::exists(FileOf(card))) {
        e.ui.MessageBox(QStringLiteral("Error: can't %1!\nFile \"%2\" not found")
                            .arg(QLatin1String(verb), card.m_strGraphic),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    return true;
}

void CardCommands::PasteImage(const QImage& clipboardImage) {
    const CAppSettings& settings = e.doc.Settings();
    const QString name = e.doc.NextImageFileName();
    CImageObject image = ImageFromQImage(clipboardImage);
    if (name.isEmpty() || !image.IsValid()) {
        e.ui.MessageBox(QStringLiteral("Error:\nClipboard Image"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    const StoredPicture stored = StoreCapturedPicture(image, name, settings, e.ui);
    if (stored.result == StoredPicture::Result::WriteFailed) {
        e.ui.MessageBox(QStringLiteral("Error:\nSaving Clipboard Image:\n") + name, MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return;
    }
    if (stored.result == StoredPicture::Result::ConversionFailed) {
        e.ui.MessageBox(ConversionErrorText(name, stored), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (settings.flgAutoInsert) {
        InsertImageAsCard(name);
        if (settings.flgAutoEdita) Modify();
    }
    e.doc.SetModifiedFlag();
}

void CardCommands::DropFiles(const QStringList& paths) {
    const bool copy = e.ui.MessageBox(QStringLiteral("Copy droped files to the album directory?"),
                                      MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes;
    const QString folder = e.doc.AlbumFolder();
    const QString albumDir = folder.isEmpty() ? QDir::currentPath() : folder;
    bool added = false;
    for (const QString& source : paths) {
        QString target = QDir(albumDir).filePath(QFileInfo(source).fileName());
        if (copy) {
            bool skip = false, abort = false;
            // A file dropped on itself stays; a failed copy leaves the file already there.
            while (QFileInfo(target) != QFileInfo(source)) {
                QString error;
                if (SafeFile::Copy(source, target, &error)) break;
                const MsgAnswer answer = e.ui.MessageBox(
                    QStringLiteral("Copy error:\nSource: %1\nTarget: %2\n%3").arg(source, target, error),
                    MsgButtons::AbortRetryIgnore, MsgIcon::Stop);
                if (answer == MsgAnswer::Retry) continue;
                (answer == MsgAnswer::Ignore ? skip : abort) = true;
                break;
            }
            if (abort) break;
            if (skip) continue;
        } else {
            // Not copied: the card names the file where it is.
            target = QFileInfo(source).absoluteFilePath();
        }
        auto card = std::make_shared<CFotoObj>();
        card->m_strName = card->m_strGraphic =
            e.doc.Settings().addPathBrowser || !copy ? target : QFileInfo(target).fileName();
        e.doc.Db().InsertSorted(std::move(card));
        added = true;
    }
    if (!added) return;
    e.doc.SetModifiedFlag();
    e.doc.UpdateAllViews(nullptr, 0);
}

void CardCommands::Association() {
    for (int index : e.list.SelectedCards()) {
        const CFotoObj* card = Card(index);
        if (!card) continue;
        const QString file = FileOf(*card);
        if (file.isEmpty()) {
            e.ui.MessageBox(QStringLiteral("No image associated to the card!"), MsgButtons::Ok,
                            MsgIcon::Information);
        } else if (!QFileInfo::exists(file)) {
            e.ui.MessageBox(QStringLiteral("Error:\nFile not found:\n") + file, MsgButtons::Ok,
                            MsgIcon::Exclamation);
        } else if (e.launcher.FindAssociation(file).isEmpty()) {
            e.ui.MessageBox(QStringLiteral("Error:\nCan't find association for: %1").arg(file),
                            MsgButtons::Ok, MsgIcon::Exclamation);
        } else if (!e.launcher.OpenWithAssociation(QFileInfo(file).absoluteFilePath())) {
            e.ui.MessageBox(QStringLiteral("Error:%1\nCan't execute %2").arg(1).arg(file), MsgButtons::Ok,
                            MsgIcon::Exclamation);
        }
    }
}

void CardCommands::Send() {
    const std::vector<int> selected = e.list.SelectedCards();
    if (selected.empty()) {
        e.ui.MessageBox(QStringLiteral("First select one image!"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const CFotoObj* card = Card(selected.back());
    if (!card || card->m_strGraphic.isEmpty() || !QFileInfo::exists(FileOf(*card))) {
        e.ui.MessageBox(QStringLiteral("Can't find any image!"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    if (!e.launcher.SendMail(FileOf(*card)))
        e.ui.MessageBox(QStringLiteral("Failed to send mail."), MsgButtons::Ok, MsgIcon::Exclamation);
}

void CardCommands::Rename() {
    for (int index : e.list.SelectedCards()) {
        CFotoObj* card = Card(index);
        if (!card || !CheckObjectFile(*card, "rename")) continue;
        QString newName = card->m_strGraphic;
        bool preserve = true;
        if (!e.dialogs.AskRename(card->m_strGraphic, card->m_strName, newName, preserve)) continue;
        QFile file(FileOf(*card));
        if (newName.isEmpty() || QFileInfo::exists(newName) || !file.rename(newName)) {
            e.ui.MessageBox(QStringLiteral("Error:\nFile \"%1\" not found\nCause = %2")
                                .arg(card->m_strGraphic)
                                .arg(int(QFileInfo::exists(newName) ? QFile::RenameError : file.error())),
                            MsgButtons::Ok, MsgIcon::Exclamation);
            continue;
        }
        if (!preserve) card->m_strName = newName;
        card->m_strGraphic = newName;
        card->m_time = CTime::NowStamp();
        e.list.RebuildRowOf(index);
        Changed();
    }
}

void CardCommands::Convert() {
    for (int index : e.list.SelectedCards()) {
        CFotoObj* card = Card(index);
        if (!card || !CheckObjectFile(*card, "convert")) continue;
        QString format = QStringLiteral("JPG");
        bool preserve = true;
        if (!e.dialogs.AskConvert(card->m_strGraphic, format, preserve)) continue;
        const QString oldFile = FileOf(*card);
        CImageObject image;
        if (!image.Load(oldFile)) {
            e.ui.MessageBox(QStringLiteral("Error:\nReading image file: ") + oldFile, MsgButtons::Ok,
                            MsgIcon::Exclamation);
            continue;
        }
        // The card keeps naming its file the way it did, with the new extension.
        const QString newFile = WithExtension(oldFile, format);
        if (!image.Save(newFile)) {
            e.ui.MessageBox(QStringLiteral("Error:\nCan't save image: ") + newFile, MsgButtons::Ok,
                            MsgIcon::Exclamation);
            continue;
        }
        const QString newText = WithExtension(card->m_strGraphic, format);
        if (!preserve) card->m_strName = newText;
        card->m_strGraphic = newText;
        card->m_time = CTime::NowStamp();
        if (QFileInfo(newFile) != QFileInfo(oldFile) &&
            e.ui.MessageBox(QStringLiteral("Delete previous image file?\n") + oldFile, MsgButtons::YesNo,
                            MsgIcon::Exclamation) == MsgAnswer::Yes &&
            !QFile::remove(oldFile))
            e.ui.MessageBox(QStringLiteral("Error:\nCan't delete this file."), MsgButtons::Ok,
                            MsgIcon::Exclamation);
        e.list.RebuildRowOf(index);
        Changed();
    }
}
