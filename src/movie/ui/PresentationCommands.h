#pragma once

#include "PresentationShow.h"
#include "platform/CommandTarget.h"

class CAlboraDoc;

// The commands of Utilities > Presentations.
class PresentationCommands : public CommandTarget {
public:
    PresentationCommands(CAlboraDoc& doc, PresentationServices services);

    // "&Begin": the setup dialog, then the show until it ends. Each run starts from the choices
    // made last, in this run of the program or an earlier one.
    void RunPresentation();

private:
    CAlboraDoc& m_doc;
    PresentationServices m_services;
};
