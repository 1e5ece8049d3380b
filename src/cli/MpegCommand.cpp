// albora-cli mpeg IN.avi [OUT.mpg]: the dialog "Make MPEG Movie from AVI file" in batch: its
// initial values, checks, messages and argument list; it waits for avimpg and passes on its end.
#include "CliArgs.h"
#include "CliContext.h"

#include "movie/MpegEncoderOptions.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

// Fills O from the options; the reason for a usage error otherwise.
std::optional<QString> ReadOptions(const CliArgs& args, MpegEncoderOptions& o) {
    const auto number = [&](const char* name, int low, int high, int& into) -> bool {
        if (!args.Has(name)) return true;
        bool ok = false;
        const int value = args.Value(name).toInt(&ok);
        if (!ok || value < low || value > high) return false;
        into = value;
        return true;
    };
    o.videoOnly = !args.Has("audio");
    o.jointStereo = args.Has("joint-stereo");
    o.videoCd = args.Has("vcd");
    o.ignoreAviErrors = !args.Has("no-ignore-errors");
    int layer = o.audioLayerIndex + 1;
    if (!number("layer", 1, 2, layer)) return QStringLiteral("--layer is 1 or 2");
    o.audioLayerIndex = layer - 1;
    if (args.Has("audio-bitrate")) {
        const int wanted = args.Value("audio-bitrate").toInt();
        const int* rates = kAudioBitrates[o.audioLayerIndex];
        const int* found = std::find(rates, rates + 14, wanted);
        if (found == rates + 14) return QStringLiteral("--audio-bitrate is one of the layer's bitrates");
        o.audioBitrateIndex = int(found - rates);
    }
    // Out of range is the encoder's own message, as in the dialog.
    if (args.Has("system-bitrate")) o.systemBitrate = args.Value("system-bitrate").toInt();
    if (args.Has("crop")) {
        const QStringList size = args.Value("crop").split(QLatin1Char('x'));
        bool w = false, h = false;
        o.crop = true;
        if (size.size() == 2) o.cropWidth = size[0].toInt(&w), o.cropHeight = size[1].toInt(&h);
        if (!w || !h || o.cropWidth < 0 || o.cropWidth > 5000 || o.cropHeight < 0 || o.cropHeight > 5000)
            return QStringLiteral("--crop is WxH, 0 to 5000 each");
    }
    if (args.Has("frame-rate")) {
        const auto it = std::find(std::begin(kFrameRates), std::end(kFrameRates), args.Value("frame-rate"));
        if (it == std::end(kFrameRates)) return QStringLiteral("--frame-rate is 23.976, 24, 25, 29.97 or 30");
        o.forceFrameRate = true;
        o.frameRateIndex = int(it - std::begin(kFrameRates));
    }
    if (!number("vbv", 0, 1000, o.vbvBufferSize)) return QStringLiteral("--vbv is 0 to 1000");
    if (!number("motion", 0, 4, o.motionSearch)) return QStringLiteral("--motion is 0 to 4");
    if (args.Has("param")) {
        o.useParameterFile = true;
        o.parameterFile = args.Value("param");
    }
    return std::nullopt;
}

// WORD as a shell would need it, for showing a command line.
QString Shown(const QString& word) {
    if (!word.isEmpty() && !word.contains(QRegularExpression(QStringLiteral("[^\\w./:+=-]")))) return word;
    return QLatin1Char('\'') + QString(word).replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

}  // namespace

int RunMpegCommand(CliContext& c, const QStringList& args) {
    const CliOptions options{{"layer", "audio-bitrate", "system-bitrate", "crop", "frame-rate", "vbv", "motion", "param"},
                             {"audio", "joint-stereo", "vcd", "no-ignore-errors", "dry-run"}};
    QString error;
    const auto parsed = ParseCliArgs(args, options, error);
    if (!parsed) return c.Usage(error);
    if (parsed->positional.isEmpty() || parsed->positional.size() > 2)
        return c.Usage(QStringLiteral("mpeg takes IN.avi [OUT.mpg]"));
    MpegEncoderOptions o;
    if (const auto reason = ReadOptions(*parsed, o)) return c.Usage(*reason);
    o.inputPath = parsed->positional[0];
    o.outputPath = parsed->positional.value(1);
    if (const auto problem = MpegOptionsProblem(o)) return c.Fail(*problem);
    const QStringList arguments = AvimpgArguments(o);
    if (parsed->Has("dry-run")) {
        QStringList shown{QStringLiteral("avimpg")};
        for (const QString& word : arguments) shown << Shown(word);
        c.out << shown.join(QLatin1Char(' ')) << '\n';
        return kExitOk;
    }
    const QString program = AvimpgProgram();
    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::ForwardedChannels);
    encoder.start(program, arguments);
    if (!encoder.waitForStarted()) return c.Fail(AvimpgStartFailure(program, encoder.error()));
    encoder.waitForFinished(-1);
    if (encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0)
        return c.Fail(QStringLiteral("Error:\nThe MPEG movie was not made: avimpg ended with status %1.")
                          .arg(encoder.exitStatus() == QProcess::NormalExit ? encoder.exitCode() : -1));
    return kExitOk;
}
