#pragma once

class CDrawObj;
class DrawEdits;
class QWidget;

// "Object Properties": the page that fits OBJECT's kind (an image link's file, a text, or the
// line and fill of any other object), then "Basic" with its name. OK stores every page as one
// edit; true when the user confirmed.
bool EditObjectProperties(QWidget* parent, CDrawObj& object, DrawEdits& edits);
