#pragma once

#include <QSize>
#include <QStringList>
#include <memory>

#include "PresentationControl.h"
#include "movie/PresentationOptions.h"
#include "movie/PresentationSequence.h"
#include "movie/SlidePrefetcher.h"

class CAlboraDoc;
class PresentationWindow;
class QWidget;
class SoundAnnotations;
class SoundPlayer;
class UiServices;

// What a presentation works with besides the album.
struct PresentationServices {
    UiServices& ui;
    SoundAnnotations& sound;
    SoundPlayer& player;
    QWidget* owner;  // the main window, blocked while the show runs
};

// One presentation of the album's working list, from its window's opening to its end: each card
// on the window with its note, held by the control bar, in the order of a PresentationSequence.
class PresentationShow {
public:
    PresentationShow(CAlboraDoc& doc, PresentationServices services,
                     const PresentationOptions& options);
    ~PresentationShow();

    // Runs the show until it ends; the window and every sound are gone afterwards.
    void Run();

    PresentationWindow& Window() const { return *m_window; }

private:
    // Shows card INDEX with its note and reads the next one ahead; the card's name.
    QString ShowCard(int index);
    PresentationControl::Outcome Hold(const QString& caption);
    // The setup dialog over the running show; false when it was cancelled.
    bool Setup();
    std::optional<int> ChooseCard();
    // The size pictures are read for: the screen's when they are fitted to it, else their own.
    QSize FitBox() const;

    CAlboraDoc& m_doc;
    PresentationServices m_services;
    PresentationOptions m_options;
    PresentationSequence m_sequence;
    SlidePrefetcher m_prefetcher;
    std::unique_ptr<PresentationWindow> m_window;
    PresentationControl* m_control;
    int m_shown = 0;
    QStringList m_unplayedNotes;  // each named once, when the show ends
};
