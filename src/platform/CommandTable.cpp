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
    CommandInfo{Cmd::FileSendMail, "Sen&d...", "", "Send the selected card's image by electronic mail\nSend", "mail-send"},
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
    CommandInfo{Cmd::CopyCard, "&Copy card\tCtrl+C", "", "Copy the selected cards for Paste card\nCopy card", ""},
    CommandInfo{Cmd::PasteCard, "Paste &card\tCtrl+V", "", "Insert copies of the copied cards after the selection\nPaste card", ""},
    CommandInfo{Cmd::Association, "Asso&ciation", "", "Open the card's file with its program\nAssociation", "document-open"},
    CommandInfo{Cmd::RenameImage, "Re&name...", "", "Rename the card's image file\nRename", ""},
    CommandInfo{Cmd::ConvertImage, "Con&vert as...", "", "Save the card's image in another format\nConvert", ""},
    CommandInfo{Cmd::SoundPlay, "&Play", "", "Play the card's sound note\nPlay sound", "media-playback-start"},
    CommandInfo{Cmd::SoundRecord, "&Record...", "", "Record a sound note for the card\nRecord sound", "media-record"},
    CommandInfo{Cmd::MaximizeListView, "Maximize &list view", "", "Give the whole window to the card list\nMaximize list view", ""},
    CommandInfo{Cmd::RestoreAllViews, "&Restore all views", "", "Show every view again\nRestore all views", ""},
    CommandInfo{Cmd::ListViewerProperties, "List viewer pr&operties...", "", "Settings of the card list\nList properties", ""},
    CommandInfo{Cmd::EditUndo, "&Undo", "Ctrl+Z", "Go back to the picture in the card's file\nUndo", "edit-undo"},
    CommandInfo{Cmd::ZoomFit, "&Fit", "Ctrl+0", "Show the whole picture in the window\nFit", "zoom-fit-best"},
    CommandInfo{Cmd::ZoomEighth, "1:8", "", "Show the picture at an eighth of its size\n1:8", ""},
    CommandInfo{Cmd::ZoomQuarter, "1:4", "", "Show the picture at a quarter of its size\n1:4", ""},
    CommandInfo{Cmd::ZoomHalf, "1:2", "", "Show the picture at half its size\n1:2", ""},
    CommandInfo{Cmd::Zoom1, "1:1\tNormal", "Ctrl+1", "Show the picture pixel for pixel\n1:1", "zoom-original"},
    CommandInfo{Cmd::Zoom2, "2:1\tClose", "", "Show the picture twice as large\n2:1", ""},
    CommandInfo{Cmd::Zoom3, "3:1\tClose", "", "Show the picture three times as large\n3:1", ""},
    CommandInfo{Cmd::Zoom4, "4:1\tClose", "", "Show the picture four times as large\n4:1", ""},
    CommandInfo{Cmd::Zoom5, "5:1\tClose", "", "Show the picture five times as large\n5:1", ""},
    CommandInfo{Cmd::StretchImage, "Stretc&h image", "", "Stretch the picture to the window's shape\nStretch", ""},
    CommandInfo{Cmd::ZoomIn, "Zoom &in", "Ctrl++; Ctrl+=", "Show the picture larger\nZoom in", "zoom-in"},
    CommandInfo{Cmd::ZoomOut, "Zoom &out", "Ctrl+-", "Show the picture smaller\nZoom out", "zoom-out"},
    CommandInfo{Cmd::FullScreen, "F&ull screen", "F11", "Show the picture alone on the whole screen\nFull screen", "view-fullscreen"},
    CommandInfo{Cmd::ShowInfo, "Sho&w info", "", "Show the picture's information over it\nShow info", "dialog-information"},
    CommandInfo{Cmd::ImageInformation, "&Information...", "", "File, format, colours and size of the picture\nInformation", ""},
    CommandInfo{Cmd::ExportImage, "&Export as...", "", "Save a copy of the picture in any format\nExport", "document-export"},
    CommandInfo{Cmd::SaveTransform, "S&ave transform", "", "Save the changed picture over the card's file\nSave transform", "document-save"},
    CommandInfo{Cmd::ImageSize, "S&ize...", "", "Change the size of the picture\nSize", ""},
    CommandInfo{Cmd::ImageRotate, "Rotate...", "", "Turn the picture by any angle\nRotate", ""},
    CommandInfo{Cmd::ImageRotate180, "Rotate &180\u00BA", "", "Turn the picture upside down\nRotate 180", "object-rotate-right"},
    CommandInfo{Cmd::ImageRotate90CW, "Rotate &90\u00BA CW", "", "Turn the picture a quarter clockwise\nRotate 90 CW", "object-rotate-right"},
    CommandInfo{Cmd::ImageRotate90CCW, "Rotate 9&0 \u00BA CCW", "", "Turn the picture a quarter counter-clockwise\nRotate 90 CCW", "object-rotate-left"},
    CommandInfo{Cmd::ImageFlipHorizontal, "Flip &horizontal", "", "Mirror the picture left to right\nFlip horizontal", "object-flip-horizontal"},
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
    CommandInfo{Cmd::DrawMakeReadOnly, "Make &read only", "", "Make the draw anotation read-only\nRead only", "object-locked"},
    CommandInfo{Cmd::DrawSelect, "&Select", "", "Select, move and resize objects\nSelect", "edit-select"},
    CommandInfo{Cmd::DrawLine, "&Line", "", "Draw a line\nLine", "draw-line"},
    CommandInfo{Cmd::DrawArc, "&Arc", "", "Draw an arc\nArc", "draw-arc"},
    CommandInfo{Cmd::DrawRectangle, "&Rectangle", "", "Draw a rectangle\nRectangle", "draw-rectangle"},
    CommandInfo{Cmd::DrawRoundRectangle, "Ro&unded rectangle", "", "Draw a rounded rectangle\nRounded rectangle", "draw-rectangle"},
    CommandInfo{Cmd::DrawEllipse, "&Ellipse", "", "Draw an ellipse\nEllipse", "draw-ellipse"},
    CommandInfo{Cmd::DrawPolygon, "&Polygon", "", "Draw a polygon: click the points, double click or click the first point to end\nPolygon", "draw-polygon"},
    CommandInfo{Cmd::DrawCurve, "&Curve", "", "Draw a Bezier curve: click the points, double click to end\nCurve", "draw-bezier-curves"},
    CommandInfo{Cmd::DrawText, "&Text", "", "Write a text\nText", "draw-text"},
    CommandInfo{Cmd::DrawImageLink, "&Image link", "", "Link a picture file\nImage link", "insert-image"},
    CommandInfo{Cmd::DrawSelectAll, "&All", "", "Select every object\nSelect all", "edit-select-all"},
    CommandInfo{Cmd::DrawSelectNext, "&Next", "", "Select the next object\nNext object", "go-next"},
    CommandInfo{Cmd::DrawSelectByName, "By &name...", "", "Select objects by their names\nBy name", ""},
    CommandInfo{Cmd::DrawFindObject, "&Find object...", "", "Find objects by their name\nFind object", "edit-find"},
    CommandInfo{Cmd::DrawDelete, "&Delete", "Del", "Delete the selected objects\nDelete", "edit-delete"},
    CommandInfo{Cmd::DrawCopy, "&Copy", "", "Copy the selected objects\nCopy", "edit-copy"},
    CommandInfo{Cmd::DrawCut, "Cu&t", "", "Cut the selected objects\nCut", "edit-cut"},
    CommandInfo{Cmd::DrawPaste, "&Paste", "", "Paste objects\nPaste", "edit-paste"},
    CommandInfo{Cmd::DrawProperties, "Pr&operties...", "", "Properties of the selected object\nProperties", "document-properties"},
    CommandInfo{Cmd::DrawAnnotationView, "Draw anotation", "", "Show the draw anotation\nDraw anotation", ""},
    CommandInfo{Cmd::DrawSizePosition, "&Size and position...", "", "Size and position of the selected object\nSize and position", ""},
    CommandInfo{Cmd::DrawFixObject, "&Fix object", "", "Fix the selected objects where they are\nFix object", "object-locked"},
    CommandInfo{Cmd::DrawGroup, "&Group", "", "Group the selected objects\nGroup", "object-group"},
    CommandInfo{Cmd::DrawUngroup, "&Ungroup", "", "Ungroup the selected groups\nUngroup", "object-ungroup"},
    CommandInfo{Cmd::DrawMoveFirst, "Move &first", "", "Draw the object on top of the others\nMove first", "go-top"},
    CommandInfo{Cmd::DrawMoveLast, "Move &last", "", "Draw the object under the others\nMove last", "go-bottom"},
    CommandInfo{Cmd::DrawToFront, "To fr&ont", "", "Bring the object one step forward\nTo front", "go-up"},
    CommandInfo{Cmd::DrawToBack, "To &back", "", "Send the object one step back\nTo back", "go-down"},
    CommandInfo{Cmd::DrawOriginalSize, "Original si&ze", "", "Give linked pictures their own size\nOriginal size", "zoom-original"},
    CommandInfo{Cmd::DrawInsertObject, "Insert New &Object...", "", "Link a picture, a drawing or a metafile\nInsert object", "insert-image"},
    CommandInfo{Cmd::DrawLineColor, "&Line color...", "", "Line color of new and selected objects\nLine color", ""},
    CommandInfo{Cmd::DrawFillColor, "&Fill color...", "", "Fill color of new and selected objects\nFill color", "color-fill"},
    CommandInfo{Cmd::DrawWidth1, "&1 point", "", "Line width 1\n1 point", ""},
    CommandInfo{Cmd::DrawWidth2, "&2 points", "", "Line width 2\n2 points", ""},
    CommandInfo{Cmd::DrawWidth4, "&4 points", "", "Line width 4\n4 points", ""},
    CommandInfo{Cmd::DrawWidth8, "&8 points", "", "Line width 8\n8 points", ""},
    CommandInfo{Cmd::DrawFillSolid, "&solid", "", "Solid fill\nSolid", ""},
    CommandInfo{Cmd::DrawFillTransparent, "&transparent", "", "No fill\nTransparent", ""},
    CommandInfo{Cmd::DrawFillVertical, "&vertical", "", "Vertical hatch\nVertical", ""},
    CommandInfo{Cmd::DrawFillMinus45, "-&45º", "", "Diagonal hatch\n-45º", ""},
    CommandInfo{Cmd::DrawFillCross45, "&cross 45º+45º", "", "Diagonal cross hatch\nCross 45º+45º", ""},
    CommandInfo{Cmd::DrawFillHorizontal, "&horizontal", "", "Horizontal hatch\nHorizontal", ""},
    CommandInfo{Cmd::DrawFill45, "45&º", "", "Diagonal hatch\n45º", ""},
    CommandInfo{Cmd::DrawFillCrossVertHor, "cross vert-&hor", "", "Cross hatch\nCross vert-hor", ""},
    CommandInfo{Cmd::DrawFont, "F&ont...", "", "Font of new and selected texts\nFont", "preferences-desktop-font"},
    CommandInfo{Cmd::DrawGrid, "&Grid", "", "Show or hide the grid\nGrid", "view-grid"},
    CommandInfo{Cmd::DrawRefresh, "&Refresh screen", "", "Draw the page again\nRefresh", "view-refresh"},
    CommandInfo{Cmd::DrawZoom1to1, "1:&1", "", "Actual size\n1:1", "zoom-original"},
    CommandInfo{Cmd::DrawZoom1to2, "1:&2", "", "Half size\n1:2", "zoom-out"},
    CommandInfo{Cmd::DrawZoom2to1, "&2:1", "", "Double size\n2:1", "zoom-in"},
    CommandInfo{Cmd::DrawZoom1to3, "1:&3", "", "A third of the size\n1:3", ""},
    CommandInfo{Cmd::DrawZoom3to1, "&3:1", "", "Triple size\n3:1", ""},
    CommandInfo{Cmd::DrawMakeLibrary, "Crear &biblioteca", "", "Make the anotation a library\nCrear biblioteca", ""},
    CommandInfo{Cmd::DrawSortLibrary, "Orde&nar biblioteca", "", "Arrange the library's objects in a row\nOrdenar biblioteca", ""},
    CommandInfo{Cmd::DrawCopyPageBitmap, "Copy page as bitmap", "", "Copy the page as a picture\nCopy page", ""},
    CommandInfo{Cmd::EditRedo, "&Redo", "Ctrl+Y; Ctrl+Shift+Z", "Do again what was undone\nRedo", "edit-redo"},
    CommandInfo{Cmd::MaximizeImageAndLittleContact, "Maximize image view && litle contact", "", "Maximize the image view with a little contact sheet\nImage and contact", ""},
    CommandInfo{Cmd::DiskImageBrowser, "Disk Image &Browser...", "", "Browse folders for images\nImage browser", "folder-pictures"},
    CommandInfo{Cmd::HtmlAssistant, "&HTML assistant...", "",
                "Activate the Internet assistant to create HTML pages\nInternet wizard", "applications-internet"},
    CommandInfo{Cmd::ExploreWebPage, "&Explore web page", "", "Explore the WebPage created/Go home\nExplore WebPage",
                "internet-web-browser"},
    CommandInfo{Cmd::ExploreHtmlDir, "Explore HTML &dir...", "", "Explore the web page files created\nExplore HTML",
                "folder-open"},
    CommandInfo{Cmd::HtmlEdit, "HTML &Edit...", "", "Open the HTML editor\nHTML Edit", "accessories-text-editor"},
    CommandInfo{Cmd::Publish, "&Publish...", "", "Send your WebSite to the Internet\nPublish", "document-send"},
    CommandInfo{Cmd::InternetProperties, "Internet &properties...", "", "Open the Internet properties \nInternet properties",
                "preferences-system-network"},
    CommandInfo{Cmd::GoLocalHome, "&Go to local home", "", "Reload and go to the album local home page\nReload", "view-refresh"},
    CommandInfo{Cmd::BeginPresentation, "&Begin", "Ctrl+F5", "Execute the cyclic slide show of current images\nBegin presentation",
                "x-office-presentation"},
    CommandInfo{Cmd::MakeMovie, "&Make movie from album...", "",
                "Make one movie (AVI file) from all the images on the album\nMake movie", "video-x-generic"},
    CommandInfo{Cmd::MakeMpegMovie, "Make MPEG movie from AVI...", "", "Make an MPEG movie from an AVI file\nMake MPEG movie",
                "media-record"},
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
