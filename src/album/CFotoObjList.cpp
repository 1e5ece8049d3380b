#include "CFotoObjList.h"

#include "platform/CTime.h"

#include <algorithm>

namespace {

// The smallest element is a back-reference tag; the smallest new card is a class reference tag,
// three empty texts, the time and five empty reserved texts.
constexpr std::size_t kMinElementBytes = 2;
constexpr std::size_t kMinCardBytes = 2 + 3 + 4 + 5;

}  // namespace

const ClassInfo CFotoObjList::kClass{"CFotoObjList", 0,
                                     [] { return std::make_unique<CFotoObjList>(); }};

const ClassRegistry& AlbumClasses() {
    static const ClassRegistry registry = [] {
        ClassRegistry classes;
        classes.Register(CFotoObjList::kClass);
        classes.Register(CFotoObj::kClass);
        return classes;
    }();
    return registry;
}

CFotoObjList::CFotoObjList() : m_timeCreated(CTime::NowStamp()) {}

CFotoObj* CFotoObjList::GetAt(int index) const {
    return index >= 0 && index < GetCount() ? m_cards[index].get() : nullptr;
}

int CFotoObjList::IndexOf(const CFotoObj* card) const {
    const auto it = std::find_if(m_cards.begin(), m_cards.end(),
                                 [card](const auto& candidate) { return candidate.get() == card; });
    return it == m_cards.end() ? -1 : static_cast<int>(it - m_cards.begin());
}

void CFotoObjList::InsertAt(int index, std::shared_ptr<CFotoObj> card) {
    index = std::clamp(index, 0, GetCount());
    m_cards.insert(m_cards.begin() + index, std::move(card));
}

void CFotoObjList::RemoveAt(int index) {
    if (index >= 0 && index < GetCount()) m_cards.erase(m_cards.begin() + index);
}

void CFotoObjList::Store(ArchiveWriter& ar) const {
    ar.WriteCount(static_cast<std::uint32_t>(m_cards.size()));
    for (const auto& card : m_cards) ar.WriteObject(card.get());
    ar.WriteString(m_strName);
    ar.WriteString(m_strDescription);
    ar.WriteDword(m_timeCreated);
    ar.WriteString(m_strAuthor);
    ar.WriteString(m_strMarker);
    ar.WriteString(m_strDirectory);
    ar.WriteString(m_strReserved1);
    ar.WriteString(m_strReserved2);
}

void CFotoObjList::Load(ArchiveReader& ar) {
    const std::uint32_t count = ar.ReadCount(kMinElementBytes);
    m_cards.clear();
    m_cards.reserve(std::min<std::size_t>(count, ar.Remaining() / kMinCardBytes));
    for (std::uint32_t i = 0; i < count && ar.ok(); ++i) {
        std::shared_ptr<CFotoObj> card = ar.ReadObjectAs<CFotoObj>();
        if (!card) {
            ar.Fail(QStringLiteral("album element %1 is not a card").arg(i));
            break;
        }
        // A card stored twice by reference becomes two cards, so editing one leaves the other.
        if (ar.LastWasBackReference()) card = std::make_shared<CFotoObj>(*card);
        m_cards.push_back(std::move(card));
    }
    m_strName = ar.ReadString();
    m_strDescription = ar.ReadString();
    m_timeCreated = ar.ReadDword();
    m_strAuthor = ar.ReadString();
    m_strMarker = ar.ReadString();
    m_strDirectory = ar.ReadString();
    m_strReserved1 = ar.ReadString();
    m_strReserved2 = ar.ReadString();
}
