#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <optional>

// The wizard's page-style radio buttons; their ids pick the page format.
namespace PageFormatId {
constexpr int Normal = 1153;
constexpr int OnePage = 1154;
constexpr int Frames = 1156;
constexpr int MinMax = 1157;
}  // namespace PageFormatId

// What the Internet assistant collects and the web-site generator reads. The assistant's commands
// keep it in the program's settings, so the choices outlive the run (the output directory excepted).
struct HtmlWizardSettings {
    HtmlWizardSettings();

    QString outputDirectory;
    QString imageFormat = QStringLiteral("JPEG");
    // The box every picture of the site fits in, proportions kept and never enlarged; an empty box
    // keeps each picture at its own size ("Original").
    QSize pictureBox;
    // The box the thumbnails in thumbs/ fit in.
    QSize thumbnailBox{200, 150};
    // Published copies keep where they were taken and whose camera took them only when asked.
    bool keepLocationAndOwner = false;
    // What transparent pictures are laid on when they become JPEGs: the pages' own colour.
    QColor pageBackground{Qt::white};
    bool includeImageName = true;
    bool includeCardDate = true;
    bool includeDescription = true;
    bool includeFileName = false;
    bool includeSound = false;
    // The card file's creation date and size in the card information block.
    bool includeFileDate = false;
    bool includeFileSize = false;
    QString buttonSet = QStringLiteral("Classic");
    QString styleSet = QStringLiteral("Classic");
    int pageFormat = PageFormatId::Normal;
    bool includeAlbumAuthor = true;
    bool includeAlbumDate = true;
    bool includeAlbumDescription = true;
    bool generateIndexPage = true;
    QString email;
    QString moreInfo;

    bool operator==(const HtmlWizardSettings&) const = default;
};

// The format folder name of a page-format id; any unknown id is "NORMAL".
QString FormatKind(int pageFormat);

// The boxes the wizard offers, as "WxH"; the picture list starts with "Original".
QStringList PictureBoxChoices();
QStringList ThumbnailBoxChoices();
// "1024x768" as a box, "Original" (any case) as the empty box; nullopt for anything else.
std::optional<QSize> ParseBox(const QString& text);
// The text of BOX as the lists show it.
QString BoxText(const QSize& box);
