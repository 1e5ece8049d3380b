#pragma once

#include "platform/CommandTarget.h"
#include "platform/Document.h"

#include <QUrl>
#include <QWidget>

class CAlboraDoc;
class CAppSettings;
class QWebEngineView;

// " Web Site ": the album's site as a browser shows it. The browser engine is started when the
// tab is first shown, so a session that never looks at the site never pays for it.
class CHTMLViewS : public QWidget, public View, public CommandTarget {
    Q_OBJECT

public:
    CHTMLViewS(CAlboraDoc& doc, const CAppSettings& settings, QWidget* parent = nullptr);

    // The album's home page: its site's index.htm, or the shipped noweb.htm while the album is
    // not saved or has no site yet.
    QUrl LocalHome() const;
    void GoLocalHome();
    void Navigate(const QUrl& url);
    // What the view shows, or is about to show once it is first seen.
    QUrl Location() const;

    void OnUpdate(View* sender, int hint, void* object) override;

Q_SIGNALS:
    // The browser finished loading the page (OK false when it could not).
    void loadFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWebEngineView* Browser();

    CAlboraDoc& m_doc;
    const CAppSettings& m_settings;
    QWebEngineView* m_browser = nullptr;
    QUrl m_pending;
};
