#pragma once

#include <QDialog>
#include <optional>

class QListWidget;

// "Go to image": the names of the cards, in the order of the show, to jump to one.
class GoToImageDialog : public QDialog {
    Q_OBJECT

public:
    GoToImageDialog(const QStringList& names, int current, QWidget* parent);

    // The index of the name taken with Enter, a double click or OK; nullopt on Cancel.
    static std::optional<int> Choose(const QStringList& names, int current, QWidget* parent);

private:
    QListWidget* m_list;
};
