#include "WebSiteFixture.h"

#include "web/GenerateWebSite.h"

WebSiteFixture::WebSiteFixture() {
    doc.Db().List().m_strDirectory = dir.Path();
    for (const char* folder : {"/FORMATS/NORMAL", "/STYLES/Classic", "/BUTTONS/Classic"})
        QDir().mkpath(templates + folder);
    web.outputDirectory = out;
}

CFotoObj& WebSiteFixture::AddCard(const QString& graphic, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(dir.Path(graphic)).path());
    dir.Write(graphic, bytes);
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = QFileInfo(graphic).completeBaseName();
    card->m_strGraphic = graphic;
    doc.Db().List().AddTail(card);
    return *card;
}

void WebSiteFixture::Template(const QString& name, const QByteArray& text) const {
    dir.Write(QStringLiteral("HTMLWIZ/FORMATS/NORMAL/") + name, text);
}

bool WebSiteFixture::Generate() { return GenerateWebSite(doc, ui, web, templates); }
