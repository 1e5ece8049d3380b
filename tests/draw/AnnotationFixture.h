#pragma once

#include "TestFiles.h"
#include "album/CAppSettings.h"
#include "draw/DrawAnnotation.h"
#include "platform/HeadlessUi.h"

// An album document with its drawing, headless, in a folder of its own.
struct AnnotationFixture {
    ScopedTestDir dir;
    HeadlessUi ui;
    CAppSettings settings;
    CAlboraDoc doc{ui, settings};
    DrawAnnotation draw{doc, ui};
    DrawPage& page = draw.Page();
};
