#pragma once

#include "PresentationOptions.h"

class CAppSettings;

// The choices of "Presentations setup" as the program's settings keep them between runs. Until
// the user has chosen, fitting to the screen follows the "flgLock" setting.
PresentationOptions RecallPresentationOptions(const CAppSettings& stored);
void RememberPresentationOptions(const PresentationOptions& options, CAppSettings& stored);
