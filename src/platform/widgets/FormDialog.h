#pragma once

#include <QDialog>

class QFormLayout;

// A dialog of labelled rows that ends with OK and Cancel.
class FormDialog : public QDialog {
    Q_OBJECT

public:
    FormDialog(QWidget* parent, const QString& title, int minimumWidth = 340);
    QFormLayout* Form() const { return m_form; }
    // Adds the buttons and runs the dialog; true on OK.
    bool Exec();

private:
    QFormLayout* m_form;
};
