#pragma once

class CAppSettings;
class UiServices;
class QWidget;

// The "Properties" sheet of the capture dialogs: the Images page alone ("&JPEG convert", the JPEG
// quality, "Name &prefix:"). On OK the settings are stored and the image library writes JPEG at
// the new quality; false when cancelled.
bool EditImageProperties(CAppSettings& settings, UiServices& ui, QWidget* parent);
