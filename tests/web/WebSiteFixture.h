#pragma once

#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/HeadlessUi.h"
#include "web/GenerateWebSite.h"
#include "web/HtmlWizardSettings.h"

// An album folder with card files, a templates folder with the NORMAL format and the Classic
// style and button sets, and an output folder not yet made.
struct WebSiteFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    HtmlWizardSettings web;
    QString templates = dir.Path("HTMLWIZ");
    QString out = dir.Path("site");

    WebSiteFixture();
    // A card of the album whose file GRAPHIC (relative to the album folder) holds BYTES, or
    // without them a small picture of the type its extension names.
    CFotoObj& AddCard(const QString& graphic, const QByteArray& bytes = {});
    void Template(const QString& name, const QByteArray& text) const;
    WebSiteResult Generate(bool full = false);
    QString Page(const QString& name) const { return QString::fromUtf8(ReadAll(out + '/' + name)); }
    bool Written(const QString& name) const { return QFileInfo::exists(out + '/' + name); }
    QString Picture(const QString& name) const { return out + '/' + name; }
};

// The file of an 8x6 picture in the type EXTENSION names.
QByteArray SmallPicture(const QString& extension);
