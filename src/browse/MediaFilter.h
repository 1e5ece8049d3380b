#pragma once

#include <QString>
#include <QStringList>

// The multimedia browser's file filter: "All *.*|*.*|", then each playable extension with its
// device type ("waveaudio *.wav|*.wav|"), then "All multimedia|" with every one of them
// ("*.wav;*.avi;") and "|". Only what the installed GStreamer can play is offered.
struct MediaFilter {
    QString filter;    // in the "|" form
    QString patterns;  // "*.wav;*.avi;", the dialog's first file name
};

// Built from a table of device types and their extensions, keeping those PLAYABLE holds.
MediaFilter MakeMediaFilter(const QStringList& playable);
// Every extension of the table, in its order.
QStringList MediaExtensions();
