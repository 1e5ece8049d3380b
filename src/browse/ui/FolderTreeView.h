#pragma once

#include <QTreeView>

class FolderTree;
class UiServices;

// The folder tree on screen: theme icons, a folder listed as it opens (one that cannot be read
// says so and stays closed), forgotten and unwatched as it closes.
class FolderTreeView : public QTreeView {
    Q_OBJECT

public:
    FolderTreeView(FolderTree& tree, UiServices& ui, QWidget* parent = nullptr);

    // The path of the current item, and whether it is a folder (or drive).
    QString CurrentPath() const;
    bool CurrentIsFolder() const;
    // Opens the tree down to PATH, where the tree holds it, and makes it current.
    void Reveal(const QString& path);

private:
    FolderTree& m_tree;
    UiServices& m_ui;
};
