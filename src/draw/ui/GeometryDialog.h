#pragma once

class CDrawObj;
class DrawEdits;
class QWidget;

// "Size and position": the object's name and its four edges, with the width and height they make.
// OK renames and relocates the object as one edit (a fixed object keeps its rectangle).
bool EditObjectGeometry(QWidget* parent, CDrawObj& object, DrawEdits& edits);
