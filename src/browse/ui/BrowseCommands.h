#pragma once

#include "QuickBrowser.h"

#include "platform/CommandTarget.h"

#include <QPointer>
#include <functional>

class CAlboraDoc;
class ImageBrowser;
class QWidget;
class SoundAnnotations;
class UiServices;

// The browsers' commands: "Disk Image Browser...", "Quick browser..." with "GoFromQuickFolders",
// "Multimedia browser..." and "MCI devices...".
class BrowseCommands : public CommandTarget {
public:
    // EXECUTE sends a command through the program's routing, as the quick browser's double click
    // sends "GoFromQuickFolders".
    BrowseCommands(CAlboraDoc& doc, UiServices& ui, SoundAnnotations& sound, QWidget* owner,
                   std::function<void(int)> execute);
    ~BrowseCommands() override;

    ImageBrowser* Browser() const { return m_browser; }
    QuickBrowser* Quick() const { return m_quick; }

private:
    void ToggleImageBrowser();
    void OpenMultimediaBrowser();
    void ChooseMciDevice();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    SoundAnnotations& m_sound;
    QWidget* m_owner;
    std::function<void(int)> m_execute;
    ImageBrowser* m_browser = nullptr;
    QPointer<QuickBrowser> m_quick;
};
