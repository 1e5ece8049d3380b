#include "CMainFrame.h"

#include "StatusBarWithProgress.h"
#include "ToolbarTable.h"
#include "UtilitiesDialog.h"
#include "UtilitiesMenu.h"
#include "WindowPlacement.h"

#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "album/ui/AlbumInfoDialog.h"
#include "album/ui/TipDialog.h"
#include "album/ui/WelcomeDialog.h"
#include "capture/ui/CaptureDeviceOptions.h"
#include "platform/CommandIds.h"
#include "platform/CommandTable.h"
#include "platform/ProgramPaths.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/CommandActions.h"
#include "platform/widgets/QtUiServices.h"
#include "shell/options/CGeneralPropertySheet.h"
#include "web/ui/CHTMLViewS.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>
#include <QWindow>

namespace {
constexpr int kIdleRefreshMs = 250;
const QString kPlacementSection = QStringLiteral("Settings");
const QString kPlacementKey = QStringLiteral("WindowPos");
const QString kToolbarSection = QStringLiteral("General");
const QString kToolbarKey = QStringLiteral("Toolbars");
// Whether the user wants the Draw toolbar; the bar itself shows only with the drawing.
const QString kDrawToolbarKey = QStringLiteral("DrawToolbar");
// Raised when the toolbars change so that an older arrangement is not forced on them.
constexpr int kToolbarStateVersion = 1;
// The desktops' toolbar icon size, a little under the style's: the bars fit in two rows.
constexpr int kIcon = 22;
// The "Classic" toolbar's large buttons.
constexpr int kLargeIcon = 24;
constexpr int kLargeButtonWidth = 74;
constexpr int kDrawTab = 3;

// Without the shipped file the tip says that there are no tips.
QString TipFile() { return ProgramPaths::FindShippedFile(QStringLiteral("albora.tip")); }
}  // namespace

CMainFrame::CMainFrame(CAlboraDoc& doc, CAppSettings& settings, SettingsStore& store,
                       QtUiServices& ui)
    : m_doc(doc),
      m_settings(settings),
      m_store(store),
      m_ui(ui),
      m_actions(new CommandActions(m_router, this)),
      m_statusBar(new StatusBarWithProgress(this)) {
    setStatusBar(m_statusBar);
    m_ui.SetParentWindow(this);
    m_ui.SetStatusDisplay(m_statusBar);
    m_statusBar->SetPaneText(0, QStringLiteral("Ready"));

    m_router.AddTarget([this] { return dynamic_cast<CommandTarget*>(ActiveView()); });
    m_router.AddTarget([this] { return static_cast<CommandTarget*>(&m_doc); });
    m_router.AddTarget([this] { return static_cast<CommandTarget*>(this); });

    if (m_settings.ClasicLayout) {
        m_splitter = new QSplitter(Qt::Vertical, this);
        m_splitter->setChildrenCollapsible(true);
        setCentralWidget(m_splitter);
        // The row holding the focus is the active view, as the tab shown is in the other layout.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            for (std::size_t row = 0; row < m_viewWidgets.size(); ++row)
                if (now && (now == m_viewWidgets[row] || m_viewWidgets[row]->isAncestorOf(now))) m_current = int(row);
        });
    } else {
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(QStringLiteral("MarenkisTabWnd"));
        setCentralWidget(m_tabs);
        connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
            View* hidden = m_current < int(m_views.size()) ? m_views[m_current] : nullptr;
            View* shown = index >= 0 && index < int(m_views.size()) ? m_views[index] : nullptr;
            m_current = index;
            if (hidden && hidden != shown) hidden->OnTabActivation(false, shown);
            if (shown && hidden != shown) shown->OnTabActivation(true, hidden);
            ShowDrawBar();
        });
    }
    m_doc.editAlbumInfo = [this](AlbumInfoFields& fields) {
        return AlbumInfoDialog::Edit(fields, m_ui, this);
    };
    connect(&m_doc, &Document::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::CommitData);

    m_recent.Load(m_store);
    RegisterCommands();
    BuildMenus();
    BuildToolbars();
    RestoreToolbars();
    UpdateTitle();

    m_idleTimer.setInterval(kIdleRefreshMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        // The drawing changes without telling anyone: its mark in the title is kept up here.
        UpdateModifiedMark();
        m_actions->Refresh();
        m_statusBar->UpdateIndicators();
    });
    m_idleTimer.start();
    m_actions->Refresh();
}

CMainFrame::~CMainFrame() {
    for (View* view : m_views)
        if (view->GetDocument()) view->GetDocument()->RemoveView(view);
}

void CMainFrame::AddView(QWidget* widget, View* view, const QString& caption) {
    m_doc.AddView(view);
    m_views.push_back(view);
    m_viewWidgets.push_back(widget);
    if (m_splitter) {
        m_splitter->addWidget(widget);
        // Every row is on the screen for the whole run.
        view->OnTabActivation(true, nullptr);
    } else {
        m_tabs->addTab(widget, caption);
    }
    view->OnUpdate(nullptr, Hint::Rebuild, nullptr);
}

void CMainFrame::ShowTab(int n) {
    if (!m_tabs || n < 0 || n >= m_tabs->count() || n == m_tabs->currentIndex()) return;
    m_tabs->setCurrentIndex(n);
    m_tabs->currentWidget()->setFocus();
}

int CMainFrame::CurrentTab() const { return m_tabs ? m_tabs->currentIndex() : -1; }

View* CMainFrame::ActiveView() const {
    return m_current >= 0 && m_current < int(m_views.size()) ? m_views[m_current] : nullptr;
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
    OnCommand(Cmd::WelcomeMenu, [this] { ShowWelcome(); });
    OnCommand(Cmd::GeneralOptions, [this] { EditGeneralOptions(); });
    OnCommand(Cmd::DefineUtilities, [this] { UtilitiesDialog(m_settings, this).exec(); });
    OnCommand(Cmd::ClassicLayout, [this] { AskClassicLayout(); }, [this](CommandState& s) { s.checked = IsClassicLayout(); });
    OnCommand(Cmd::HelpTopics, [this] { OpenManual(QStringLiteral("index.html")); });
    OnCommand(Cmd::Tutorial, [this] { OpenManual(QStringLiteral("getting-started.html")); });
    OnCommand(Cmd::ContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
    for (const ToolbarLayout& entry : ToolbarTable()) {
        if (!entry.toggle) continue;
        const int id = entry.toggle;
        if (id == Cmd::ToolbarDraw) {
            OnCommand(id, [this] {
                m_drawBarWanted = !m_drawBarWanted;
                ShowDrawBar();
            }, [this](CommandState& s) { s.checked = m_drawBarWanted; });
            continue;
        }
        OnCommand(id, [this, id] {
            if (QToolBar* bar = ToolbarOf(id)) bar->setVisible(!bar->isVisible());
        }, [this, id](CommandState& s) {
            const QToolBar* bar = ToolbarOf(id);
            s.enabled = bar && !bar->actions().isEmpty();
            s.checked = bar && bar->isVisible();
        });
    }
    RegisterViewSizeCommands();
}

// Each command gives the four rows of the classic layout their heights and activates one row;
// in the tabbed layout the draw view's command brings its tab forward and the rest are off.
void CMainFrame::RegisterViewSizeCommands() {
    const auto classic = [this](CommandState& s) { s.enabled = IsClassicLayout(); };
    const auto height = [this] { return m_splitter->height(); };
    OnCommand(Cmd::MaximizeListView, [this, height] { SizeViews({height(), 0, 0, 0}, 0); }, classic);
    OnCommand(Cmd::MaximizeImageView, [this, height] { SizeViews({0, height(), 0, 0}, 1); }, classic);
    OnCommand(Cmd::ContactView, [this, height] { SizeViews({0, 0, height(), 0}, 2); }, classic);
    OnCommand(Cmd::ImageContactView, [this, height] { SizeViews({0, height() / 2, height() - height() / 2, 0}, 1); }, classic);
    OnCommand(Cmd::RestoreAllViews, [this, height] {
        const int quarter = height() / 4;
        SizeViews({quarter, quarter, quarter, height() - 3 * quarter}, 0);
    }, classic);
    OnCommand(Cmd::DrawAnnotationView, [this, height] {
        if (IsClassicLayout())
            SizeViews({0, 0, 0, height()}, 3);
        else
            ShowTab(kDrawTab);
    }, [this](CommandState& s) { s.enabled = IsClassicLayout() || (m_tabs && m_tabs->count() > kDrawTab); });
}

void CMainFrame::SizeViews(std::vector<int> heights, int activeRow) {
    heights.resize(std::size_t(m_splitter->count()), 0);
    m_splitter->setSizes(QList<int>(heights.begin(), heights.end()));
    if (activeRow < int(m_viewWidgets.size())) {
        m_current = activeRow;
        m_viewWidgets[std::size_t(activeRow)]->setFocus();
    }
}

void CMainFrame::AskClassicLayout() {
    if (m_ui.MessageBox(QStringLiteral("Albora will close now to make the changes take effect!"), MsgButtons::OkCancel,
                        MsgIcon::Question) != MsgAnswer::Ok)
        return;
    m_settings.ClasicLayout = IsClassicLayout() ? 0 : 1;
    m_router.Execute(Cmd::AppExit);
}

void CMainFrame::OpenManual(const QString& page) {
    // A manual without the page still opens at its contents.
    QString manual = ProgramPaths::FindShippedFile(QStringLiteral("manual/") + page);
    if (manual.isEmpty()) manual = ProgramPaths::FindShippedFile(QStringLiteral("manual/index.html"));
    if (manual.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(manual))) {
        m_ui.MessageBox(QStringLiteral("The user manual could not be opened."), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    // The desktop's opener may still find no browser, and says so only on its own output.
    m_ui.SetStatusText(0, QStringLiteral("User manual: ") + manual);
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
    QMenu* sound = cards->addMenu(QStringLiteral("So&und anotations"));
    m_actions->Fill(sound, {Cmd::SoundPlay, Cmd::SoundRecord});
    QMenu* image = menuBar()->addMenu(QStringLiteral("&Image"));
    m_actions->Fill(image, {Cmd::DiskImageBrowser, Cmd::QuickBrowser, Cmd::MultimediaBrowser, Cmd::MciDevices, 0, Cmd::ZoomFit, Cmd::ZoomEighth, Cmd::ZoomQuarter, Cmd::ZoomHalf, Cmd::Zoom1, Cmd::Zoom2,
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
    QMenu* objects = menuBar()->addMenu(QStringLiteral("Objec&ts"));
    m_actions->Fill(objects, {Cmd::DrawSelect, Cmd::DrawLine, Cmd::DrawArc, Cmd::DrawRectangle, Cmd::DrawRoundRectangle,
                              Cmd::DrawEllipse, Cmd::DrawPolygon, Cmd::DrawCurve, Cmd::DrawText, Cmd::DrawImageLink, 0,
                              Cmd::DrawDelete, Cmd::DrawProperties, 0, Cmd::DrawInsertObject, Cmd::DrawOriginalSize, 0,
                              Cmd::DrawMakeLibrary, Cmd::DrawSortLibrary, 0});
    // Under the drawing's objects rather than beside them, so the menu bar fits a 1024 pixel window.
    QMenu* selectObject = objects->addMenu(QStringLiteral("Select ob&ject"));
    m_actions->Fill(selectObject, {Cmd::DrawSelectAll, Cmd::DrawSelectNext, Cmd::DrawSelectByName, Cmd::DrawFindObject});
    QMenu* attributes = menuBar()->addMenu(QStringLiteral("Attri&butes"));
    m_actions->Fill(attributes, {Cmd::DrawLineColor, Cmd::DrawFillColor, 0, Cmd::DrawWidth1, Cmd::DrawWidth2,
                                 Cmd::DrawWidth4, Cmd::DrawWidth8, 0, Cmd::DrawFillSolid, Cmd::DrawFillTransparent,
                                 Cmd::DrawFillVertical, Cmd::DrawFillMinus45, Cmd::DrawFillCross45,
                                 Cmd::DrawFillHorizontal, Cmd::DrawFill45, Cmd::DrawFillCrossVertHor, 0, Cmd::DrawFont,
                                 Cmd::DrawPaperColor});
    QMenu* layout = menuBar()->addMenu(QStringLiteral("La&yout"));
    m_actions->Fill(layout, {Cmd::DrawSizePosition, Cmd::DrawFixObject, 0, Cmd::DrawGroup, Cmd::DrawUngroup, 0,
                             Cmd::DrawMoveFirst, Cmd::DrawMoveLast, Cmd::DrawToFront, Cmd::DrawToBack});
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
    QMenu* capture = menuBar()->addMenu(QStringLiteral("Ca&pture"));
    m_actions->Fill(capture, {Cmd::PhotoScan, Cmd::CaptureVideo, Cmd::ActivateDevice, 0, Cmd::VfwPreview, Cmd::VfwOverlay,
                              Cmd::VfwStretch, 0, Cmd::VfwVideoFormat, Cmd::VfwVideoSource, Cmd::VfwVideoDisplay,
                              Cmd::VfwConfigure});
    QMenu* palette = capture->addMenu(QStringLiteral("Pa&lette"));
    m_actions->Fill(palette, {Cmd::VfwMakePalette, Cmd::VfwLoadPalette, Cmd::VfwSavePalette, Cmd::VfwViewPalette,
                              Cmd::VfwPastePalette});
    m_actions->Fill(capture, {Cmd::VfwCopy, 0, Cmd::VfwCapturedVideo, Cmd::VfwEditMovie, 0});
    QMenu* autophoto = capture->addMenu(QStringLiteral("A&utophoto"));
    m_actions->Fill(autophoto, {Cmd::AutophotoBegin, Cmd::AutophotoEnd, 0, Cmd::LiveCamServer});
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    m_actions->Fill(options, {Cmd::GeneralOptions, Cmd::DefineUtilities, 0});
    QMenu* devices = options->addMenu(QStringLiteral("&Capture devices"));
    m_actions->Fill(devices, {Cmd::CaptureNone, Cmd::CaptureTwain, Cmd::CaptureVideoForWindows, Cmd::CaptureOverlay,
                              Cmd::CaptureScreen});
    m_actions->Fill(options, {Cmd::HardwareDetection});
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QMenu* toolbars = view->addMenu(QStringLiteral("&Toolbars"));
    m_actions->Fill(toolbars, ToolbarToggles());
    m_actions->Fill(view, {0, Cmd::MaximizeListView, Cmd::MaximizeImageView, Cmd::ContactView, Cmd::DrawAnnotationView,
                           Cmd::ImageContactView, Cmd::RestoreAllViews, Cmd::ClassicLayout, 0, Cmd::DrawGrid, Cmd::DrawRefresh,
                           Cmd::DrawZoom1to1, Cmd::DrawZoom1to2, Cmd::DrawZoom2to1, Cmd::DrawZoom1to3, Cmd::DrawZoom3to1, 0,
                           Cmd::WelcomeMenu});
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_actions->Fill(help, {Cmd::HelpTopics, Cmd::ShowTipOfTheDay, 0, Cmd::AppAbout});
    for (QMenu* menu : {file, edit, cards, sound, image, annotations, objects, attributes, layout, selectObject, goTo, utilities, internet,
                         presentations, capture, palette, autophoto, options, devices, view, toolbars, help}) {
        // The utility entries first, so the refresh sees the ones the menu shows.
        connect(menu, &QMenu::aboutToShow, this, [this, utilities] { RebuildUtilitiesMenu(*utilities, *m_actions, m_settings); });
        m_actions->RefreshOnShow(menu);
    }
    RebuildUtilitiesMenu(*utilities, *m_actions, m_settings);
    RebuildRecentMenu();
}

void CMainFrame::BuildToolbars() {
    setDockOptions(dockOptions() | QMainWindow::AnimatedDocks);
    setIconSize(QSize(kIcon, kIcon));
    Qt::ToolBarArea lastArea = Qt::NoToolBarArea;
    for (const ToolbarLayout& entry : ToolbarTable()) {
        auto* bar = new QToolBar(QString::fromLatin1(entry.caption), this);
        bar->setObjectName(QString::fromLatin1(entry.caption));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        bar->setFloatable(true);
        bool separator = false;
        for (int id : entry.buttons) {
            if (id == 0) {
                separator = !bar->actions().isEmpty();
            } else if (CommandTable::Find(id)) {
                if (separator) bar->addSeparator();
                separator = false;
                bar->addAction(m_actions->Action(id));
            }
        }
        if (entry.large) {
            bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            bar->setIconSize(QSize(kLargeIcon, kLargeIcon));
            bar->setStyleSheet(QStringLiteral("QToolButton { min-width: %1px; }").arg(kLargeButtonWidth));
        }
        if (entry.newRow && entry.area == lastArea) addToolBarBreak(entry.area);
        addToolBar(entry.area, bar);
        lastArea = entry.area;
        m_toolbars.push_back(bar);
        if (entry.toggle) m_toggles[entry.toggle] = bar;
    }
}

QToolBar* CMainFrame::ToolbarOf(int toggleCommand) const {
    const auto it = m_toggles.find(toggleCommand);
    return it == m_toggles.end() ? nullptr : it->second;
}

QMenu* CMainFrame::createPopupMenu() {
    auto* menu = new QMenu(this);
    m_actions->Fill(menu, ToolbarToggles());
    m_actions->Refresh();
    return menu;
}

// A bar whose commands come with a later part of the program has nothing to show yet.
void CMainFrame::RestoreToolbars() {
    const std::optional<QString> state = m_store.ReadText(kToolbarSection, kToolbarKey);
    const bool restored = state && restoreState(QByteArray::fromBase64(state->toLatin1()), kToolbarStateVersion);
    for (std::size_t i = 0; i < m_toolbars.size(); ++i)
        if (m_toolbars[i]->actions().isEmpty() || (!restored && !ToolbarTable()[i].shownAtFirst)) m_toolbars[i]->hide();
    m_drawBarWanted = m_store.ReadInt(kToolbarSection, kDrawToolbarKey).value_or(1) != 0;
    ShowDrawBar();
}

void CMainFrame::ShowDrawBar() {
    if (QToolBar* bar = ToolbarOf(Cmd::ToolbarDraw))
        bar->setVisible(m_drawBarWanted && (IsClassicLayout() || CurrentTab() == kDrawTab));
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
    UpdateModifiedMark();
    if (!m_doc.GetPathName().isEmpty()) m_recent.Add(m_doc.GetPathName());
}

void CMainFrame::UpdateModifiedMark() { setWindowModified(m_doc.IsModified() || m_doc.DrawingModified()); }

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
                       QStringLiteral("<b>Albora " ALBORA_VERSION "</b><br>An image album manager for Linux.<br>"
                                      "Albums (.crp) move unchanged between systems."));
}

void CMainFrame::ShowTipOfTheDay() { TipDialog(m_store, TipFile(), this).exec(); }

void CMainFrame::ShowWelcome() {
    WelcomeDialog dialog(m_settings, m_store, m_ui,
                         [this](int id) { return m_router.Update(id).enabled; }, TipFile(), this);
    dialog.exec();
    for (int id : dialog.ChosenCommands()) m_router.Execute(id);
}

void CMainFrame::EditGeneralOptions() {
    CaptureDeviceOptions capture(m_settings, m_ui);
    CGeneralPropertySheet(m_settings, m_ui, &capture, this).Run();
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
    // first start takes most of the primary screen's free area, in its middle.
    const QRect rect = stored || screens.isEmpty() ? WindowPlacement::KeptReachable(placement->NormalRect(), screens)
                                                   : WindowPlacement::FirstOn(screens.front());
    resize(rect.size());
    move(rect.topLeft());
    m_normalCorner = rect.topLeft();
    if (placement->flags & WindowPlacement::kRestoreToMaximized) setWindowState(Qt::WindowMaximized);
}

void CMainFrame::SavePlacement() {
    const bool maximized = isMaximized();
    // Kept as it is restored: the frame's corner and the window's own size.
    const QRect normal = maximized ? QRect(m_normalCorner, normalGeometry().size()) : QRect(frameGeometry().topLeft(), size());
    m_store.WriteText(kPlacementSection, kPlacementKey, WindowPlacement::Of(normal, maximized).Format());
}

bool CMainFrame::SettleUnsavedWork() {
    for (View* view : m_views) view->PrepareToClose();
    return m_doc.SaveModified();
}

void CMainFrame::CommitData(QSessionManager& manager) {
    // Without leave to ask, nothing can be asked; the session manager ends the program regardless.
    if (!manager.allowsInteraction()) return;
    const bool settled = SettleUnsavedWork();
    manager.release();
    if (!settled) manager.cancel();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SettleUnsavedWork()) {
        event->ignore();
        return;
    }
    m_doc.Stop();
    m_store.WriteText(kToolbarSection, kToolbarKey, QString::fromLatin1(saveState(kToolbarStateVersion).toBase64()));
    m_store.WriteInt(kToolbarSection, kDrawToolbarKey, m_drawBarWanted ? 1 : 0);
    SavePlacement();
    m_recent.Save(m_store);
    event->accept();
    // The program ends with its main window. Counting the windows left open is not enough: once the
    // web site has made the main window's native window anew, a floating toolbar passes for a
    // window of its own and would keep the program running unseen.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    // A bar restored floating was shown before this window had a native window to belong to, so
    // the window manager took it for a window of its own and stacks it below this one. Shown
    // again once this window is on the screen, it is this window's tool window and stays above it.
    QMetaObject::invokeMethod(this, [this] {
        for (QToolBar* bar : m_toolbars) {
            if (!bar->isFloating() || !bar->isVisible() || !bar->windowHandle()) continue;
            bar->hide();
            bar->windowHandle()->setTransientParent(windowHandle());
            bar->show();
        }
    }, Qt::QueuedConnection);
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A maximised window knows its normal rectangle only from the inside, and its frame is not the
    // normal window's: the frame's corner is taken while the window is normal.
    if (isVisible() && windowState() == Qt::WindowNoState) m_normalCorner = frameGeometry().topLeft();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        m_statusBar->SetPaneText(0, tip.isEmpty() ? QStringLiteral("Ready") : tip);
        return true;
    }
    return QMainWindow::event(event);
}
