#include "CHTMLViewS.h"

#include "album/CAlboraDoc.h"
#include "platform/CommandIds.h"
#include "platform/ProgramPaths.h"
#include "web/WebCommandLines.h"

#include <QFileInfo>
#include <QOpenGLWidget>
#include <QVBoxLayout>
#include <QWebEngineView>

CHTMLViewS::CHTMLViewS(CAlboraDoc& doc, const CAppSettings& settings, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_settings(settings) {
    setObjectName(QStringLiteral("CHTMLViewS"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The browser draws through OpenGL. Were the main window made without it, showing the browser
    // would make its native window anew, and the window manager would forget it was maximised and
    // drop floating toolbars behind it. A hidden OpenGL child makes it right from the start.
    (new QOpenGLWidget(this))->hide();
    m_doc.AddView(this);
    OnCommand(Cmd::GoLocalHome, [this] { GoLocalHome(); });
    m_pending = LocalHome();
}

QUrl CHTMLViewS::LocalHome() const {
    const QString site = AlbumSiteDirectory(m_doc, m_settings);
    const QString index = site + QStringLiteral("/index.htm");
    if (!site.isEmpty() && QFileInfo(index).isFile()) return QUrl::fromLocalFile(index);
    return QUrl::fromLocalFile(ProgramPaths::FindShippedFile(QStringLiteral("noweb.htm")));
}

void CHTMLViewS::GoLocalHome() { Navigate(LocalHome()); }

void CHTMLViewS::Navigate(const QUrl& url) {
    if (m_browser)
        m_browser->setUrl(url);
    else
        m_pending = url;
}

QUrl CHTMLViewS::Location() const { return m_browser ? m_browser->url() : m_pending; }

void CHTMLViewS::OnUpdate(View*, int hint, void*) {
    // A new or opened album: its own site, or none.
    if (hint == 0) GoLocalHome();
}

void CHTMLViewS::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Browser();
}

QWebEngineView* CHTMLViewS::Browser() {
    if (!m_browser) {
        m_browser = new QWebEngineView(this);
        layout()->addWidget(m_browser);
        connect(m_browser, &QWebEngineView::loadFinished, this, &CHTMLViewS::loadFinished);
        m_browser->setUrl(m_pending);
    }
    return m_browser;
}
