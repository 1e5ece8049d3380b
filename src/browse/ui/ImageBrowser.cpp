#include "ImageBrowser.h"

#include "FolderTreeView.h"
#include "InsertImagesDialog.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "browse/BrowseFilter.h"
#include "platform/UiServices.h"
#include "views/CFloatImageWnd.h"
#include "views/CImagePreviewCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr QSize kPreviewSize(160, 120);
const QString kEverything = QStringLiteral("*.*");
}  // namespace

ImageBrowser::ImageBrowser(CAlboraDoc& doc, UiServices& ui, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      m_doc(doc),
      m_ui(ui),
      m_view(new FolderTreeView(m_tree, ui)),
      m_filter(new QComboBox),
      m_previewCheck(new QCheckBox(QStringLiteral("Preview"))),
      m_filesCheck(new QCheckBox(QStringLiteral("Show Files"))),
      m_insert(new QPushButton(QStringLiteral("Insert >>"))),
      m_insertAll(new QPushButton(QStringLiteral("Insert All >>"))),
      m_preview(new CImagePreviewCtrl(this)),
      m_info(new QLabel),
      m_path(new QLabel) {
    setWindowTitle(QStringLiteral("Image Browser"));
    m_filter->setEditable(true);
    m_filter->addItems({"Internet images", "All images", "*.jpg", "*.gif", "*.png", "*.bmp", "*.avi", kEverything});
    m_filter->setCurrentText(QStringLiteral("Internet images"));
    m_previewCheck->setChecked(true);
    m_filesCheck->setChecked(true);
    m_preview->setFixedSize(kPreviewSize + QSize(2, 2));
    m_path->setWordWrap(true);
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* refresh = new QPushButton(QStringLiteral("Refresh"));

    auto* side = new QVBoxLayout;
    side->addWidget(m_filter);
    side->addWidget(m_previewCheck);
    side->addWidget(m_filesCheck);
    side->addWidget(refresh);
    side->addSpacing(8);
    side->addWidget(m_insert);
    side->addWidget(m_insertAll);
    side->addSpacing(8);
    side->addWidget(m_preview, 0, Qt::AlignHCenter);
    side->addWidget(m_info);
    side->addWidget(m_path);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(side);
    resize(620, 480);

    m_tree.SetDrives(ListDrives());
    ApplyFilter();
    connect(&m_mounts, &MountWatcher::mountsChanged, this, [this] { m_tree.SetDrives(ListDrives()); });
    connect(&m_tree, &FolderTree::notWatched, this, [this](const QString& path) {
        m_ui.SetStatusText(0, QStringLiteral("Not kept current (no more folders can be watched): ") + path);
    });
    connect(m_filter, &QComboBox::activated, this, &ImageBrowser::ApplyFilter);
    connect(refresh, &QPushButton::clicked, this, &ImageBrowser::Refresh);
    connect(m_filesCheck, &QCheckBox::toggled, this, [this](bool on) {
        m_tree.SetShowFiles(on);
        ApplyFilter();
    });
    connect(m_previewCheck, &QCheckBox::toggled, this, &ImageBrowser::ShowPreview);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &ImageBrowser::ShowPreview);
    connect(m_view, &QTreeView::doubleClicked, this, &ImageBrowser::InsertAll);
    connect(m_insert, &QPushButton::clicked, this, &ImageBrowser::InsertSelected);
    connect(m_insertAll, &QPushButton::clicked, this, &ImageBrowser::InsertAll);
    connect(&m_thumbnails, &ThumbnailLoader::ready, this, [this](int ticket, const ThumbnailLoader::Result& result) {
        if (ticket != m_ticket) return;  // the user has walked on
        m_preview->SetResult(result);
        m_info->setText(result.loaded ? QString(m_preview->Info()).replace('\r', '\n') : QString());
    });
    ShowPreview();
}

void ImageBrowser::showEvent(QShowEvent* event) {
    m_tree.SetWatching(true);
    QDialog::showEvent(event);
}

void ImageBrowser::hideEvent(QHideEvent* event) {
    m_tree.SetWatching(false);
    QDialog::hideEvent(event);
}

bool ImageBrowser::ApplyFilter() {
    const std::optional<QStringList> patterns = PatternsOfFilter(m_filter->currentText());
    if (!patterns) {
        m_ui.MessageBox(kInvalidFilterText, MsgButtons::Ok, MsgIcon::Exclamation, kInvalidFilterCaption);
        return false;
    }
    WaitCursor wait(m_ui);
    m_tree.SetFilePatterns(*patterns);
    m_tree.Refresh();
    return true;
}

void ImageBrowser::Refresh() {
    m_tree.SetDrives(ListDrives());
    ApplyFilter();
}

// The picture is read off the window's thread, as the contact sheet reads its thumbnails, so
// walking through a folder of photos with the arrow keys never waits for one.
void ImageBrowser::ShowPreview() {
    ++m_ticket;
    m_thumbnails.CancelPending();
    const QString path = m_view->CurrentPath();
    const bool file = !path.isEmpty() && !m_view->CurrentIsFolder();
    m_insert->setEnabled(file);
    m_insertAll->setEnabled(!path.isEmpty());
    m_path->setText(file && m_previewCheck->isChecked() ? path : QString());
    m_info->clear();
    m_preview->Clear();
    if (file && m_previewCheck->isChecked()) m_thumbnails.Request(path, kPreviewSize, m_ticket);
}

void ImageBrowser::InsertSelected() {
    const QString path = m_view->CurrentPath();
    if (path.isEmpty() || m_view->CurrentIsFolder()) {
        m_ui.Beep();
        return;
    }
    InsertImagesDialog dialog(path, QFileInfo(path).absolutePath(), this);
    if (dialog.exec() == QDialog::Accepted && !dialog.Files().isEmpty()) m_doc.AddFileAsCard(dialog.Files());
}

void ImageBrowser::InsertAll() {
    const QString path = m_view->CurrentPath();
    if (path.isEmpty()) return;
    if (!m_view->CurrentIsFolder()) {
        OpenFloatingWindow(path);
        return;
    }
    const QString filter = m_filter->currentText();
    if (filter == kEverything && m_ui.MessageBox(QStringLiteral("Insert all files (*.*)?:"), MsgButtons::YesNo,
                                                 MsgIcon::Question) != MsgAnswer::Yes)
        return;
    InsertImagesDialog dialog(filter, path, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_doc.Settings().browserMask = dialog.Files();
    m_doc.NewAlbumFromFolder(dialog.Path());
}

void ImageBrowser::OpenFloatingWindow(const QString& file) {
    auto* window = new CFloatImageWnd(m_ui, parentWidget());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->ShowFile(file);
    window->show();
}
