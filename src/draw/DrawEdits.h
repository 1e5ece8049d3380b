#pragma once

#include "DrawPage.h"

#include <QUndoStack>
#include <functional>

class UiServices;

// Every change the draw view makes to the page, each one undoable step on the page's undo stack.
// A step keeps the object list and the stored fields of the objects it touched, before and after.
class DrawEdits {
public:
    using Objects = std::vector<CDrawObj*>;

    DrawEdits(DrawPage& page, QUndoStack& stack, UiServices& ui);

    // An interactive change (a drag): Begin before the first move, Commit after the last; a
    // change that left everything as it was is dropped.
    void Begin(const QString& text, const Objects& touched);
    void Commit();
    bool InProgress() const { return m_pending != nullptr; }

    bool Add(const std::shared_ptr<CDrawObj>& object);
    void Delete(const Objects& objects);
    void Move(const Objects& objects, std::int32_t dx, std::int32_t dy);
    void Relocate(CDrawObj* object, const PageRect& rect);
    void DragHandle(const Objects& objects, int handle, PagePoint point);
    void SetLineColor(const Objects& objects, ColorRef color);
    void SetFillColor(const Objects& objects, ColorRef color);
    void SetPenWidth(const Objects& objects, std::int32_t width);
    void SetFill(const Objects& objects, int on, std::uint32_t style, std::uint32_t hatch);
    // The font and text colour of every rectangle-family object among OBJECTS.
    void SetFont(const Objects& objects, const LogFont& font, ColorRef color);
    // Whatever a property sheet or the size dialog sets on OBJECT.
    void SetFields(CDrawObj* object, const QString& text, const std::function<void(CDrawObj&)>& change);
    void SetFixed(const Objects& objects, int flag);
    // Each object fixed when it was not and freed when it was.
    void ToggleFixed(const Objects& objects);
    // One group of OBJECTS in place of them; an object that cannot be copied stays as it is.
    CDrawGroupObj* Group(const Objects& objects);
    // The members of every group among OBJECTS in their place; returns them and the other objects.
    Objects Ungroup(const Objects& objects);
    void MoveFirst(CDrawObj* object);
    void MoveLast(CDrawObj* object);
    void ToFront(CDrawObj* object);
    void ToBack(CDrawObj* object);
    // The objects of a clipboard payload, added; empty when nothing could be added.
    Objects Paste(QByteArrayView payload);
    void SetPaper(ColorRef color);
    // The objects and header of another annotation, appended.
    DrawPage::ReadResult Merge(QByteArrayView bytes);

private:
    class Step;
    void Edit(const QString& text, const Objects& touched, const std::function<void()>& change);
    void Reorder(CDrawObj* object, const QString& text, const std::function<int(int index, int last)>& target);

    DrawPage& m_page;
    QUndoStack& m_stack;
    UiServices& m_ui;
    Step* m_pending = nullptr;
};
