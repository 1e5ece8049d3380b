#pragma once

#include "album/CAlboraDoc.h"
#include "album/editing/CardCommands.h"
#include "album/ui/QtCardDialogs.h"
#include "draw/DrawAnnotation.h"
#include "draw/ui/QtDrawDialogs.h"
#include "movie/ui/MovieCommands.h"
#include "movie/ui/PresentationCommands.h"
#include "platform/ProcessLauncher.h"
#include "platform/media/MciInterpreter.h"
#include "platform/media/SoundPlayer.h"
#include "platform/widgets/QtUiServices.h"
#include "sound/SoundAnnotations.h"
#include "views/ImageViewDialogs.h"
#include "web/ui/WebCommands.h"

#include <memory>

class CAlboraView;
class BrowseCommands;
class CaptureCommands;
class CImgView;
class CContactView;
class CDrawView;
class CHTMLViewS;
class CAppSettings;
class CMainFrame;
class SettingsStore;

// Everything the GUI program holds while it runs, made and joined in order: the Ui services,
// the document, the sound and program services, and the main window with its views.
class GuiSession {
public:
    GuiSession(CAppSettings& settings, SettingsStore& store);
    ~GuiSession();

    // The first album (ALBUM, or a new one when empty), then the welcome dialog with the tip of
    // the day, or the tip alone, as the settings ask, and the keyboard in the card list.
    void StartUp(const QString& album);

    CAppSettings& settings;
    SettingsStore& store;
    QtUiServices ui;
    CAlboraDoc doc;
    SystemProcessLauncher launcher;
    MciInterpreter mci;
    SoundPlayer player;
    SoundAnnotations sound;
    EditingSession editing;
    DrawAnnotation draw;
    QtCardDialogs cardDialogs;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<QtImageViewDialogs> imageDialogs;
    std::unique_ptr<QtDrawDialogs> drawDialogs;
    CAlboraView* list = nullptr;
    CImgView* image = nullptr;
    CContactView* contact = nullptr;
    CDrawView* drawView = nullptr;
    CHTMLViewS* webView = nullptr;
    std::unique_ptr<WebCommands> web;
    std::unique_ptr<PresentationCommands> presentations;
    std::unique_ptr<MovieCommands> movies;
    std::unique_ptr<CaptureCommands> capture;
    std::unique_ptr<BrowseCommands> browse;
};
