#include "FolderTreeView.h"

#include "browse/FolderTree.h"
#include "platform/UiServices.h"

#include <QIcon>
#include <QIdentityProxyModel>

namespace {

// The model's icon names as the desktop theme's icons.
class ThemeIcons : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DecorationRole) return QIdentityProxyModel::data(index, role);
        const QString name = QIdentityProxyModel::data(index, FolderTree::IconNameRole).toString();
        return name.isEmpty() ? QVariant() : QVariant(QIcon::fromTheme(name));
    }
};

}  // namespace

FolderTreeView::FolderTreeView(FolderTree& tree, UiServices& ui, QWidget* parent)
    : QTreeView(parent), m_tree(tree), m_ui(ui) {
    auto* icons = new ThemeIcons(this);
    icons->setSourceModel(&tree);
    setModel(icons);
    setHeaderHidden(true);
    setUniformRowHeights(true);  // thousands of files scroll without measuring each row
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::expanded, this, [this, icons](const QModelIndex& index) {
        if (m_tree.Expand(icons->mapToSource(index))) return;
        collapse(index);
        m_ui.MessageBox(FolderTree::kListingError, MsgButtons::Ok, MsgIcon::Stop, FolderTree::kListingErrorCaption);
    });
    connect(this, &QTreeView::collapsed, this,
            [this, icons](const QModelIndex& index) { m_tree.Collapse(icons->mapToSource(index)); });
    expand(model()->index(0, 0));
}

QString FolderTreeView::CurrentPath() const { return currentIndex().data(FolderTree::PathRole).toString(); }

bool FolderTreeView::CurrentIsFolder() const {
    const auto* icons = static_cast<const QIdentityProxyModel*>(model());
    const FolderTree::ItemType type = m_tree.TypeOf(icons->mapToSource(currentIndex()));
    return currentIndex().isValid() && (type == FolderTree::ItemType::Folder || type == FolderTree::ItemType::Drive);
}

void FolderTreeView::Reveal(const QString& path) {
    const auto* icons = static_cast<const QIdentityProxyModel*>(model());
    QModelIndex found = m_tree.IndexOf(path);
    if (!found.isValid()) return;
    for (QModelIndex up = found.parent(); up.isValid(); up = up.parent()) expand(icons->mapFromSource(up));
    setCurrentIndex(icons->mapFromSource(found));
}
