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
    CommandInfo{Cmd::FileSendMail, "Sen&d...", "", "Send the active image through electronic mail\nSend", "mail-send"},
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
    CommandInfo{Cmd::NewDrawAnnotation, "New draw annotation", "", "New draw annotation\nNew draw annotation", ""},
    CommandInfo{Cmd::MaximizeImageAndLittleContact, "Maximize image view && litle contact", "", "Maximize the image view with a little contact sheet\nImage and contact", ""},
    CommandInfo{Cmd::DiskImageBrowser, "Disk Image &Browser...", "", "Browse folders for images\nImage browser", "folder-pictures"},
};
// clang-format on

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
