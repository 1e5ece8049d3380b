#include "MediaFilter.h"

#include <utility>

namespace {

// The device type of each extension, as the media devices were named where albums came from.
const std::pair<const char*, const char*> kMediaTypes[] = {
    {"wav", "waveaudio"},  {"mid", "sequencer"},  {"rmi", "sequencer"},  {"avi", "avivideo"},
    {"mpg", "mpegvideo"},  {"mpeg", "mpegvideo"}, {"mp2", "mpegvideo"},  {"mp3", "mpegvideo"},
    {"mp4", "mpegvideo"},  {"m4a", "mpegvideo"},  {"mov", "mpegvideo"},  {"ogg", "mpegvideo"},
    {"oga", "mpegvideo"},  {"ogv", "mpegvideo"},  {"opus", "mpegvideo"}, {"webm", "mpegvideo"},
    {"mkv", "mpegvideo"},  {"flac", "mpegvideo"}, {"aif", "mpegvideo"},  {"aiff", "mpegvideo"},
    {"au", "mpegvideo"},   {"wma", "mpegvideo"},  {"wmv", "mpegvideo"},
};

}  // namespace

QStringList MediaExtensions() {
    QStringList extensions;
    for (const auto& [extension, device] : kMediaTypes) extensions << QLatin1String(extension);
    return extensions;
}

MediaFilter MakeMediaFilter(const QStringList& playable) {
    MediaFilter made{QStringLiteral("All *.*|*.*|"), {}};
    for (const auto& [extension, device] : kMediaTypes) {
        if (!playable.contains(QLatin1String(extension))) continue;
        made.filter += QStringLiteral("%1 *.%2|*.%2").arg(QLatin1String(device), QLatin1String(extension)) + '|';
        made.patterns += QStringLiteral("*.%1;").arg(QLatin1String(extension));
    }
    made.filter += QStringLiteral("All multimedia|") + made.patterns + '|';
    return made;
}
