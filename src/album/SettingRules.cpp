#include "SettingRules.h"

#include <algorithm>

namespace {

SettingRule Number(const char* key, const char* what, int minimum, int maximum) {
    return {QString::fromLatin1(key), SettingRule::Kind::Number, QString::fromLatin1(what), minimum,
            maximum, {}};
}

SettingRule Flag(const char* key, const char* what) { return Number(key, what, 0, 1); }

SettingRule Text(const char* key, const char* what) {
    return {QString::fromLatin1(key), SettingRule::Kind::Text, QString::fromLatin1(what), 0, 0, {}};
}

// The ranges the program's dialogs never gave are ours: a print margin or font size is in
// printer units and must stay on the page; autophoto counts and gaps are positive.
constexpr int kMostPrinterUnits = 32767;
constexpr int kMostAutophoto = 32767;

std::vector<SettingRule> MakeRules() {
    SettingRule format{QStringLiteral("GrabaFormato"), SettingRule::Kind::Choice,
                       QStringLiteral("The overlay photo format"), 0, 0,
                       SettingRules::VideoBlasterFormats() + SettingRules::BravadoFormats()};
    return {
        Number("JPGquality", "JPEG quality", 0, 99),
        Flag("flgJPG", "JPEG convert"),
        Text("NombreFoto", "The name prefix"),
        Text("browserMask", "The file mask"),
        Flag("addPathBrowser", "Add path to the file name"),
        Flag("reloadBrowser", "Reload Browser after select"),
        Flag("flgAutoInsert", "Auto insert"),
        Flag("flgAutoEdita", "Edit after photo"),
        Flag("flgAutoErase", "On delete erase files"),
        Flag("confirmaFoto", "Confirmation on photo/scan/video"),
        Flag("confirmaBorra", "Confirmation on delete card"),
        Flag("flgExtraInfo", "Store extra info"),
        Flag("flgCreaDir", "Create a new folder by album"),
        Number("latenciaTimer", "The gap between photos", 1, kMostAutophoto),
        // The index of "minutes", "seconds" or the empty unit.
        Number("tFactor", "The autophoto time unit", 0, 2),
        Number("tNDetiene", "The photo number to stop on", 1, kMostAutophoto),
        Flag("fmini", "Minimize program"),
        Number("FontSize", "The font size", 1, kMostPrinterUnits),
        Number("MarYArribaBorde", "The top margin", 0, kMostPrinterUnits),
        Number("MarYAbajoBorde", "The bottom margin", 0, kMostPrinterUnits),
        Number("MarXIzqBorde", "The left margin", 0, kMostPrinterUnits),
        Number("MarXDerBorde", "The right margin", 0, kMostPrinterUnits),
        Flag("flgMarHeaderPag", "Header"),
        Text("MarHeader", "The header"),
        Flag("flgMarFooherPag", "Foother"),
        Text("MarFoother", "The foother"),
        Flag("flgMarRect", "Frame on image"),
        Flag("multicapTwain", "Multiple scan"),
        Flag("flgVideoBlaster", "The overlay hardware (0 VideoBlaster, 1 Bravado)"),
        Flag("flgShareable", "Shareable"),
        format,
        Flag("descongelaFoto", "Unfreeze after photo"),
        Flag("flgPlano", "Plane"),
        Text("Plantilla", "The plane file"),
        Number("overlayColorR", "The red of the croma key", 0, 255),
        Number("overlayColorG", "The green of the croma key", 0, 255),
        Number("overlayColorB", "The blue of the croma key", 0, 255),
        Text("assistDefDir", "The default creation directory"),
        Text("htmlEditor", "The HTML editor"),
        Text("publisher", "The publisher"),
        Flag("useInternalBrowser", "Use internal web browser for view"),
        Number("screenDelay", "The screen capture delay in seconds", 0, 30),
    };
}

}  // namespace

std::optional<QString> SettingRule::Check(const QString& typed) const {
    switch (kind) {
    case Kind::Text:
        return std::nullopt;
    case Kind::Choice:
        if (choices.contains(typed)) return std::nullopt;
        return QStringLiteral("%1 must be one of: %2.").arg(what, choices.join(QStringLiteral(", ")));
    case Kind::Number:
        break;
    }
    bool ok = false;
    const int value = typed.trimmed().toInt(&ok);
    if (ok && value >= minimum && value <= maximum) return std::nullopt;
    if (minimum == 0 && maximum == 1) return QStringLiteral("%1 must be 0 or 1.").arg(what);
    return QStringLiteral("%1 must be a whole number from %2 to %3.").arg(what).arg(minimum).arg(maximum);
}

namespace SettingRules {

const std::vector<SettingRule>& All() {
    static const std::vector<SettingRule> rules = MakeRules();
    return rules;
}

const SettingRule* Find(const QString& key) {
    const auto& rules = All();
    const auto it = std::find_if(rules.begin(), rules.end(),
                                 [&key](const SettingRule& rule) { return rule.key == key; });
    return it == rules.end() ? nullptr : &*it;
}

const QStringList& VideoBlasterFormats() {
    static const QStringList formats{
        "BMP type DIB 24-bit",  "BMP type DIB 8-bit",    "BMP type DIB 8-bit gray",
        "TGA type Targa 32-bit", "TGA type Targa 24-bit", "TGA type Targa 16-bit",
        "MMP type IBM MMotion",  "TIF type TIFF 24-bit",  "TIF type TIFF 8-bit",
        "TIF type TIFF 8-bit gray", "PCX type PCX 8-bit", "PCX type PCX 8-bit gray",
        "GIF type GIF 8-bit",    "GIF type GIF 8-bit gray"};
    return formats;
}

const QStringList& BravadoFormats() {
    static const QStringList formats{"BMP", "TGA format tga16", "TGA format tga24", "MMP format mmp"};
    return formats;
}

const SettingRule& DescriptionLimit() {
    static const SettingRule rule = Number("", "The description limit", 0, 30000);
    return rule;
}

}  // namespace SettingRules
