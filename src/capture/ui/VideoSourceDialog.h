#pragma once

#include "capture/video/VideoCapture.h"

#include "platform/widgets/FormDialog.h"

class QComboBox;

// "Video Source": which camera, and its brightness, contrast, hue and saturation. The controls
// act on the live picture at once; Cancel puts them back.
class VideoSourceDialog : public FormDialog {
public:
    VideoSourceDialog(VideoCapture& camera, int driver, QWidget* parent);
    // The camera chosen, by its place in the list of drivers.
    int Driver() const;
    void reject() override;

private:
    VideoCapture& m_camera;
    std::vector<BalanceChannel> m_before;
    QComboBox* m_device;
};
