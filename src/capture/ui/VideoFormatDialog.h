#pragma once

#include "capture/video/VideoCapture.h"

#include "platform/widgets/FormDialog.h"
#include <vector>

class QComboBox;

// "Video Format": the sizes, encodings and rates the camera offers; Chosen() after OK.
class VideoFormatDialog : public FormDialog {
public:
    VideoFormatDialog(std::vector<VideoFormat> modes, const VideoFormat& current, QWidget* parent);
    VideoFormat Chosen() const;

private:
    void FillSizes();
    void FillRates();

    std::vector<VideoFormat> m_modes;
    QComboBox* m_encoding;
    QComboBox* m_size;
    QComboBox* m_rate;
};
