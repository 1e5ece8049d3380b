#include "WebSiteFixture.h"

#include "web/GenerateWebSite.h"
#include "image/ImageTestSupport.h"

#include <QHash>
#include <gtest/gtest.h>

WebSiteFixture::WebSiteFixture() {
    doc.Db().List().m_strDirectory = dir.Path();
    for (const char* folder : {"/FORMATS/NORMAL", "/STYLES/Classic", "/BUTTONS/Classic"})
        QDir().mkpath(templates + folder);
    web.outputDirectory = out;
}

CFotoObj& WebSiteFixture::AddCard(const QString& graphic, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(dir.Path(graphic)).path());
    dir.Write(graphic, bytes.isNull() ? SmallPicture(QFileInfo(graphic).suffix()) : bytes);
    auto card = std::make_shared<CFotoObj>();
    card->m_strName = QFileInfo(graphic).completeBaseName();
    card->m_strGraphic = graphic;
    doc.Db().List().AddTail(card);
    return *card;
}

void WebSiteFixture::Template(const QString& name, const QByteArray& text) const {
    dir.Write(QStringLiteral("HTMLWIZ/FORMATS/NORMAL/") + name, text);
}

WebSiteResult WebSiteFixture::Generate(bool full) { return GenerateWebSite(doc, ui, web, templates, full); }

QByteArray SmallPicture(const QString& extension) {
    static QHash<QString, QByteArray> made;
    const QString key = extension.toLower();
    if (!made.contains(key)) {
        ScopedTestDir dir;
        CImageObject picture = key == QLatin1String("gif") ? MakeIndexed(8, 6, 16) : MakeColour(8, 6);
        const QString path = dir.Path(QStringLiteral("p.") + key);
        EXPECT_TRUE(picture.Save(path)) << key.toStdString();
        made.insert(key, ReadAll(path));
    }
    return made.value(key);
}
