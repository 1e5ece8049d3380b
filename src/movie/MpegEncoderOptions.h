#pragma once

#include "platform/OutputGuard.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the dialog "Make MPEG Movie from AVI file" collects for the encoder avimpg. Each opening
// starts from these values; nothing is kept in the settings.
struct MpegEncoderOptions {
    QString inputPath;
    bool ignoreAviErrors = true;
    QString outputPath;
    bool videoOnly = true;
    bool forceFrameRate = false;
    int frameRateIndex = -1;  // of kFrameRates
    bool crop = false;
    int cropWidth = 0;   // 0..5000
    int cropHeight = 0;  // 0..5000
    int audioLayerIndex = 1;    // 0 Layer I, 1 Layer II
    int audioBitrateIndex = 7;  // into kAudioBitrates[audioLayerIndex]
    bool jointStereo = false;
    int systemBitrate = 1200;  // kbit/s, 80..4000 to start
    int systemByteRate = 150;  // kbytes/s, the same eight times smaller
    bool videoCd = false;
    int vbvBufferSize = 20;  // 0..1000
    int motionSearch = 0;    // 0..4
    bool useParameterFile = false;
    QString parameterFile;

    // What "&Default values" gives: the same, but with sound.
    static MpegEncoderOptions Defaults();
};

inline const char* const kFrameRates[] = {"23.976", "24", "25", "29.97", "30"};
// MPEG-1 audio bitrates in kbit/s of Layer I and Layer II, indices 1 to 14 of the standard.
inline constexpr int kAudioBitrates[2][14] = {
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384}};

// The output an input suggests: its name up to the last "." of the file name (not of a folder)
// followed by ".mpg".
QString MpegOutputFor(const QString& input);

// Why the encoder cannot start with OPTIONS ("Bitrate bust be in range 80 - 4000."), or nullopt.
// An empty output is taken from the input first. The output is never the input nor a file ALBUM
// protects.
std::optional<QString> MpegOptionsProblem(MpegEncoderOptions& options, const OutputGuard& album = {});

// The arguments avimpg gets, one word each, so that no path is split or read by a shell.
QStringList AvimpgArguments(const MpegEncoderOptions& options);

// The encoder to start: ALBORA_AVIMPG when set, else the avimpg beside this program, else the
// one on the PATH.
QString AvimpgProgram();

// The message of a failure to start PROGRAM, told by the QProcess error: not found, found but no
// program that runs here, or anything else.
QString AvimpgStartFailure(const QString& program, int processError);
