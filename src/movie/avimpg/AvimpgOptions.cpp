#include "AvimpgOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>

namespace {

constexpr std::array<int, 14> kLayer2Kbps{32,  48,  56,  64,  80,  96,  112,
                                          128, 160, 192, 224, 256, 320, 384};

std::optional<int> ParseInt(const std::string& text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

// FFmpeg has no Layer I encoder; a Layer I bitrate (32..448 in steps of 32) becomes the nearest
// Layer II one, the lower of two equally near so the system stream keeps its room.
int NearestLayer2(int kbps) {
    int best = kLayer2Kbps.front();
    for (int candidate : kLayer2Kbps)
        if (std::abs(candidate - kbps) < std::abs(best - kbps)) best = candidate;
    return best;
}

bool IsLayer2(int kbps) {
    return std::find(kLayer2Kbps.begin(), kLayer2Kbps.end(), kbps) != kLayer2Kbps.end();
}

bool IsLayer1(int kbps) { return kbps >= 32 && kbps <= 448 && kbps % 32 == 0; }

class Reader {
public:
    explicit Reader(const std::vector<std::string>& args) : m_args(args) {}

    bool AtEnd() const { return m_next >= m_args.size(); }
    const std::string& Next() { return m_args[m_next++]; }

    // The number after OPTION within LOW..HIGH, or an error naming the option.
    std::optional<int> Number(const std::string& option, int low, int high, std::string& error) {
        if (AtEnd()) {
            error = "option " + option + " needs a number";
            return std::nullopt;
        }
        const std::string& text = Next();
        const std::optional<int> value = ParseInt(text, low, high);
        if (!value)
            error = "option " + option + ": \"" + text + "\" is not a number from " +
                    std::to_string(low) + " to " + std::to_string(high);
        return value;
    }

private:
    const std::vector<std::string>& m_args;
    std::size_t m_next = 0;
};

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    ParsedArguments result;
    AvimpgOptions options;
    std::optional<int> audioKbps;
    std::vector<std::string> files;
    Reader reader(args);
    std::string& error = result.error;
    bool optionsEnded = false;
    while (!reader.AtEnd() && error.empty()) {
        const std::string& arg = reader.Next();
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            result.help = true;
            return result;
        } else if (arg == "--version") {
            result.version = true;
            return result;
        } else if (arg == "-e") {
            options.ignoreErrors = true;
        } else if (arg == "-p") {
            if (reader.AtEnd())
                error = "option -p needs a parameter file";
            else
                options.parameterFile = reader.Next();
        } else if (arg == "-j") {
            options.jointStereo = true;
        } else if (arg == "-m") {
            if (auto n = reader.Number(arg, 0, 4, error)) options.motionSearch = *n;
        } else if (arg == "-v") {
            options.videoCd = true;
        } else if (arg == "-s") {
            if (auto n = reader.Number(arg, 80, 4000, error)) options.systemKbps = *n;
        } else if (arg == "-y") {
            if (auto n = reader.Number(arg, 0, 1000, error)) options.vbvUnits = *n;
        } else if (arg == "-c") {
            options.cropWidth = reader.Number(arg, 0, 5000, error);
            if (error.empty()) options.cropHeight = reader.Number(arg, 0, 5000, error);
        } else if (arg == "-n") {
            options.videoOnly = true;
        } else if (arg == "-f") {
            if (auto n = reader.Number(arg, 1, 5, error)) options.frameRateIndex = *n;
        } else if (arg == "-l") {
            if (auto n = reader.Number(arg, 1, 2, error)) options.audioLayer = *n;
        } else if (arg == "-a") {
            audioKbps = reader.Number(arg, 32, 448, error);
        } else if (arg == "-V") {
            options.printSettings = true;
        } else {
            error = "unknown option " + arg;
        }
    }
    if (!error.empty()) return result;

    if (audioKbps) {
        if (options.audioLayer == 2 && !IsLayer2(*audioKbps)) {
            error =
                "option -a: " + std::to_string(*audioKbps) + " kbit/s is not a Layer II bitrate";
            return result;
        }
        if (options.audioLayer == 1 && !IsLayer1(*audioKbps)) {
            error = "option -a: " + std::to_string(*audioKbps) + " kbit/s is not a Layer I bitrate";
            return result;
        }
        options.audioKbps = NearestLayer2(*audioKbps);
    }
    if (options.audioLayer == 1 && !options.videoOnly && !options.videoCd)
        result.notes.push_back("no Layer I encoder here; the audio is Layer II at " +
                               std::to_string(options.audioKbps) + " kbit/s");

    if (files.size() == 2) {
        options.input = files[0];
        options.output = files[1];
    } else if (!(files.empty() && options.printSettings)) {
        error = files.size() < 2 ? "an input AVI and an output MPEG file are needed"
                                 : "too many files: " + files[2];
        return result;
    }
    result.options = options;
    return result;
}

const char* UsageText() {
    return "usage: avimpg [options] INPUT.avi OUTPUT.mpg\n"
           "       avimpg -V [options]\n"
           "Encodes an AVI movie as an MPEG-1 system stream.\n"
           "  -e        ignore AVI errors: damaged frames hold the previous picture\n"
           "  -p FILE   video encoder settings, lines \"name = value\" ('#' starts a comment)\n"
           "  -j        joint-stereo audio\n"
           "  -m N      motion search magnitude 0..4 (vectors up to 16 * 2^N pixels; default 0)\n"
           "  -v        VIDEO-CD: 352x240 at 29.97 (352x288 at 25 for 25 or 50 frame/s input),\n"
           "            video 1150 kbit/s, audio 224 kbit/s; -s -y -c -f -l -a are ignored\n"
           "  -s K      system stream bitrate, 80..4000 kbit/s (default 1200)\n"
           "  -y N      VBV buffer size in units of 16 kbit, 0..1000, 0 = encoder's choice "
           "(default 20)\n"
           "  -c W H    crop the picture to W x H around its centre (0 keeps that side)\n"
           "  -n        video only, no audio\n"
           "  -f I      force the frame rate: 1 = 23.976, 2 = 24, 3 = 25, 4 = 29.97, 5 = 30\n"
           "  -l 1|2    audio layer (Layer I is encoded as Layer II)\n"
           "  -a K      audio bitrate in kbit/s, one of the layer's bitrates (default 128)\n"
           "  -V        print the version and the encoder settings (of the files given), and exit\n"
           "  -h, --help     this help; --version: the version\n"
           "Exit status: 0 done, 1 failed, 2 usage error.\n";
}
