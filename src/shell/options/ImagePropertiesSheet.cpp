#include "ImagePropertiesSheet.h"

// FIXME: temporary until the Images properties sheet lands; it is being written on its own branch.
bool EditImageProperties(CAppSettings&, UiServices&, QWidget*) { return false; }
