#include "ToolbarTable.h"

#include "platform/CommandIds.h"

const std::vector<ToolbarLayout>& ToolbarTable() {
    using namespace Cmd;
    static const std::vector<ToolbarLayout> bars = {
        {"Files", ToolbarFiles, Qt::TopToolBarArea, false, false,
         {FileNew, FileOpen, FileSave, FileSendMail, FilePrintPreview, FilePrint, AppAbout, ContextHelp}},
        {"Edit", ToolbarEdit, Qt::TopToolBarArea, false, false, {EditCut, CopyCard, EditCopy, PasteCard, EditPaste}},
        {"Cards", ToolbarCards, Qt::TopToolBarArea, false, false, {CardAdd, CardDelete, CardModify, CardSearch, ViewAllCards}},
        {"Images", ToolbarImages, Qt::TopToolBarArea, false, false,
         {ViewCurrentImage, OpenNewImageWindow, PlayMovie, PhotoScan, DiskImageBrowser, QuickBrowser, MultimediaBrowser,
          SoundPlay, SoundRecord}},
        {"Images operations", ToolbarImageOperations, Qt::BottomToolBarArea, false, false,
         {ZoomFit, Zoom1, Zoom2, Zoom3, Zoom4, Zoom5, StretchImage, EditUndo, ImageSize, ImageRotate, ImageRotate180,
          ImageRotate90CW, ImageRotate90CCW, ImageFlipHorizontal, ImageFlipVertical, ImageCrop}},
        // Its buttons wait for a camera.
        {"Video for Windows", ToolbarCaptureVfw, Qt::TopToolBarArea, false, false,
         {VfwPreview, VfwStretch, VfwVideoFormat, VfwVideoSource, PhotoScan, CaptureVideo, VfwConfigure, VfwCopy,
          VfwCapturedVideo, VfwEditMovie},
         false},
        {"Classic", ToolbarClassic, Qt::RightToolBarArea, false, true,
         {CardAdd, ActivateDevice, PhotoScan, CardModify, CardSearch, ViewCurrentImage, BeginPresentation, HtmlAssistant, MakeMovie, NewDrawAnnotation,
          SoundRecord}},
        {"Anotations", ToolbarAnnotations, Qt::TopToolBarArea, false, false, {NewDrawAnnotation, DrawAnnotationView}},
        {"Maximize views", ToolbarMaximizeViews, Qt::BottomToolBarArea, false, false,
         {MaximizeListView, MaximizeImageView, ContactView, DrawAnnotationView, ImageContactView, RestoreAllViews}},
        {"Go to", ToolbarGoTo, Qt::TopToolBarArea, false, false, {GoTop, GoPrev, StopRunImages, RunImages, GoNext, GoBottom}},
        {"Devices", ToolbarDevices, Qt::BottomToolBarArea, false, false,
         {CaptureNone, CaptureTwain, CaptureVideoForWindows, CaptureOverlay, CaptureScreen, ActivateDevice,
          HardwareDetection}},
        {"Tools", ToolbarTools, Qt::BottomToolBarArea, false, false,
         {MciDevices, HtmlAssistant, BeginPresentation, 0, Utility1, Utility2, Utility3, Utility4, Utility5}},
        {"Draw", ToolbarDraw, Qt::LeftToolBarArea, false, false,
         {DrawSelect, DrawLine, DrawArc, DrawRectangle, DrawRoundRectangle, DrawEllipse, DrawPolygon, DrawCurve, DrawText,
          DrawImageLink, DrawSelectAll, DrawSelectNext, DrawSelectByName, DrawFindObject, DrawDelete, DrawCopy, DrawCut,
          DrawPaste, DrawProperties}},
    };
    return bars;
}

const std::vector<int>& ToolbarToggles() {
    using namespace Cmd;
    static const std::vector<int> toggles = {ToolbarFiles, ToolbarEdit, ToolbarCards, ToolbarImages, ToolbarDevices,
                                             ToolbarTools, ToolbarClassic, ToolbarAnnotations, ToolbarImageOperations,
                                             ToolbarMaximizeViews, ToolbarGoTo, ToolbarCaptureVfw, ToolbarDraw};
    return toggles;
}
