#pragma once

// Every command of the program, by the numeric id that menus, toolbars and accelerators share.
namespace Cmd {

// Framework commands.
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FilePrintSetup = 57606;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrint = 57607;
constexpr int FilePrintPreview = 57609;
constexpr int FileSendMail = 57612;
constexpr int FileMru1 = 57616;  // 57616 to 57619: the recent albums
constexpr int FileMruCount = 4;
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int ContextHelp = 57669;

// Album document.
constexpr int AlbumInformation = 33185;  // ids from 33180 on are our own
constexpr int GoTop = 32821;
constexpr int GoPrev = 32824;
constexpr int GoNext = 32826;
constexpr int GoBottom = 32827;
constexpr int RunImages = 32986;
constexpr int StopRunImages = 32988;

// Card list.
constexpr int ViewCurrentImage = 33190;
constexpr int CardAdd = 33191;
constexpr int CardModify = 33192;
constexpr int CardDelete = 33193;
constexpr int CardSearch = 33194;
constexpr int ViewAllCards = 33195;
constexpr int CopyCard = 33196;
constexpr int PasteCard = 33197;
constexpr int Association = 33198;
constexpr int RenameImage = 33199;
constexpr int ConvertImage = 33200;
constexpr int SoundPlay = 33201;
constexpr int SoundRecord = 33202;
constexpr int ListViewerProperties = 33203;

// Image view.
constexpr int Zoom1 = 32850;
constexpr int Zoom2 = 32851;
constexpr int Zoom3 = 32852;
constexpr int Zoom4 = 32856;
constexpr int Zoom5 = 32857;
constexpr int StretchImage = 32966;
constexpr int ZoomFit = 33240;  // the whole picture in the window, in proportion
constexpr int ZoomHalf = 33241;
constexpr int ZoomQuarter = 33242;
constexpr int ZoomEighth = 33243;
constexpr int ZoomIn = 33244;
constexpr int ZoomOut = 33245;
constexpr int FullScreen = 33246;
constexpr int ImageSize = 32964;
constexpr int ImageRotate = 32965;
constexpr int ImageRotate180 = 32958;
constexpr int ImageRotate90CW = 32960;
constexpr int ImageRotate90CCW = 32959;
constexpr int ImageFlipHorizontal = 32957;
constexpr int ImageFlipVertical = 32961;
constexpr int ImageCrop = 32962;
constexpr int ShowInfo = 33210;
constexpr int ImageInformation = 33211;
constexpr int ExportImage = 33212;
constexpr int SaveTransform = 33213;
constexpr int ColorVariation = 33214;
constexpr int BrightnessContrast = 33215;
constexpr int SelectNone = 33216;
constexpr int PlayMovie = 33217;

// Contact sheet.
constexpr int ContactSize0 = 33220;  // 33220 to 33223: 80x60 to 320x240
constexpr int ContactShowInfo = 33224;
constexpr int OpenNewImageWindow = 33225;
constexpr int ContactProperties = 33226;
constexpr int ExplorerMenu = 33227;

// Main frame.
constexpr int MaximizeListView = 32946;
constexpr int MaximizeImageView = 32950;
constexpr int ContactView = 32952;
constexpr int ImageContactView = 32956;
constexpr int RestoreAllViews = 32948;
constexpr int ClassicLayout = 33175;
constexpr int HelpTopics = 57670;  // the user manual
constexpr int ToolbarEdit = 32906;
constexpr int ToolbarCards = 32909;
constexpr int ToolbarImages = 32918;
constexpr int ToolbarImageOperations = 32919;
constexpr int ToolbarFiles = 32907;
constexpr int ToolbarGoTo = 32987;
constexpr int ToolbarDevices = 32911;
constexpr int ToolbarTools = 32913;
constexpr int ToolbarAnnotations = 32914;
constexpr int ToolbarClassic = 32916;
constexpr int ToolbarCaptureVfw = 32921;
constexpr int ToolbarDraw = 32922;
constexpr int ToolbarMaximizeViews = 32954;
constexpr int ShowTipOfTheDay = 32939;
constexpr int WelcomeMenu = 33180;
constexpr int Tutorial = 33181;
constexpr int NewDrawAnnotation = 33182;
constexpr int MaximizeImageAndLittleContact = 33183;
constexpr int DiskImageBrowser = 33184;
constexpr int QuickBrowser = 32803;
constexpr int GoFromQuickFolders = 33162;
constexpr int MultimediaBrowser = 32839;
constexpr int MciDevices = 32848;
constexpr int LoadDrawAnnotation = 33250;
constexpr int MergeDrawAnnotation = 33251;
constexpr int SaveDrawAnnotation = 33252;
constexpr int SaveDrawAnnotationAs = 33253;
constexpr int DrawAnnotationProperties = 33254;
constexpr int DrawPaperColor = 33255;
constexpr int DrawMakeReadOnly = 33256;

// The draw view. The first nineteen are the buttons of the "Draw" toolbar, in the order of its
// commands; the rest are our own.
constexpr int DrawSelect = 33028;
constexpr int DrawLine = 32771;
constexpr int DrawArc = 32774;
constexpr int DrawRectangle = 33010;
constexpr int DrawRoundRectangle = 32776;
constexpr int DrawEllipse = 32779;
constexpr int DrawPolygon = 32782;
constexpr int DrawCurve = 33012;
constexpr int DrawText = 33138;
constexpr int DrawImageLink = 33014;
constexpr int DrawSelectAll = 33106;
constexpr int DrawSelectNext = 32785;
constexpr int DrawSelectByName = 33019;
constexpr int DrawFindObject = 33023;
constexpr int DrawDelete = 32790;
constexpr int DrawCopy = 32793;
constexpr int DrawCut = 32795;
constexpr int DrawPaste = 32798;
constexpr int DrawProperties = 32901;
constexpr int DrawAnnotationView = 33109;
constexpr int DrawSizePosition = 33260;
constexpr int DrawFixObject = 33261;
constexpr int DrawGroup = 33262;
constexpr int DrawUngroup = 33263;
constexpr int DrawMoveFirst = 33264;
constexpr int DrawMoveLast = 33265;
constexpr int DrawToFront = 33266;
constexpr int DrawToBack = 33267;
constexpr int DrawOriginalSize = 33268;
constexpr int DrawLineColor = 33269;
constexpr int DrawFillColor = 33270;
constexpr int DrawWidth1 = 33271;
constexpr int DrawWidth2 = 33272;
constexpr int DrawWidth4 = 33273;
constexpr int DrawWidth8 = 33274;
constexpr int DrawFillSolid = 33275;
constexpr int DrawFillTransparent = 33276;
constexpr int DrawFillVertical = 33277;
constexpr int DrawFillMinus45 = 33278;
constexpr int DrawFillCross45 = 33279;
constexpr int DrawFillHorizontal = 33280;
constexpr int DrawFill45 = 33281;
constexpr int DrawFillCrossVertHor = 33282;
constexpr int DrawFont = 33283;
constexpr int DrawGrid = 33284;
constexpr int DrawRefresh = 33286;
constexpr int DrawZoom1to1 = 33287;
constexpr int DrawZoom1to2 = 33288;
constexpr int DrawZoom2to1 = 33289;
constexpr int DrawZoom1to3 = 33290;
constexpr int DrawZoom3to1 = 33291;
constexpr int DrawInsertObject = 33292;
constexpr int DrawMakeLibrary = 33293;
constexpr int DrawSortLibrary = 33294;
constexpr int DrawCopyPageBitmap = 33295;
constexpr int EditRedo = 33296;

// Utilities > Internet.
constexpr int HtmlAssistant = 32859;
constexpr int ExploreWebPage = 33147;
constexpr int ExploreHtmlDir = 33102;
constexpr int HtmlEdit = 33148;
constexpr int Publish = 33149;
constexpr int InternetProperties = 33151;
constexpr int GoLocalHome = 33176;

// Utilities > Presentations.
constexpr int BeginPresentation = 32872;

// Utilities: movies.
constexpr int MakeMovie = 32981;
constexpr int MakeMpegMovie = 33158;

// Capture: the device choice (Options > Capture devices), activation, pictures, detection.
constexpr int CaptureNone = 32877;
constexpr int CaptureTwain = 32792;
constexpr int CaptureVideoForWindows = 32813;
constexpr int CaptureOverlay = 32816;
constexpr int CaptureScreen = 32814;
constexpr int ActivateDevice = 32890;
constexpr int PhotoScan = 32888;
constexpr int CaptureVideo = 32886;
constexpr int HardwareDetection = 32884;

// Capture: the Video for Windows window's own commands.
constexpr int VfwPreview = 33300;
constexpr int VfwOverlay = 33301;
constexpr int VfwStretch = 33302;
constexpr int VfwVideoFormat = 33303;
constexpr int VfwVideoSource = 33304;
constexpr int VfwVideoDisplay = 33305;
constexpr int VfwConfigure = 33306;
constexpr int VfwMakePalette = 33307;
constexpr int VfwLoadPalette = 33308;
constexpr int VfwSavePalette = 33309;
constexpr int VfwViewPalette = 33310;
constexpr int VfwPastePalette = 33311;
constexpr int VfwCopy = 33312;
constexpr int VfwCapturedVideo = 33313;
constexpr int VfwEditMovie = 33314;

// Capture > Autophoto.
constexpr int LiveCamServer = 33315;
constexpr int AutophotoBegin = 33316;
constexpr int AutophotoEnd = 33317;

// Options.
constexpr int GeneralOptions = 32819;
constexpr int DefineUtilities = 32871;

// Utilities: the five programs the user defines, in order.
constexpr int Utility1 = 171;
constexpr int Utility2 = 173;
constexpr int Utility3 = 32820;
constexpr int Utility4 = 32854;
constexpr int Utility5 = 32855;
constexpr int kUtilities[] = {Utility1, Utility2, Utility3, Utility4, Utility5};

// The tab-switch notification sent to views.
constexpr int TabSwitchNotification = 32840;

}  // namespace Cmd
