#include "PresentationChoices.h"

#include "album/ChoiceFlags.h"

namespace {

constexpr ChoiceFlag<PresentationOptions> kFlags[] = {
    {&CAppSettings::PresPlayAudio, &PresentationOptions::playAudio},
    {&CAppSettings::PresWaitForSound, &PresentationOptions::waitForSound},
    {&CAppSettings::PresRepeat, &PresentationOptions::repeat},
    {&CAppSettings::PresShowInfo, &PresentationOptions::showInfo},
    {&CAppSettings::PresStartAtCurrent, &PresentationOptions::startAtCurrent},
    {&CAppSettings::PresNoDelay, &PresentationOptions::noDelay},
};

}  // namespace

PresentationOptions RecallPresentationOptions(const CAppSettings& stored) {
    PresentationOptions options;
    RecallFlags<PresentationOptions>(kFlags, stored, options);
    options.fitToScreen = (stored.PresFitToScreen < 0 ? stored.flgLock : stored.PresFitToScreen) != 0;
    // The store is a text file anyone may edit: the dialog gets only what it can show.
    options.delay = std::clamp(stored.PresDelay, 0, PresentationOptions::kMaxDelay);
    options.delayUnit =
        stored.PresDelayUnit == PresentationOptions::Milliseconds ? PresentationOptions::Milliseconds : PresentationOptions::Seconds;
    return options;
}

void RememberPresentationOptions(const PresentationOptions& options, CAppSettings& stored) {
    RememberFlags<PresentationOptions>(kFlags, options, stored);
    stored.PresFitToScreen = options.fitToScreen ? 1 : 0;
    stored.PresDelay = options.delay;
    stored.PresDelayUnit = options.delayUnit;
}
