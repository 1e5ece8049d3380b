#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class SettingsStore;

// Every persistent option of the program, in the order it is read and written, with its type and
// default. Other code names a setting only through these fields.
// clang-format off
#define ALBORA_SETTINGS(INT, TEXT) \
    TEXT(AlboPath, "AlboPath", "\\ALBORA\\") \
    TEXT(GrabaFormato, "GrabaFormato", "BMP type DIB 8-bit") \
    TEXT(Patron1, "Patron1", "\\ALBORA\\SEAJ2.GIF") \
    TEXT(NombreFoto, "NombreFoto", "IMG_%04d") \
    INT(flgJPG, "flgJPG", 0) \
    INT(flgTwain, "flgTwain", 0) \
    INT(flgShareable, "flgShareable", 0) \
    INT(flgPlano, "flgPlano", 0) \
    INT(flgEscala, "flgEscala", 1) \
    INT(flgLock, "flgLock", 0) \
    INT(flgDtoColorBlanco, "flgDtoColorBlanco", 1) \
    INT(flgAutoInsert, "flgAutoInsert", 1) \
    INT(flgAutoEdita, "flgAutoEdita", 1) \
    INT(flgAutoErase, "flgAutoErase", 1) \
    INT(flgDBNombre, "flgDBNombre", 1) \
    INT(flgDBGrafico, "flgDBGrafico", 1) \
    INT(flgDBTime, "flgDBTime", 1) \
    INT(flgDBDescripcion, "flgDBDescripcion", 1) \
    INT(confirmaFoto, "confirmaFoto", 1) \
    INT(descongelaFoto, "descongelaFoto", 1) \
    INT(anchoSec, "anchoSec", 152) \
    INT(altoSec, "altoSec", 100) \
    INT(anchoFrame, "anchoFrame", 320) \
    INT(altoFrame, "altoFrame", 200) \
    INT(latenciaTimer, "latenciaTimer", 5) \
    INT(tNDetiene, "tNDetiene", 100) \
    INT(tFactor, "tFactor", 60) \
    INT(tSecu, "tSecu", 0) \
    INT(MarXIzqBorde, "MarXIzqBorde", 170) \
    INT(MarXDerBorde, "MarXDerBorde", 113) \
    INT(MarYArribaBorde, "MarYArribaBorde", 113) \
    INT(MarYAbajoBorde, "MarYAbajoBorde", 113) \
    INT(MarAncho, "MarAncho", 2268) \
    INT(MarAlto, "MarAlto", 2268) \
    TEXT(MarHeader, "MarHeader", "{CRPNAME}") \
    TEXT(MarFoother, "MarFoother", "{PAGENUM}") \
    INT(flgMarHeaderPag, "flgMarHeaderPag", 1) \
    INT(flgMarFooherPag, "flgMarFooherPag", 1) \
    INT(flgMarRect, "flgMarRect", 1) \
    INT(flgMarPropor, "flgMarPropor", 1) \
    INT(flgVideoBlaster, "flgVideoBlaster", 1) \
    INT(flgCreaDir, "flgCreaDir", 1) \
    TEXT(Plantilla, "Plantilla", "\\ALBORA\\PLANO.WMF") \
    INT(flgPlanEscalable, "flgPlanEscalable", 0) \
    INT(overlayColorR, "overlayColorR", 255) \
    INT(overlayColorG, "overlayColorG", 0) \
    INT(overlayColorB, "overlayColorB", 255) \
    TEXT(lastMCIDevice, "lastMCIDevice", "vcr") \
    TEXT(szFilterIniFile, "szFilterIniFile", "win.ini") \
    TEXT(szFilterIniSection, "szFilterIniSection", "MS Graphic Import Filters") \
    TEXT(importFilterIniMCI, "importFilterIniMCI", "win.ini") \
    TEXT(importFilterSectionMCI, "importFilterSectionMCI", "mci extensions") \
    TEXT(importFilterWMF, "importFilterWMF", "\\ALBORA\\WMF.FLT") \
    TEXT(configSonido, "configSonido", "set albosrec time format ms bitspersample 8 channels 1 samplespersec 11025") \
    INT(hardCapture, "hardCapture", 2) \
    TEXT(util1, "util1", "") \
    TEXT(util2, "util2", "") \
    TEXT(util3, "util3", "") \
    TEXT(util4, "util4", "") \
    TEXT(util5, "util5", "") \
    TEXT(util6, "util6", "") \
    INT(fmini, "fmini", 0) \
    INT(hardPlay, "hardPlay", 0) \
    /* Stored only; pages open in the desktop's browser, through xdg-open. */ \
    TEXT(WWWBrowser, "WWWBrowser", "xdg-open") \
    TEXT(WWWEdit, "WWWEdit", "fpeditor.exe") \
    INT(JPGquality, "JPGquality", 99) \
    INT(flgInfo, "flgInfo", 1) \
    TEXT(FastTempPath, "FastTempPath", "") \
    INT(bShowContactInfo, "bShowContactInfo", 1) \
    INT(tamContacto, "tamContacto", 0) \
    INT(multicapTwain, "multicapTwain", 1) \
    /* Our own: the scanner chosen with Select Source (SANE's device name, "test:0"). */ \
    TEXT(scannerSource, "scannerSource", "") \
    TEXT(browserMask, "browserMask", "Internet images (*.jpg; *.jpeg; *.gif)") \
    INT(reloadBrowser, "reloadBrowser", 1) \
    INT(addPathBrowser, "addPathBrowser", 1) \
    INT(flgWelcomeDlg, "flgWelcomeDlg", 1) \
    TEXT(assistDefDir, "assistDefDir", "{CRPPATH}/WEB") \
    /* The desktop's choice opens a page to edit; there is no publisher until the user names one. */ \
    TEXT(htmlEditor, "htmlEditor", "xdg-open {FILEFROMSELECTOR}") \
    TEXT(publisher, "publisher", "") \
    INT(useInternalBrowser, "useInternalBrowser", 0) \
    INT(FontSize, "FontSize", 50) \
    INT(SuperViewer, "SuperViewer", 0) \
    INT(ClasicLayout, "ClasicLayout", 0) \
    /* Our own: the most pixels a picture may have (ImageLibrary::MaxPixels), 2^28 at most; */ \
    /* the image view's zoom (0 fits the picture to the window, otherwise percent); the card */ \
    /* list's column widths and sort; whether the shared thumbnail cache is used; the movie's */ \
    /* sound track, captions and frame ("WxH:FILTER", empty for the pictures' own size); the */ \
    /* seconds the screen capture waits before it takes the screen (0 to 30); the program that */ \
    /* edits a captured sequence, the file's path given after its own arguments; whether */ \
    /* deleting cards asks first; the options sheet's "Store extra info", kept as the user left it. */ \
    INT(MaxPicturePixels, "MaxPicturePixels", 268435456) \
    INT(ImageZoom, "ImageZoom", 0) \
    TEXT(ListColumns, "ListColumns", "") \
    INT(ThumbnailCache, "ThumbnailCache", 1) \
    INT(MovieSound, "MovieSound", 0) \
    INT(MovieCaptions, "MovieCaptions", 0) \
    TEXT(MovieFit, "MovieFit", "") \
    INT(screenDelay, "screenDelay", 0) \
    TEXT(videoEditor, "videoEditor", "xdg-open") \
    INT(confirmaBorra, "confirmaBorra", 1) \
    INT(flgExtraInfo, "flgExtraInfo", 0) \
    /* Our own: the Internet assistant's choices but its output folder (the boxes as "WxH" or */ \
    /* "Original", the page format as the id of its button), and those of "Presentations setup" */ \
    /* (fitting to the screen -1 while it follows "flgLock"). Their defaults are the dialogs' own. */ \
    TEXT(WebImageFormat, "WebImageFormat", "JPEG") \
    TEXT(WebPictureBox, "WebPictureBox", "Original") \
    TEXT(WebThumbnailBox, "WebThumbnailBox", "200x150") \
    INT(WebKeepLocation, "WebKeepLocation", 0) \
    INT(WebImageName, "WebImageName", 1) \
    INT(WebDescription, "WebDescription", 1) \
    INT(WebCardDate, "WebCardDate", 1) \
    INT(WebSound, "WebSound", 0) \
    INT(WebFileName, "WebFileName", 0) \
    INT(WebFileDate, "WebFileDate", 0) \
    INT(WebFileSize, "WebFileSize", 0) \
    INT(WebPageFormat, "WebPageFormat", 1153) \
    TEXT(WebStyleSet, "WebStyleSet", "Classic") \
    TEXT(WebButtonSet, "WebButtonSet", "Classic") \
    INT(WebIndexPage, "WebIndexPage", 1) \
    INT(WebAlbumAuthor, "WebAlbumAuthor", 1) \
    INT(WebAlbumDescription, "WebAlbumDescription", 1) \
    INT(WebAlbumDate, "WebAlbumDate", 1) \
    TEXT(WebEmail, "WebEmail", "") \
    TEXT(WebMoreInfo, "WebMoreInfo", "") \
    INT(PresFitToScreen, "PresFitToScreen", -1) \
    INT(PresPlayAudio, "PresPlayAudio", 1) \
    INT(PresWaitForSound, "PresWaitForSound", 0) \
    INT(PresRepeat, "PresRepeat", 1) \
    INT(PresShowInfo, "PresShowInfo", 0) \
    INT(PresStartAtCurrent, "PresStartAtCurrent", 0) \
    INT(PresDelay, "PresDelay", 2) \
    INT(PresNoDelay, "PresNoDelay", 0) \
    INT(PresDelayUnit, "PresDelayUnit", 0)
// clang-format on

class CAppSettings {
public:
    static inline const QString kSection = QStringLiteral("Albora");
    // Not stored.
    static inline const QString kMessageTitle = QStringLiteral("Albora 3.0");
    // The description size limit in Kb. of the options sheet's "Album" page, kept for the run.
    int m_descriptionLimitKb = 10000;

#define ALBORA_INT_FIELD(field, key, fallback) int field = fallback;
#define ALBORA_TEXT_FIELD(field, key, fallback) QString field = QStringLiteral(fallback);
    ALBORA_SETTINGS(ALBORA_INT_FIELD, ALBORA_TEXT_FIELD)
#undef ALBORA_INT_FIELD
#undef ALBORA_TEXT_FIELD

    // The initial "By:" field of the Search dialog.
    QString m_strSearchField = QStringLiteral("Name");

    // Reads every key in table order; a missing or unreadable key keeps its default.
    void Load(const SettingsStore& store);
    // Writes every key, "AlboPath" first; false, with nothing more written, when that fails.
    bool Save(SettingsStore& store) const;
    // Every key in table order.
    static QStringList Keys();
    // The value of KEY as text, an integer key's as a number; nothing for an unknown key.
    std::optional<QString> ValueText(const QString& key) const;
    // Sets KEY from TEXT; false, with nothing changed, for an unknown key or an integer key
    // whose text is no whole number.
    bool SetValueText(const QString& key, const QString& text);
    // The start-up rule: the program directory replaces "AlboPath", and the scratch directory
    // fills an empty "FastTempPath" (the start folder may be anyone's, a download folder).
    void ApplyProgramDirectory(const QString& programDirectory, const QString& scratchDirectory);
};
