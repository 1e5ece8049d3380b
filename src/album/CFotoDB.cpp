#include "CFotoDB.h"

#include "platform/CTime.h"

#include <algorithm>
#include <iterator>

namespace {

inline char16_t FoldAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c; }

// Whether TEXT starts with PREFIX, ASCII letters folded.
bool StartsWithFolded(const QString& text, const QString& prefix) {
    if (prefix.size() > text.size()) return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (FoldAscii(text[i].unicode()) != FoldAscii(prefix[i].unicode())) return false;
    return true;
}

bool Matches(const CFotoObj& card, const QString& text, const QString& field) {
    if (field == CFotoDB::kFieldName) return StartsWithFolded(card.m_strName, text);
    if (field == CFotoDB::kFieldGraphic) return StartsWithFolded(card.m_strGraphic, text);
    if (field == CFotoDB::kFieldDate)
        return StartsWithFolded(CTime::CardDate(card.m_time).value_or(QString()), text);
    if (field == CFotoDB::kFieldDescription)
        return card.m_strDescription.contains(text, Qt::CaseSensitive);
    return false;
}

}  // namespace

int CompareFolded(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = FoldAscii(a[i].unicode());
        const char16_t cb = FoldAscii(b[i].unicode());
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

CFotoDB::CFotoDB() : m_pList(std::make_unique<CFotoObjList>()) {}

bool CFotoDB::Reset() {
    m_pFound.reset();
    m_pList = std::make_unique<CFotoObjList>();
    return true;
}

int CFotoDB::InsertSorted(std::shared_ptr<CFotoObj> card) {
    // ASSUMPTION: the album may have been reordered by hand, so the first greater name is found
    // by a walk rather than a binary search.
    const int count = m_pList->GetCount();
    for (int i = 0; i < count; ++i) {
        if (CompareFolded(m_pList->GetAt(i)->m_strName, card->m_strName) > 0) {
            m_pList->InsertAt(i, std::move(card));
            return i;
        }
    }
    m_pList->AddTail(std::move(card));
    return count;
}

void CFotoDB::InsertAllSorted(std::vector<std::shared_ptr<CFotoObj>> cards) {
    // A card goes before the first card of greater name, so equal names keep their order: a
    // stable sort of the batch merged before each greater album card gives the same album as
    // inserting one by one, even when the album was reordered by hand.
    const auto less = [](const std::shared_ptr<CFotoObj>& a, const std::shared_ptr<CFotoObj>& b) {
        return CompareFolded(a->m_strName, b->m_strName) < 0;
    };
    std::stable_sort(cards.begin(), cards.end(), less);
    std::vector<std::shared_ptr<CFotoObj>> merged;
    merged.reserve(m_pList->Cards().size() + cards.size());
    auto next = cards.begin();
    for (const std::shared_ptr<CFotoObj>& card : m_pList->Cards()) {
        for (; next != cards.end() && less(*next, card); ++next)
            merged.push_back(std::move(*next));
        merged.push_back(card);
    }
    std::move(next, cards.end(), std::back_inserter(merged));
    m_pList->ReplaceCards(std::move(merged));
}

int CFotoDB::InsertAfter(std::shared_ptr<CFotoObj> card, int index) {
    const int at = std::min(index + 1, m_pList->GetCount());
    m_pList->InsertAt(at, std::move(card));
    return at;
}

void CFotoDB::AddHead(std::shared_ptr<CFotoObj> card) { m_pList->InsertAt(0, std::move(card)); }

void CFotoDB::RemoveAt(int index) {
    const CFotoObj* card = m_pList->GetAt(index);
    if (!card) return;
    // A search result must not keep showing a card that is gone from the album.
    if (m_pFound) {
        m_pFound->RemoveAt(m_pFound->IndexOf(card));
        if (m_pFound->IsEmpty()) m_pFound.reset();
    }
    m_pList->RemoveAt(index);
}

void CFotoDB::Modify(CFotoObj* stored, const CFotoObj& values) {
    if (stored) *stored = values;
}

bool CFotoDB::Search(const QString* text, const QString& field) {
    if (!text) {
        m_pFound.reset();
        return false;
    }
    auto found = std::make_unique<CFotoObjList>();
    for (int i = 0; i < m_pList->GetCount(); ++i)
        if (Matches(*m_pList->GetAt(i), *text, field)) found->AddTail(m_pList->SharedAt(i));
    if (found->IsEmpty()) {
        m_pFound.reset();
        return false;
    }
    m_pFound = std::move(found);
    return true;
}

QByteArray CFotoDB::Serialize(bool searchOnly) const {
    QByteArray body;
    ArchiveWriter ar(body);
    ar.WriteObject(searchOnly && m_pFound ? m_pFound.get() : m_pList.get());
    return body;
}

bool CFotoDB::Deserialize(QByteArrayView body, QString* error) {
    ArchiveReader ar(body, AlbumClasses());
    std::shared_ptr<CFotoObjList> list = ar.ReadObjectAs<CFotoObjList>();
    if (ar.ok() && !list) ar.Fail(QStringLiteral("no album in the file"));
    if (!ar.ok()) {
        if (error) *error = ar.Error();
        return false;
    }
    m_pFound.reset();
    m_pList = std::make_unique<CFotoObjList>(std::move(*list));
    return true;
}
