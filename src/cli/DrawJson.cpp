#include "DrawJson.h"

#include <QJsonArray>

namespace DrawJson {

namespace {

QJsonArray Array(std::initializer_list<qint64> values) {
    QJsonArray array;
    for (qint64 v : values) array.append(v);
    return array;
}

QJsonObject FontJson(const LogFont& f) {
    return {{"height", f.height}, {"width", f.width}, {"escapement", f.escapement}, {"orientation", f.orientation},
            {"weight", f.weight}, {"italic", f.italic}, {"underline", f.underline}, {"strikeOut", f.strikeOut},
            {"charSet", f.charSet}, {"outPrecision", f.outPrecision}, {"clipPrecision", f.clipPrecision},
            {"quality", f.quality}, {"pitchAndFamily", f.pitchAndFamily}, {"faceName", f.FaceName()}};
}

// Numbers from JSON into the stored widths, each kept in its range.
std::int32_t I32(const QJsonValue& v, std::int32_t fallback) {
    return v.isDouble() ? std::int32_t(std::clamp<double>(v.toDouble(), INT32_MIN, INT32_MAX)) : fallback;
}
std::uint32_t U32(const QJsonValue& v, std::uint32_t fallback) {
    return v.isDouble() ? std::uint32_t(std::clamp<double>(v.toDouble(), 0, UINT32_MAX)) : fallback;
}
int U16(const QJsonValue& v, int fallback) { return v.isDouble() ? int(std::clamp<double>(v.toDouble(), 0, 65535)) : fallback; }
std::uint8_t U8(const QJsonValue& v, std::uint8_t fallback) {
    return v.isDouble() ? std::uint8_t(std::clamp<double>(v.toDouble(), 0, 255)) : fallback;
}

void ReadFont(const QJsonObject& j, LogFont& f) {
    f.height = I32(j["height"], f.height);
    f.width = I32(j["width"], f.width);
    f.escapement = I32(j["escapement"], f.escapement);
    f.orientation = I32(j["orientation"], f.orientation);
    f.weight = I32(j["weight"], f.weight);
    f.italic = U8(j["italic"], f.italic);
    f.underline = U8(j["underline"], f.underline);
    f.strikeOut = U8(j["strikeOut"], f.strikeOut);
    f.charSet = U8(j["charSet"], f.charSet);
    f.outPrecision = U8(j["outPrecision"], f.outPrecision);
    f.clipPrecision = U8(j["clipPrecision"], f.clipPrecision);
    f.quality = U8(j["quality"], f.quality);
    f.pitchAndFamily = U8(j["pitchAndFamily"], f.pitchAndFamily);
    if (j["faceName"].isString()) f.SetFaceName(j["faceName"].toString());
}

std::shared_ptr<CDrawObj> ReadObject(const QJsonObject& j, QString& error, int depth) {
    const QString cls = j["class"].toString();
    std::shared_ptr<CDrawObj> object;
    if (cls == "CDrawRect") object = std::make_shared<CDrawRect>();
    else if (cls == "CDrawPoly") object = std::make_shared<CDrawPoly>();
    else if (cls == "CDrawGroupObj") object = std::make_shared<CDrawGroupObj>();
    else if (cls == "CDrawObj") object = std::make_shared<CDrawObj>();
    else {
        error = QStringLiteral("unknown class '%1'").arg(cls);
        return nullptr;
    }
    CDrawObj& o = *object;
    const QJsonArray b = j["bounds"].toArray();
    if (b.size() == 4) o.bounds = {I32(b[0], 0), I32(b[1], 0), I32(b[2], 0), I32(b[3], 0)};
    o.penOn = U16(j["penOn"], o.penOn);
    if (const QJsonArray p = j["pen"].toArray(); p.size() == 4)
        o.pen = {U32(p[0], o.pen.style), I32(p[1], o.pen.widthX), I32(p[2], o.pen.widthY), U32(p[3], o.pen.color)};
    o.brushOn = U16(j["brushOn"], o.brushOn);
    if (const QJsonArray br = j["brush"].toArray(); br.size() == 3)
        o.brush = {U32(br[0], o.brush.style), U32(br[1], o.brush.color), U32(br[2], o.brush.hatch)};
    if (j["name"].isString()) o.name = j["name"].toString();
    o.shadowOn = U16(j["shadowOn"], o.shadowOn);
    o.shadowColor = U32(j["shadowColor"], o.shadowColor);
    o.shadowDx = I32(j["shadowDx"], o.shadowDx);
    o.shadowDy = I32(j["shadowDy"], o.shadowDy);
    o.fixed = U16(j["fixed"], o.fixed);
    if (j["extraText"].isString()) o.extraText = j["extraText"].toString();
    o.visible = U16(j["visible"], o.visible);
    o.extraWord = U16(j["extraWord"], o.extraWord);
    if (auto* rect = dynamic_cast<CDrawRect*>(&o)) {
        rect->shape = U16(j["shape"], rect->shape);
        if (const QJsonArray c = j["corner"].toArray(); c.size() == 2) rect->corner = {I32(c[0], 16), I32(c[1], 16)};
        if (j["text"].isString()) rect->text = j["text"].toString();
        ReadFont(j["font"].toObject(), rect->font);
        rect->textAlign = U16(j["textAlign"], rect->textAlign);
    } else if (auto* poly = dynamic_cast<CDrawPoly*>(&o)) {
        poly->polyKind = U16(j["polyKind"], poly->polyKind);
        const QJsonArray points = j["points"].toArray();
        if (points.size() > CDrawPoly::kMaxPoints) {
            error = QStringLiteral("more than %1 points").arg(CDrawPoly::kMaxPoints);
            return nullptr;
        }
        for (const QJsonValue& p : points) poly->points.push_back({I32(p.toArray()[0], 0), I32(p.toArray()[1], 0)});
        // A figure described by its points alone gets the rectangle that holds them.
        if (!j.contains("bounds")) poly->RecalcBounds();
        const int rounded = (int(points.size()) + 9) / 10 * 10;
        poly->pointCapacity = std::clamp(U16(j["pointCapacity"], rounded), int(points.size()), CDrawPoly::kMaxPoints);
    } else if (auto* group = dynamic_cast<CDrawGroupObj*>(&o)) {
        if (depth >= ArchiveReader::kMaxNesting) {
            error = QStringLiteral("groups nested too deep");
            return nullptr;
        }
        for (const QJsonValue& member : j["members"].toArray()) {
            auto read = ReadObject(member.toObject(), error, depth + 1);
            if (!read) return nullptr;
            group->members.push_back(std::move(read));
        }
    }
    return object;
}

}  // namespace

QJsonObject FromObject(const CDrawObj& o) {
    QJsonObject j{{"class", QString::fromLatin1(o.GetClassInfo().name)},
                  {"name", o.name},
                  {"bounds", Array({o.bounds.left, o.bounds.top, o.bounds.right, o.bounds.bottom})},
                  {"penOn", o.penOn},
                  {"pen", Array({o.pen.style, o.pen.widthX, o.pen.widthY, o.pen.color})},
                  {"brushOn", o.brushOn},
                  {"brush", Array({o.brush.style, o.brush.color, o.brush.hatch})},
                  {"shadowOn", o.shadowOn},
                  {"shadowColor", qint64(o.shadowColor)},
                  {"shadowDx", o.shadowDx},
                  {"shadowDy", o.shadowDy},
                  {"fixed", o.fixed},
                  {"extraText", o.extraText},
                  {"visible", o.visible},
                  {"extraWord", o.extraWord}};
    if (const auto* rect = dynamic_cast<const CDrawRect*>(&o)) {
        j["shape"] = rect->shape;
        j["corner"] = Array({rect->corner.x, rect->corner.y});
        j["text"] = rect->text;
        j["font"] = FontJson(rect->font);
        j["textAlign"] = rect->textAlign;
    } else if (const auto* poly = dynamic_cast<const CDrawPoly*>(&o)) {
        j["polyKind"] = poly->polyKind;
        QJsonArray points;
        for (const PagePoint& p : poly->points) points.append(Array({p.x, p.y}));
        j["points"] = points;
        j["pointCapacity"] = poly->pointCapacity;
    } else if (const auto* group = dynamic_cast<const CDrawGroupObj*>(&o)) {
        QJsonArray members;
        for (const auto& member : group->members) members.append(FromObject(*member));
        j["members"] = members;
    }
    return j;
}

QJsonObject FromPage(const DrawPage& page) {
    QJsonArray objects;
    for (const auto& object : page.objects) objects.append(FromObject(*object));
    return {{"createdText", page.createdText}, {"pageFlags", page.pageFlags}, {"paperColor", qint64(page.paperColor)},
            {"pageWidth", page.pageWidth},     {"pageHeight", page.pageHeight}, {"objects", objects}};
}

bool ToPage(const QJsonObject& json, DrawPage& page, QString& error) {
    if (json["createdText"].isString()) page.createdText = json["createdText"].toString();
    page.pageFlags = std::uint16_t(U16(json["pageFlags"], page.pageFlags));
    page.paperColor = U32(json["paperColor"], page.paperColor);
    page.pageWidth = I32(json["pageWidth"], page.pageWidth);
    page.pageHeight = I32(json["pageHeight"], page.pageHeight);
    for (const QJsonValue& value : json["objects"].toArray()) {
        auto object = ReadObject(value.toObject(), error, 0);
        if (!object) return false;
        // Written as given, read-only flag and all: the page is not edited, it is built.
        object->document = &page;
        page.objects.push_back(std::move(object));
    }
    return true;
}

}  // namespace DrawJson
