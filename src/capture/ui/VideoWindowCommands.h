#pragma once

#include <vector>

class CAppSettings;
class UiServices;
class VfwCaptureDevice;
struct CommandState;

// The Video for Windows window's own commands, shared by the Capture menu, the "Video for
// Windows" toolbar and the window's right-button menu: the live picture, the camera's format,
// source and display, the capture file, palettes, the clipboard and the captured sequence.
class VideoWindowCommands {
public:
    VideoWindowCommands(VfwCaptureDevice& device, CAppSettings& settings, UiServices& ui);

    // The commands, in menu order; 0 separates groups.
    static const std::vector<int>& Ids();
    void Run(int id);
    void Update(int id, CommandState& state) const;

private:
    void ChooseFormat();
    void ChooseSource();
    void MakePalette();
    void LoadPalette();
    void SavePalette();
    void PastePalette();
    void Copy();
    void ToggleCapturedVideo();
    void EditMovie();

    VfwCaptureDevice& m_device;
    CAppSettings& m_settings;
    UiServices& m_ui;
};
