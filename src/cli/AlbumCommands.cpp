// albora-cli album ...: make, fill, show, search and dump albums.
#include "CliArgs.h"
#include "CliContext.h"

#include "album/AlbumFile.h"
#include "album/CAlboraDoc.h"
#include "platform/CTime.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QJsonObject CardJson(const CFotoObj& card) {
    return {{"name", card.m_strName},
            {"description", card.m_strDescription},
            {"graphic", card.m_strGraphic},
            {"time", qint64(card.m_time)},
            {"date", CTime::CardDate(card.m_time).value_or(QStringLiteral("<Error>"))}};
}

// RESOLVER, when given, adds the file each card's path is found at here.
void PrintCards(CliContext& c, const CFotoObjList& list, bool json, const CFotoObjList* album,
                const CardFileResolver* resolver = nullptr) {
    if (json) {
        QJsonArray cards;
        for (int i = 0; i < list.GetCount(); ++i) {
            QJsonObject card = CardJson(*list.GetAt(i));
            if (resolver) card.insert("resolved", resolver->Resolve(list.GetAt(i)->m_strGraphic));
            cards.append(card);
        }
        QJsonObject root{{"cards", cards}};
        if (album) {
            root.insert("name", album->m_strName);
            root.insert("description", album->m_strDescription);
            root.insert("author", album->m_strAuthor);
            root.insert("directory", album->m_strDirectory);
            root.insert("marker", album->m_strMarker);
            root.insert("created", qint64(album->m_timeCreated));
        }
        c.out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        return;
    }
    if (album) {
        c.out << "Name:        " << album->m_strName << '\n'
              << "Description: " << album->m_strDescription << '\n'
              << "Created:     "
              << CTime::CardDate(album->m_timeCreated).value_or(QStringLiteral("<Error>")) << '\n'
              << "Author:      " << album->m_strAuthor << '\n'
              << "Directory:   " << album->m_strDirectory << '\n'
              << "Total:       " << list.GetCount() << '\n';
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        const CFotoObj& card = *list.GetAt(i);
        QString description = card.m_strDescription;
        description.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace('\n', ' ');
        c.out << i << '\t' << card.m_strName << '\t' << card.m_strGraphic << '\t'
              << CTime::CardDate(card.m_time).value_or(QStringLiteral("<Error>")) << '\t' << description;
        if (resolver) c.out << '\t' << resolver->Resolve(card.m_strGraphic);
        c.out << '\n';
    }
}

// Saves DOC to PATH (absolute, since the album-from-folder step changes the current directory).
int SaveAs(CliContext& c, CAlboraDoc& doc, const QString& path) {
    doc.SetPathName(path);
    return doc.FileSave() ? kExitOk : c.Fail(QStringLiteral("Could not save %1").arg(path));
}

int New(CliContext& c, CAlboraDoc& doc, const CliArgs& args) {
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("album new takes OUT.crp"));
    CFotoObjList& album = doc.Db().List();
    album.m_strName = args.Value("name");
    album.m_strDescription = args.Value("description");
    album.m_strAuthor = args.Value("author");
    album.m_strDirectory = args.Value("directory");
    if (args.Has("created")) {
        const auto created = ParseEpoch(args.Value("created"));
        if (!created) return c.Usage(QStringLiteral("--created needs seconds since 1970"));
        album.m_timeCreated = *created;
    }
    return SaveAs(c, doc, QFileInfo(args.positional[0]).absoluteFilePath());
}

int Add(CliContext& c, CAlboraDoc& doc, const CliArgs& args) {
    if (args.positional.size() != 2)
        return c.Usage(QStringLiteral("album add takes ALBUM.crp FILE"));
    std::optional<std::uint32_t> time;
    if (args.Has("time") && !(time = ParseEpoch(args.Value("time"))))
        return c.Usage(QStringLiteral("--time needs seconds since 1970"));
    if (!doc.FileOpen(args.positional[0])) return kExitFailure;
    auto card = std::make_shared<CFotoObj>();
    card->m_strGraphic = args.positional[1];
    card->m_strName = args.Value("name", args.positional[1]);
    card->m_strDescription = args.Value("description", QStringLiteral("No description"));
    if (time) card->m_time = *time;
    doc.Db().InsertSorted(std::move(card));
    return doc.FileSave() ? kExitOk : kExitFailure;
}

int FromFolder(CliContext& c, CAlboraDoc& doc, const CliArgs& args) {
    if (args.positional.size() != 2)
        return c.Usage(QStringLiteral("album from-folder takes DIR OUT.crp"));
    if (!QFileInfo(args.positional[0]).isDir())
        return c.Fail(QStringLiteral("Error:\n%1 is not a folder!").arg(args.positional[0]));
    const QString out = QFileInfo(args.positional[1]).absoluteFilePath();
    if (args.Has("mask")) c.settings.browserMask = args.Value("mask");
    c.settings.addPathBrowser = args.Has("no-path") ? 0 : 1;
    if (!doc.NewAlbumFromFolder(args.positional[0])) return kExitFailure;
    return SaveAs(c, doc, out);
}

int Show(CliContext& c, CAlboraDoc& doc, const CliArgs& args) {
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("album show takes ALBUM.crp"));
    if (!doc.FileOpen(args.positional[0])) return kExitFailure;
    PrintCards(c, doc.Db().List(), args.Has("json"), &doc.Db().List(),
               args.Has("resolved") ? &doc.CardFiles() : nullptr);
    return kExitOk;
}

int Search(CliContext& c, CAlboraDoc& doc, const CliArgs& args) {
    if (args.positional.size() != 1 || !args.Has("by") || !args.Has("text"))
        return c.Usage(QStringLiteral("album search takes ALBUM.crp --by FIELD --text T"));
    const QString by = args.Value("by");
    const QStringList fields{CFotoDB::kFieldName, CFotoDB::kFieldGraphic, CFotoDB::kFieldDate,
                             CFotoDB::kFieldDescription};
    if (!fields.contains(by))
        return c.Usage(QStringLiteral("--by is one of Name, Graphic, Date, Description"));
    if (!doc.FileOpen(args.positional[0])) return kExitFailure;
    const QString text = args.Value("text");
    const bool found = doc.Db().Search(&text, by);
    const CFotoObjList empty;
    PrintCards(c, found ? *doc.Db().Found() : empty, args.Has("json"), nullptr);
    return kExitOk;
}

int Stream(CliContext& c, const CliArgs& args) {
    if (args.positional.size() != 1)
        return c.Usage(QStringLiteral("album stream takes ALBUM.crp"));
    QString reason;
    const auto contents = AlbumFile::ReadContents(args.positional[0], &reason);
    if (!contents) return c.Fail(QStringLiteral("Failed to open document.\n%1\n(%2)").arg(args.positional[0], reason));
    c.out.flush();
    return std::fwrite(contents->constData(), 1, contents->size(), stdout) ==
                   static_cast<size_t>(contents->size())
               ? kExitOk
               : kExitFailure;
}

}  // namespace

int RunAlbumCommand(CliContext& c, const QStringList& args) {
    if (args.isEmpty()) return c.Usage(QStringLiteral("album needs a command"));
    const QString verb = args.front();
    CliOptions options;
    if (verb == "new")
        options.withValue = {"name", "description", "author", "directory", "created"};
    else if (verb == "add")
        options.withValue = {"name", "description", "time"};
    else if (verb == "from-folder")
        options = {{"mask"}, {"no-path"}};
    else if (verb == "show")
        options.flags = {"json", "resolved"};
    else if (verb == "search")
        options = {{"by", "text"}, {"json"}};
    else if (verb != "stream")
        return c.Usage(QStringLiteral("unknown album command '%1'").arg(verb));

    QString error;
    const auto parsed = ParseCliArgs(args.mid(1), options, error);
    if (!parsed) return c.Usage(error);
    CAlboraDoc doc(c.ui, c.settings);
    if (verb == "new") return New(c, doc, *parsed);
    if (verb == "add") return Add(c, doc, *parsed);
    if (verb == "from-folder") return FromFolder(c, doc, *parsed);
    if (verb == "show") return Show(c, doc, *parsed);
    if (verb == "search") return Search(c, doc, *parsed);
    return Stream(c, *parsed);
}
