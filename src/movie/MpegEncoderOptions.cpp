#include "MpegEncoderOptions.h"

#include "platform/OutputGuard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

MpegEncoderOptions MpegEncoderOptions::Defaults() {
    MpegEncoderOptions options;
    options.videoOnly = false;
    return options;
}

QString MpegOutputFor(const QString& input) {
    const QFileInfo file(input);
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = input.left(input.size() - name.size()) + (dot > 0 ? name.left(dot) : name);
    return base + QStringLiteral(".mpg");
}

std::optional<QString> MpegOptionsProblem(MpegEncoderOptions& options, const OutputGuard& album) {
    if (options.systemBitrate < 80 || options.systemBitrate > 4000) return QStringLiteral("Bitrate bust be in range 80 - 4000.");
    if (options.inputPath.isEmpty()) return QStringLiteral("Input AVI filename must be specified.");
    if (options.outputPath.isEmpty()) options.outputPath = MpegOutputFor(options.inputPath);
    // The same file under any name, or the same name when no file is there yet.
    OutputGuard input;
    input.Protect(options.inputPath, QStringLiteral("the input movie"));
    if (input.Protected(options.outputPath)) return QStringLiteral("Error:\nOutput and input are the same file!");
    if (const QString refusal = album.WriteRefusal(options.outputPath); !refusal.isEmpty()) return refusal;
    return std::nullopt;
}

QStringList AvimpgArguments(const MpegEncoderOptions& o) {
    QStringList args;
    if (o.ignoreAviErrors) args << QStringLiteral("-e");
    if (o.useParameterFile) args << QStringLiteral("-p") << o.parameterFile;
    if (!o.videoOnly && o.jointStereo) args << QStringLiteral("-j");
    args << QStringLiteral("-m") << QString::number(o.motionSearch);
    if (o.videoCd) {
        args << QStringLiteral("-v");
    } else {
        args << QStringLiteral("-s") << QString::number(o.systemBitrate);
        args << QStringLiteral("-y") << QString::number(o.vbvBufferSize);
        if (o.crop) args << QStringLiteral("-c") << QString::number(o.cropWidth) << QString::number(o.cropHeight);
        if (o.videoOnly) {
            args << QStringLiteral("-n");
            if (o.forceFrameRate && o.frameRateIndex >= 0) args << QStringLiteral("-f") << QString::number(o.frameRateIndex + 1);
        } else {
            const int layer = std::clamp(o.audioLayerIndex, 0, 1);
            args << QStringLiteral("-l") << QString::number(layer + 1);
            args << QStringLiteral("-a") << QString::number(kAudioBitrates[layer][std::clamp(o.audioBitrateIndex, 0, 13)]);
        }
    }
    return args << o.inputPath << o.outputPath;
}

QString AvimpgProgram() {
    const QString chosen = qEnvironmentVariable("ALBORA_AVIMPG");
    if (!chosen.isEmpty()) return chosen;
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/avimpg");
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("avimpg");
}

QString AvimpgStartFailure(const QString& program, int processError) {
    if (processError == QProcess::FailedToStart) {
        const bool found = program.contains(QLatin1Char('/')) ? QFileInfo::exists(program)
                                                               : !QStandardPaths::findExecutable(program).isEmpty();
        return found ? QStringLiteral("Bad format of executable \"avimpg\"")
                     : QStringLiteral("The encoding executable \"avimpg\" not found.");
    }
    return QStringLiteral("Cannot exec \"avimpg\"");
}
