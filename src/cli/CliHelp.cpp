// The help text, and the usage of one command cut out of it: an entry starts at a line indented by
// two spaces with the group's name, and runs on over the lines indented deeper.
#include "CliHelp.h"

#include <algorithm>

extern const char kCliHelp[] = R"(Usage: albora-cli GROUP COMMAND [ARGUMENTS]

  album new OUT.crp [--name T] [--description T] [--author T] [--directory D] [--created EPOCH]
  album add ALBUM.crp FILE [--name T] [--description T] [--time EPOCH]
  album from-folder DIR OUT.crp [--mask MASK] [--no-path]
  album show ALBUM.crp [--json] [--resolved]
  album search ALBUM.crp --by Name|Graphic|Date|Description --text T [--json]
  album stream ALBUM.crp            the raw "Contents" stream to standard output
  image info FILE [--json]          type, size, depth, colour type, palette, transparent index,
                                    camera orientation (1 to 8, 1 upright)
  image convert IN OUT [--quality Q] [--auto-orient]
                                    the format follows OUT's extension (.bmp .jpg .gif .png);
                                    --auto-orient writes the picture upright
  contact ALBUM.crp OUT.png [--size 0..3] [--columns N] [--info] [--no-thumbnail-cache]
                                    pages of N x N thumbnails (OUT-1.png, OUT-2.png ... when more),
                                    upright and in proportion, kept in the desktop's thumbnail cache
  image transform IN OUT OP...      OPs in order: --flip-h --flip-v --rot90cw --rot90ccw --rot180
                                    --crop X,Y,W,H --resize WxH[:FILTER] --rotate DEG[:RRGGBB]
                                    --tint RRGGBB:I --brightness V
  draw new [OUT.adw] [--width W --height H] [--created T] [--image FILE [--name T] [--fix]]
                                    a new annotation (799 x 1024 unless told); with --image the
                                    picture as its background, OUT by default named after it
  draw show FILE.adw [--json]       the page and its objects; a file read in part exits 1
  draw build IN.json OUT.adw        an annotation from the JSON that show --json prints
  draw merge INTO.adw FROM.adw      FROM's objects added to INTO
  draw copy FILE.adw NAME... > CLIP the named objects as the clipboard carries them
  draw paste FILE.adw CLIP          copied objects added to FILE
  draw edit IN.adw OUT.adw OP...    OPs in order: --select NAME[,NAME] --all --delete --move DX,DY
                                    --rect L,T,R,B --group --ungroup --to-front --to-back
                                    --move-first --move-last --fix --line-color C --fill-color C
                                    --pen-width N --fill solid|transparent|vertical|-45|cross45|
                                    horizontal|45|cross --paper C --undo --redo
                                    (colours 0xBBGGRR or #RRGGBB)
  draw render FILE.adw OUT.png|OUT.svg|OUT.pdf [--dpi N]
                                    the page as a picture (100 dpi: one pixel per page unit),
                                    SVG or PDF at its physical size
  draw render FILE.adw OUT.png --view [--zoom 1:1|2:1|3:1|1:2|1:3] [--grid] [--select NAME[,NAME]]
                          [--dpi N] the whole scroll area as the draw view shows it
  web ALBUM.crp OUTDIR [--format normal|frames|onepage|minmax] [--style Classic|Albora|Formal]
                    [--buttons Classic|Rounded|Albora] [--image-format JPEG|GIF|"No convert"]
                    [--picture WxH|original] [--thumb WxH] [--quality Q]
                    [--card-info name,date,description,filename,sound]
                    [--album-info author,date,description] [--email T] [--more-info T]
                    [--templates DIR] [--full] [--keep-location-and-owner]
                                    the album as a static web site (original pictures and 200x150
                                    thumbnails unless told); a re-run rewrites only what changed,
                                    --full everything; exit 1 when any part failed; JPEGs lose
                                    their GPS position, serial numbers and owner names unless kept
  movie ALBUM.crp OUT.avi [--sound] [--captions] [--fit WxH[:FILTER]]
                                    the pictures as an uncompressed AVI movie, each standing 10
                                    periods of 15 a second; all of one size and depth unless
                                    --fit scales each into a WxH frame, in proportion, on black;
                                    --sound adds the sound notes as a PCM track, each card
                                    standing as long as its note; --captions writes each card's
                                    name and description over it;
                                    exit 0 only when every card is in the finished movie
  mpeg IN.avi [OUT.mpg] [--audio] [--layer 1|2] [--audio-bitrate K] [--joint-stereo]
       [--system-bitrate K] [--vcd] [--crop WxH] [--frame-rate R] [--vbv N] [--motion N]
       [--param FILE] [--no-ignore-errors] [--dry-run]
                                    an MPEG-1 movie of an AVI through avimpg (beside albora-cli,
                                    ALBORA_AVIMPG, or on the PATH), with the options of the
                                    dialog; --dry-run prints the encoder's command line
  slides ALBUM.crp DIR [--size WxH] [--fit] [--info]
                                    each card as the presentation shows it, DIR/slide-001.png,
                                    slide-002.png ... (1024x768 unless told); --fit scales the
                                    pictures in proportion to the screen, --info writes each card's
                                    name and description; a card that cannot be read gets the
                                    error slide and the exit status 1
  utility ALBUM.crp N [--card K] [--dry-run]
                                    starts utility N (1 to 5, as defined in the program's
                                    settings) as its menu entry does, without asking, with the
                                    album's card K (counted from 1 in album order) as the
                                    selected card; --dry-run prints the program and its
                                    argument, one per line
  browse tree DIR [--filter TEXT] [--no-files] [--json]
                                    DIR as the image browser's folder tree lists it: folders
                                    (ending in "/") then the files of the filter ("Internet
                                    images" unless told; "All images" or wildcards "*.bmp; *.png")
  browse watch DIR [--filter TEXT] [--no-files] [--seconds S] [--until-files N] [--json]
                                    the same, kept current while S seconds pass (10 unless told)
                                    or until N files are shown
  quick list | add DIR | del N | go N OUT.crp [--mask M]
                                    the quick browser's folders ("quick.lst" in
                                    $XDG_DATA_HOME/albora, ~/.local/share/albora): list prints
                                    "N<tab>folder" from 1; go makes an album of folder N's
                                    pictures of the mask ("browserMask" unless told)
  media filter                      the multimedia browser's file filter: the media types the
                                    installed GStreamer plays
  capture devices [--json]          the capture report: scanners, screen, display
  capture scan ALBUM.crp [--device NAME] [--source S] [--mode M] [--resolution DPI]
               [--set OPTION=VALUE]... [--pages N] [--split] [--jpg] [--quality Q]
                                    one scanner session (the first scanner unless named; SANE's
                                    option names and values): each page, or with --split each
                                    photo on it, a file named by the scanner counter in the
                                    album's folder and a card, in page order; --pages stops a
                                    feeder after N; exit 1 when no page came
  capture screen ALBUM.crp --desktop | --rect X,Y,W,H | --window-at X,Y | --client-at X,Y |
                 --window ID | --client ID [--delay S] [--jpg] [--quality Q]
                                    a picture of the X screen as a new card: the desktop, a
                                    rectangle, the window (with its frame) or its client area
                                    under a point or of an id (hex 0x... or decimal), after S
                                    seconds (0 to 30); named as the program names new pictures,
                                    in the album's folder; exit 1 and no card when nothing was
                                    captured
  capture video ALBUM.crp --frame | --sequence SECONDS [--device N] [--size WxH] [--fps F]
                [--audio] [--jpg] [--quality Q]
                                    a frame, or a sequence recorded for SECONDS as an AVI (MJPEG,
                                    with sound from the default input when --audio), of capture
                                    driver N (0 unless told: ALBORA_VIDEO_SOURCE, then the
                                    cameras) as a new card; exit 1 and no card when the device
                                    cannot start; exit 1 with a warning, the card kept, when
                                    the source ends before SECONDS
  capture overlay OUT [--format TEXT] [--size WxH] [--lock] [--shareable] [--plane FILE]
                  [--window-png FILE] [--log]
                                    the MCI overlay on capture driver 0, its window (WxH, 320x200
                                    unless told) drawn offscreen: the picture saved to OUT in the
                                    format TEXT ("BMP type DIB 24-bit", "BMP type DIB 8-bit",
                                    "BMP type DIB 8-bit gray", "GIF type GIF 8-bit", "GIF type GIF
                                    8-bit gray"; "BMP type DIB 8-bit" unless told), the window with
                                    its ruler, its plane FILE and the video keyed in as the PNG
                                    FILE; --lock puts the device's rectangles at the window's size
                                    (the video unscaled), --shareable shares a source in use, --log
                                    prints each command string sent; exit 1 and no file on failure
  livecam DIR [--image NAME] [--rate MS] [--max-errors N] [--ticks N] [--serve ADDR:PORT]
              [--test-page FILE]
                                    the LiveCam on capture driver 0: every MS milliseconds (5000)
                                    the newest frame as the JPEG NAME ("livecam.jpg") in DIR,
                                    replaced whole; stops after N ticks, or with exit 1 past N
                                    failures (50; a tick without a new frame is one); --serve
                                    serves the page and the picture (503 while there is no live
                                    one), and says "LiveCam: http://ADDR:PORT/" first (port 0: a
                                    free one);
                                    --test-page writes the test page
  settings list                     every setting as key=value, as the program reads them
  settings get KEY
  settings set KEY VALUE            one of the General Options, within the sheet's range;
                                    a refused value or unknown key exits 1, writing nothing

  -h, --help                        this help; -v, --version: the version

Messages go to standard error. Exit status: 0 success, 1 failure, 2 usage error.
)";

namespace {

struct Entry {
    std::string_view text;
    std::vector<std::string_view> names;  // the group, then the commands the entry shows
};

bool IsName(std::string_view word) {
    return !word.empty() && word.front() >= 'a' && word.front() <= 'z' &&
           std::all_of(word.begin(), word.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

// The group and the commands of an entry's first line: its first word, and the name after it and
// after each " | " of alternatives ("quick list | add DIR | del N ..."), up to the description.
std::vector<std::string_view> NamesOf(std::string_view line) {
    line.remove_prefix(2);
    line = line.substr(0, line.find("  "));
    std::vector<std::string_view> words;
    for (size_t start = 0; start < line.size();) {
        const size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string_view> names{words.front()};
    for (size_t i = 1; i < words.size(); ++i)
        if ((i == 1 || words[i - 1] == "|") && IsName(words[i])) names.push_back(words[i]);
    return names;
}

std::vector<Entry> Entries() {
    std::vector<Entry> entries;
    bool open = false;
    for (std::string_view rest = kCliHelp; !rest.empty();) {
        const std::string_view line = rest.substr(0, std::min(rest.find('\n'), rest.size() - 1) + 1);
        rest.remove_prefix(line.size());
        if (line.starts_with("   ") && open) {
            entries.back().text = std::string_view(entries.back().text.data(), entries.back().text.size() + line.size());
        } else {
            open = line.starts_with("  ") && IsName(line.substr(2, 1));
            if (open) entries.push_back({line, NamesOf(line)});
        }
    }
    return entries;
}

}  // namespace

std::string CommandHelp(const std::vector<std::string_view>& words) {
    if (words.empty()) return {};
    const std::string_view command = words.size() > 1 ? words[1] : "";
    std::string usage;
    for (const Entry& entry : Entries()) {
        if (entry.names.front() != words.front()) continue;
        const bool chosen = entry.names.size() == 1 || command.starts_with('-') ||
                            std::find(entry.names.begin() + 1, entry.names.end(), command) != entry.names.end();
        if (chosen) usage += entry.text;
    }
    if (usage.empty()) return {};
    const std::string_view help = kCliHelp;
    return "Usage:\n" + usage + "\n" + std::string(help.substr(help.rfind("\n\n") + 2));
}
