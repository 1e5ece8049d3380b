// Video capture and the LiveCam's server beside the tools that do the same, with the ratios the
// product promises:
//   - 5 s at 640x480, 30 frames a second, from the live test source into an MJPEG AVI by
//     albora-cli capture video --sequence: at least 147 of the 150 frames, and user+sys CPU at most
//     1.3 times that of gst-launch-1.0 recording the same 150 frames;
//   - 500 GETs of /livecam.jpg in one curl run: at most the time of python3 -m http.server serving
//     the same picture.
//   video_bench ALBORA_CLI [--smoke]
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

namespace {

// User and system seconds of the children that ended so far.
double ChildrenCpu() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of one run of PROGRAM, NaN when it fails.
double CpuOf(const QString& program, const QStringList& args) {
    const double before = ChildrenCpu();
    return RunTool(program, args) ? ChildrenCpu() - before : NAN;
}

int FramesIn(const QString& avi) {
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"), {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                                            "stream=nb_read_frames", "-of", "csv=p=0", avi});
    probe.waitForFinished(60000);
    return probe.readAllStandardOutput().trimmed().toInt();
}

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A server started in the background and stopped with the object. Its output is dropped: a
// pipe nobody reads would stop it once full (python logs every request).
class Background {
public:
    Background(const QString& program, const QStringList& args) {
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(program, args);
    }
    ~Background() {
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// Seconds for COUNT GETs of URL in one curl run (the globbed query keeps the path the same).
double Fetch(const QString& url, int count, int rounds) {
    return BestOf(rounds, [&] {
        return RunTool(QStringLiteral("sh"), {"-c", QStringLiteral("curl -sf '%1?[1-%2]' > /dev/null").arg(url).arg(count)});
    });
}

bool WaitForServer(quint16 port) {
    for (int i = 0; i < 100; ++i) {
        if (RunTool(QStringLiteral("curl"), {"-sf", "-o", "/dev/null", QStringLiteral("http://127.0.0.1:%1/livecam.jpg").arg(port)}))
            return true;
        QThread::msleep(50);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: video_bench ALBORA_CLI [--smoke]\n");
        return 2;
    }
    const bool smoke = args.contains(QStringLiteral("--smoke"));
    const QString cli = args[1];
    const QSize size = smoke ? QSize(160, 120) : QSize(640, 480);
    const int seconds = smoke ? 1 : 5;
    const int frames = seconds * 30;
    const int gets = smoke ? 10 : 500;
    QTemporaryDir dir;
    const QDir folder(dir.path());
    const QString album = folder.filePath(QStringLiteral("album.crp"));
    if (!RunTool(cli, {"album", "new", album})) {
        std::fprintf(stderr, "the album could not be made\n");
        return 1;
    }

    qputenv("ALBORA_VIDEO_SOURCE", "videotestsrc is-live=true");
    const QString sizeText = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    const double ourCpu = CpuOf(cli, {"capture", "video", album, "--sequence", QString::number(seconds), "--size", sizeText,
                                      "--fps", "30"});
    const QStringList avis = folder.entryList({QStringLiteral("*.avi")});
    const int ourFrames = avis.isEmpty() ? 0 : FramesIn(folder.filePath(avis.first()));
    const QString theirAvi = folder.filePath(QStringLiteral("gst.avi"));
    const double theirCpu = CpuOf(QStringLiteral("gst-launch-1.0"),
                                  {"-q", "-e", "videotestsrc", "is-live=true", QStringLiteral("num-buffers=%1").arg(frames), "!",
                                   QStringLiteral("video/x-raw,width=%1,height=%2,framerate=30/1").arg(size.width()).arg(size.height()),
                                   "!", "videoconvert", "!", "jpegenc", "!", "avimux", "!", "filesink", "location=" + theirAvi});
    std::printf("%s, %d s at 30 frames a second into an MJPEG AVI:\n", qPrintable(sizeText), seconds);
    std::printf("  frames kept %d of %d (goal >= %d)\n", ourFrames, frames, frames - frames / 50);
    std::printf("  CPU albora-cli %.3f s  gst-launch-1.0 %.3f s  ratio %.2f (goal <= 1.3)\n", ourCpu, theirCpu, ourCpu / theirCpu);

    // The LiveCam serves its snapshot from memory; python serves the same picture from the disk.
    const quint16 ourPort = FreePort();
    Background liveCam(cli, {"livecam", dir.path(), "--rate", "200", "--serve", QStringLiteral("127.0.0.1:%1").arg(ourPort)});
    if (!WaitForServer(ourPort)) {
        std::fprintf(stderr, "the LiveCam did not serve\n");
        return 1;
    }
    const double ours = Fetch(QStringLiteral("http://127.0.0.1:%1/livecam.jpg").arg(ourPort), gets, smoke ? 1 : 3);
    const quint16 theirPort = FreePort();
    Background python(QStringLiteral("python3"), {"-m", "http.server", QString::number(theirPort), "--bind", "127.0.0.1",
                                                  "--directory", dir.path()});
    if (!WaitForServer(theirPort)) {
        std::fprintf(stderr, "python's server did not serve\n");
        return 1;
    }
    const double theirs = Fetch(QStringLiteral("http://127.0.0.1:%1/livecam.jpg").arg(theirPort), gets, smoke ? 1 : 3);
    std::printf("%d GETs of /livecam.jpg:\n", gets);
    std::printf("  LiveCam %.3f s  python3 -m http.server %.3f s  ratio %.2f (goal <= 1)\n", ours, theirs, ours / theirs);
    return std::isnan(ourCpu + theirCpu + ours + theirs) || ourFrames == 0 ? 1 : 0;
}
