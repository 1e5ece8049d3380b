// albora-cli draw ...: make, show, build, merge, copy, paste, edit and render draw annotations,
// with the document's own annotation commands.
#include "CliArgs.h"
#include "CliContext.h"
#include "DrawJson.h"

#include "draw/DrawAnnotation.h"
#include "draw/DrawExport.h"
#include "draw/DrawViewPainting.h"
#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <cstdio>

namespace {

// The album document and its drawing, for one command.
struct Session {
    explicit Session(CliContext& c) : doc(c.ui, c.settings), draw(doc, c.ui) {}
    CAlboraDoc doc;
    DrawAnnotation draw;
};

// Loads PATH into SESSION; false (with the message printed) unless the whole file was read.
bool LoadWhole(CliContext& c, Session& s, const QString& path) {
    if (!s.draw.LoadFile(path)) return false;
    // The refusal has been told already.
    if (!s.draw.Refused().isEmpty()) return false;
    if (!s.draw.Incomplete().isEmpty()) {
        c.Fail(QStringLiteral("Error:\n%1 was read only in part (%2)").arg(path, s.draw.Incomplete()));
        return false;
    }
    return true;
}

// The whole of PATH, or of standard input for "-", no larger than an annotation may be.
std::optional<QByteArray> ReadInput(const QString& path, QString& reason) {
    if (path != QStringLiteral("-")) return ReadRegularFile(path, DrawPage::kMaxFileBytes, &reason);
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        reason = in.errorString();
        return std::nullopt;
    }
    QByteArray bytes;
    while (bytes.size() <= DrawPage::kMaxFileBytes) {
        const QByteArray chunk = in.read(qint64(1) << 16);
        if (chunk.isEmpty()) return bytes;
        bytes += chunk;
    }
    reason = QStringLiteral("file too large");
    return std::nullopt;
}

void PrintObjects(CliContext& c, const std::vector<std::shared_ptr<CDrawObj>>& objects, int depth) {
    for (const auto& o : objects) {
        c.out << QString(depth * 2, ' ') << o->GetClassInfo().name << '\t' << o->name << '\t' << o->bounds.left << ','
              << o->bounds.top << ',' << o->bounds.right << ',' << o->bounds.bottom;
        if (const auto* rect = dynamic_cast<const CDrawRect*>(o.get())) c.out << "\tshape " << rect->shape << '\t' << rect->text;
        if (const auto* poly = dynamic_cast<const CDrawPoly*>(o.get())) c.out << '\t' << poly->pointCount() << " points";
        if (o->fixed) c.out << "\tfixed";
        c.out << '\n';
        if (const auto* group = dynamic_cast<const CDrawGroupObj*>(o.get())) PrintObjects(c, group->members, depth + 1);
    }
}

int New(CliContext& c, const QStringList& args) {
    CliOptions options{{"width", "height", "created", "image", "name"}, {"fix"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() > 1) return c.Usage(QStringLiteral("draw new takes at most OUT.adw"));
    const QString image = parsed->Value("image");
    if (parsed->positional.isEmpty() && image.isEmpty()) return c.Usage(QStringLiteral("draw new needs OUT.adw or --image"));
    NewAnnotationChoice choice;
    bool ok = true;
    choice.width = parsed->Value("width", QString::number(choice.width)).toInt(&ok);
    if (!ok || choice.width < 1 || choice.width > 10000) return c.Usage(QStringLiteral("--width is 1 to 10000"));
    choice.height = parsed->Value("height", QString::number(choice.height)).toInt(&ok);
    if (!ok || choice.height < 1 || choice.height > 10000) return c.Usage(QStringLiteral("--height is 1 to 10000"));
    Session s(c);
    if (!image.isEmpty()) {
        // The picture is the current card of an album of one.
        auto card = std::make_shared<CFotoObj>();
        card->m_strGraphic = image;
        card->m_strName = parsed->Value("name", QFileInfo(image).completeBaseName());
        s.doc.Db().List().AddTail(card);
        s.doc.m_nCurrent = 0;
        choice.imagePath = image;
        choice.autoInsert = true;
        choice.fix = parsed->Has("fix");
    }
    if (!s.draw.NewWith(choice)) return kExitFailure;
    if (parsed->Has("created")) s.draw.Page().createdText = parsed->Value("created");
    const QString out = parsed->positional.isEmpty() ? s.draw.Page().annotationPath : parsed->positional[0];
    // The name that comes with the picture may already hold the user's drawing of it.
    if (parsed->positional.isEmpty() && QFileInfo::exists(out))
        return c.Fail(QStringLiteral("Error:\n%1 exists: it is left as it is. Name another OUT.adw.").arg(out));
    if (const QString refusal = OutputOverInput(out, {image}); !refusal.isEmpty()) return c.Fail(refusal);
    if (!s.draw.SaveTo(out)) return kExitFailure;
    c.out << out << '\n';
    return kExitOk;
}

int Show(CliContext& c, const QStringList& args) {
    CliOptions options{{}, {"json"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 1) return c.Usage(QStringLiteral("draw show takes FILE.adw"));
    Session s(c);
    if (!s.draw.LoadFile(parsed->positional[0])) return kExitFailure;
    const DrawPage& page = s.draw.Page();
    const QString problem = s.draw.Refused().isEmpty() ? s.draw.Incomplete() : s.draw.Refused();
    const bool complete = problem.isEmpty();
    if (parsed->Has("json")) {
        QJsonObject json = DrawJson::FromPage(page);
        json["complete"] = complete;
        json["error"] = problem;
        c.out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    } else {
        c.out << "Created:    " << page.createdText << '\n'
              << "Flags:      " << page.pageFlags << (page.IsReadOnly() ? " (read only)" : "") << '\n'
              << "Paper:      0x" << QString::number(page.paperColor, 16).rightJustified(6, '0') << '\n'
              << "Size:       " << page.pageWidth << " x " << page.pageHeight << '\n'
              << "Objects:    " << page.objects.size() << '\n';
        PrintObjects(c, page.objects, 0);
        if (!s.draw.Incomplete().isEmpty()) c.out << "Read in part: " << s.draw.Incomplete() << '\n';
    }
    return complete ? kExitOk : kExitFailure;
}

int Build(CliContext& c, const QStringList& args) {
    if (args.size() != 2) return c.Usage(QStringLiteral("draw build takes IN.json OUT.adw"));
    if (const QString refusal = OutputOverInput(args[1], {args[0]}); !refusal.isEmpty()) return c.Fail(refusal);
    QString error;
    const std::optional<QByteArray> input = ReadInput(args[0], error);
    if (!input) return c.Fail(QStringLiteral("Error:\nCan't read %1\n(%2)").arg(args[0], error));
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(*input, &parseError);
    if (!json.isObject()) return c.Fail(QStringLiteral("Error:\n%1 is no JSON object (%2)").arg(args[0], parseError.errorString()));
    DrawPage page;
    if (!DrawJson::ToPage(json.object(), page, error)) return c.Fail(QStringLiteral("Error:\n%1: %2").arg(args[0], error));
    if (!SafeFile::Write(args[1], page.Serialize(), &error))
        return c.Fail(QStringLiteral("Error:\nCan't save draw anotation!:\n%1\n(%2)").arg(args[1], error));
    return kExitOk;
}

int Merge(CliContext& c, const QStringList& args) {
    if (args.size() != 2) return c.Usage(QStringLiteral("draw merge takes INTO.adw FROM.adw"));
    Session s(c);
    if (!LoadWhole(c, s, args[0]) || !s.draw.MergeFile(args[1]) || !s.draw.Incomplete().isEmpty()) return kExitFailure;
    return s.draw.SaveTo(args[0]) ? kExitOk : kExitFailure;
}

// The objects named NAMES, in that order; an unknown name is an error.
std::optional<std::vector<CDrawObj*>> Named(CliContext& c, const DrawPage& page, const QStringList& names) {
    std::vector<CDrawObj*> found;
    for (const QString& name : names) {
        const auto before = found.size();
        for (const auto& object : page.objects)
            if (object->name == name) found.push_back(object.get());
        if (found.size() == before) {
            c.Fail(QStringLiteral("Error:\nNo object named %1").arg(name));
            return std::nullopt;
        }
    }
    return found;
}

int Copy(CliContext& c, const QStringList& args) {
    if (args.size() < 2) return c.Usage(QStringLiteral("draw copy takes FILE.adw NAME..."));
    Session s(c);
    if (!LoadWhole(c, s, args[0])) return kExitFailure;
    const auto objects = Named(c, s.draw.Page(), args.mid(1));
    if (!objects) return kExitFailure;
    const QByteArray payload = DrawPage::ClipboardPayload({objects->begin(), objects->end()});
    c.out.flush();
    return std::fwrite(payload.constData(), 1, std::size_t(payload.size()), stdout) == std::size_t(payload.size()) &&
                   std::fflush(stdout) == 0
               ? kExitOk
               : c.Fail(QStringLiteral("Error:\nCan't write the copied objects"));
}

int Paste(CliContext& c, const QStringList& args) {
    if (args.size() != 2) return c.Usage(QStringLiteral("draw paste takes FILE.adw CLIP"));
    Session s(c);
    if (!LoadWhole(c, s, args[0])) return kExitFailure;
    if (s.draw.Page().IsReadOnly()) return c.Fail(QStringLiteral("Error:\nCan't paste on a read-only draw anotation!"));
    QString error;
    const std::optional<QByteArray> read = ReadInput(args[1], error);
    if (!read) return c.Fail(QStringLiteral("Error:\nCan't read %1\n(%2)").arg(args[1], error));
    const QByteArray& clip = *read;
    DrawPage::ReadClipboardPayload(clip, &error);
    if (!error.isEmpty()) return c.Fail(QStringLiteral("Error:\n%1 holds no draw objects (%2)").arg(args[1], error));
    if (s.draw.Edits().Paste(clip).empty()) return c.Fail(QStringLiteral("Error:\n%1 holds no draw objects").arg(args[1]));
    return s.draw.SaveTo(args[0]) ? kExitOk : kExitFailure;
}

// The whole scroll area as the active draw view paints it.
bool RenderView(const DrawPage& page, const CliArgs& parsed, double dpi, const std::vector<CDrawObj*>& selection,
                QString& error) {
    static const std::map<QString, int> kZooms = {{"1:1", DrawViewPainting::Zoom1to1}, {"2:1", DrawViewPainting::Zoom2to1},
                                                  {"3:1", DrawViewPainting::Zoom3to1}, {"1:2", DrawViewPainting::Zoom1to2},
                                                  {"1:3", DrawViewPainting::Zoom1to3}};
    DrawViewPainting::Mapping mapping;
    mapping.zoom = kZooms.at(parsed.Value("zoom", "1:1"));
    mapping.ppiX = mapping.ppiY = dpi;
    mapping.width = page.pageWidth;
    mapping.height = page.pageHeight;
    const QSize size = mapping.ScrollSize();
    if (size.isEmpty() || qint64(size.width()) * size.height() > (qint64(1) << 28)) {
        error = QStringLiteral("the picture would be too large");
        return false;
    }
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawViewPainting::Options options;
    options.grid = parsed.Has("grid");
    options.selected = [&](const CDrawObj* object) { return std::find(selection.begin(), selection.end(), object) != selection.end(); };
    DrawViewPainting::Paint(painter, page, mapping, QRect(QPoint(0, 0), size), options);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return SafeFile::Write(parsed.positional[1], png, &error);
}

int Render(CliContext& c, const QStringList& args) {
    CliOptions options{{"dpi", "zoom", "select"}, {"view", "grid"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.size() != 2) return c.Usage(QStringLiteral("draw render takes FILE.adw OUT.png|OUT.svg|OUT.pdf"));
    bool ok = true;
    const double dpi = parsed->Value("dpi", "100").toDouble(&ok);
    if (!ok || dpi < 1 || dpi > 2400) return c.Usage(QStringLiteral("--dpi is 1 to 2400"));
    const QString zoom = parsed->Value("zoom", "1:1");
    if (!QStringList{"1:1", "2:1", "3:1", "1:2", "1:3"}.contains(zoom)) return c.Usage(QStringLiteral("--zoom is 1:1, 2:1, 3:1, 1:2 or 1:3"));
    const bool view = parsed->Has("view");
    if (!view && (parsed->Has("zoom") || parsed->Has("grid") || parsed->Has("select")))
        return c.Usage(QStringLiteral("--zoom, --grid and --select go with --view"));
    if (const QString refusal = OutputOverInput(parsed->positional[1], {parsed->positional[0]}); !refusal.isEmpty())
        return c.Fail(refusal);
    Session s(c);
    if (!LoadWhole(c, s, parsed->positional[0])) return kExitFailure;
    std::vector<CDrawObj*> selection;
    if (parsed->Has("select")) {
        const auto named = Named(c, s.draw.Page(), parsed->Value("select").split(','));
        if (!named) return kExitFailure;
        selection = *named;
    }
    const bool written = view ? RenderView(s.draw.Page(), *parsed, dpi, selection, error)
                              : DrawExport::Write(s.draw.Page(), parsed->positional[1], dpi, &error);
    if (!written) return c.Fail(QStringLiteral("Error:\nCan't write %1\n(%2)").arg(parsed->positional[1], error));
    return kExitOk;
}

}  // namespace

int RunDrawEdit(CliContext& c, const QStringList& args, DrawAnnotation& draw);

int RunDrawCommand(CliContext& c, const QStringList& args) {
    if (args.isEmpty()) return c.Usage(QStringLiteral("draw needs a command"));
    const QString command = args.front();
    const QStringList rest = args.mid(1);
    if (command == "new") return New(c, rest);
    if (command == "show") return Show(c, rest);
    if (command == "build") return Build(c, rest);
    if (command == "merge") return Merge(c, rest);
    if (command == "copy") return Copy(c, rest);
    if (command == "paste") return Paste(c, rest);
    if (command == "render") return Render(c, rest);
    if (command == "edit") {
        if (rest.size() < 2) return c.Usage(QStringLiteral("draw edit takes IN.adw OUT.adw OP..."));
        Session s(c);
        if (!LoadWhole(c, s, rest[0])) return kExitFailure;
        const int result = RunDrawEdit(c, rest.mid(2), s.draw);
        if (result != kExitOk) return result;
        return s.draw.SaveTo(rest[1]) ? kExitOk : kExitFailure;
    }
    return c.Usage(QStringLiteral("unknown draw command '%1'").arg(command));
}
