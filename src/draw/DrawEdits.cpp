#include "DrawEdits.h"

#include "platform/UiServices.h"

namespace {

QByteArray StoredFields(const CDrawObj& object) {
    QByteArray bytes;
    ArchiveWriter ar(bytes);
    object.Store(ar);
    return bytes;
}

void RestoreFields(CDrawObj& object, const QByteArray& bytes, DrawPage& page) {
    if (auto* group = dynamic_cast<CDrawGroupObj*>(&object)) group->members.clear();
    ArchiveReader ar(bytes, DrawClasses());
    object.Load(ar);
    // Members come back as new objects: they belong to the page too.
    const std::function<void(CDrawObj&)> adopt = [&](CDrawObj& o) {
        o.document = &page;
        if (auto* group = dynamic_cast<CDrawGroupObj*>(&o))
            for (const auto& member : group->members) adopt(*member);
    };
    adopt(object);
}

}  // namespace

class DrawEdits::Step : public QUndoCommand {
public:
    Step(DrawPage& page, const QString& text, const Objects& touched) : QUndoCommand(text), m_page(page) {
        for (CDrawObj* object : touched)
            if (auto held = page.Find(object)) m_touched.push_back(std::move(held));
        m_before = Capture();
    }
    void Finish() { m_after = Capture(); }
    bool ChangedAnything() const { return !(m_before == m_after); }

    void undo() override { Apply(m_before); }
    void redo() override {
        // The change was made as the step was recorded.
        if (m_recorded) {
            m_recorded = false;
            return;
        }
        Apply(m_after);
    }

private:
    struct State {
        std::vector<std::shared_ptr<CDrawObj>> list;
        std::vector<QByteArray> fields;
        std::uint16_t flags = 0;
        ColorRef paper = 0;
        std::int32_t width = 0, height = 0;
        friend bool operator==(const State&, const State&) = default;
    };

    State Capture() const {
        State s{m_page.objects, {}, m_page.pageFlags, m_page.paperColor, m_page.pageWidth, m_page.pageHeight};
        for (const auto& object : m_touched) s.fields.push_back(StoredFields(*object));
        return s;
    }
    void Apply(const State& s) {
        m_page.objects = s.list;
        for (std::size_t i = 0; i < m_touched.size(); ++i) RestoreFields(*m_touched[i], s.fields[i], m_page);
        m_page.pageFlags = s.flags;
        m_page.paperColor = s.paper;
        m_page.pageWidth = s.width;
        m_page.pageHeight = s.height;
        m_page.RedrawAll();
    }

    DrawPage& m_page;
    std::vector<std::shared_ptr<CDrawObj>> m_touched;
    State m_before, m_after;
    bool m_recorded = true;
};

DrawEdits::DrawEdits(DrawPage& page, QUndoStack& stack, UiServices& ui) : m_page(page), m_stack(stack), m_ui(ui) {}

void DrawEdits::Begin(const QString& text, const Objects& touched) {
    Commit();
    m_pending = new Step(m_page, text, touched);
}

void DrawEdits::Commit() {
    if (!m_pending) return;
    Step* step = std::exchange(m_pending, nullptr);
    step->Finish();
    if (step->ChangedAnything()) m_stack.push(step);
    else delete step;
}

void DrawEdits::Edit(const QString& text, const Objects& touched, const std::function<void()>& change) {
    Begin(text, touched);
    change();
    Commit();
}

bool DrawEdits::Add(const std::shared_ptr<CDrawObj>& object) {
    bool added = false;
    Edit(QStringLiteral("Add %1").arg(object ? object->name : QString()), {}, [&] {
        added = m_page.Add(object);
        if (added) object->Repaint();
    });
    return added;
}

void DrawEdits::Delete(const Objects& objects) {
    Edit(QStringLiteral("Delete"), {}, [&] {
        for (CDrawObj* object : objects) {
            object->Repaint();
            if (m_page.notify) m_page.notify(4, object);
            m_page.Remove(object);
        }
    });
}

void DrawEdits::Move(const Objects& objects, std::int32_t dx, std::int32_t dy) {
    Edit(QStringLiteral("Move"), objects, [&] {
        for (CDrawObj* object : objects) object->Relocate(object->bounds.Offset(dx, dy));
    });
}

void DrawEdits::Relocate(CDrawObj* object, const PageRect& rect) {
    Edit(QStringLiteral("Size and position"), {object}, [&] { object->Relocate(rect); });
}

void DrawEdits::DragHandle(const Objects& objects, int handle, PagePoint point) {
    Edit(QStringLiteral("Resize"), objects, [&] {
        for (CDrawObj* object : objects) object->DragHandle(handle, point);
    });
}

void DrawEdits::SetLineColor(const Objects& objects, ColorRef color) {
    Edit(QStringLiteral("Line color"), objects, [&] {
        for (CDrawObj* object : objects) object->ApplyLineColor(color);
    });
}

void DrawEdits::SetFillColor(const Objects& objects, ColorRef color) {
    Edit(QStringLiteral("Fill color"), objects, [&] {
        for (CDrawObj* object : objects) object->ApplyFillColor(color);
    });
}

void DrawEdits::SetPenWidth(const Objects& objects, std::int32_t width) {
    Edit(QStringLiteral("Line width"), objects, [&] {
        for (CDrawObj* object : objects) object->ApplyPenWidth(width);
    });
}

void DrawEdits::SetFill(const Objects& objects, int on, std::uint32_t style, std::uint32_t hatch) {
    Edit(QStringLiteral("Fill"), objects, [&] {
        for (CDrawObj* object : objects) object->ApplyFill(on, style, hatch);
    });
}

void DrawEdits::SetFont(const Objects& objects, const LogFont& font, ColorRef color) {
    Edit(QStringLiteral("Font"), objects, [&] {
        for (CDrawObj* object : objects)
            if (auto* rect = dynamic_cast<CDrawRect*>(object)) {
                rect->font = font;
                rect->pen.color = color;
                rect->Changed();
            }
    });
}

void DrawEdits::SetFields(CDrawObj* object, const QString& text, const std::function<void(CDrawObj&)>& change) {
    Edit(text, {object}, [&] {
        change(*object);
        object->Changed();
    });
}

void DrawEdits::SetFixed(const Objects& objects, int flag) {
    Edit(QStringLiteral("Fix object"), objects, [&] {
        for (CDrawObj* object : objects) object->SetFixed(flag);
    });
}

void DrawEdits::ToggleFixed(const Objects& objects) {
    Edit(QStringLiteral("Fix object"), objects, [&] {
        for (CDrawObj* object : objects) object->SetFixed(object->fixed ? 0 : 1);
    });
}

CDrawGroupObj* DrawEdits::Group(const Objects& objects) {
    if (objects.empty() || m_page.IsReadOnly()) return nullptr;
    CDrawGroupObj* made = nullptr;
    Edit(QStringLiteral("Group"), {}, [&] {
        PageRect rect = objects.front()->bounds.Normalized();
        for (const CDrawObj* object : objects) rect = rect.United(object->bounds);
        auto group = std::make_shared<CDrawGroupObj>(rect);
        for (CDrawObj* object : objects) {
            auto copy = object->Duplicate(nullptr);
            if (!copy) {
                m_ui.MessageBox(QStringLiteral("Add Clone Error!"), MsgButtons::Ok, MsgIcon::Exclamation);
                continue;
            }
            group->members.push_back(std::move(copy));
            object->Repaint();
            if (m_page.notify) m_page.notify(4, object);
            m_page.Remove(object);
        }
        if (group->members.empty()) return;
        m_page.Add(group);
        group->Repaint();
        made = group.get();
    });
    return made;
}

DrawEdits::Objects DrawEdits::Ungroup(const Objects& objects) {
    if (m_page.IsReadOnly()) return objects;
    Objects result;
    Edit(QStringLiteral("Ungroup"), {}, [&] {
        for (CDrawObj* object : objects) {
            auto* group = dynamic_cast<CDrawGroupObj*>(object);
            if (!group) {
                result.push_back(object);
                continue;
            }
            for (const auto& member : group->members)
                if (auto copy = member->Duplicate(&m_page)) result.push_back(copy.get());
            if (m_page.notify) m_page.notify(4, object);
            m_page.Remove(object);
        }
        m_page.RedrawAll();
    });
    return result;
}

void DrawEdits::Reorder(CDrawObj* object, const QString& text, const std::function<int(int, int)>& target) {
    const int index = m_page.IndexOf(object);
    if (index < 0) return;
    // A new order is a change like any other: closing without saving it asks first.
    Edit(text, {}, [&] {
        auto held = m_page.objects[std::size_t(index)];
        m_page.objects.erase(m_page.objects.begin() + index);
        const int to = std::clamp(target(index, int(m_page.objects.size())), 0, int(m_page.objects.size()));
        m_page.objects.insert(m_page.objects.begin() + to, std::move(held));
        m_page.SetModified();
        object->Repaint();
    });
}

void DrawEdits::MoveFirst(CDrawObj* object) {
    Reorder(object, QStringLiteral("Move first"), [](int, int last) { return last; });
}

void DrawEdits::MoveLast(CDrawObj* object) {
    Reorder(object, QStringLiteral("Move last"), [](int, int) { return 0; });
}

void DrawEdits::ToFront(CDrawObj* object) {
    Reorder(object, QStringLiteral("To front"), [](int index, int) { return index + 1; });
}

void DrawEdits::ToBack(CDrawObj* object) {
    Reorder(object, QStringLiteral("To back"), [](int index, int) { return index - 1; });
}

DrawEdits::Objects DrawEdits::Paste(QByteArrayView payload) {
    Objects pasted;
    if (m_page.IsReadOnly()) return pasted;
    const auto objects = DrawPage::ReadClipboardPayload(payload);
    Edit(QStringLiteral("Paste"), {}, [&] {
        for (const auto& object : objects)
            if (m_page.Add(object)) {
                object->Repaint();
                pasted.push_back(object.get());
            }
    });
    return pasted;
}

void DrawEdits::SetPaper(ColorRef color) {
    if (m_page.IsReadOnly()) return;
    Edit(QStringLiteral("Paper color"), {}, [&] {
        m_page.paperColor = color;
        m_page.SetModified();
        m_page.RedrawAll();
    });
}

DrawPage::ReadResult DrawEdits::Merge(QByteArrayView bytes) {
    DrawPage::ReadResult result;
    Edit(QStringLiteral("Merge"), {}, [&] {
        result = m_page.Deserialize(bytes);
        m_page.SetModified();
        m_page.RedrawAll();
    });
    return result;
}
