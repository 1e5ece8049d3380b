#pragma once

#include "draw/DrawPage.h"

#include <QJsonObject>

// Annotations as JSON for albora-cli: the stored fields under their own names, colours as
// COLORREF numbers, rectangles and pens as arrays in stored order. Reading takes what it is given
// and leaves every omitted field at its initial value.
namespace DrawJson {

QJsonObject FromPage(const DrawPage& page);
QJsonObject FromObject(const CDrawObj& object);
// The page described by JSON into PAGE; false with ERROR for what cannot be built.
bool ToPage(const QJsonObject& json, DrawPage& page, QString& error);

}  // namespace DrawJson
