#include "DrawPage.h"

#include "album/CFotoObj.h"
#include "platform/CTime.h"

#include <QPainter>
#include <ctime>

namespace {

// Readers ignore it; it says what wrote the file.
const QString kNotice = QStringLiteral("AlboDraw annotation written by Albora for Linux");

void Adopt(CDrawObj& object, DrawPage* page) {
    object.document = page;
    if (auto* group = dynamic_cast<CDrawGroupObj*>(&object))
        for (const auto& member : group->members) Adopt(*member, page);
}

void WriteList(ArchiveWriter& ar, const std::vector<const CDrawObj*>& objects) {
    ar.WriteCount(std::uint32_t(objects.size()));
    for (const CDrawObj* object : objects) ar.WriteObject(object);
}

// Reads a list of objects into OUT until it ends or the archive fails.
void ReadList(ArchiveReader& ar, const std::function<void(std::shared_ptr<CDrawObj>)>& out) {
    const std::uint32_t count = ar.ReadCount(2);
    for (std::uint32_t i = 0; i < count && ar.ok(); ++i)
        if (auto object = ReadListedObject(ar); object && ar.ok()) out(std::move(object));
}

}  // namespace

QString AnnotationFileName(const QString& graphic) {
    const QString name = DrawFileName(graphic);
    return name == QStringLiteral(".adw") ? QStringLiteral("untitled.adw") : name;
}

bool DrawPage::Add(const std::shared_ptr<CDrawObj>& object) {
    if (!object || IsReadOnly()) return false;
    Adopt(*object, this);
    objects.push_back(object);
    SetModified();
    return true;
}

void DrawPage::Remove(const CDrawObj* object) {
    const auto it = std::find_if(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == object; });
    if (it == objects.end()) return;
    objects.erase(it);
    SetModified();
}

std::shared_ptr<CDrawObj> DrawPage::Find(const CDrawObj* object) const {
    const int index = IndexOf(object);
    return index < 0 ? nullptr : objects[std::size_t(index)];
}

int DrawPage::IndexOf(const CDrawObj* object) const {
    for (std::size_t i = 0; i < objects.size(); ++i)
        if (objects[i].get() == object) return int(i);
    return -1;
}

CDrawObj* DrawPage::ObjectAt(PagePoint point) const {
    const PageRect unit{point.x, point.y, point.x == INT32_MAX ? point.x : point.x + 1, point.y == INT32_MAX ? point.y : point.y + 1};
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        if ((*it)->Intersects(unit)) return it->get();
    return nullptr;
}

void DrawPage::DrawAll(QPainter& painter, const std::function<bool(const CDrawObj*)>& selected, const QRectF* area) const {
    for (const auto& object : objects)
        if (!area || object->PaintedArea().intersects(*area)) object->Render(painter);
    if (!selected) return;
    for (const auto& object : objects)
        if (selected(object.get())) object->RenderTracker(painter, 1);
}

void DrawPage::Clear() {
    objects.clear();
    annotationPath = kUnnamed;
    pageWidth = kClearedWidth;
    pageHeight = kClearedHeight;
    RedrawAll();
}

QByteArray DrawPage::Serialize() {
    QByteArray bytes;
    ArchiveWriter ar(bytes);
    ar.WriteDword(kMagic);
    ar.WriteWord(kVersion);
    ar.WriteString(createdText);
    ar.WriteString(CTime::Format(kTimeFormat, std::time(nullptr)).value_or(QString()));
    ar.WriteWord(pageFlags);
    ar.WriteString(kNotice);
    ar.WriteDword(paperColor);
    ar.WriteLong(pageWidth);
    ar.WriteLong(pageHeight);
    std::vector<const CDrawObj*> list;
    std::vector<const CDrawItem*> items;
    const std::function<void(const CDrawObj&)> collectItems = [&](const CDrawObj& object) {
        if (const auto* ole = dynamic_cast<const CDrawOleObj*>(&object); ole && ole->item) items.push_back(ole->item.get());
        if (const auto* group = dynamic_cast<const CDrawGroupObj*>(&object))
            for (const auto& member : group->members) collectItems(*member);
    };
    for (const auto& object : objects) {
        list.push_back(object.get());
        collectItems(*object);
    }
    WriteList(ar, list);
    saved = 1;
    ar.WriteDword(std::uint32_t(items.size()));
    for (const CDrawItem* item : items) ar.WriteObject(item);
    return bytes;
}

DrawPage::ReadResult DrawPage::Deserialize(QByteArrayView bytes) {
    ReadResult result;
    saved = 1;
    ArchiveReader ar(bytes, DrawClasses());
    if (ar.ReadDword() != kMagic || !ar.ok()) {
        result.refusal = QStringLiteral("Error:\nNot a AlboDraw file\n\nOpen empty file!");
        result.error = QStringLiteral("not an AlboDraw file");
        result.complete = false;
        return result;
    }
    const std::uint16_t version = ar.ReadWord();
    const QString created = ar.ReadString();
    ar.ReadString();  // when it was saved
    if (ar.ok()) createdText = created;
    if (ar.ok() && version > kVersion) {
        result.refusal = QStringLiteral("Error:\nEarly versions not suported!");
        result.error = QStringLiteral("made by a later version (%1)").arg(version);
        result.complete = false;
        return result;
    }
    const std::uint16_t flags = ar.ReadWord();
    ar.ReadString();  // the writer's notice
    const ColorRef paper = ar.ReadDword();
    const std::int32_t width = ar.ReadLong(), height = ar.ReadLong();
    if (ar.ok()) {
        pageFlags = flags;
        paperColor = paper;
        pageWidth = width;
        pageHeight = height;
        // Objects arrive on a page that may be read-only now: reading is not an edit.
        ReadList(ar, [this](std::shared_ptr<CDrawObj> object) {
            Adopt(*object, this);
            objects.push_back(std::move(object));
        });
        const std::uint32_t items = ar.ReadDword();
        for (std::uint32_t i = 0; i < items && ar.ok(); ++i) ar.ReadObject();
    }
    if (!ar.ok()) {
        result.complete = false;
        result.error = ar.Error();
    }
    return result;
}

QByteArray DrawPage::ClipboardPayload(const std::vector<const CDrawObj*>& objects) {
    QByteArray bytes;
    ArchiveWriter ar(bytes);
    WriteList(ar, objects);
    return bytes;
}

std::vector<std::shared_ptr<CDrawObj>> DrawPage::ReadClipboardPayload(QByteArrayView bytes, QString* error) {
    std::vector<std::shared_ptr<CDrawObj>> result;
    ArchiveReader ar(bytes, DrawClasses());
    ReadList(ar, [&](std::shared_ptr<CDrawObj> object) { result.push_back(std::move(object)); });
    if (error) *error = ar.Error();
    return result;
}

void DrawPage::Repaint(const CDrawObj* object) const {
    if (notify) notify(2, object);
}

void DrawPage::RedrawAll() const {
    if (notify) notify(1, nullptr);
}
