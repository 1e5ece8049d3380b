#include "PresentationCommands.h"

#include "PresentationSetupDialog.h"
#include "album/CAlboraDoc.h"
#include "movie/PresentationChoices.h"
#include "platform/CommandIds.h"

PresentationCommands::PresentationCommands(CAlboraDoc& doc, PresentationServices services)
    : m_doc(doc), m_services(services) {
    OnCommand(
        Cmd::BeginPresentation, [this] { RunPresentation(); },
        [this](CommandState& s) { s.enabled = m_doc.Db().GetCount() > 0; });
}

void PresentationCommands::RunPresentation() {
    if (m_doc.Db().GetCount() == 0) return;
    PresentationOptions options = RecallPresentationOptions(m_doc.Settings());
    if (!PresentationSetupDialog::Edit(options, PresentationSetupDialog::Moment::Start,
                                       m_services.owner))
        return;
    RememberPresentationOptions(options, m_doc.Settings());
    PresentationShow(m_doc, m_services, options).Run();
}
