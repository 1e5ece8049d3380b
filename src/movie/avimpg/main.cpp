// avimpg: the MPEG-1 encoder that the album program starts to turn an AVI movie into an MPEG
// file, over FFmpeg's libraries.
#include <cstdio>
#include <iostream>
#include <optional>

#include "AudioTrack.h"
#include "AviInput.h"
#include "AvimpgOptions.h"
#include "EncoderSettings.h"
#include "Libav.h"
#include "MpegEncoder.h"
#include "ParameterFile.h"
#include "VideoEncoder.h"
#include "platform/FileIdentity.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int UsageError(const std::string& why) {
    std::cerr << "avimpg: " << why << "\n" << UsageText();
    return kUsageError;
}

void PrintNotes(const std::vector<std::string>& notes) {
    for (const std::string& note : notes) std::cerr << "avimpg: note: " << note << "\n";
}

std::string VersionText(unsigned version) {
    return std::to_string(AV_VERSION_MAJOR(version)) + "." +
           std::to_string(AV_VERSION_MINOR(version)) + "." +
           std::to_string(AV_VERSION_MICRO(version));
}

void PrintSettings(const EncoderSettings& settings) {
    std::cout << "version = " << ALBORA_VERSION << "\n"
              << "libavcodec = " << VersionText(avcodec_version()) << "\n"
              << "libavformat = " << VersionText(avformat_version()) << "\n";
    for (const auto& [name, value] : DescribeSettings(settings))
        std::cout << name << " = " << value << "\n";
    std::cout.flush();
}

// The file that OPTIONS' output would replace although it must be read: the input movie or the
// parameter file, whatever spelling or link names them; empty when there is none.
std::string ReadFileAsOutput(const AvimpgOptions& options) {
    for (const std::string* read : {&options.input, &options.parameterFile})
        if (!read->empty() && SameFile(read->c_str(), options.output.c_str())) return *read;
    return {};
}

int Run(const AvimpgOptions& options) {
    if (const std::string read = ReadFileAsOutput(options); !read.empty()) {
        std::cerr << "avimpg: " << options.output << ": the output is " << read << ", which is read: nothing was written\n";
        return kFailed;
    }
    ParameterFile parameters;
    if (!options.parameterFile.empty()) {
        parameters = ReadParameterFile(options.parameterFile);
        if (!parameters.error.empty()) {
            std::cerr << "avimpg: " << parameters.error << "\n";
            return kFailed;
        }
    }
    std::optional<AviInput> input;
    if (!options.input.empty()) input.emplace(options.input);

    ResolvedSettings resolved = ResolveSettings(
        options, input ? std::optional(input->Facts()) : std::nullopt, Layer2EncoderName());
    if (!resolved.error.empty()) return UsageError(resolved.error);
    PrintNotes(resolved.notes);
    EncoderSettings& settings = resolved.settings;
    settings.parameters = parameters.parameters;
    CodecContextPtr videoEncoder = ConfigureVideoEncoder(settings, options.parameterFile);
    if (options.printSettings) PrintSettings(settings);
    // -V tells what the encoding would be, and no more.
    if (options.printSettings || !input) return 0;
    PrintNotes(EncodeMpeg(*input, settings, std::move(videoEncoder), options.output,
                          options.ignoreErrors));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const ParsedArguments parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::cout << UsageText();
        return 0;
    }
    if (parsed.version) {
        std::cout << "avimpg " ALBORA_VERSION "\n";
        return 0;
    }
    if (!parsed.options) return UsageError(parsed.error);
    PrintNotes(parsed.notes);
    const AvimpgOptions& options = *parsed.options;
    CaptureLibavMessages();
    try {
        return Run(options);
    } catch (const AvimpgError& error) {
        const std::string& subject = error.Subject().empty() ? options.input : error.Subject();
        std::cerr << "avimpg: " << (subject.empty() ? "" : subject + ": ") << error.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "avimpg: " << options.input << ": out of memory\n";
    }
    return kFailed;
}
