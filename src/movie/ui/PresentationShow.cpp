#include "PresentationShow.h"

#include "GoToImageDialog.h"
#include "PresentationSetupDialog.h"
#include "PresentationWindow.h"
#include "album/CAlboraDoc.h"
#include "movie/PresentationChoices.h"
#include "platform/ProblemList.h"
#include "platform/UiServices.h"
#include "platform/media/SoundPlayer.h"
#include "sound/SoundAnnotations.h"

PresentationShow::PresentationShow(CAlboraDoc& doc, PresentationServices services,
                                   const PresentationOptions& options)
    : m_doc(doc),
      m_services(services),
      m_options(options),
      m_sequence([&doc] { return doc.Db().GetCount(); }, options.repeat,
                 options.startAtCurrent ? doc.m_nCurrent : 0),
      m_window(std::make_unique<PresentationWindow>(services.owner)),
      m_control(new PresentationControl(m_window.get())) {
    m_window->SetStretch(options.fitToScreen);
    QObject::connect(m_window.get(), &PresentationWindow::command, m_control,
                     [this](BarResult result) { m_control->Finish(result); });
    QObject::connect(&m_services.player, &SoundPlayer::finished, m_control,
                     &PresentationControl::ReleaseTimer);
    m_control->chooseCard = [this] { return ChooseCard(); };
}

PresentationShow::~PresentationShow() { m_services.player.Stop(); }

void PresentationShow::Run() {
    m_window->show();
    while (const std::optional<int> card = m_sequence.NextCard()) {
        const QString caption = ShowCard(*card);
        PresentationControl::Outcome outcome = Hold(caption);
        if (outcome.result == BarResult::Setup && !Setup()) outcome.result = BarResult::Cancel;
        m_sequence.Apply(outcome.result, outcome.card);
    }
    m_services.player.Stop();
    m_control->hide();
    m_window->hide();
    // Told after the show, which a box in its midst would stop.
    if (!m_unplayedNotes.isEmpty()) {
        ProblemList problems;
        for (const QString& note : m_unplayedNotes) problems.Add(note);
        m_services.ui.MessageBox(QStringLiteral("These sound notes could not be played:\n") + problems.Text(),
                                 MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

QString PresentationShow::ShowCard(int index) {
    m_shown = index;
    // Taken before the wait for the picture, during which the event loop runs.
    const CFotoObj* card = m_doc.Db().GetAt(index);
    const QString name = card->m_strName;
    const QString info =
        m_options.showInfo ? SlideInfoText(name, card->m_strDescription) : QString();
    const QString file = m_doc.CardFile(index);
    {
        WaitCursor wait(m_services.ui);
        m_window->ShowImage(m_prefetcher.Take(file, FitBox()));
    }
    m_window->SetInfoText(info);
    if (const std::optional<int> following = m_sequence.Following())
        m_prefetcher.Prefetch(m_doc.CardFile(*following), FitBox());
    // A new card silences the note of the last one, whether or not it has a note itself.
    m_services.player.Stop();
    QString unplayed;
    if (m_options.playAudio) m_services.sound.PlaySound(file, &unplayed);
    if (!unplayed.isEmpty() && !m_unplayedNotes.contains(unplayed)) m_unplayedNotes += unplayed;
    return name;
}

PresentationControl::Outcome PresentationShow::Hold(const QString& caption) {
    // Decided with the note still playing: its end can only be heard once the bar waits.
    const bool hold =
        m_options.playAudio && m_options.waitForSound && m_services.player.IsPlaying();
    std::optional<int> delay;
    if (!m_options.noDelay) delay = m_options.DelayMilliseconds();
    return m_control->Run(caption, delay,
                          hold ? PresentationControl::TimerHold::UntilReleased
                               : PresentationControl::TimerHold::None);
}

bool PresentationShow::Setup() {
    PresentationOptions edited = m_options;
    if (!PresentationSetupDialog::Edit(edited, PresentationSetupDialog::Moment::DuringShow,
                                       m_window.get()))
        return false;
    m_options = edited;
    RememberPresentationOptions(m_options, m_doc.Settings());
    m_window->SetStretch(m_options.fitToScreen);
    m_sequence.SetRepeat(m_options.repeat);
    return true;
}

std::optional<int> PresentationShow::ChooseCard() {
    QStringList names;
    for (int i = 0; i < m_doc.Db().GetCount(); ++i) names << m_doc.Db().GetAt(i)->m_strName;
    return GoToImageDialog::Choose(names, m_shown, m_control);
}

QSize PresentationShow::FitBox() const {
    return m_options.fitToScreen ? m_window->size() : QSize();
}
