#pragma once

#include "draw/DrawAnnotation.h"

#include <QPoint>
#include <QStringList>
#include <optional>

// The dialogs of the draw view and of the annotation commands, behind one seam so that the view
// and its commands run in tests with scripted answers. Each dialog that changes an object applies
// its result through the page's edits, as one undoable step.
class DrawDialogs {
public:
    virtual ~DrawDialogs() = default;

    // "Object Properties": the sheet that fits OBJECT's kind, then "Basic" with its name. True
    // when the user confirmed (the change is then made).
    virtual bool EditProperties(CDrawObj& object, DrawEdits& edits) = 0;
    // "Size and position": name and the four edges.
    virtual bool EditGeometry(CDrawObj& object, DrawEdits& edits) = 0;
    // The colour picker popup at AT (global): the 40 named colours, 8 a row, and "More line
    // colors..." or "More fill colors..." opening the platform's chooser.
    virtual std::optional<ColorRef> PickColor(QPoint at, ColorRef initial, bool line) = 0;
    // The platform's font chooser on FONT; COLOR is the text colour chosen with it.
    virtual std::optional<LogFont> ChooseFont(const LogFont& font, ColorRef& color) = 0;
    // "By name...": the names chosen among NAMES (page order, several allowed).
    virtual std::optional<QStringList> ChooseNames(const QStringList& names) = 0;
    // "Find object": the name typed.
    virtual std::optional<QString> AskObjectName() = 0;
    // "New draw anotation"; false when cancelled.
    virtual bool ChooseNew(NewAnnotationChoice& choice, const QStringList& templates) = 0;
    // The platform's colour chooser, for the paper (black preselected).
    virtual std::optional<ColorRef> ChooseColor(ColorRef initial) = 0;
};
