#pragma once

#include "CFotoObj.h"

#include <memory>
#include <vector>

// An album: the cards in album order and the album's own information. The store's full album
// and a search result are both CFotoObjList; cards are shared so that a search result can refer
// to the cards of the full album.
class CFotoObjList final : public Serializable {
public:
    static const ClassInfo kClass;
    static inline const QString kMarker = QStringLiteral("KORVAT");

    // A new album: empty texts, the current time as creation time, the marker.
    CFotoObjList();

    const ClassInfo& GetClassInfo() const override { return kClass; }
    void Store(ArchiveWriter& ar) const override;
    void Load(ArchiveReader& ar) override;

    int GetCount() const { return static_cast<int>(m_cards.size()); }
    bool IsEmpty() const { return m_cards.empty(); }
    CFotoObj* GetAt(int index) const;
    const std::shared_ptr<CFotoObj>& SharedAt(int index) const { return m_cards[index]; }
    int IndexOf(const CFotoObj* card) const;
    void InsertAt(int index, std::shared_ptr<CFotoObj> card);
    void AddTail(std::shared_ptr<CFotoObj> card) { m_cards.push_back(std::move(card)); }
    void RemoveAt(int index);
    const std::vector<std::shared_ptr<CFotoObj>>& Cards() const { return m_cards; }
    void ReplaceCards(std::vector<std::shared_ptr<CFotoObj>> cards) { m_cards = std::move(cards); }

    QString m_strName;
    QString m_strDescription;
    std::uint32_t m_timeCreated;
    QString m_strAuthor;
    QString m_strMarker = kMarker;
    QString m_strDirectory;
    QString m_strReserved1;
    QString m_strReserved2;

private:
    std::vector<std::shared_ptr<CFotoObj>> m_cards;
};

// The classes an album file may hold.
const ClassRegistry& AlbumClasses();
