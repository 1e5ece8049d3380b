#include "CardCommands.h"

#include "CardDialogs.h"
#include "CardListSurface.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/CTime.h"
#include "platform/UiServices.h"
#include "sound/SoundAnnotations.h"

#include <QFile>
#include <algorithm>

namespace {
const QString kSelectFirst = QStringLiteral("Select a card, next go \"Modify or view data\".");
}

void ApplyPhotoCardFields(CFotoObj& card, const QString& name, const QString& description,
                          const QString& objectFile) {
    card.m_strName = !name.isEmpty() ? name : !objectFile.isEmpty() ? objectFile : QStringLiteral("Nombre");
    card.m_strDescription = description;
    if (!objectFile.isEmpty()) card.m_strGraphic = objectFile;
    card.m_time = CTime::NowStamp();
}

CFotoObj* CardCommands::Card(int index) const { return e.doc.Db().GetAt(index); }

bool CardCommands::CanAdd() const { return e.doc.Db().Found() == nullptr; }

bool CardCommands::HasSelection() const { return !e.list.SelectedCards().empty(); }

bool CardCommands::CanPasteCard() const { return e.session.cardClipboard.GetCount() > 0; }

bool CardCommands::CanAssociate() const {
    const std::vector<int> selected = e.list.SelectedCards();
    const CFotoObj* card = selected.empty() ? nullptr : Card(selected.front());
    return card && !card->m_strGraphic.isEmpty();
}

void CardCommands::Changed(int hint) {
    e.doc.SetModifiedFlag();
    e.doc.UpdateAllViews(e.list.SenderView(), hint);
}

void CardCommands::Add() {
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = QStringLiteral("Name");
    card->m_strDescription = QStringLiteral("Description");
    if (e.dialogs.EditCard(*card)) e.doc.Db().InsertSorted(card);
    e.doc.Db().Search(nullptr, {});
    e.list.RebuildAll(true);
    Changed();
}

void CardCommands::Modify() {
    const std::vector<int> selected = e.list.SelectedCards();
    if (selected.empty()) {
        e.ui.MessageBox(kSelectFirst, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    for (int index : selected) {
        CFotoObj* stored = Card(index);
        if (!stored) continue;
        CFotoObj copy(*stored);
        if (!e.dialogs.EditCard(copy)) continue;
        e.doc.Db().Modify(stored, copy);
        e.list.RebuildRowOf(index);
        Changed();
    }
}

void CardCommands::Delete() {
    const std::vector<int> selected = e.list.SelectedCards();
    const QString question = selected.size() > 1
                                 ? QStringLiteral("Warning!:\nDo you like to destroy these %1 cards, are you sure?").arg(selected.size())
                                 : QStringLiteral("Warning!:\nDo you like to destroy this card, are you sure?");
    if (e.doc.Settings().confirmaBorra && e.ui.MessageBox(question, MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes)
        return;
    std::vector<const CFotoObj*> going;
    for (int index : selected)
        if (const CFotoObj* card = Card(index)) going.push_back(card);
    if (going.empty()) {
        e.ui.MessageBox(QStringLiteral("Message:\nSelect a card, then delete."), MsgButtons::Ok,
                        MsgIcon::Information);
        return;
    }
    // From the last row's card back, so that the indices of the cards still to go stay as they are.
    std::vector<int> indices = selected;
    std::sort(indices.rbegin(), indices.rend());
    for (int index : indices) e.list.RemoveRowOf(index);
    if (e.doc.Settings().flgAutoErase) OfferToErase(going);
    e.doc.m_nCurrent = -1;
    // The cards' indices are in the working list; the store removes from the whole album.
    for (const CFotoObj* card : going) e.doc.Db().RemoveAt(e.doc.Db().List().IndexOf(card));
    Changed();
}

// One question for the files of the cards that go, naming them; a file another card still names
// is never offered (a copied card names its original's picture).
void CardCommands::OfferToErase(const std::vector<const CFotoObj*>& going) {
    const std::vector<const CFotoObj*> cards = CardsWithFilesOnlyTheyName(going);
    if (cards.empty()) return;
    QStringList named;
    for (const CFotoObj* card : cards) named += card->m_strGraphic;
    const QString question = cards.size() > 1 ? QStringLiteral("Warning!\nDelete the graphic files?\n")
                                              : QStringLiteral("Warning!\nDelete the graphic file?\n");
    if (e.ui.MessageBox(question + named.join(QLatin1Char('\n')), MsgButtons::YesNoDefaultNo, MsgIcon::Exclamation) !=
        MsgAnswer::Yes)
        return;
    for (const CFotoObj* card : cards) {
        const QString file = FileOf(*card);
        SoundAnnotations::DeleteSound(file);
        if (!QFile::remove(file))
            e.ui.MessageBox(QStringLiteral("Error:\nCan't delete this file.\n") + file, MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

void CardCommands::Search() {
    QString text = e.session.lastSearchText;
    QString field = e.session.lastSearchField;
    if (!e.dialogs.AskSearch(text, field) || text.isEmpty()) return;
    e.session.lastSearchText = text;
    e.session.lastSearchField = field;
    if (e.doc.Db().Search(&text, field)) {
        e.ui.SetStatusText(0, QStringLiteral("Search: ") + text);
        e.doc.m_nCurrent = -1;
        e.list.RebuildAll(true);
        e.doc.UpdateAllViews(e.list.SenderView(), 0);
    } else {
        e.ui.MessageBox(QStringLiteral("Search:\nSearch string not found!\n") + text, MsgButtons::Ok,
                        MsgIcon::Information);
    }
}

void CardCommands::ViewAllCards() {
    e.doc.Db().Search(nullptr, {});
    e.doc.m_nCurrent = -1;
    e.list.RebuildAll(true);
    e.doc.UpdateAllViews(e.list.SenderView(), 0);
}

void CardCommands::CopyCard() {
    const std::vector<int> selected = e.list.SelectedCards();
    if (selected.empty()) {
        e.ui.MessageBox(QStringLiteral("Please first select one card to copy!"), MsgButtons::Ok,
                        MsgIcon::Information);
        return;
    }
    CFotoDB& clipboard = e.session.cardClipboard;
    if (!clipboard.Reset()) {
        e.ui.MessageBox(QStringLiteral("Error:\nCan't create the copy object"), MsgButtons::Ok,
                        MsgIcon::Information);
        return;
    }
    for (int index : selected) {
        const CFotoObj* card = Card(index);
        if (!card) continue;
        auto copy = std::make_shared<CFotoObj>(*card);
        copy->m_time = CTime::NowStamp();
        clipboard.InsertSorted(std::move(copy));
    }
}

void CardCommands::PasteCard() {
    const std::vector<int> selected = e.list.SelectedCards();
    int position = std::max((selected.empty() ? 0 : selected.front()) - 1, 0);
    const CFotoObjList& copied = e.session.cardClipboard.List();
    for (int i = 0; i < copied.GetCount(); ++i) {
        auto copy = std::make_shared<CFotoObj>(*copied.GetAt(i));
        copy->m_time = CTime::NowStamp();
        e.doc.Db().InsertAfter(std::move(copy), position++);
    }
    e.doc.Db().Search(nullptr, {});
    e.list.RebuildAll(true);
    Changed();
}

void CardCommands::InsertImageAsCard(const QString& fileName) {
    // A search result shown gives way to the whole album, which the list then shows again.
    const bool wasFound = e.doc.Db().Found() != nullptr;
    const int index = e.doc.InsertImageAsCard(fileName, e.list.SenderView());
    if (wasFound)
        e.list.RebuildAll(true);
    else
        e.list.AddRowFor(index);
    e.list.SelectOnly(index);
    // The picture just made is the one to look at: the image view shows it.
    if (e.doc.MakeCurrent(index, fileName)) e.doc.UpdateAllViews(e.list.SenderView(), Hint::ViewCurrent);
}
