#include "CHTMLViewS.h"

#include "album/CAlboraDoc.h"
#include "platform/CommandIds.h"
#include "platform/ProgramPaths.h"
#include "web/WebCommandLines.h"

#include <QFileInfo>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QVBoxLayout>
#include <QWebEngineView>

CHTMLViewS::CHTMLViewS(CAlboraDoc& doc, const CAppSettings& settings, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_settings(settings) {
    setObjectName(QStringLiteral("CHTMLViewS"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // Where the browser draws through OpenGL, a main window made without it would be made anew
    // when the browser first shows, and the window manager would forget that it was maximised. A
    // hidden OpenGL child makes it right from the start. Without OpenGL (a display without GLX,
    // the sanitizer builds) the browser draws in software and nothing is made anew.
    if (const QOpenGLContext* gl = QOpenGLContext::globalShareContext(); gl && gl->isValid()) (new QOpenGLWidget(this))->hide();
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
