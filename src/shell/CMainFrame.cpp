#include "CMainFrame.h"

#include "StatusBarWithProgress.h"
#include "WindowPlacement.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/ui/AlbumInfoDialog.h"
#include "album/ui/TipDialog.h"
#include "album/ui/WelcomeDialog.h"
#include "platform/CommandIds.h"
#include "platform/ProgramPaths.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/CommandActions.h"
#include "platform/widgets/QtUiServices.h"
#include "shell/options/CGeneralPropertySheet.h"
#include "web/ui/CHTMLViewS.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>

namespace {
constexpr int kIdleRefreshMs = 250;
const QString kPlacementSection = QStringLiteral("Settings");
const QString kPlacementKey = QStringLiteral("WindowPos");
}  // namespace

CMainFrame::CMainFrame(CAlboraDoc& doc, CAppSettings& settings, SettingsStore& store,
                       QtUiServices& ui)
    : m_doc(doc),
      m_settings(settings),
      m_store(store),
      m_ui(ui),
      m_actions(new CommandActions(m_router, this)),
      m_statusBar(new StatusBarWithProgress(this)),
      m_tabs(new QTabWidget(this)) {
    setStatusBar(m_statusBar);
    m_ui.SetParentWindow(this);
    m_ui.SetStatusDisplay(m_statusBar);
    m_statusBar->SetPaneText(0, QStringLiteral("Ready"));

    m_router.AddTarget([this] { return dynamic_cast<CommandTarget*>(ActiveView()); });
    m_router.AddTarget([this] { return static_cast<CommandTarget*>(&m_doc); });
    m_router.AddTarget([this] { return static_cast<CommandTarget*>(this); });

    m_tabs->setObjectName(QStringLiteral("MarenkisTabWnd"));
    setCentralWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        View* hidden = m_currentTab < int(m_tabViews.size()) ? m_tabViews[m_currentTab] : nullptr;
        View* shown = index >= 0 && index < int(m_tabViews.size()) ? m_tabViews[index] : nullptr;
        m_currentTab = index;
        if (hidden && hidden != shown) hidden->OnTabActivation(false, shown);
        if (shown && hidden != shown) shown->OnTabActivation(true, hidden);
    });
    m_doc.editAlbumInfo = [this](AlbumInfoFields& fields) {
        return AlbumInfoDialog::Edit(fields, m_ui, this);
    };
    connect(&m_doc, &Document::titleChanged, this, &CMainFrame::UpdateTitle);

    m_recent.Load(m_store);
    RegisterCommands();
    BuildMenus();
    BuildToolbars();
    UpdateTitle();

    m_idleTimer.setInterval(kIdleRefreshMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        m_actions->Refresh();
        m_statusBar->UpdateIndicators();
    });
    m_idleTimer.start();
    m_actions->Refresh();
}

CMainFrame::~CMainFrame() {
    for (View* view : m_tabViews)
        if (view->GetDocument()) view->GetDocument()->RemoveView(view);
}

void CMainFrame::AddTab(QWidget* widget, View* view, const QString& caption) {
    m_doc.AddView(view);
    m_tabViews.push_back(view);
    m_tabs->addTab(widget, caption);
    view->OnUpdate(nullptr, Hint::Rebuild, nullptr);
}

void CMainFrame::ShowTab(int n) {
    if (n < 0 || n >= m_tabs->count() || n == m_tabs->currentIndex()) return;
    m_tabs->setCurrentIndex(n);
    m_tabs->currentWidget()->setFocus();
}

int CMainFrame::CurrentTab() const { return m_tabs->currentIndex(); }

View* CMainFrame::ActiveView() const {
    const int index = m_tabs->currentIndex();
    return index >= 0 && index < int(m_tabViews.size()) ? m_tabViews[index] : nullptr;
}

void CMainFrame::RegisterCommands() {
    OnCommand(Cmd::FileNew, [this] { m_doc.FileNew(); });
    OnCommand(Cmd::FileOpen, [this] { OpenAlbum(); });
    for (int i = 0; i < RecentFileList::kSize; ++i)
        OnCommand(Cmd::FileMru1 + i, [this, i] { OpenRecent(i); },
                  [this, i](CommandState& s) { s.enabled = i < m_recent.Files().size(); });
    OnCommand(Cmd::AppExit, [this] { close(); });
    OnCommand(Cmd::AppAbout, [this] { About(); });
    OnCommand(Cmd::ShowTipOfTheDay, [this] { ShowTipOfTheDay(); });
    // The draw view is the fourth tab.
    OnCommand(Cmd::DrawAnnotationView, [this] { ShowTab(3); }, [this](CommandState& s) { s.enabled = m_tabs && m_tabs->count() > 3; });
    OnCommand(Cmd::WelcomeMenu, [this] { ShowWelcome(); });
    OnCommand(Cmd::GeneralOptions, [this] { EditGeneralOptions(); });
    OnCommand(Cmd::ToolbarFiles, [this] { ToggleToolbar(m_filesBar); },
              [this](CommandState& s) { s.checked = m_filesBar && m_filesBar->isVisible(); });
    OnCommand(Cmd::ToolbarGoTo, [this] { ToggleToolbar(m_goToBar); },
              [this](CommandState& s) { s.checked = m_goToBar && m_goToBar->isVisible(); });
    OnCommand(Cmd::ToolbarImageOperations, [this] { ToggleToolbar(m_imageBar); },
              [this](CommandState& s) { s.checked = m_imageBar && m_imageBar->isVisible(); });
    OnCommand(Cmd::ToolbarEdit, [this] { ToggleToolbar(m_editBar); },
              [this](CommandState& s) { s.checked = m_editBar && m_editBar->isVisible(); });
    OnCommand(Cmd::ToolbarCards, [this] { ToggleToolbar(m_cardsBar); },
              [this](CommandState& s) { s.checked = m_cardsBar && m_cardsBar->isVisible(); });
}

QString CMainFrame::GetWebLocation() const { return m_webView ? m_webView->Location().toString() : QString(); }

void CMainFrame::NavigateWeb(const QString& url) {
    if (m_webView) m_webView->Navigate(QUrl(url));
}

void CMainFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    m_actions->Fill(file, {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAs, 0,
                           Cmd::AlbumInformation, 0, Cmd::FilePrint, Cmd::FilePrintPreview, 0});
    for (int i = 0; i < RecentFileList::kSize; ++i) file->addAction(m_actions->Action(Cmd::FileMru1 + i));
    file->addSeparator();
    file->addAction(m_actions->Action(Cmd::AppExit));
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentMenu);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_actions->Fill(edit, {Cmd::EditUndo, Cmd::EditRedo, 0, Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste});
    QMenu* cards = menuBar()->addMenu(QStringLiteral("&Cards"));
    m_actions->Fill(cards, {Cmd::ViewCurrentImage, 0, Cmd::CardAdd, Cmd::CardModify, Cmd::CardDelete, 0,
                            Cmd::CardSearch, Cmd::ViewAllCards, 0, Cmd::CopyCard, Cmd::PasteCard, 0,
                            Cmd::Association, Cmd::FileSendMail, Cmd::RenameImage, Cmd::ConvertImage, 0});
    QMenu* sound = cards->addMenu(QStringLiteral("&Sound anotations"));
    m_actions->Fill(sound, {Cmd::SoundPlay, Cmd::SoundRecord});
    QMenu* image = menuBar()->addMenu(QStringLiteral("&Image"));
    m_actions->Fill(image, {Cmd::ZoomFit, Cmd::ZoomEighth, Cmd::ZoomQuarter, Cmd::ZoomHalf, Cmd::Zoom1, Cmd::Zoom2,
                            Cmd::Zoom3, Cmd::Zoom4, Cmd::Zoom5, Cmd::ZoomIn, Cmd::ZoomOut, 0, Cmd::StretchImage,
                            Cmd::ShowInfo, Cmd::FullScreen, 0, Cmd::ImageInformation, Cmd::ExportImage, Cmd::SaveTransform,
                            Cmd::EditUndo, 0, Cmd::ImageSize, Cmd::ImageRotate, Cmd::ImageRotate180,
                            Cmd::ImageRotate90CW, Cmd::ImageRotate90CCW, Cmd::ImageFlipHorizontal,
                            Cmd::ImageFlipVertical, Cmd::ImageCrop, Cmd::ColorVariation, Cmd::BrightnessContrast, 0,
                            Cmd::SelectNone, Cmd::PlayMovie});
    QMenu* annotations = menuBar()->addMenu(QStringLiteral("&Anotations"));
    m_actions->Fill(annotations, {Cmd::NewDrawAnnotation, Cmd::LoadDrawAnnotation, Cmd::MergeDrawAnnotation,
                                  Cmd::SaveDrawAnnotation, Cmd::SaveDrawAnnotationAs, 0, Cmd::DrawAnnotationProperties,
                                  Cmd::DrawPaperColor, Cmd::DrawMakeReadOnly});
    QMenu* objects = menuBar()->addMenu(QStringLiteral("&Objects"));
    m_actions->Fill(objects, {Cmd::DrawSelect, Cmd::DrawLine, Cmd::DrawArc, Cmd::DrawRectangle, Cmd::DrawRoundRectangle,
                              Cmd::DrawEllipse, Cmd::DrawPolygon, Cmd::DrawCurve, Cmd::DrawText, Cmd::DrawImageLink, 0,
                              Cmd::DrawDelete, Cmd::DrawProperties, 0, Cmd::DrawInsertObject, Cmd::DrawOriginalSize, 0,
                              Cmd::DrawMakeLibrary, Cmd::DrawSortLibrary});
    QMenu* attributes = menuBar()->addMenu(QStringLiteral("Attri&butes"));
    m_actions->Fill(attributes, {Cmd::DrawLineColor, Cmd::DrawFillColor, 0, Cmd::DrawWidth1, Cmd::DrawWidth2,
                                 Cmd::DrawWidth4, Cmd::DrawWidth8, 0, Cmd::DrawFillSolid, Cmd::DrawFillTransparent,
                                 Cmd::DrawFillVertical, Cmd::DrawFillMinus45, Cmd::DrawFillCross45,
                                 Cmd::DrawFillHorizontal, Cmd::DrawFill45, Cmd::DrawFillCrossVertHor, 0, Cmd::DrawFont,
                                 Cmd::DrawPaperColor});
    QMenu* layout = menuBar()->addMenu(QStringLiteral("La&yout"));
    m_actions->Fill(layout, {Cmd::DrawSizePosition, Cmd::DrawFixObject, 0, Cmd::DrawGroup, Cmd::DrawUngroup, 0,
                             Cmd::DrawMoveFirst, Cmd::DrawMoveLast, Cmd::DrawToFront, Cmd::DrawToBack});
    QMenu* selectObject = menuBar()->addMenu(QStringLiteral("Select ob&ject"));
    m_actions->Fill(selectObject, {Cmd::DrawSelectAll, Cmd::DrawSelectNext, Cmd::DrawSelectByName, Cmd::DrawFindObject});
    QMenu* goTo = menuBar()->addMenu(QStringLiteral("&Go to"));
    m_actions->Fill(goTo, {Cmd::GoTop, Cmd::GoPrev, Cmd::GoNext, Cmd::GoBottom, 0,
                           Cmd::RunImages, Cmd::StopRunImages});
    QMenu* utilities = menuBar()->addMenu(QStringLiteral("&Utilities"));
    QMenu* internet = utilities->addMenu(QStringLiteral("&Internet"));
    m_actions->Fill(internet, {Cmd::HtmlAssistant, 0, Cmd::ExploreWebPage, Cmd::ExploreHtmlDir, Cmd::GoLocalHome, 0,
                               Cmd::HtmlEdit, Cmd::Publish, 0, Cmd::InternetProperties});
    m_actions->Fill(utilities, {Cmd::MakeMovie, Cmd::MakeMpegMovie, 0});
    QMenu* presentations = utilities->addMenu(QStringLiteral("&Presentations"));
    m_actions->Fill(presentations, {Cmd::BeginPresentation});
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_actions->Fill(options, {Cmd::GeneralOptions, Cmd::DefineUtilities});
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    m_actions->Fill(view, {Cmd::ToolbarFiles, Cmd::ToolbarEdit, Cmd::ToolbarCards, Cmd::ToolbarImageOperations,
                           Cmd::ToolbarGoTo, 0, Cmd::DrawAnnotationView, Cmd::DrawGrid, Cmd::DrawRefresh,
                           Cmd::DrawZoom1to1, Cmd::DrawZoom1to2, Cmd::DrawZoom2to1, Cmd::DrawZoom1to3, Cmd::DrawZoom3to1, 0,
                           Cmd::WelcomeMenu});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_actions->Fill(help, {Cmd::ShowTipOfTheDay, 0, Cmd::AppAbout});
    for (QMenu* menu : {file, edit, cards, sound, image, annotations, objects, attributes, layout, selectObject, goTo, utilities, internet,
                         presentations, options, view, help})
        m_actions->RefreshOnShow(menu);
    RebuildRecentMenu();
}

void CMainFrame::BuildToolbars() {
    m_filesBar = addToolBar(QStringLiteral("Files"));
    m_filesBar->setObjectName(QStringLiteral("Files"));
    m_actions->Fill(m_filesBar, {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSendMail,
                                 Cmd::FilePrintPreview, Cmd::FilePrint, Cmd::AppAbout,
                                 Cmd::ContextHelp});
    m_editBar = addToolBar(QStringLiteral("Edit"));
    m_editBar->setObjectName(QStringLiteral("Edit"));
    m_actions->Fill(m_editBar, {Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste});
    m_cardsBar = addToolBar(QStringLiteral("Cards"));
    m_cardsBar->setObjectName(QStringLiteral("Cards"));
    m_actions->Fill(m_cardsBar, {Cmd::CardAdd, Cmd::CardDelete, Cmd::CardModify, Cmd::CardSearch,
                                 Cmd::ViewAllCards});
    m_imageBar = addToolBar(QStringLiteral("Images operations"));
    m_imageBar->setObjectName(QStringLiteral("Images operations"));
    m_actions->Fill(m_imageBar, {Cmd::ZoomFit, Cmd::Zoom1, Cmd::Zoom2, Cmd::Zoom3, Cmd::Zoom4, Cmd::Zoom5, Cmd::StretchImage,
                                 Cmd::EditUndo, Cmd::ImageSize, Cmd::ImageRotate, Cmd::ImageRotate180,
                                 Cmd::ImageRotate90CW, Cmd::ImageRotate90CCW, Cmd::ImageFlipHorizontal,
                                 Cmd::ImageFlipVertical, Cmd::ImageCrop});
    m_goToBar = new QToolBar(QStringLiteral("Go to"), this);
    m_goToBar->setObjectName(QStringLiteral("Go to"));
    addToolBar(Qt::BottomToolBarArea, m_goToBar);
    m_actions->Fill(m_goToBar, {Cmd::GoTop, Cmd::GoPrev, Cmd::StopRunImages, Cmd::RunImages,
                                Cmd::GoNext, Cmd::GoBottom});
    m_annotationsBar = addToolBar(QStringLiteral("Anotations"));
    m_annotationsBar->setObjectName(QStringLiteral("Anotations"));
    m_actions->Fill(m_annotationsBar, {Cmd::NewDrawAnnotation, Cmd::DrawAnnotationView});
    m_drawBar = new QToolBar(QStringLiteral("Draw"), this);
    m_drawBar->setObjectName(QStringLiteral("Draw"));
    addToolBar(Qt::LeftToolBarArea, m_drawBar);
    m_actions->Fill(m_drawBar, {Cmd::DrawSelect, Cmd::DrawLine, Cmd::DrawArc, Cmd::DrawRectangle, Cmd::DrawRoundRectangle,
                                Cmd::DrawEllipse, Cmd::DrawPolygon, Cmd::DrawCurve, Cmd::DrawText, Cmd::DrawImageLink,
                                Cmd::DrawSelectAll, Cmd::DrawSelectNext, Cmd::DrawSelectByName, Cmd::DrawFindObject,
                                Cmd::DrawDelete, Cmd::DrawCopy, Cmd::DrawCut, Cmd::DrawPaste, Cmd::DrawProperties});
}

void CMainFrame::ToggleToolbar(QToolBar* toolbar) {
    if (toolbar) toolbar->setVisible(!toolbar->isVisible());
}

void CMainFrame::RebuildRecentMenu() {
    const QStringList& files = m_recent.Files();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        QAction* action = m_actions->Action(Cmd::FileMru1 + i);
        action->setVisible(i < files.size());
        if (i < files.size())
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
        action->setStatusTip(files.value(i));
    }
}

void CMainFrame::UpdateTitle() {
    m_actions->Refresh();
    setWindowTitle(m_doc.GetTitle() + QStringLiteral("[*] - Albora"));
    setWindowModified(m_doc.IsModified());
    if (!m_doc.GetPathName().isEmpty()) m_recent.Add(m_doc.GetPathName());
}

void CMainFrame::OpenAlbum() {
    if (const auto path = m_ui.ChooseFile(FileDialogKind::Open, QStringLiteral("Open"),
                                          QStringLiteral("Albora Files (*.crp);;All files (*)"),
                                          m_doc.GetPathName()))
        m_doc.FileOpen(*path);
}

void CMainFrame::OpenRecent(int index) {
    const QString path = m_recent.Files().value(index);
    if (path.isEmpty()) return;
    // An album that cannot be opened any more leaves the list, unless only its saving was refused.
    if (!m_doc.FileOpen(path) && !QFileInfo::exists(path)) m_recent.Remove(index);
}

void CMainFrame::About() {
    QMessageBox::about(this, QStringLiteral("About Albora"),
                       QStringLiteral("<b>Albora 3.0</b><br>An image album manager for Linux.<br>"
                                      "Albums (.crp) move unchanged between systems."));
}

void CMainFrame::ShowTipOfTheDay() {
    QString tipFile = ProgramPaths::FindShippedFile(QStringLiteral("albora.tip"));
    if (tipFile.isEmpty()) tipFile = ProgramPaths::ProgramDirectory() + QStringLiteral("albora.tip");
    TipDialog(m_store, tipFile, this).exec();
}

void CMainFrame::ShowWelcome() {
    WelcomeDialog dialog(m_settings, m_store, m_ui,
                         [this](int id) { return m_router.Update(id).enabled; }, this);
    dialog.exec();
    for (int id : dialog.ChosenCommands()) m_router.Execute(id);
}

void CMainFrame::EditGeneralOptions() {
    // No capture layer yet: the capture pages say that no device is available.
    CGeneralPropertySheet(m_settings, m_ui, nullptr, this).Run();
}

void CMainFrame::RestorePlacement() {
    const std::optional<QString> stored = m_store.ReadText(kPlacementSection, kPlacementKey);
    const auto placement = WindowPlacement::Parse(stored.value_or(WindowPlacement::kDefault));
    if (!placement) return;
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) screens.append(primary->availableGeometry());
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) screens.append(screen->availableGeometry());
    // The rectangle's corner is the frame's, so the title bar is on the screen with the window. A
    // first start puts the default rectangle wholly within the primary screen's free area.
    const QRect rect = stored || screens.isEmpty() ? WindowPlacement::KeptReachable(placement->NormalRect(), screens)
                                                   : WindowPlacement::MovedInto(placement->NormalRect(), screens.front());
    resize(rect.size());
    move(rect.topLeft());
    if (placement->flags & WindowPlacement::kRestoreToMaximized) setWindowState(Qt::WindowMaximized);
}

void CMainFrame::SavePlacement() {
    const bool maximized = isMaximized();
    // Kept as it is restored: the frame's corner and the window's own size.
    const QRect normal = maximized ? normalGeometry() : QRect(frameGeometry().topLeft(), size());
    m_store.WriteText(kPlacementSection, kPlacementKey, WindowPlacement::Of(normal, maximized).Format());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (View* view : m_tabViews) view->PrepareToClose();
    if (!m_doc.SaveModified()) {
        event->ignore();
        return;
    }
    m_doc.Stop();
    SavePlacement();
    m_recent.Save(m_store);
    event->accept();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        m_statusBar->SetPaneText(0, tip.isEmpty() ? QStringLiteral("Ready") : tip);
        return true;
    }
    return QMainWindow::event(event);
}
