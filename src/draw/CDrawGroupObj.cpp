#include "DrawObjects.h"
#include "DrawPage.h"

const ClassInfo CDrawGroupObj::kClass{"CDrawGroupObj", 0, [] { return std::make_unique<CDrawGroupObj>(); }};

CDrawGroupObj::CDrawGroupObj() { name = QStringLiteral("ObjGroup") + serialText; }

CDrawGroupObj::CDrawGroupObj(const PageRect& rect) : CDrawGroupObj() { bounds = rect; }

void CDrawGroupObj::Store(ArchiveWriter& ar) const {
    CDrawObj::Store(ar);
    ar.WriteCount(std::uint32_t(members.size()));
    for (const auto& member : members) ar.WriteObject(member.get());
}

void CDrawGroupObj::Load(ArchiveReader& ar) {
    CDrawObj::Load(ar);
    // Every member takes at least its two-byte tag.
    const std::uint32_t count = ar.ReadCount(2);
    for (std::uint32_t i = 0; i < count && ar.ok(); ++i)
        if (auto member = ReadListedObject(ar)) members.push_back(std::move(member));
}

void CDrawGroupObj::RenderPlain(QPainter& painter) const {
    for (const auto& member : members) member->RenderPlain(painter);
}

void CDrawGroupObj::Render(QPainter& painter) const {
    if (!visible) return;
    for (const auto& member : members) member->Render(painter);
}

void CDrawGroupObj::Relocate(const PageRect& rect) {
    if (rect == bounds || fixed) return;
    const std::int64_t dx = std::int64_t(rect.left) - bounds.left, dy = std::int64_t(rect.top) - bounds.top;
    for (const auto& member : members) member->Relocate(member->bounds.Offset(dx, dy));
    CDrawObj::Relocate(rect);
}

void CDrawGroupObj::DragHandle(int, PagePoint) {}

void CDrawGroupObj::SetFixed(int flag) {
    for (const auto& member : members) member->SetFixed(flag);
    CDrawObj::SetFixed(flag);
}

const ClassInfo CDrawItem::kClass{"CDrawItem", 0, [] { return std::make_unique<CDrawItem>(); }};

void CDrawItem::Load(ArchiveReader& ar) { ar.Fail(CDrawOleObj::kRefusal); }

const ClassInfo CDrawOleObj::kClass{"CDrawOleObj", 0, [] { return std::make_unique<CDrawOleObj>(); }};

CDrawOleObj::CDrawOleObj() { name = QStringLiteral("ObjOLE") + serialText; }

void CDrawOleObj::Store(ArchiveWriter& ar) const {
    CDrawObj::Store(ar);
    ar.WriteLong(extent.x);
    ar.WriteLong(extent.y);
    ar.WriteObject(item.get());
}

void CDrawOleObj::Load(ArchiveReader& ar) {
    CDrawObj::Load(ar);
    extent.x = ar.ReadLong();
    extent.y = ar.ReadLong();
    if (ar.ok()) ar.Fail(kRefusal);
}
