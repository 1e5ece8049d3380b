#pragma once

#include "HtmlWizardPage.h"

// Page 2: what each picture's page tells besides the picture.
class PhotoCardPage final : public HtmlWizardPage {
public:
    PhotoCardPage();
};
