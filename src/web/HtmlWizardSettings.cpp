#include "HtmlWizardSettings.h"

#include <QDir>

HtmlWizardSettings::HtmlWizardSettings() : outputDirectory(QDir::currentPath() + QStringLiteral("/WEB")) {}

QString FormatKind(int pageFormat) {
    switch (pageFormat) {
    case PageFormatId::OnePage: return QStringLiteral("ONEPAGE");
    case PageFormatId::Frames: return QStringLiteral("FRAMES");
    case PageFormatId::MinMax: return QStringLiteral("MINMAX");
    default: return QStringLiteral("NORMAL");
    }
}
