#include "ParameterFile.h"

#include "RegularInput.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

// A few encoder options a line; far more is no parameter file.
constexpr std::uintmax_t kMaxBytes = 1 << 20;

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

ParameterFile ReadParameterFile(const std::string& path) {
    ParameterFile file;
    if (const std::string why = RefusedInput(path, kMaxBytes); !why.empty()) {
        file.error = path + ": " + why;
        return file;
    }
    std::ifstream in(path);
    if (!in) {
        file.error = path + ": " + std::strerror(errno);
        return file;
    }
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        const std::string content = Trimmed(text);
        if (content.empty() || content[0] == '#') continue;
        const std::size_t equals = content.find('=');
        const std::string name =
            equals == std::string::npos ? std::string() : Trimmed(content.substr(0, equals));
        if (name.empty()) {
            file.error = path + ":" + std::to_string(line) + ": expected \"name = value\"";
            return file;
        }
        file.parameters.push_back({name, Trimmed(content.substr(equals + 1)), line});
    }
    if (in.bad()) file.error = path + ": cannot be read";
    return file;
}
