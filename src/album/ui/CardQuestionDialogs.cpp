#include "CardQuestionDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kSearchLimit = 128;

// A dialog of labelled rows that ends with OK and Cancel.
class FormDialog : public QDialog {
public:
    FormDialog(QWidget* parent, const QString& title) : QDialog(parent), m_form(new QFormLayout(this)) {
        setWindowTitle(title);
        setMinimumWidth(420);
    }
    QFormLayout* Form() const { return m_form; }
    bool Exec() {
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        m_form->addRow(buttons);
        return exec() == QDialog::Accepted;
    }

private:
    QFormLayout* m_form;
};

}  // namespace

namespace CardQuestionDialogs {

bool AskSearch(QWidget* parent, QString& text, QString& field) {
    FormDialog dialog(parent, QStringLiteral("Search:"));
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
    FormDialog dialog(parent, QStringLiteral("Rename image file"));
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
    FormDialog dialog(parent, QStringLiteral("Convert"));
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
