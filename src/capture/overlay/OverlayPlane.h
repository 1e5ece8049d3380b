#pragma once

#include <QRect>
#include <QString>

class QPainter;

// The plane: a drawing (SVG, EMF or WMF) or a picture stretched over the overlay window as a
// guide. A file that cannot be shown is remembered, so that its message comes once for that
// file name and not on every paint (a message box over the window repaints it).
class OverlayPlane {
public:
    // Draws FILE over TARGET. Returns the message to show, once: "Error:\nLoading plane" for a
    // file that cannot be read, "Error:\nPlane metafile." for a metafile that cannot be played;
    // empty otherwise.
    QString Draw(QPainter& painter, const QRect& target, const QString& file);

private:
    QString m_failed;  // the file name that could not be shown
};
