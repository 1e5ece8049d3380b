#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line "avimpg [options] INPUT.avi OUTPUT.mpg" as the album program writes it. Options
// left out take the initial values of the album program's dialog.
struct AvimpgOptions {
    bool ignoreErrors = false;     // -e
    std::string parameterFile;     // -p FILE
    bool jointStereo = false;      // -j
    int motionSearch = 0;          // -m 0..4
    bool videoCd = false;          // -v
    int systemKbps = 1200;         // -s 80..4000
    int vbvUnits = 20;             // -y 0..1000, units of 16 kbit
    std::optional<int> cropWidth;  // -c W H
    std::optional<int> cropHeight;
    bool videoOnly = false;             // -n
    std::optional<int> frameRateIndex;  // -f 1..5
    int audioLayer = 2;                 // -l 1|2, as asked for
    int audioKbps = 128;                // -a, already a Layer II bitrate
    bool printSettings = false;         // -V
    std::string input;
    std::string output;
};

struct ParsedArguments {
    std::optional<AvimpgOptions> options;  // nullopt: a usage error (see error), help or version asked for
    std::string error;
    bool help = false;
    bool version = false;
    std::vector<std::string> notes;  // what was given but cannot be done exactly
};

ParsedArguments ParseArguments(const std::vector<std::string>& args);

const char* UsageText();
