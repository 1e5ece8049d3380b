// albora-cli draw edit IN.adw OUT.adw OP...: the draw view's edits in batch, in the order given,
// each one step of the page's undo stack so --undo and --redo work as in the program.
#include "CliContext.h"

#include "draw/DrawAnnotation.h"

#include <map>

namespace {

// "C" as a COLORREF: decimal, 0x hex, or #RRGGBB.
std::optional<ColorRef> ParseColor(const QString& text) {
    bool ok = false;
    if (text.startsWith('#') && text.size() == 7) {
        const uint rgb = text.mid(1).toUInt(&ok, 16);
        return ok ? std::optional<ColorRef>(Rgb(int(rgb >> 16), int(rgb >> 8), int(rgb))) : std::nullopt;
    }
    const qulonglong value = text.toULongLong(&ok, 0);
    return ok && value <= 0xFFFFFF ? std::optional<ColorRef>(ColorRef(value)) : std::nullopt;
}

// N numbers separated by commas.
std::optional<std::vector<std::int32_t>> ParseNumbers(const QString& text, int n) {
    const QStringList parts = text.split(',');
    if (parts.size() != n) return std::nullopt;
    std::vector<std::int32_t> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

struct Fill {
    int on;
    std::uint32_t style, hatch;
};
// The fill entries of the Attributes menu.
const std::map<QString, Fill> kFills = {
    {"solid", {1, BrushStyle::Solid, 0}},        {"transparent", {0, BrushStyle::Hatched, 0}},
    {"vertical", {1, BrushStyle::Hatched, 1}},   {"-45", {1, BrushStyle::Hatched, 2}},
    {"cross45", {1, BrushStyle::Hatched, 5}},    {"horizontal", {1, BrushStyle::Hatched, 0}},
    {"45", {1, BrushStyle::Hatched, 3}},         {"cross", {1, BrushStyle::Hatched, 4}},
};

}  // namespace

int RunDrawEdit(CliContext& c, const QStringList& ops, DrawAnnotation& draw) {
    DrawPage& page = draw.Page();
    DrawEdits& edits = draw.Edits();
    if (page.IsReadOnly()) return c.Fail(QStringLiteral("Error:\nCan't edit a read-only draw anotation!"));
    std::vector<CDrawObj*> selection;
    const auto needOne = [&](const QString& op) -> CDrawObj* {
        if (selection.size() == 1) return selection.front();
        c.Usage(QStringLiteral("%1 needs exactly one selected object").arg(op));
        return nullptr;
    };
    for (int i = 0; i < ops.size(); ++i) {
        const QString& op = ops[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= ops.size()) return std::nullopt;
            return ops[++i];
        };
        if (op == "--select") {
            const auto names = value();
            if (!names) return c.Usage(QStringLiteral("--select needs NAME[,NAME]"));
            selection.clear();
            for (const QString& name : names->split(',')) {
                const auto before = selection.size();
                for (const auto& object : page.objects)
                    if (object->name == name) selection.push_back(object.get());
                if (selection.size() == before) return c.Fail(QStringLiteral("Error:\nNo object named %1").arg(name));
            }
        } else if (op == "--all") {
            selection.clear();
            for (const auto& object : page.objects) selection.push_back(object.get());
        } else if (op == "--delete") {
            edits.Delete(selection);
            selection.clear();
        } else if (op == "--move") {
            const auto d = ParseNumbers(value().value_or(QString()), 2);
            if (!d) return c.Usage(QStringLiteral("--move needs DX,DY"));
            edits.Move(selection, (*d)[0], (*d)[1]);
        } else if (op == "--rect") {
            const auto r = ParseNumbers(value().value_or(QString()), 4);
            if (!r) return c.Usage(QStringLiteral("--rect needs L,T,R,B"));
            for (CDrawObj* object : selection) edits.Relocate(object, PageRect{(*r)[0], (*r)[1], (*r)[2], (*r)[3]});
        } else if (op == "--group") {
            CDrawGroupObj* group = edits.Group(selection);
            selection.clear();
            if (group) selection.push_back(group);
        } else if (op == "--ungroup") {
            selection = edits.Ungroup(selection);
        } else if (op == "--to-front" || op == "--to-back" || op == "--move-first" || op == "--move-last") {
            CDrawObj* object = needOne(op);
            if (!object) return kExitUsage;
            if (op == "--to-front") edits.ToFront(object);
            else if (op == "--to-back") edits.ToBack(object);
            else if (op == "--move-first") edits.MoveFirst(object);
            else edits.MoveLast(object);
        } else if (op == "--fix") {
            edits.ToggleFixed(selection);
        } else if (op == "--line-color" || op == "--fill-color" || op == "--paper") {
            const auto color = ParseColor(value().value_or(QString()));
            if (!color) return c.Usage(QStringLiteral("%1 needs a colour (0xBBGGRR or #RRGGBB)").arg(op));
            if (op == "--line-color") edits.SetLineColor(selection, *color);
            else if (op == "--fill-color") edits.SetFillColor(selection, *color);
            else edits.SetPaper(*color);
        } else if (op == "--pen-width") {
            bool ok = false;
            const int width = value().value_or(QString()).toInt(&ok);
            if (!ok || width < 0 || width > 32767) return c.Usage(QStringLiteral("--pen-width is 0 to 32767"));
            edits.SetPenWidth(selection, width);
        } else if (op == "--fill") {
            const auto it = kFills.find(value().value_or(QString()));
            if (it == kFills.end())
                return c.Usage(QStringLiteral("--fill is solid, transparent, vertical, -45, cross45, horizontal, 45 or cross"));
            edits.SetFill(selection, it->second.on, it->second.style, it->second.hatch);
        } else if (op == "--undo") {
            if (!draw.UndoStack().canUndo()) return c.Fail(QStringLiteral("Error:\nNothing to undo"));
            draw.UndoStack().undo();
            selection.clear();
        } else if (op == "--redo") {
            if (!draw.UndoStack().canRedo()) return c.Fail(QStringLiteral("Error:\nNothing to redo"));
            draw.UndoStack().redo();
            selection.clear();
        } else {
            return c.Usage(QStringLiteral("unknown draw edit '%1'").arg(op));
        }
    }
    return kExitOk;
}
