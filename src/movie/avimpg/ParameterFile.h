#pragma once

#include <string>
#include <vector>

// One "name = value" line of a parameter file (-p): an AVOption of the video encoder.
struct EncoderParameter {
    std::string name;
    std::string value;
    int line = 0;
};

struct ParameterFile {
    std::vector<EncoderParameter> parameters;
    std::string error;  // "FILE:LINE: why" or "FILE: why"; empty when the file was read
};

// Reads PATH: blank lines and lines starting with '#' are skipped, blanks around the name and the
// value are dropped; a line without '=' or without a name is an error.
ParameterFile ReadParameterFile(const std::string& path);
