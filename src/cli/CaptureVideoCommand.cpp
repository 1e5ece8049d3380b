// albora-cli capture video ALBUM.crp --frame | --sequence SECONDS: a frame or a recorded
// sequence of a capture driver as a new card, named as the program names them.
#include "CaptureCliSupport.h"
#include "CliArgs.h"
#include "CliContext.h"

#include "album/CAlboraDoc.h"
#include "capture/CapturedPicture.h"
#include "capture/video/SequenceRecorder.h"
#include "capture/video/VideoCapture.h"
#include "platform/media/VideoSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr double kMostSequenceSeconds = 24 * 3600;

enum class Recording { Whole, Short, Failed };

// Records SECONDS into a file beside NAME, renamed to NAME when whole: a cut recording never
// takes the name. A source that ends before (a network stream closing) leaves a whole but short
// recording, which is kept and said to be short.
Recording RecordSequence(CliContext& c, const QString& source, const SequenceSettings& settings, double seconds,
                         const QString& name) {
    const QString partial = QStringLiteral("~") + name;
    SequenceRecorder recorder;
    QString error;
    if (!recorder.Start(source, settings, partial, &error)) {
        QFile::remove(partial);
        c.Fail(QStringLiteral("Error:\nThe capture device cannot start: %1").arg(error));
        return Recording::Failed;
    }
    const bool ended = recorder.EndsWithin(int(seconds * 1000));
    const bool whole = recorder.Stop(&error);
    if (!whole || recorder.Frames() == 0 || !QFile::exists(partial) ||
        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(name).constData()) != 0) {
        QFile::remove(partial);
        c.Fail(QStringLiteral("Error:\nThe sequence could not be recorded: %1")
                   .arg(whole ? QStringLiteral("no frame came") : error));
        return Recording::Failed;
    }
    if (!ended) return Recording::Whole;
    c.Fail(QStringLiteral("Warning:\nThe source ended after %1 s of the %2 s asked: %3 holds only that much.")
               .arg(recorder.Seconds(), 0, 'f', 1)
               .arg(seconds)
               .arg(name));
    return Recording::Short;
}

}  // namespace

int RunCaptureVideo(CliContext& c, const QStringList& arguments) {
    QString error;
    const auto parsed = ParseCliArgs(arguments, {{"sequence", "device", "size", "fps", "quality"}, {"frame", "audio", "jpg"}}, error);
    if (!parsed) return c.Usage(error);
    const CliArgs& args = *parsed;
    if (args.positional.size() != 1) return c.Usage(QStringLiteral("capture video takes ALBUM.crp"));
    if (args.Has("frame") == args.Has("sequence")) return c.Usage(QStringLiteral("capture video needs --frame or --sequence SECONDS"));
    bool ok = true;
    const double seconds = args.Value("sequence", QStringLiteral("1")).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > kMostSequenceSeconds) return c.Usage(QStringLiteral("--sequence needs a number of seconds"));
    const int device = args.Value("device", QStringLiteral("0")).toInt(&ok);
    if (!ok || device < 0 || device > 9) return c.Usage(QStringLiteral("--device needs a driver number, 0 to 9"));
    VideoFormat format;
    if (args.Has("size")) {
        const auto size = SizeOption(args.Value("size"));
        if (!size) return c.Usage(QStringLiteral("--size needs WxH"));
        format.size = *size;
    }
    if (args.Has("fps")) {
        format.framesPerSecond = args.Value("fps").toDouble(&ok);
        if (!ok || format.framesPerSecond < 0.1 || format.framesPerSecond > 120)
            return c.Usage(QStringLiteral("--fps needs 0.1 to 120 frames a second"));
    }
    if (!TakeStorageOptions(args, c.settings, error)) return c.Usage(error);

    const std::vector<VideoSource> sources = ListVideoSources();
    if (std::size_t(device) >= sources.size())
        return c.Fail(QStringLiteral("Error:\nThere is no capture driver %1.").arg(device));
    const QString albumPath = QFileInfo(args.positional[0]).absoluteFilePath();
    CAlboraDoc doc(c.ui, c.settings);
    QString folder;
    if (!OpenCaptureAlbum(c, doc, albumPath, folder)) return kExitFailure;

    QString name;
    Recording recording = Recording::Whole;
    if (args.Has("frame")) {
        VideoCapture camera;
        if (!camera.Connect(sources[device].pipeline, format, &error))
            return c.Fail(QStringLiteral("Error:\nThe capture device cannot start: %1").arg(error));
        const CImageObject frame = camera.NewestFrame();
        camera.Disconnect();
        if (!frame.IsValid()) return c.Fail(QStringLiteral("Error:\nThe capture device sent no picture."));
        name = doc.NextImageFileName(CAlboraDoc::ImageCounter::CaptureDialog);
        if (name.isEmpty()) return c.Fail(QStringLiteral("Error:\nEvery picture name is taken in %1").arg(folder));
        const StoredPicture stored = StoreCapturedPicture(frame, name, c.settings, c.ui);
        if (stored.result == StoredPicture::Result::ConversionFailed) return c.Fail(ConversionErrorText(name, stored));
        if (!stored.Ok()) return c.Fail(QStringLiteral("Error:\nCan't write the picture %1: %2").arg(name, stored.reason));
    } else {
        name = doc.NextImageFileName(CAlboraDoc::ImageCounter::Video);
        if (name.isEmpty()) return c.Fail(QStringLiteral("Error:\nEvery movie name is taken in %1").arg(folder));
        SequenceSettings settings;
        settings.format = format;
        if (settings.format.framesPerSecond <= 0) settings.format.framesPerSecond = 15;
        settings.audio = args.Has("audio");
        settings.copyright = QStringLiteral("Albora");
        recording = RecordSequence(c, sources[device].pipeline, settings, seconds, name);
        if (recording == Recording::Failed) return kExitFailure;
    }
    doc.InsertImageAsCard(name);
    return doc.FileSave() && recording == Recording::Whole ? kExitOk : kExitFailure;
}
