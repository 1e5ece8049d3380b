#pragma once

#include "OptionsPage.h"

class QSlider;

// "Images": the JPEG quality, with a track bar and an edit that follow each other, and the
// pattern of new image names.
class CImagePropertyPage : public OptionsPage {
    Q_OBJECT

public:
    explicit CImagePropertyPage(QWidget* parent = nullptr);

private:
    NumberEdit* m_quality;
    QSlider* m_qualityBar;
};
