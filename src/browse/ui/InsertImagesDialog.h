#pragma once

#include <QDialog>

class QLineEdit;

// "Insert image(s)": the file or file mask to insert, and the folder it comes from. The browser
// fills both in; the user may change them before OK.
class InsertImagesDialog : public QDialog {
    Q_OBJECT

public:
    InsertImagesDialog(const QString& files, const QString& path, QWidget* parent);
    QString Files() const;
    QString Path() const;

private:
    QLineEdit* m_files;
    QLineEdit* m_path;
};
