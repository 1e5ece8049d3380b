#pragma once

#include <QWidget>

#include "movie/PresentationSequence.h"
#include "movie/SlidePainter.h"
#include "movie/SlidePicture.h"

// "Pres": the presentation's borderless window over the whole screen, painting the current slide.
// It is modal for the program, so that the album stays as it is while the show runs.
class PresentationWindow : public QWidget {
    Q_OBJECT

public:
    explicit PresentationWindow(QWidget* owner);

    // Takes the picture read for a card and shows it; false when the card's own picture is not
    // shown: an unreadable one gives the error slide, one of an unknown type leaves the previous
    // picture in place.
    bool ShowImage(const SlidePicture& picture);
    void SetInfoText(const QString& text);
    void SetStretch(bool stretch);
    const Slide& Content() const { return m_slide; }

Q_SIGNALS:
    // A key asked the show to move, or the window was closed (Cancel).
    void command(BarResult result);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Slide m_slide;
};
