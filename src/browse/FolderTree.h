#pragma once

#include "Drives.h"
#include "FolderWatcher.h"

#include <QAbstractItemModel>
#include <QRegularExpression>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// The folder tree of the image browser as a model: the root "My Computer", the drives, their
// folders listed when first expanded and, with "Show Files", the files matching the patterns.
// Expanded folders on watched drives are kept current by one FolderWatcher whose changes are
// applied here, on the model's thread, in the order they happened.
class FolderTree : public QAbstractItemModel {
    Q_OBJECT

public:
    enum class ItemType { Root, Drive, Folder, File };
    // A theme icon name for each item ("computer", "drive-harddisk", "folder-open"...).
    static constexpr int IconNameRole = Qt::UserRole + 1;
    static constexpr int PathRole = Qt::UserRole + 2;

    static inline const QString kRootText = QStringLiteral("My Computer");
    static inline const QString kListingError =
        QStringLiteral("The Drive is either not Ready or Network connection is not Restored.  Please try later");
    static inline const QString kListingErrorCaption = QStringLiteral("Albora:-Error in Reading Drive");

    // WATCH false makes a tree that lists without watching (albora-cli's plain listing).
    explicit FolderTree(bool watch = true, QObject* parent = nullptr);
    ~FolderTree() override;

    // The drives under the root; Refresh keeps them as the system's mounts are.
    void SetDrives(const std::vector<Drive>& drives);
    // File names matching any of PATTERNS ("*.jpg"), without regard to case, are listed.
    void SetFilePatterns(const QStringList& patterns);
    void SetShowFiles(bool show);
    bool ShowFiles() const { return m_showFiles; }
    // Lists the folder of INDEX; false when it cannot be read (the item then stays closed).
    bool Expand(const QModelIndex& index);
    // Forgets the folder's entries and stops watching it and everything below.
    void Collapse(const QModelIndex& index);
    // Lists every listed folder again, keeping what is still there (and its expansion).
    void Refresh();
    // Stops keeping the listed folders current (the window is hidden: its watches close), or
    // starts again, reading them first for what changed meanwhile.
    void SetWatching(bool on);

    ItemType TypeOf(const QModelIndex& index) const;
    QString PathOf(const QModelIndex& index) const;
    // The item of PATH when it is in the tree; invalid otherwise.
    QModelIndex IndexOf(const QString& path) const;
    QModelIndex RootIndex() const;
    // The names under INDEX in order, folders ending in "/" (as albora-cli prints them).
    QStringList ChildNames(const QModelIndex& index) const;
    // The files under INDEX (they come after its folders).
    int FileCount(const QModelIndex& index) const;
    int WatchCount() const;
    // Applies changes the watcher read, in order; an overflow lists everything again.
    void Apply(const QVector<FolderChange>& changes);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    // A folder was listed but cannot be kept current: the system's watches ran out.
    void notWatched(const QString& path);
    // The changes of one read of the watcher have been applied.
    void changesApplied();

private:
    struct Node;
    struct Entry;

    Node* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOfNode(const Node* node) const;
    std::optional<std::vector<Entry>> Read(const Node* folder) const;
    static std::unique_ptr<Node> MakeNode(Node* parent, Entry entry);
    bool List(Node* folder);
    void Relist(Node* folder);
    void Unlist(Node* folder);
    void InsertChild(Node* folder, Entry entry);
    void RemoveChild(Node* folder, int row);
    void Watch(Node* folder);
    void WatchListed(Node* node);
    void Unwatch(Node* node);
    bool Wanted(const Entry& entry) const;
    template <class Each>
    void ForEachFolderOf(int watch, Each each);

    std::unique_ptr<Node> m_root;
    QStringList m_patterns{QStringLiteral("*.*")};
    std::vector<QRegularExpression> m_matchers;
    bool m_showFiles = true;
    bool m_watching = true;
    std::unique_ptr<FolderWatcher> m_watcher;
    // The items of each watch: one folder reached by two paths shares its watch.
    std::unordered_map<int, std::vector<Node*>> m_watches;
};
