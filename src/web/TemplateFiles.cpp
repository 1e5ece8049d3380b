#include "TemplateFiles.h"

#include "platform/RegularFile.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>

std::optional<QStringList> ListTemplateFiles(const QString& folder) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists()) return std::nullopt;
    return dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

bool IsTextTemplate(const QString& name) {
    static const QStringList kText = {QStringLiteral("htm"), QStringLiteral("html"), QStringLiteral("css"),
                                      QStringLiteral("txt"), QStringLiteral("xml"), QStringLiteral("svg")};
    return kText.contains(QFileInfo(name).suffix(), Qt::CaseInsensitive);
}

bool LoadTemplate(const QString& path, QString& page, UiServices& ui) {
    const std::optional<QByteArray> bytes = ReadRegularFile(path, kMaxTemplateBytes);
    if (!bytes) {
        const QFileInfo info(path);
        ui.MessageBox(info.isFile() && info.size() > kMaxTemplateBytes
                          ? QStringLiteral(">Error: No hay suficiente memoria para mostrar el contenido!")
                          : QStringLiteral(">Error: No puedo abrir el archivo!\r\n") + path,
                      MsgButtons::Ok, MsgIcon::Exclamation);
        page = QStringLiteral("<B>Albora Wizard ERROR</B>");
        return false;
    }
    const QString text = QString::fromUtf8(*bytes);
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        out += line;
        out += QLatin1String("\r\n");
        start = end + 1;
    }
    page = out;
    return true;
}
