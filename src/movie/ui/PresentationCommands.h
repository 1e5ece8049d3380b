#pragma once

#include "PresentationShow.h"
#include "platform/CommandTarget.h"

class CAlboraDoc;

// The commands of Utilities > Presentations.
class PresentationCommands : public CommandTarget {
public:
    PresentationCommands(CAlboraDoc& doc, PresentationServices services);

    // "&Begin": the setup dialog, then the show until it ends. Each run starts from the first
    // values again, with pictures fitted to the screen as the "flgLock" setting says.
    void RunPresentation();

private:
    CAlboraDoc& m_doc;
    PresentationServices m_services;
};
