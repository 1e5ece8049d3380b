#pragma once

class CAppSettings;
struct HtmlWizardSettings;

// The Internet assistant's choices as the program's settings keep them between runs. The output
// directory is not among them: the assistant offers the album's own each time.
void RecallWizardChoices(const CAppSettings& stored, HtmlWizardSettings& choices);
void RememberWizardChoices(const HtmlWizardSettings& choices, CAppSettings& stored);
