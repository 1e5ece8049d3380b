#include "FolderTree.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

struct FolderTree::Entry {
    QString name;
    bool folder = false;
};

struct FolderTree::Node {
    ItemType type = ItemType::Folder;
    QString name;
    Drive drive;  // the drive's own, for drive items
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
    bool listed = false;
    int watch = -1;

    QString Path() const {
        if (type == ItemType::Root) return {};
        if (type == ItemType::Drive) return drive.root;
        const QString above = parent->Path();
        return above.endsWith('/') ? above + name : above + '/' + name;
    }
    const Drive* DriveOf() const {
        const Node* node = this;
        while (node && node->type != ItemType::Drive) node = node->parent;
        return node ? &node->drive : nullptr;
    }
    int Row() const {
        if (!parent) return 0;
        const auto& siblings = parent->children;
        const auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& s) { return s.get() == this; });
        return int(it - siblings.begin());
    }
};

namespace {

// Folders first, then files, each by name without regard to case.
template <class A, class B>
bool ListedBefore(bool aFolder, const A& aName, bool bFolder, const B& bName) {
    if (aFolder != bFolder) return aFolder;
    const int order = QString::compare(aName, bName, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : QString::compare(aName, bName, Qt::CaseSensitive) < 0;
}

// Names the tree never shows: dot names (hidden folders and files, the desktop's trash) and the
// recycle bins of disks that were Windows'.
bool IsHiddenName(const QString& name) {
    return name.startsWith('.') || name.compare(QLatin1String("RECYCLED"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("RECYCLER"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("$RECYCLE.BIN"), Qt::CaseInsensitive) == 0;
}

}  // namespace

FolderTree::FolderTree(bool watch, QObject* parent) : QAbstractItemModel(parent), m_root(std::make_unique<Node>()) {
    m_root->type = ItemType::Root;
    m_root->name = kRootText;
    m_root->listed = true;
    SetFilePatterns(m_patterns);
    if (!watch) return;
    m_watcher = std::make_unique<FolderWatcher>();
    connect(m_watcher.get(), &FolderWatcher::changes, this, &FolderTree::Apply);
}

FolderTree::~FolderTree() = default;

void FolderTree::SetDrives(const std::vector<Drive>& drives) {
    auto& present = m_root->children;
    for (int row = int(present.size()) - 1; row >= 0; --row)
        if (std::find(drives.begin(), drives.end(), present[std::size_t(row)]->drive) == drives.end())
            RemoveChild(m_root.get(), row);
    const QModelIndex root = RootIndex();
    for (std::size_t i = 0; i < drives.size(); ++i) {
        const bool known = std::any_of(present.begin(), present.end(), [&](const auto& n) { return n->drive == drives[i]; });
        if (known) continue;
        const int row = int(std::min(i, present.size()));
        beginInsertRows(root, row, row);
        auto node = std::make_unique<Node>();
        node->type = ItemType::Drive;
        node->name = drives[i].root;
        node->drive = drives[i];
        node->parent = m_root.get();
        present.insert(present.begin() + row, std::move(node));
        endInsertRows();
    }
}

void FolderTree::SetFilePatterns(const QStringList& patterns) {
    m_patterns = patterns;
    m_matchers.clear();
    for (const QString& pattern : patterns) {
        // "*.*" is every file, as it always was on the disks these albums come from.
        const QString wildcard = pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
        m_matchers.emplace_back(QRegularExpression::wildcardToRegularExpression(wildcard),
                                QRegularExpression::CaseInsensitiveOption);
    }
}

void FolderTree::SetShowFiles(bool show) { m_showFiles = show; }

bool FolderTree::Wanted(const Entry& entry) const {
    if (IsHiddenName(entry.name)) return false;
    if (entry.folder) return true;
    return m_showFiles && std::any_of(m_matchers.begin(), m_matchers.end(),
                                      [&](const QRegularExpression& m) { return m.match(entry.name).hasMatch(); });
}

// The folder's wanted entries in tree order, typed from the directory itself; only what the file
// system leaves untyped (and links, which may lead to folders) is stat-ed.
std::optional<std::vector<FolderTree::Entry>> FolderTree::Read(const Node* folder) const {
    const QByteArray path = QFile::encodeName(folder->Path());
    DIR* dir = ::opendir(path.constData());
    if (!dir) return std::nullopt;
    std::vector<Entry> entries;
    const QByteArray base = path.endsWith('/') ? path : path + '/';
    while (const dirent* d = ::readdir(dir)) {
        Entry entry{QFile::decodeName(d->d_name), d->d_type == DT_DIR};
        if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
            struct stat info {};
            entry.folder = ::stat((base + d->d_name).constData(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        if (Wanted(entry)) entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return ListedBefore(a.folder, a.name, b.folder, b.name); });
    return entries;
}

std::unique_ptr<FolderTree::Node> FolderTree::MakeNode(Node* parent, Entry entry) {
    auto node = std::make_unique<Node>();
    node->type = entry.folder ? ItemType::Folder : ItemType::File;
    node->name = std::move(entry.name);
    node->parent = parent;
    return node;
}

bool FolderTree::List(Node* folder) {
    // Watched before it is read, so nothing made in between goes unseen (what is seen twice is
    // added once).
    Watch(folder);
    std::optional<std::vector<Entry>> entries = Read(folder);
    if (!entries) {
        Unwatch(folder);
        return false;
    }
    if (!entries->empty()) {
        beginInsertRows(IndexOfNode(folder), 0, int(entries->size()) - 1);
        folder->children.reserve(entries->size());
        for (Entry& entry : *entries) folder->children.push_back(MakeNode(folder, std::move(entry)));
        endInsertRows();
    }
    folder->listed = true;
    return true;
}

// Keeps every child that is still there, with all that is listed below it.
void FolderTree::Relist(Node* folder) {
    std::optional<std::vector<Entry>> entries = Read(folder);
    if (!entries) {
        if (folder->type == ItemType::Folder)
            RemoveChild(folder->parent, folder->Row());
        else
            Unlist(folder);
        return;
    }
    QSet<QString> wanted[2];
    for (const Entry& entry : *entries) wanted[entry.folder].insert(entry.name);
    for (int row = int(folder->children.size()) - 1; row >= 0; --row) {
        const Node* child = folder->children[std::size_t(row)].get();
        if (!wanted[child->type == ItemType::Folder].contains(child->name)) RemoveChild(folder, row);
    }
    for (Entry& entry : *entries) InsertChild(folder, std::move(entry));
    std::vector<Node*> listed;
    for (auto& child : folder->children)
        if (child->listed) listed.push_back(child.get());
    for (Node* child : listed) Relist(child);
}

void FolderTree::Unlist(Node* folder) {
    if (!folder->children.empty()) {
        beginRemoveRows(IndexOfNode(folder), 0, int(folder->children.size()) - 1);
        for (auto& child : folder->children) Unwatch(child.get());
        folder->children.clear();
        endRemoveRows();
    }
    if (folder->type != ItemType::Root) {
        folder->listed = false;
        Unwatch(folder);
    }
}

void FolderTree::InsertChild(Node* folder, Entry entry) {
    auto& children = folder->children;
    const auto at = std::lower_bound(children.begin(), children.end(), entry, [](const auto& node, const Entry& e) {
        return ListedBefore(node->type == ItemType::Folder, node->name, e.folder, e.name);
    });
    if (at != children.end() && (*at)->name == entry.name && ((*at)->type == ItemType::Folder) == entry.folder) return;
    const int row = int(at - children.begin());
    beginInsertRows(IndexOfNode(folder), row, row);
    children.insert(at, MakeNode(folder, std::move(entry)));
    endInsertRows();
}

void FolderTree::RemoveChild(Node* folder, int row) {
    beginRemoveRows(IndexOfNode(folder), row, row);
    Unwatch(folder->children[std::size_t(row)].get());
    folder->children.erase(folder->children.begin() + row);
    endRemoveRows();
}

void FolderTree::Watch(Node* folder) {
    const Drive* drive = folder->DriveOf();
    if (!m_watcher || !m_watching || !drive || !drive->Watched() || folder->watch >= 0) return;
    bool limit = false;
    folder->watch = m_watcher->Add(folder->Path(), &limit);
    if (folder->watch >= 0)
        m_watches[folder->watch].push_back(folder);
    else if (limit)
        Q_EMIT notWatched(folder->Path());
}

// NODE and everything below it stop being watched. One folder reached by two paths (the home
// folder and "/") shares one watch, which ends with its last item.
void FolderTree::Unwatch(Node* node) {
    for (auto& child : node->children) Unwatch(child.get());
    if (node->watch < 0) return;
    const auto it = m_watches.find(node->watch);
    if (it != m_watches.end()) {
        std::erase(it->second, node);
        if (it->second.empty()) {
            m_watcher->Remove(node->watch);
            m_watches.erase(it);
        }
    }
    node->watch = -1;
}

// The folders of WATCH, looked up afresh for each: applying a change to one may remove another
// (the same folder reached through a link inside itself).
template <class Each>
void FolderTree::ForEachFolderOf(int watch, Each each) {
    for (std::size_t i = 0;; ++i) {
        const auto it = m_watches.find(watch);
        if (it == m_watches.end() || i >= it->second.size()) return;
        each(it->second[i]);
    }
}

void FolderTree::Apply(const QVector<FolderChange>& changes) {
    for (const FolderChange& change : changes) {
        switch (change.kind) {
        case FolderChange::Kind::Overflow:
            // Changes were lost: what is listed is read again.
            Refresh();
            break;
        case FolderChange::Kind::WatchEnded:
            ForEachFolderOf(change.watch, [](Node* folder) { folder->watch = -1; });
            m_watches.erase(change.watch);
            break;
        case FolderChange::Kind::FolderGone:
            for (auto it = m_watches.find(change.watch); it != m_watches.end() && !it->second.empty();
                 it = m_watches.find(change.watch)) {
                Node* folder = it->second.front();
                if (folder->type == ItemType::Folder)
                    RemoveChild(folder->parent, folder->Row());
                else
                    Unlist(folder);
            }
            break;
        case FolderChange::Kind::Created:
        case FolderChange::Kind::MovedIn:
            // Each half of a move stands on its own: moved in is added, moved out removed, so a
            // move between two folders, in from or out to an unwatched place, all come out right.
            ForEachFolderOf(change.watch, [&](Node* folder) {
                if (Entry entry{change.name, change.isFolder}; Wanted(entry)) InsertChild(folder, std::move(entry));
            });
            break;
        case FolderChange::Kind::Deleted:
        case FolderChange::Kind::MovedOut:
            ForEachFolderOf(change.watch, [&](Node* folder) {
                auto& children = folder->children;
                const auto gone = std::find_if(children.begin(), children.end(), [&](const auto& child) {
                    return child->name == change.name && (child->type == ItemType::Folder) == change.isFolder;
                });
                if (gone != children.end()) RemoveChild(folder, int(gone - children.begin()));
            });
            break;
        }
    }
    Q_EMIT changesApplied();
}

bool FolderTree::Expand(const QModelIndex& index) {
    Node* node = NodeOf(index);
    if (!node || node->type == ItemType::File) return false;
    return node->listed || List(node);
}

void FolderTree::Collapse(const QModelIndex& index) {
    Node* node = NodeOf(index);
    if (node && node->type != ItemType::Root && node->type != ItemType::File) Unlist(node);
}

void FolderTree::Refresh() {
    std::vector<Node*> listed;
    for (auto& drive : m_root->children)
        if (drive->listed) listed.push_back(drive.get());
    for (Node* drive : listed) Relist(drive);
}

void FolderTree::SetWatching(bool on) {
    if (on == m_watching) return;
    m_watching = on;
    if (!on) {
        Unwatch(m_root.get());
        return;
    }
    WatchListed(m_root.get());
    Refresh();
}

void FolderTree::WatchListed(Node* node) {
    if (!node->listed) return;
    if (node->type != ItemType::Root) Watch(node);
    for (auto& child : node->children) WatchListed(child.get());
}

FolderTree::ItemType FolderTree::TypeOf(const QModelIndex& index) const {
    const Node* node = NodeOf(index);
    return node ? node->type : ItemType::Root;
}

QString FolderTree::PathOf(const QModelIndex& index) const {
    const Node* node = NodeOf(index);
    return node ? node->Path() : QString();
}

QModelIndex FolderTree::RootIndex() const { return createIndex(0, 0, m_root.get()); }

QModelIndex FolderTree::IndexOf(const QString& path) const {
    // The drive whose root is the longest start of the path holds it.
    const Node* drive = nullptr;
    for (const auto& candidate : m_root->children) {
        const QString root = candidate->drive.root;
        const bool holds = path == root || path.startsWith(root.endsWith('/') ? root : root + '/');
        if (holds && (!drive || root.size() > drive->drive.root.size())) drive = candidate.get();
    }
    if (!drive) return {};
    const Node* node = drive;
    const QStringList parts = path.mid(drive->drive.root.size()).split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const auto it = std::find_if(node->children.begin(), node->children.end(),
                                     [&](const auto& child) { return child->name == part; });
        if (it == node->children.end()) return {};
        node = it->get();
    }
    return IndexOfNode(node);
}

QStringList FolderTree::ChildNames(const QModelIndex& index) const {
    QStringList names;
    if (const Node* node = NodeOf(index))
        for (const auto& child : node->children)
            names << (child->type == ItemType::File ? child->name : child->name + '/');
    return names;
}

int FolderTree::FileCount(const QModelIndex& index) const {
    const Node* node = NodeOf(index);
    if (!node) return 0;
    const auto& children = node->children;
    const auto files = std::partition_point(children.begin(), children.end(),
                                            [](const auto& child) { return child->type != ItemType::File; });
    return int(children.end() - files);
}

int FolderTree::WatchCount() const { return int(m_watches.size()); }

FolderTree::Node* FolderTree::NodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTree::IndexOfNode(const Node* node) const {
    return node ? createIndex(node->Row(), 0, const_cast<Node*>(node)) : QModelIndex();
}

QModelIndex FolderTree::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row == 0 ? RootIndex() : QModelIndex();
    const Node* node = NodeOf(parent);
    return row < int(node->children.size()) ? createIndex(row, 0, node->children[std::size_t(row)].get())
                                            : QModelIndex();
}

QModelIndex FolderTree::parent(const QModelIndex& child) const {
    const Node* node = NodeOf(child);
    return node && node->parent ? IndexOfNode(node->parent) : QModelIndex();
}

int FolderTree::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return 1;
    return int(NodeOf(parent)->children.size());
}

int FolderTree::columnCount(const QModelIndex&) const { return 1; }

// A folder not listed yet offers to open, as it may hold something.
bool FolderTree::hasChildren(const QModelIndex& parent) const {
    const Node* node = NodeOf(parent);
    if (!node) return true;
    if (node->type == ItemType::File) return false;
    return !node->listed || !node->children.empty();
}

QVariant FolderTree::data(const QModelIndex& index, int role) const {
    const Node* node = NodeOf(index);
    if (!node) return {};
    switch (role) {
    case Qt::DisplayRole:
        return node->name;
    case PathRole:
        return node->Path();
    case IconNameRole:
        switch (node->type) {
        case ItemType::Root:
            return QStringLiteral("computer");
        case ItemType::File:
            return QStringLiteral("image-x-generic");
        case ItemType::Folder:
            return node->listed ? QStringLiteral("folder-open") : QStringLiteral("folder");
        case ItemType::Drive:
            switch (node->drive.kind) {
            case Drive::Kind::Removable:
                return QStringLiteral("drive-removable-media");
            case Drive::Kind::Network:
                return QStringLiteral("folder-network");
            case Drive::Kind::Cd:
                return QStringLiteral("media-optical");
            case Drive::Kind::Fixed:
                return QStringLiteral("drive-harddisk");
            }
        }
        return {};
    default:
        return {};
    }
}
