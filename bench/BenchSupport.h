#pragma once

#include "image/CImageObject.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

// Seconds of the fastest of ROUNDS runs of WORK (the least disturbed by the rest of the
// machine); NaN when a run fails.
inline double BestOf(int rounds, const std::function<bool()>& work) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!work()) {
            std::fprintf(stderr, "a run failed\n");
            return NAN;
        }
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

// Runs an outside program to its end; true when it succeeded.
inline bool RunTool(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(1800000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A W x H 24-bit picture of smooth light and fine texture, so that codecs and filters see
// something like a photograph.
inline CImageObject MakePhoto(int width, int height) {
    CImageObject image;
    image.Create(width, height, 24, 2);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.GetImplementation()->Row(y);
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            const int texture = ((x * 7 + y * 13) ^ (x * y)) & 31;
            row[3 * x] = std::uint8_t(std::clamp(120 + 90 * std::sin(9 * u + 4 * v) + texture, 0.0, 255.0));
            row[3 * x + 1] = std::uint8_t(std::clamp(128 + 90 * std::cos(7 * v - 3 * u) + texture, 0.0, 255.0));
            row[3 * x + 2] = std::uint8_t(std::clamp(110 + 100 * std::sin(11 * u * v) + texture, 0.0, 255.0));
        }
    }
    return image;
}
