#pragma once

#include "TestFiles.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "platform/HeadlessUi.h"
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
    // A card of the album whose file GRAPHIC (relative to the album folder) holds BYTES.
    CFotoObj& AddCard(const QString& graphic, const QByteArray& bytes = "picture");
    void Template(const QString& name, const QByteArray& text) const;
    bool Generate();
    QString Page(const QString& name) const { return QString::fromUtf8(ReadAll(out + '/' + name)); }
    bool Written(const QString& name) const { return QFileInfo::exists(out + '/' + name); }
};
