#pragma once

#include <QWidget>

class CDrawObj;

// A page of "Object Properties": shows an object's fields as it is made, stores them on OK.
class SheetPage : public QWidget {
public:
    using QWidget::QWidget;
    // Tells the user, as the sheet is confirmed, of anything the page cannot store.
    virtual void Confirm() {}
    virtual void Apply(CDrawObj& object) const = 0;
};
