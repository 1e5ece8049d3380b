#pragma once

#include "browse/FolderTree.h"
#include "browse/MountWatcher.h"
#include "views/ThumbnailLoader.h"

#include <QDialog>

class CAlboraDoc;
class CImagePreviewCtrl;
class FolderTreeView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class UiServices;

// "Image Browser": the folder tree of every drive with the pictures of the filter, a preview of
// the picture chosen, and the buttons that put it, or its whole folder, into an album.
class ImageBrowser : public QDialog {
    Q_OBJECT

public:
    ImageBrowser(CAlboraDoc& doc, UiServices& ui, QWidget* parent);

    FolderTreeView* Tree() const { return m_view; }
    FolderTree& Model() { return m_tree; }
    CImagePreviewCtrl* Preview() const { return m_preview; }
    // Applies the filter's text; a text without a wildcard is refused with a message.
    bool ApplyFilter();
    void InsertSelected();
    // The selected folder as a new album, or the selected file in a window of its own.
    void InsertAll();

protected:
    // Hidden, the tree is not kept current; shown again, it catches up.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Refresh();
    void ShowPreview();
    void OpenFloatingWindow(const QString& file);

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    FolderTree m_tree;
    MountWatcher m_mounts;
    ThumbnailLoader m_thumbnails;
    int m_ticket = 0;
    FolderTreeView* m_view;
    QComboBox* m_filter;
    QCheckBox* m_previewCheck;
    QCheckBox* m_filesCheck;
    QPushButton* m_insert;
    QPushButton* m_insertAll;
    CImagePreviewCtrl* m_preview;
    QLabel* m_info;
    QLabel* m_path;
};
