#include "NewAnnotationDialog.h"

#include "draw/DrawAnnotation.h"
#include "platform/widgets/FormDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>

namespace {

constexpr int kSizeLimit = 10000;

QSpinBox* SizeBox(const char* name, int value) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, kSizeLimit);
    box->setValue(value);
    return box;
}

QCheckBox* CheckBox(const char* name, const QString& text, bool checked) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

}  // namespace

bool ChooseNewAnnotation(QWidget* parent, NewAnnotationChoice& choice, const QStringList& templates) {
    FormDialog dialog(parent, QStringLiteral("New draw anotation"));
    QSpinBox* width = SizeBox("width", choice.width);
    QSpinBox* height = SizeBox("height", choice.height);
    QCheckBox* fromTemplate = CheckBox("fromTemplate", QStringLiteral("From &template or assistant:"), choice.fromTemplate);
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("templates"));
    list->addItem(DrawAnnotation::kLabelsAssistant);
    list->addItems(templates);
    if (const auto found = list->findItems(choice.templateName, Qt::MatchExactly); !found.isEmpty())
        list->setCurrentItem(found.front());
    const auto follow = [=] {
        list->setEnabled(fromTemplate->isChecked());
        width->setEnabled(!fromTemplate->isChecked());
        height->setEnabled(!fromTemplate->isChecked());
    };
    QObject::connect(fromTemplate, &QCheckBox::toggled, &dialog, follow);
    follow();

    const bool hasImage = !choice.imagePath.isEmpty();
    QCheckBox* autoInsert = CheckBox("autoInsert", QStringLiteral("&Autoinsert:"), hasImage);
    QCheckBox* fix = CheckBox("fix", QStringLiteral("&Fix"), choice.fix);
    autoInsert->setEnabled(hasImage);
    fix->setEnabled(hasImage);
    auto* path = new QLabel(choice.imagePath);
    path->setObjectName(QStringLiteral("imagePath"));
    auto* image = new QGroupBox(QStringLiteral("Background image"));
    auto* imageForm = new QFormLayout(image);
    imageForm->addRow(path);
    imageForm->addRow(autoInsert);
    imageForm->addRow(fix);

    QFormLayout* form = dialog.Form();
    form->addRow(QStringLiteral("&Width:"), width);
    form->addRow(QStringLiteral("&Height:"), height);
    form->addRow(fromTemplate);
    form->addRow(list);
    form->addRow(image);
    if (!dialog.Exec()) return false;
    choice.width = width->value();
    choice.height = height->value();
    choice.fromTemplate = fromTemplate->isChecked();
    if (const QListWidgetItem* chosen = list->currentItem()) choice.templateName = chosen->text();
    choice.autoInsert = autoInsert->isChecked();
    choice.fix = fix->isChecked();
    return true;
}
