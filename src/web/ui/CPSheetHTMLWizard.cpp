#include "CPSheetHTMLWizard.h"

#include "IndexInfoPage.h"
#include "OutputPage.h"
#include "PageStylePage.h"
#include "PhotoCardPage.h"
#include "SvgPicture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

QWizardPage* StartPage() {
    auto* page = new QWizardPage;
    page->setTitle(QStringLiteral("Internet assistant, Page 5"));
    auto* about = new QPlainTextEdit(QStringLiteral("Albora Internet Assistant 2.0"));
    about->setReadOnly(true);
    about->setMaximumHeight(about->fontMetrics().lineSpacing() * 6);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        PageText(QStringLiteral("Click the Start button to start generate the Internet pages.")));
    layout->addWidget(about);
    layout->addStretch();
    return page;
}

}  // namespace

CPSheetHTMLWizard::CPSheetHTMLWizard(HtmlWizardSettings& settings, UiServices& ui, QWidget* parent)
    : QWizard(parent),
      m_settings(settings),
      m_pages{new OutputPage(ui), new PhotoCardPage, new PageStylePage, new IndexInfoPage} {
    setWindowTitle(QStringLiteral("Wizard"));
    // The same look on every desktop: the picture down the left of each page, the title above it.
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setButtonText(QWizard::FinishButton, QStringLiteral("Start..."));
    setPixmap(QWizard::WatermarkPixmap,
              SvgPixmap(QStringLiteral(":/web/assistant.svg"), {150, 360}, devicePixelRatioF()));
    for (HtmlWizardPage* page : m_pages) addPage(page);
    addPage(StartPage());
    // Every page as large as the largest, so the wizard keeps its size from page to page.
    QSize largest;
    for (int id : pageIds()) largest = largest.expandedTo(page(id)->sizeHint());
    for (int id : pageIds()) page(id)->setMinimumSize(largest);
}

bool CPSheetHTMLWizard::Run(const QString& outputDirectory) {
    HtmlWizardSettings shown = m_settings;
    shown.outputDirectory = outputDirectory;
    for (HtmlWizardPage* page : m_pages) page->Load(shown);
    restart();
    if (exec() != QDialog::Accepted) return false;
    for (const HtmlWizardPage* page : m_pages) page->Store(m_settings);
    return true;
}
