#pragma once

#include <QJsonObject>
#include <QMap>
#include <QStringList>

#include "AlbumAvi.h"
#include "TestFiles.h"

inline ProgramRun Avimpg(const QStringList& args) {
    return RunProgram(QStringLiteral(AVIMPG_PATH), args);
}

// Makes a movie with ffmpeg from ARGS (inputs and codecs) into PATH; false when ffmpeg failed.
bool Ffmpeg(const QStringList& args, const QString& path);

// The usual test input: 2 s of a 64x48 test picture at 15 frames a second, uncompressed, with
// 22.05 kHz sound unless SOUND is false.
bool MakeTestMovie(const QString& path, bool sound = true);

// ffprobe's streams and format of PATH, frames counted.
QJsonObject Probe(const QString& path);
QJsonObject StreamOf(const QJsonObject& probe, const QString& type);

// The picture types of PATH's video frames in display order, "IBBP...".
QString PictureTypes(const QString& path);

// The colour at X, Y of every frame of PATH, a WIDTH x HEIGHT video.
QList<Rgb> ColoursAt(const QString& path, int width, int height, int x, int y);
bool Near(const Rgb& a, const Rgb& b);

// The mux rate in the first pack header of an MPEG-1 system stream, in units of 50 bytes/s.
int MuxRate(const QByteArray& mpeg);

// How many of the Layer II frames of PATH's 44.1 kHz sound have each mode: 0 stereo, 1 joint
// stereo, 3 mono.
QMap<int, int> AudioModes(const QString& path);

// What writes into DIR left behind: "*.avimpg-*".
QStringList PartFiles(const QString& dir);
