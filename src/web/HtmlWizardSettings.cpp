#include "HtmlWizardSettings.h"

#include <QDir>
#include <QRegularExpression>

HtmlWizardSettings::HtmlWizardSettings() : outputDirectory(QDir::currentPath() + QStringLiteral("/WEB")) {}

QString FormatKind(int pageFormat) {
    switch (pageFormat) {
    case PageFormatId::OnePage: return QStringLiteral("ONEPAGE");
    case PageFormatId::Frames: return QStringLiteral("FRAMES");
    case PageFormatId::MinMax: return QStringLiteral("MINMAX");
    default: return QStringLiteral("NORMAL");
    }
}

QStringList PictureBoxChoices() {
    return {QStringLiteral("Original"), QStringLiteral("640x480"),   QStringLiteral("800x600"),
            QStringLiteral("1024x768"), QStringLiteral("1280x960"), QStringLiteral("1600x1200"),
            QStringLiteral("1920x1440")};
}

QStringList ThumbnailBoxChoices() {
    return {QStringLiteral("100x75"), QStringLiteral("160x120"), QStringLiteral("200x150"), QStringLiteral("240x180"),
            QStringLiteral("320x240")};
}

std::optional<QSize> ParseBox(const QString& text) {
    if (text.compare(QLatin1String("original"), Qt::CaseInsensitive) == 0) return QSize();
    static const QRegularExpression box(QStringLiteral("^\\s*(\\d{1,5})\\s*[xX]\\s*(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch m = box.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > 16384 || size.height() > 16384) return std::nullopt;
    return size;
}

QString BoxText(const QSize& box) {
    return box.isEmpty() ? QStringLiteral("Original") : QStringLiteral("%1x%2").arg(box.width()).arg(box.height());
}
