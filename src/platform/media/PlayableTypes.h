#pragma once

#include <QStringList>

// Of EXTENSIONS ("wav", "mid"), those whose files the installed GStreamer recognises and has a
// demuxer, parser or decoder for, in the order given.
QStringList PlayableExtensions(const QStringList& extensions);
