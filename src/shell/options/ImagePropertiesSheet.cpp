#include "ImagePropertiesSheet.h"

bool EditImageProperties(CAppSettings&, UiServices&, QWidget*) { return false; }
