#include "CommandTable.h"

#include "CommandIds.h"

#include <array>

namespace {

// clang-format off
constexpr std::array kCommands = {
    CommandInfo{Cmd::FileNew, "&New", "Ctrl+N", "Create a new album\nNew", "document-new"},
    CommandInfo{Cmd::FileOpen, "&Open...", "Ctrl+O", "Open an existing album\nOpen", "document-open"},
    CommandInfo{Cmd::FileSave, "&Save", "Ctrl+S", "Save the active album\nSave", "document-save"},
    CommandInfo{Cmd::FileSaveAs, "Save &As...", "", "Save the active album with a new name\nSave As", "document-save-as"},
    CommandInfo{Cmd::FilePrint, "&Print...", "Ctrl+P", "Print the active album\nPrint", "document-print"},
    CommandInfo{Cmd::FilePrintPreview, "Print Pre&view", "", "Display full pages\nPrint Preview", "document-print-preview"},
    CommandInfo{Cmd::FileSendMail, "S&end...", "", "Send the selected card's image by electronic mail\nSend", "mail-send"},
    CommandInfo{Cmd::FilePrintSetup, "P&rint Setup...", "", "Change the printer and printing options\nPrint Setup", ""},
    CommandInfo{Cmd::EditCut, "Cu&t", "Ctrl+X", "Cut the selection and put it on the Clipboard\nCut", "edit-cut"},
    CommandInfo{Cmd::EditCopy, "&Copy", "Ctrl+C", "Copy the selection and put it on the Clipboard\nCopy", "edit-copy"},
    CommandInfo{Cmd::EditPaste, "&Paste image\tCtrl+V", "Ctrl+V; Shift+Ins", "Insert the picture on the Clipboard as a new card\nPaste", "edit-paste"},
    CommandInfo{Cmd::ViewCurrentImage, "&View current image\tEnter", "", "Show the selected card's image\nView current image", "image-x-generic"},
    CommandInfo{Cmd::CardAdd, "&Add...", "Ins", "Add a new card to the album\nAdd card", "list-add"},
    CommandInfo{Cmd::CardModify, "&Modify or view data...", "Ctrl+Return", "Show and change the selected cards\nModify card", "document-edit"},
    CommandInfo{Cmd::CardDelete, "&Delete", "Del", "Delete the selected card\nDelete card", "list-remove"},
    CommandInfo{Cmd::CardSearch, "&Search...", "Shift+F3", "Show only the cards that match a text\nSearch", "edit-find"},
    CommandInfo{Cmd::ViewAllCards, "V&iew all cards", "", "Show every card of the album again\nView all cards", "view-refresh"},
    CommandInfo{Cmd::CopyCard, "&Copy card", "", "Copy the selected cards for Paste card\nCopy card", "document-duplicate"},
    CommandInfo{Cmd::PasteCard, "&Paste card", "", "Insert copies of the copied cards after the selection\nPaste card", "edit-paste-in-place"},
    CommandInfo{Cmd::Association, "Associa&tion", "", "Open the card's file with its program\nAssociation", "document-open"},
    CommandInfo{Cmd::RenameImage, "Re&name...", "", "Rename the card's image file\nRename", ""},
    CommandInfo{Cmd::ConvertImage, "C&onvert as...", "", "Save the card's image in another format\nConvert", ""},
    CommandInfo{Cmd::SoundPlay, "&Play", "", "Play the card's sound note\nPlay sound", "media-playback-start"},
    CommandInfo{Cmd::SoundRecord, "&Record...", "", "Record a sound note for the card\nRecord sound", "media-record"},
    CommandInfo{Cmd::MaximizeListView, "Maximize &list view", "", "Give the whole window to the card list\nMaximize list view", "albora-view-list"},
    CommandInfo{Cmd::MaximizeImageView, "Maximize &image view", "", "Give the whole window to the image view\nMaximize image view", "albora-view-image"},
    CommandInfo{Cmd::ContactView, "&Contact view", "", "Give the whole window to the contact sheet\nContact view", "albora-view-contact"},
    CommandInfo{Cmd::ImageContactView, "Image && contact view", "", "Share the window between the image view and the contact sheet\nImage and contact view", "albora-view-image-contact"},
    CommandInfo{Cmd::RestoreAllViews, "&Restore all views", "", "Show every view again\nRestore all views", "albora-view-all"},
    CommandInfo{Cmd::ClassicLayout, "Cl&assic layout", "", "Show the views one above the other instead of in tabs (takes effect at the next start)\nClassic layout", ""},
    CommandInfo{Cmd::HelpTopics, "&Help Topics", "F1", "Open the user manual\nHelp Topics", "help-contents"},
    CommandInfo{Cmd::ListViewerProperties, "List viewer pr&operties...", "", "Settings of the card list\nList properties", ""},
    CommandInfo{Cmd::EditUndo, "&Undo", "Ctrl+Z", "Go back to the picture in the card's file\nUndo", "edit-undo"},
    CommandInfo{Cmd::ZoomFit, "&Fit", "Ctrl+0", "Show the whole picture in the window\nFit", "zoom-fit-best"},
    CommandInfo{Cmd::ZoomEighth, "1:8", "", "Show the picture at an eighth of its size\n1:8", ""},
    CommandInfo{Cmd::ZoomQuarter, "1:4", "", "Show the picture at a quarter of its size\n1:4", ""},
    CommandInfo{Cmd::ZoomHalf, "1:2", "", "Show the picture at half its size\n1:2", ""},
    CommandInfo{Cmd::Zoom1, "1:1", "Ctrl+1", "Show the picture pixel for pixel\n1:1", "zoom-original"},
    CommandInfo{Cmd::Zoom2, "2:1", "", "Show the picture twice as large\n2:1", "zoom-2-to-1"},
    CommandInfo{Cmd::Zoom3, "3:1", "", "Show the picture three times as large\n3:1", "albora-zoom-3-to-1"},
    CommandInfo{Cmd::Zoom4, "4:1", "", "Show the picture four times as large\n4:1", "albora-zoom-4-to-1"},
    CommandInfo{Cmd::Zoom5, "5:1", "", "Show the picture five times as large\n5:1", "albora-zoom-5-to-1"},
    CommandInfo{Cmd::StretchImage, "Stretc&h image", "", "Stretch the picture to the window's shape\nStretch", "zoom-fit-page"},
    CommandInfo{Cmd::ZoomIn, "&Zoom in", "Ctrl++; Ctrl+=", "Show the picture larger\nZoom in", "zoom-in"},
    CommandInfo{Cmd::ZoomOut, "Zoom &out", "Ctrl+-", "Show the picture smaller\nZoom out", "zoom-out"},
    CommandInfo{Cmd::FullScreen, "Fu&ll screen", "F11", "Show the picture alone on the whole screen\nFull screen", "view-fullscreen"},
    CommandInfo{Cmd::ShowInfo, "Sho&w info", "", "Show the picture's information over it\nShow info", "dialog-information"},
    CommandInfo{Cmd::ImageInformation, "&Information...", "", "File, format, colours and size of the picture\nInformation", ""},
    CommandInfo{Cmd::ExportImage, "&Export as...", "", "Save a copy of the picture in any format\nExport", "document-export"},
    CommandInfo{Cmd::SaveTransform, "S&ave transform", "", "Save the changed picture over the card's file\nSave transform", "document-save"},
    CommandInfo{Cmd::ImageSize, "&Size...", "", "Change the size of the picture\nSize", "transform-scale"},
    CommandInfo{Cmd::ImageRotate, "Rotate...", "", "Turn the picture by any angle\nRotate", "transform-rotate"},
    CommandInfo{Cmd::ImageRotate180, "Rotate &180\u00BA", "", "Turn the picture upside down\nRotate 180", "object-rotate-right"},
    CommandInfo{Cmd::ImageRotate90CW, "Rotate &90\u00BA CW", "", "Turn the picture a quarter clockwise\nRotate 90 CW", "object-rotate-right"},
    CommandInfo{Cmd::ImageRotate90CCW, "Rotate 9&0 \u00BA CCW", "", "Turn the picture a quarter counter-clockwise\nRotate 90 CCW", "object-rotate-left"},
    CommandInfo{Cmd::ImageFlipHorizontal, "Fli&p horizontal", "", "Mirror the picture left to right\nFlip horizontal", "object-flip-horizontal"},
    CommandInfo{Cmd::ImageFlipVertical, "Flip &vertical", "", "Mirror the picture top to bottom\nFlip vertical", "object-flip-vertical"},
    CommandInfo{Cmd::ImageCrop, "&Crop...", "", "Keep only the selected part of the picture\nCrop", "transform-crop"},
    CommandInfo{Cmd::ColorVariation, "Color variation...", "", "Tint the picture with a colour\nColor variation", ""},
    CommandInfo{Cmd::BrightnessContrast, "Brigthness/Contrast...", "", "Make the picture lighter or darker\nBrightness", ""},
    CommandInfo{Cmd::SelectNone, "&None", "", "Forget the selection\nSelect none", ""},
    CommandInfo{Cmd::PlayMovie, "Pla&y movie...", "", "Play the card's movie or sound file\nPlay movie", "media-playback-start"},
    CommandInfo{Cmd::ContactSize0 + 0, "&80x60", "", "Small thumbnails\n80x60", ""},
    CommandInfo{Cmd::ContactSize0 + 1, "&160x120", "", "Medium thumbnails\n160x120", ""},
    CommandInfo{Cmd::ContactSize0 + 2, "&240x180", "", "Large thumbnails\n240x180", ""},
    CommandInfo{Cmd::ContactSize0 + 3, "&320x240", "", "Largest thumbnails\n320x240", ""},
    CommandInfo{Cmd::ContactShowInfo, "S&how info", "", "Show each card's number and file name\nShow info", ""},
    CommandInfo{Cmd::OpenNewImageWindow, "Open new image window", "", "Show the selected card's picture in a window of its own\nNew image window", "window-new"},
    CommandInfo{Cmd::ContactProperties, "Contact viewer propertie&s...", "", "Size, information and super viewer of the contact sheet\nProperties", ""},
    CommandInfo{Cmd::ExplorerMenu, "E&xplorer menu...", "", "Actions for the selected card's file\nExplorer menu", "system-file-manager"},
    CommandInfo{Cmd::ToolbarImages, "&Images", "", "Show or hide the Images toolbar\nImages", ""},
    CommandInfo{Cmd::ToolbarImageOperations, "Image &operations", "", "Show or hide the Image operations toolbar\nImage operations", ""},
    CommandInfo{Cmd::ToolbarEdit, "&Edit", "", "Show or hide the Edit toolbar\nEdit", ""},
    CommandInfo{Cmd::ToolbarCards, "&Cards", "", "Show or hide the Cards toolbar\nCards", ""},
    CommandInfo{Cmd::FileMru1 + 0, "&1", "", "Open this album", ""},
    CommandInfo{Cmd::FileMru1 + 1, "&2", "", "Open this album", ""},
    CommandInfo{Cmd::FileMru1 + 2, "&3", "", "Open this album", ""},
    CommandInfo{Cmd::FileMru1 + 3, "&4", "", "Open this album", ""},
    CommandInfo{Cmd::AppAbout, "&About Albora...", "", "Display program information, version number and copyright\nAbout", "help-about"},
    CommandInfo{Cmd::AppExit, "E&xit", "Ctrl+Q", "Quit the application; prompts to save the album\nExit", "application-exit"},
    CommandInfo{Cmd::ContextHelp, "&What's This?", "Shift+F1", "Display help for clicked buttons, menus and windows\nHelp", "help-contextual"},
    CommandInfo{Cmd::AlbumInformation, "Album &Information...", "", "Show and edit the album's name, description, author and directory\nAlbum information", "document-properties"},
    CommandInfo{Cmd::GoTop, "&Top", "Ctrl+Home", "Go to the first image\nTop", "go-first"},
    CommandInfo{Cmd::GoPrev, "&Prev", "Ctrl+PgUp", "Go to the previous image\nPrev", "go-previous"},
    CommandInfo{Cmd::GoNext, "&Next", "Ctrl+PgDown", "Go to the next image\nNext", "go-next"},
    CommandInfo{Cmd::GoBottom, "&Bottom", "Ctrl+End", "Go to the last image\nBottom", "go-last"},
    CommandInfo{Cmd::RunImages, "&Run", "", "Show every image in turn, one every two seconds\nRun images", "media-playback-start"},
    CommandInfo{Cmd::StopRunImages, "&Stop", "Esc", "Stop showing the images in turn\nStop run images", "media-playback-stop"},
    CommandInfo{Cmd::ToolbarFiles, "&Files", "", "Show or hide the Files toolbar\nFiles", ""},
    CommandInfo{Cmd::ToolbarGoTo, "&Go to", "", "Show or hide the Go to toolbar\nGo to", ""},
    CommandInfo{Cmd::ToolbarDevices, "&Devices", "", "Show or hide the Devices toolbar\nDevices", ""},
    CommandInfo{Cmd::ToolbarTools, "&Tools", "", "Show or hide the Tools toolbar\nTools", ""},
    CommandInfo{Cmd::ToolbarAnnotations, "&Anotations", "", "Show or hide the Anotations toolbar\nAnotations", ""},
    CommandInfo{Cmd::ToolbarClassic, "Cla&ssic", "", "Show or hide the Classic toolbar\nClassic", ""},
    CommandInfo{Cmd::ToolbarCaptureVfw, "Capture &VfW", "", "Show or hide the Video for Windows toolbar\nCapture VfW", ""},
    CommandInfo{Cmd::ToolbarDraw, "Dra&w", "", "Show or hide the Draw toolbar on the Draw tab\nDraw", ""},
    CommandInfo{Cmd::ToolbarMaximizeViews, "&Maximize views", "", "Show or hide the Maximize views toolbar\nMaximize views", ""},
    CommandInfo{Cmd::ShowTipOfTheDay, "&Show Tip of the day...", "", "Show a tip about Albora\nTip of the day", "help-hint"},
    CommandInfo{Cmd::WelcomeMenu, "Welcome menu...", "F2", "Show the welcome dialog\nWelcome", "go-home"},
    CommandInfo{Cmd::Tutorial, "&Tutorial...", "", "Begin the tutorial\nTutorial", ""},
    CommandInfo{Cmd::NewDrawAnnotation, "&New draw anotation...", "", "Create a new draw anotation\nNew draw anotation", "document-new"},
    CommandInfo{Cmd::LoadDrawAnnotation, "&Load draw anotation...", "", "Load a draw anotation file\nLoad anotation", "document-open"},
    CommandInfo{Cmd::MergeDrawAnnotation, "&Merge draw anotation...", "", "Add the objects of another draw anotation\nMerge anotation", "insert-object"},
    CommandInfo{Cmd::SaveDrawAnnotation, "&Save draw anotation", "", "Save the draw anotation\nSave anotation", "document-save"},
    CommandInfo{Cmd::SaveDrawAnnotationAs, "Save draw anotation &as...", "", "Save the draw anotation under another name\nSave anotation as", "document-save-as"},
    CommandInfo{Cmd::DrawAnnotationProperties, "Draw anotation p&roperties...", "", "File, size and objects of the draw anotation\nAnotation properties", "document-properties"},
    CommandInfo{Cmd::DrawPaperColor, "&Paper color...", "", "Change the paper color of the draw anotation\nPaper color", "color-fill"},
    CommandInfo{Cmd::DrawMakeReadOnly, "Make rea&d only", "", "Make the draw anotation read-only\nRead only", "object-locked"},
    CommandInfo{Cmd::DrawSelect, "&Select", "", "Select, move and resize objects\nSelect", "edit-select"},
    CommandInfo{Cmd::DrawLine, "&Line", "", "Draw a line\nLine", "draw-line"},
    CommandInfo{Cmd::DrawArc, "&Arc", "", "Draw an arc\nArc", "draw-halfcircle1"},
    CommandInfo{Cmd::DrawRectangle, "&Rectangle", "", "Draw a rectangle\nRectangle", "draw-rectangle"},
    CommandInfo{Cmd::DrawRoundRectangle, "Ro&unded rectangle", "", "Draw a rounded rectangle\nRounded rectangle", "draw-rectangle"},
    CommandInfo{Cmd::DrawEllipse, "&Ellipse", "", "Draw an ellipse\nEllipse", "draw-ellipse"},
    CommandInfo{Cmd::DrawPolygon, "&Polygon", "", "Draw a polygon: click the points, double click or click the first point to end\nPolygon", "draw-polygon"},
    CommandInfo{Cmd::DrawCurve, "&Curve", "", "Draw a Bezier curve: click the points, double click to end\nCurve", "draw-bezier-curves"},
    CommandInfo{Cmd::DrawText, "&Text", "", "Write a text\nText", "draw-text"},
    CommandInfo{Cmd::DrawImageLink, "&Image link", "", "Link a picture file\nImage link", "insert-image"},
    CommandInfo{Cmd::DrawSelectAll, "&All", "", "Select every object\nSelect all", "edit-select-all"},
    CommandInfo{Cmd::DrawSelectNext, "&Next", "", "Select the next object\nNext object", "go-next"},
    CommandInfo{Cmd::DrawSelectByName, "By na&me...", "", "Select objects by their names\nBy name", "edit-select-text"},
    CommandInfo{Cmd::DrawFindObject, "&Find object...", "", "Find objects by their name\nFind object", "edit-find"},
    CommandInfo{Cmd::DrawDelete, "&Delete", "Del", "Delete the selected objects\nDelete", "edit-delete"},
    CommandInfo{Cmd::DrawCopy, "&Copy", "", "Copy the selected objects\nCopy", "edit-copy"},
    CommandInfo{Cmd::DrawCut, "Cu&t", "", "Cut the selected objects\nCut", "edit-cut"},
    CommandInfo{Cmd::DrawPaste, "&Paste", "", "Paste objects\nPaste", "edit-paste"},
    CommandInfo{Cmd::DrawProperties, "Pr&operties...", "", "Properties of the selected object\nProperties", "document-properties"},
    CommandInfo{Cmd::DrawAnnotationView, "Draw anotation", "", "Show the draw anotation\nDraw anotation", "albora-view-draw"},
    CommandInfo{Cmd::DrawSizePosition, "&Size and position...", "", "Size and position of the selected object\nSize and position", ""},
    CommandInfo{Cmd::DrawFixObject, "&Fix object", "", "Fix the selected objects where they are\nFix object", "object-locked"},
    CommandInfo{Cmd::DrawGroup, "&Group", "", "Group the selected objects\nGroup", "object-group"},
    CommandInfo{Cmd::DrawUngroup, "&Ungroup", "", "Ungroup the selected groups\nUngroup", "object-ungroup"},
    CommandInfo{Cmd::DrawMoveFirst, "Move fi&rst", "", "Draw the object on top of the others\nMove first", "go-top"},
    CommandInfo{Cmd::DrawMoveLast, "Move &last", "", "Draw the object under the others\nMove last", "go-bottom"},
    CommandInfo{Cmd::DrawToFront, "To fr&ont", "", "Bring the object one step forward\nTo front", "go-up"},
    CommandInfo{Cmd::DrawToBack, "To &back", "", "Send the object one step back\nTo back", "go-down"},
    CommandInfo{Cmd::DrawOriginalSize, "Original si&ze", "", "Give linked pictures their own size\nOriginal size", "zoom-original"},
    CommandInfo{Cmd::DrawInsertObject, "Insert Ne&w Object...", "", "Link a picture, a drawing or a metafile\nInsert object", "insert-image"},
    CommandInfo{Cmd::DrawLineColor, "&Line color...", "", "Line color of new and selected objects\nLine color", ""},
    CommandInfo{Cmd::DrawFillColor, "&Fill color...", "", "Fill color of new and selected objects\nFill color", "color-fill"},
    CommandInfo{Cmd::DrawWidth1, "&1 point", "", "Line width 1\n1 point", ""},
    CommandInfo{Cmd::DrawWidth2, "&2 points", "", "Line width 2\n2 points", ""},
    CommandInfo{Cmd::DrawWidth4, "&4 points", "", "Line width 4\n4 points", ""},
    CommandInfo{Cmd::DrawWidth8, "&8 points", "", "Line width 8\n8 points", ""},
    CommandInfo{Cmd::DrawFillSolid, "&solid", "", "Solid fill\nSolid", ""},
    CommandInfo{Cmd::DrawFillTransparent, "&transparent", "", "No fill\nTransparent", ""},
    CommandInfo{Cmd::DrawFillVertical, "&vertical", "", "Vertical hatch\nVertical", ""},
    CommandInfo{Cmd::DrawFillMinus45, "-4&5º", "", "Diagonal hatch\n-45º", ""},
    CommandInfo{Cmd::DrawFillCross45, "&cross 45º+45º", "", "Diagonal cross hatch\nCross 45º+45º", ""},
    CommandInfo{Cmd::DrawFillHorizontal, "&horizontal", "", "Horizontal hatch\nHorizontal", ""},
    CommandInfo{Cmd::DrawFill45, "45&º", "", "Diagonal hatch\n45º", ""},
    CommandInfo{Cmd::DrawFillCrossVertHor, "cross ve&rt-hor", "", "Cross hatch\nCross vert-hor", ""},
    CommandInfo{Cmd::DrawFont, "F&ont...", "", "Font of new and selected texts\nFont", "preferences-desktop-font"},
    CommandInfo{Cmd::DrawGrid, "&Grid", "", "Show or hide the grid\nGrid", "view-grid"},
    CommandInfo{Cmd::DrawRefresh, "Re&fresh screen", "", "Draw the page again\nRefresh", "view-refresh"},
    CommandInfo{Cmd::DrawZoom1to1, "1:&1", "", "Actual size\n1:1", "zoom-original"},
    CommandInfo{Cmd::DrawZoom1to2, "1:&2", "", "Half size\n1:2", "zoom-out"},
    CommandInfo{Cmd::DrawZoom2to1, "2:1", "", "Double size\n2:1", "zoom-in"},
    CommandInfo{Cmd::DrawZoom1to3, "1:&3", "", "A third of the size\n1:3", ""},
    CommandInfo{Cmd::DrawZoom3to1, "3:1", "", "Triple size\n3:1", ""},
    CommandInfo{Cmd::DrawMakeLibrary, "Crear &biblioteca", "", "Make the anotation a library\nCrear biblioteca", ""},
    CommandInfo{Cmd::DrawSortLibrary, "Orde&nar biblioteca", "", "Arrange the library's objects in a row\nOrdenar biblioteca", ""},
    CommandInfo{Cmd::DrawCopyPageBitmap, "Copy page as bitmap", "", "Copy the page as a picture\nCopy page", ""},
    CommandInfo{Cmd::EditRedo, "&Redo", "Ctrl+Y; Ctrl+Shift+Z", "Do again what was undone\nRedo", "edit-redo"},
    CommandInfo{Cmd::MaximizeImageAndLittleContact, "Maximize image view && litle contact", "", "Maximize the image view with a little contact sheet\nImage and contact", ""},
    CommandInfo{Cmd::DiskImageBrowser, "Disk Image &Browser...", "", "Browse folders for images\nImage browser", "folder-pictures"},
    CommandInfo{Cmd::QuickBrowser, "&Quick browser...", "", "Make an album from one of your favourite folders\nQuick browser",
                "folder-favorites"},
    CommandInfo{Cmd::GoFromQuickFolders, "GoFromQuickFolders", "", "Make an album from the chosen quick folder\nQuick folder", ""},
    CommandInfo{Cmd::MultimediaBrowser, "&Multimedia browser...", "", "Play a sound or movie file\nMultimedia browser",
                "applications-multimedia"},
    CommandInfo{Cmd::MciDevices, "MCI &devices...", "", "Open a media device by its type\nMCI devices", "audio-card"},
    CommandInfo{Cmd::HtmlAssistant, "&HTML assistant...", "",
                "Activate the Internet assistant to create HTML pages\nInternet wizard", "applications-internet"},
    CommandInfo{Cmd::ExploreWebPage, "E&xplore web page", "", "Explore the WebPage created/Go home\nExplore WebPage",
                "internet-web-browser"},
    CommandInfo{Cmd::ExploreHtmlDir, "Explore HTML &dir...", "", "Explore the web page files created\nExplore HTML",
                "folder-open"},
    CommandInfo{Cmd::HtmlEdit, "HTML &Edit...", "", "Open the HTML editor\nHTML Edit", "accessories-text-editor"},
    CommandInfo{Cmd::Publish, "&Publish...", "", "Send your WebSite to the Internet\nPublish", "document-send"},
    CommandInfo{Cmd::InternetProperties, "I&nternet properties...", "", "Open the Internet properties \nInternet properties",
                "preferences-system-network"},
    CommandInfo{Cmd::GoLocalHome, "&Go to local home", "", "Reload and go to the album local home page\nReload", "view-refresh"},
    CommandInfo{Cmd::BeginPresentation, "&Begin", "Ctrl+F5", "Execute the cyclic slide show of current images\nBegin presentation",
                "x-office-presentation"},
    CommandInfo{Cmd::MakeMovie, "&Make movie from album...", "",
                "Make one movie (AVI file) from all the images on the album\nMake movie", "video-x-generic"},
    CommandInfo{Cmd::MakeMpegMovie, "Make MPEG movie from AVI...", "", "Make an MPEG movie from an AVI file\nMake MPEG movie",
                "document-export"},
    CommandInfo{Cmd::CaptureNone, "&No", "", "Use no capture device\nNo capture device", "dialog-cancel"},
    CommandInfo{Cmd::CaptureTwain, "&Twain scanner ", "", "Take pictures from a scanner\nScanner", "scanner"},
    CommandInfo{Cmd::CaptureVideoForWindows, "&Video for Windows", "", "Take pictures and videos from a camera\nVideo capture",
                "camera-web"},
    CommandInfo{Cmd::CaptureOverlay, "&MCI Overlay", "", "Take pictures from a video source keyed into a window\nMCI overlay",
                "video-television"},
    CommandInfo{Cmd::CaptureScreen, "&Screen capture", "", "Take pictures of the screen, a window or a part of it\nScreen capture",
                "video-display"},
    CommandInfo{Cmd::ActivateDevice, "&Activate device", "F4", "Activate the chosen capture device\nActivate device", "system-run"},
    CommandInfo{Cmd::PhotoScan, "&Photo/Scan", "F5", "Take a picture with the capture device as a new card\nPhoto/Scan",
                "camera-photo"},
    CommandInfo{Cmd::CaptureVideo, "Capture &video!", "", "Record a video sequence from the camera as a new card\nCapture video",
                "media-record"},
    CommandInfo{Cmd::HardwareDetection, "&Hardware/Software detection...", "",
                "Show which capture devices this computer offers\nHardware detection", "computer"},
    CommandInfo{Cmd::VfwPreview, "P&review on/off", "", "Show or stop the camera's live picture\nStop", "media-playback-pause"},
    CommandInfo{Cmd::VfwOverlay, "&Overlay", "", "Show the camera's picture as an overlay where the device has one\nOverlay",
                "video-display"},
    CommandInfo{Cmd::VfwStretch, "S&tretch video", "", "Stretch the live picture to the window\nScroll", "zoom-fit-best"},
    CommandInfo{Cmd::VfwVideoFormat, "Video &Format...", "", "Choose the camera's picture size, format and rate\nVideo format",
                "video-x-generic"},
    CommandInfo{Cmd::VfwVideoSource, "Video &Source...", "",
                "Choose the camera and its brightness, contrast, hue and saturation\nVideo source", "camera-web"},
    CommandInfo{Cmd::VfwVideoDisplay, "Video &Display...", "", "Set up the camera's display\nVideo display", "video-display"},
    CommandInfo{Cmd::VfwConfigure, "Capture &configuration...", "", "Set up how sequences are captured\nCapture configuration",
                "preferences-system"},
    CommandInfo{Cmd::VfwMakePalette, "&Do palette...", "", "Make a palette from the camera's frames\nDo palette",
                "color-management"},
    CommandInfo{Cmd::VfwLoadPalette, "&Load...", "", "Load a palette file\nLoad palette", "document-open"},
    CommandInfo{Cmd::VfwSavePalette, "&Save...", "", "Save the palette to a file\nSave palette", "document-save"},
    CommandInfo{Cmd::VfwViewPalette, "&View palette...", "", "Show the palette's colours\nView palette", "color-management"},
    CommandInfo{Cmd::VfwPastePalette, "&Paste palette", "", "Take the palette of the picture on the clipboard\nPaste palette",
                "edit-paste"},
    CommandInfo{Cmd::VfwCopy, "Cop&y", "", "Copy the camera's picture to the clipboard\nCopy", "edit-copy"},
    CommandInfo{Cmd::VfwCapturedVideo, "Captured video &window", "", "Play the captured sequence in the video window\nCaptured video",
                "media-playback-start"},
    CommandInfo{Cmd::VfwEditMovie, "&Edit captured movie...", "", "Open the captured sequence in the video editor\nEdit movie",
                "applications-multimedia"},
    CommandInfo{Cmd::LiveCamServer, "Marenkis LiveCam &Web Server...", "",
                "Keep a picture of the camera current for a web page\nLiveCam web server", "network-server"},
    CommandInfo{Cmd::AutophotoBegin, "&Begin...", "F6", "Take photos one after another at the set gap\nBegin autophoto",
                "media-playback-start"},
    CommandInfo{Cmd::AutophotoEnd, "&End", "F7", "Stop taking photos\nEnd autophoto", "media-playback-stop"},
    CommandInfo{Cmd::GeneralOptions, "&Generals...", "", "Change the general options\nGeneral options", "preferences-system"},
    CommandInfo{Cmd::DefineUtilities, "&Utilities...", "",
                "Define the applications to be used in the \"Utilities\" menu\nOptions Utilities", "preferences-other"},
    CommandInfo{Cmd::Utility1, "Utility &1", "", "Open this application\nOpen", "system-run"},
    CommandInfo{Cmd::Utility2, "Utility &2", "", "Open this application\nOpen", "system-run"},
    CommandInfo{Cmd::Utility3, "Utility &3", "", "Open this application\nOpen", "system-run"},
    CommandInfo{Cmd::Utility4, "Utility &4", "", "Open this application\nOpen", "system-run"},
    CommandInfo{Cmd::Utility5, "Utility &5", "", "Open this application\nOpen", "system-run"},
};
// clang-format on

// Two commands under one id would answer for each other in every menu.
constexpr bool IdsAreDistinct() {
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        for (std::size_t j = i + 1; j < kCommands.size(); ++j)
            if (kCommands[i].id == kCommands[j].id) return false;
    return true;
}
static_assert(IdsAreDistinct(), "two commands share an id");

constexpr bool StartsWith(const char* text, const char* start) {
    for (; *start; ++text, ++start)
        if (*text != *start) return false;
    return true;
}

constexpr bool Contains(const char* text, const char* part) {
    for (; *text; ++text)
        if (StartsWith(text, part)) return true;
    return false;
}

// The shortcut column of a menu (after its tab) names only a key of the command, or Enter, which
// the card list handles itself: a menu never tells of a key that does something else.
constexpr bool MenuKeysAreTheCommands() {
    for (const CommandInfo& info : kCommands) {
        const char* key = info.text;
        while (*key && *key != '\t') ++key;
        if (*key && !Contains(info.shortcut, key + 1) && !StartsWith(key + 1, "Enter")) return false;
    }
    return true;
}
static_assert(MenuKeysAreTheCommands(), "a menu names a key its command does not have");

}  // namespace

namespace CommandTable {

const CommandInfo* Find(int id) {
    for (const CommandInfo& info : kCommands)
        if (info.id == id) return &info;
    return nullptr;
}

QString StatusPrompt(const CommandInfo& info) {
    return QString::fromUtf8(info.prompt).section('\n', 0, 0);
}

QString ToolTip(const CommandInfo& info) {
    const QString prompt = QString::fromUtf8(info.prompt);
    return prompt.contains('\n') ? prompt.section('\n', 1) : prompt;
}

}  // namespace CommandTable
