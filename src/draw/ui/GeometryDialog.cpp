#include "GeometryDialog.h"

#include "draw/DrawEdits.h"
#include "platform/widgets/FormDialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {
constexpr int kCoordinateLimit = 32767;
}  // namespace

bool EditObjectGeometry(QWidget* parent, CDrawObj& object, DrawEdits& edits) {
    FormDialog dialog(parent, QStringLiteral("Size and position"));
    auto* name = new QLineEdit(object.name);
    name->setObjectName(QStringLiteral("name"));
    dialog.Form()->addRow(QStringLiteral("Object:"), name);
    QSpinBox* edges[4];
    const std::int32_t values[4] = {object.bounds.left, object.bounds.top, object.bounds.right, object.bounds.bottom};
    const char* const labels[4] = {"X1", "Y1", "X2", "Y2"};
    for (int i = 0; i < 4; ++i) {
        edges[i] = new QSpinBox;
        edges[i]->setObjectName(QString::fromLatin1(labels[i]));
        edges[i]->setRange(-kCoordinateLimit, kCoordinateLimit);
        edges[i]->setValue(values[i]);
        dialog.Form()->addRow(QString::fromLatin1(labels[i]) + ':', edges[i]);
    }
    auto* width = new QLabel;
    auto* height = new QLabel;
    width->setObjectName(QStringLiteral("width"));
    height->setObjectName(QStringLiteral("height"));
    dialog.Form()->addRow(QStringLiteral("Width:"), width);
    dialog.Form()->addRow(QStringLiteral("Height:"), height);
    const auto follow = [&] {
        width->setNum(std::abs(edges[2]->value() - edges[0]->value()));
        height->setNum(std::abs(edges[3]->value() - edges[1]->value()));
    };
    for (QSpinBox* edge : edges) QObject::connect(edge, &QSpinBox::valueChanged, &dialog, follow);
    follow();
    if (!dialog.Exec()) return false;
    const PageRect rect{edges[0]->value(), edges[1]->value(), edges[2]->value(), edges[3]->value()};
    edits.SetFields(&object, QStringLiteral("Size and position"), [&](CDrawObj& o) {
        o.name = name->text();
        o.Relocate(rect);
    });
    return true;
}
