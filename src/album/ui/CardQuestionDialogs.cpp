#include "CardQuestionDialogs.h"

#include "platform/widgets/FormDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int kSearchLimit = 128;
}  // namespace

namespace CardQuestionDialogs {

bool AskSearch(QWidget* parent, QString& text, QString& field) {
    FormDialog dialog(parent, QStringLiteral("Search:"), 420);
    QFormLayout* form = dialog.Form();
    auto* by = new QComboBox;
    by->addItems({QStringLiteral("Name"), QStringLiteral("Graphic"), QStringLiteral("Date"),
                  QStringLiteral("Description")});
    by->setCurrentText(field);
    auto* what = new QLineEdit(text);
    what->setMaxLength(kSearchLimit);
    form->addRow(QStringLiteral("&By:"), by);
    form->addRow(QStringLiteral("&Text:"), what);
    if (!dialog.Exec()) return false;
    field = by->currentText();
    text = what->text();
    return true;
}

bool AskRename(QWidget* parent, const QString& objectFile, const QString& cardName, QString& newName,
               bool& preserveName) {
    FormDialog dialog(parent, QStringLiteral("Rename image file"), 420);
    QFormLayout* form = dialog.Form();
    auto* to = new QLineEdit(newName);
    auto* preserve = new QCheckBox(QStringLiteral("&Preserve original name on album"));
    preserve->setChecked(preserveName);
    form->addRow(QStringLiteral("From:"), new QLabel(QStringLiteral("%1 (%2)").arg(objectFile, cardName)));
    form->addRow(QStringLiteral("&To:"), to);
    form->addRow(preserve);
    if (!dialog.Exec()) return false;
    newName = to->text();
    preserveName = preserve->isChecked();
    return true;
}

bool AskConvert(QWidget* parent, const QString& objectFile, QString& format, bool& preserveName) {
    FormDialog dialog(parent, QStringLiteral("Convert"), 420);
    QFormLayout* form = dialog.Form();
    auto* formats = new QComboBox;
    formats->addItems({"AVI", "BMP", "DIB", "GIF", "JPEG", "JPG", "PNG", "XPM"});
    formats->setCurrentText(format);
    auto* preserve = new QCheckBox(QStringLiteral("&Preserve original name on album"));
    preserve->setChecked(preserveName);
    form->addRow(QStringLiteral("File:"), new QLabel(objectFile));
    form->addRow(QStringLiteral("Name:"), new QLabel(objectFile));
    form->addRow(QStringLiteral("New format:"), formats);
    form->addRow(preserve);
    if (!dialog.Exec()) return false;
    format = formats->currentText();
    preserveName = preserve->isChecked();
    return true;
}

}  // namespace CardQuestionDialogs
