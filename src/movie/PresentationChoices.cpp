#include "PresentationChoices.h"

#include "album/CAppSettings.h"

namespace {

struct FlagKey {
    int CAppSettings::*stored;
    bool PresentationOptions::*chosen;
};

constexpr FlagKey kFlags[] = {
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
    for (const FlagKey& flag : kFlags) options.*flag.chosen = stored.*flag.stored != 0;
    options.fitToScreen = (stored.PresFitToScreen < 0 ? stored.flgLock : stored.PresFitToScreen) != 0;
    // The store is a text file anyone may edit: the dialog gets only what it can show.
    options.delay = std::clamp(stored.PresDelay, 0, PresentationOptions::kMaxDelay);
    options.delayUnit =
        stored.PresDelayUnit == PresentationOptions::Milliseconds ? PresentationOptions::Milliseconds : PresentationOptions::Seconds;
    return options;
}

void RememberPresentationOptions(const PresentationOptions& options, CAppSettings& stored) {
    for (const FlagKey& flag : kFlags) stored.*flag.stored = options.*flag.chosen ? 1 : 0;
    stored.PresFitToScreen = options.fitToScreen ? 1 : 0;
    stored.PresDelay = options.delay;
    stored.PresDelayUnit = options.delayUnit;
}
