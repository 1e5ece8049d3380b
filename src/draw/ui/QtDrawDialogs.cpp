#include "QtDrawDialogs.h"

#include "ColorPopup.h"
#include "GeometryDialog.h"
#include "NewAnnotationDialog.h"
#include "PropertySheet.h"
#include "StandardDialogs.h"

#include "platform/widgets/FormDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

bool QtDrawDialogs::EditProperties(CDrawObj& object, DrawEdits& edits) {
    if (dynamic_cast<CDrawGroupObj*>(&object)) return EditGeometry(object, edits);
    return EditObjectProperties(m_parent, object, edits);
}

bool QtDrawDialogs::EditGeometry(CDrawObj& object, DrawEdits& edits) {
    return EditObjectGeometry(m_parent, object, edits);
}

std::optional<ColorRef> QtDrawDialogs::PickColor(QPoint at, ColorRef initial, bool line) {
    return ColorPopup::Pick(m_parent, at, initial,
                            {std::nullopt, line ? QStringLiteral("More line colors...") : QStringLiteral("More fill colors...")});
}

std::optional<LogFont> QtDrawDialogs::ChooseFont(const LogFont& font, ColorRef&) {
    return StandardDialogs::AskFont(m_parent, font);
}

std::optional<QStringList> QtDrawDialogs::ChooseNames(const QStringList& names) {
    FormDialog dialog(m_parent, QStringLiteral("By name"));
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->addItems(names);
    dialog.Form()->addRow(list);
    if (!dialog.Exec()) return std::nullopt;
    QStringList chosen;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected()) chosen << list->item(row)->text();
    return chosen;
}

std::optional<QString> QtDrawDialogs::AskObjectName() {
    FormDialog dialog(m_parent, QStringLiteral("Find object"));
    auto* name = new QLineEdit;
    dialog.Form()->addRow(new QLabel(QStringLiteral("Type the name of the object:")));
    dialog.Form()->addRow(name);
    if (!dialog.Exec()) return std::nullopt;
    return name->text();
}

bool QtDrawDialogs::ChooseNew(NewAnnotationChoice& choice, const QStringList& templates) {
    return ChooseNewAnnotation(m_parent, choice, templates);
}

std::optional<ColorRef> QtDrawDialogs::ChooseColor(ColorRef initial) { return StandardDialogs::AskColor(m_parent, initial); }
