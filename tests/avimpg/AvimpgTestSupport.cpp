#include "AvimpgTestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <cstdlib>

bool Ffmpeg(const QStringList& args, const QString& path) {
    return RunProgram("ffmpeg", QStringList{"-v", "error", "-y"} + args + QStringList{path}).code ==
           0;
}

bool MakeTestMovie(const QString& path, bool sound) {
    QStringList args{"-f", "lavfi", "-i", "testsrc=size=64x48:rate=15"};
    if (sound)
        args += {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=22050", "-c:a", "pcm_s16le"};
    return Ffmpeg(
        args + QStringList{"-t", "2", "-c:v", "rawvideo", "-pix_fmt", "bgr24", "-f", "avi"}, path);
}

QJsonObject Probe(const QString& path) {
    const ProgramRun run = RunProgram("ffprobe", {"-v", "error", "-show_streams", "-show_format",
                                                  "-count_frames", "-of", "json", path});
    return QJsonDocument::fromJson(run.out).object();
}

QJsonObject StreamOf(const QJsonObject& probe, const QString& type) {
    for (const QJsonValue& stream : probe["streams"].toArray())
        if (stream["codec_type"].toString() == type) return stream.toObject();
    return {};
}

QString PictureTypes(const QString& path) {
    const ProgramRun run =
        RunProgram("ffprobe", {"-v", "error", "-select_streams", "v", "-show_entries",
                               "frame=pict_type", "-of", "csv=p=0", path});
    return QString::fromLatin1(run.out).remove('\n').remove(',');
}

QList<Rgb> ColoursAt(const QString& path, int width, int height, int x, int y) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    ffmpeg.waitForFinished(60000);
    const QByteArray pixels = ffmpeg.readAllStandardOutput();
    const qsizetype frameBytes = qsizetype(width) * height * 3;
    QList<Rgb> colours;
    for (qsizetype frame = 0; frame + frameBytes <= pixels.size(); frame += frameBytes) {
        const auto* p = reinterpret_cast<const unsigned char*>(pixels.constData() + frame +
                                                               (qsizetype(y) * width + x) * 3);
        colours.append({p[0], p[1], p[2]});
    }
    return colours;
}

bool Near(const Rgb& a, const Rgb& b) {
    constexpr int kTolerance = 40;  // 4:2:0 chroma and quantisation of a small picture
    return std::abs(a.red - b.red) <= kTolerance && std::abs(a.green - b.green) <= kTolerance &&
           std::abs(a.blue - b.blue) <= kTolerance;
}

int MuxRate(const QByteArray& mpeg) {
    // ISO 11172-1 pack header: start code 000001BA, 5 bytes of SCR, then marker, 22 bits, marker.
    if (mpeg.size() < 12 || !mpeg.startsWith(QByteArray::fromHex("000001BA"))) return -1;
    const auto byte = [&mpeg](int i) { return int(static_cast<unsigned char>(mpeg[i])); };
    return ((byte(9) & 0x7F) << 15) | (byte(10) << 7) | (byte(11) >> 1);
}

QMap<int, int> AudioModes(const QString& path) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg",
                 {"-v", "error", "-i", path, "-map", "0:a", "-c", "copy", "-f", "mp2", "-"});
    ffmpeg.waitForFinished(60000);
    const QByteArray sound = ffmpeg.readAllStandardOutput();
    const auto byte = [&sound](qsizetype i) { return int(static_cast<unsigned char>(sound[i])); };
    // ISO 11172-3 frame header: sync, bitrate index, padding bit, mode; Layer II frames at 44.1 kHz
    // are 144 * bitrate / 44100 bytes long, one more when padded.
    static const int kKbps[] = {0,   32,  48,  56,  64,  80,  96,  112,
                                128, 160, 192, 224, 256, 320, 384, 0};
    QMap<int, int> modes;
    for (qsizetype at = 0; at + 4 <= sound.size();) {
        const int kbps = kKbps[byte(at + 2) >> 4];
        if (byte(at) != 0xFF || (byte(at + 1) & 0xF0) != 0xF0 || kbps == 0) return modes;
        ++modes[byte(at + 3) >> 6];
        at += 144 * kbps * 1000 / 44100 + ((byte(at + 2) >> 1) & 1);
    }
    return modes;
}

QStringList PartFiles(const QString& dir) {
    return QDir(dir).entryList({"*.avimpg-*"}, QDir::Files | QDir::Hidden);
}
