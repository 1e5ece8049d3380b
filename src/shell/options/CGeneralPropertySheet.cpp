#include "CGeneralPropertySheet.h"

#include "AutophotoAndPageSetupPages.h"
#include "BrowserAndAlbumPages.h"
#include "CImagePropertyPage.h"
#include "CapturePages.h"
#include "ImagePropertiesSheet.h"
#include "OverlayPage.h"

#include "album/CAppSettings.h"
#include "image/ImageLibrary.h"
#include "platform/UiServices.h"
#include "web/ui/CInternetPage.h"

#include <QDialogButtonBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

CGeneralPropertySheet::CGeneralPropertySheet(CAppSettings& settings, UiServices& ui, CaptureOptions* capture,
                                             QWidget* parent)
    : QDialog(parent), m_settings(settings), m_ui(ui), m_tabs(new QTabWidget), m_internet(new CInternetPage(ui)) {
    setWindowTitle(QStringLiteral("General Options"));
    AddPage(new CImagePropertyPage, QStringLiteral("Images"));
    AddPage(new DropBrowserPage, QStringLiteral("Drop and Browser"));
    AddPage(new AlbumPage, QStringLiteral("Album"));
    AddPage(new AutophotoPage, QStringLiteral("Autophoto"));
    AddPage(new PageSetupPage, QStringLiteral("Page Setup"));
    AddPage(new ScannerPage(capture), QStringLiteral("Scanner"));
    AddPage(new OverlayPage(ui), QStringLiteral("MCI:Overlay"));
    AddPage(new VideoDriverPage(capture), QStringLiteral("Video for Windows"));
    m_tabs->addTab(m_internet, QStringLiteral("Internet"));
    AddButtonsAndSize();
}

CGeneralPropertySheet::CGeneralPropertySheet(CAppSettings& settings, UiServices& ui, QWidget* parent, ImagesOnly)
    : QDialog(parent), m_settings(settings), m_ui(ui), m_tabs(new QTabWidget) {
    setWindowTitle(QStringLiteral("Properties"));
    AddPage(new CImagePropertyPage, QStringLiteral("Images"));
    AddButtonsAndSize();
}

void CGeneralPropertySheet::AddButtonsAndSize() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    // Every page's tab in sight: none hides behind scroll arrows.
    m_tabs->tabBar()->setUsesScrollButtons(false);
    resize(std::max(m_internet ? 640 : 0, sizeHint().width()), sizeHint().height());
}

bool EditImageProperties(CAppSettings& settings, UiServices& ui, QWidget* parent) {
    return CGeneralPropertySheet(settings, ui, parent, CGeneralPropertySheet::ImagesOnly{}).Run();
}

void CGeneralPropertySheet::AddPage(OptionsPage* page, const QString& caption) {
    m_pages.push_back(page);
    m_tabs->addTab(page, caption);
}

bool CGeneralPropertySheet::Run() {
    for (OptionsPage* page : m_pages) page->Load(m_settings);
    if (m_internet) m_internet->Load(m_settings);
    m_tabs->setCurrentIndex(0);
    if (exec() != QDialog::Accepted) return false;
    for (OptionsPage* page : m_pages) page->Store(m_settings);
    if (m_internet) m_internet->Store(m_settings);
    ImageLibrary::SetJpegQuality(m_settings.JPGquality);
    return true;
}

void CGeneralPropertySheet::accept() {
    for (OptionsPage* page : m_pages) {
        NumberEdit* refused = page->FirstRefused();
        if (!refused) continue;
        m_tabs->setCurrentWidget(page);
        m_ui.MessageBox(*refused->Refusal(), MsgButtons::Ok, MsgIcon::Exclamation);
        refused->setFocus();
        refused->selectAll();
        return;
    }
    QDialog::accept();
}
