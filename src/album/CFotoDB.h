#pragma once

#include "CFotoObjList.h"

#include <memory>

class ArchiveReader;

// The album store: the full album and an optional search result. Reads by index go through the
// working list (the search result when there is one); changes go to the full album.
class CFotoDB {
public:
    // The four fields a search can look at, by their column names.
    static inline const QString kFieldName = QStringLiteral("Name");
    static inline const QString kFieldGraphic = QStringLiteral("Graphic");
    static inline const QString kFieldDate = QStringLiteral("Date");
    static inline const QString kFieldDescription = QStringLiteral("Description");

    CFotoDB();

    bool Reset();
    int InsertSorted(std::shared_ptr<CFotoObj> card);
    // The same album as InsertSorted of each card in turn, in one merge instead of a walk per card.
    void InsertAllSorted(std::vector<std::shared_ptr<CFotoObj>> cards);
    int InsertAfter(std::shared_ptr<CFotoObj> card, int index);
    void AddHead(std::shared_ptr<CFotoObj> card);
    CFotoObj* GetAt(int index) const { return WorkingList().GetAt(index); }
    void RemoveAt(int index);
    void Modify(CFotoObj* stored, const CFotoObj& values);
    // With a text, keeps the matching cards as the search result and says whether any matched;
    // without one, discards the search result.
    bool Search(const QString* text, const QString& field);
    int GetCount() const { return WorkingList().GetCount(); }

    // The album file body: the list to write (the full album or, when SEARCH is set, the search
    // result), and reading a body into a new full album; false on a bad body.
    QByteArray Serialize(bool searchOnly) const;
    bool Deserialize(QByteArrayView body, QString* error = nullptr);

    CFotoObjList& List() { return *m_pList; }
    const CFotoObjList& List() const { return *m_pList; }
    const CFotoObjList* Found() const { return m_pFound.get(); }
    const CFotoObjList& WorkingList() const { return m_pFound ? *m_pFound : *m_pList; }

private:
    std::unique_ptr<CFotoObjList> m_pList;
    std::unique_ptr<CFotoObjList> m_pFound;
};

// Byte-wise comparison with the ASCII letters folded to lower case: <0, 0 or >0.
int CompareFolded(const QString& a, const QString& b);
