#include "CAlboraDoc.h"

#include "AlbumFile.h"
#include "CAppSettings.h"

#include "platform/CommandIds.h"
#include "platform/UiServices.h"

#include <algorithm>

CAlboraDoc::CAlboraDoc(UiServices& ui, CAppSettings& settings)
    : Document(ui), m_settings(settings) {
    m_runTimer.setInterval(kRunPeriodMs);
    connect(&m_runTimer, &QTimer::timeout, this, &CAlboraDoc::OnRunTick);
    RegisterCommands();
}

void CAlboraDoc::RegisterCommands() {
    const auto hasCards = [this](CommandState& s) { s.enabled = m_db.GetCount() > 0; };
    OnCommand(Cmd::FileSave, [this] { FileSave(); },
              [this](CommandState& s) { s.enabled = IsModified(); });
    OnCommand(Cmd::FileSaveAs, [this] { FileSaveAs(); });
    OnCommand(Cmd::AlbumInformation, [this] { EditAlbumInformation(); });
    OnCommand(Cmd::GoTop, [this] { GoTop(); }, hasCards);
    OnCommand(Cmd::GoPrev, [this] { GoPrev(); },
              [this](CommandState& s) { s.enabled = m_db.GetCount() > 0 && m_nCurrent >= 0; });
    OnCommand(Cmd::GoNext, [this] { GoNext(); }, [this](CommandState& s) {
        s.enabled = m_db.GetCount() > 0 && m_nCurrent < m_db.GetCount() - 1;
    });
    OnCommand(Cmd::GoBottom, [this] { GoBottom(); }, hasCards);
    OnCommand(Cmd::RunImages, [this] { Run(); }, hasCards);
    OnCommand(Cmd::StopRunImages, [this] { Stop(); },
              [this](CommandState& s) { s.enabled = m_bRunning == 1; });
}

void CAlboraDoc::CurrentCardChanged() {
    UpdateAllViews(nullptr, Hint::Rebuild);
    if (m_pDrawLink) m_pDrawLink->LoadForCurrentCard();
}

bool CAlboraDoc::SaveModified() {
    if (m_pDrawLink && !m_pDrawLink->AskToSave()) return false;
    return Document::SaveModified();
}

bool CAlboraDoc::MayMoveTo(int index) {
    if (index == m_nCurrent || !m_pDrawLink || m_pDrawLink->AskToSave()) return true;
    Stop();
    return false;
}

bool CAlboraDoc::MakeCurrent(int index, const QString& file) {
    if (!MayMoveTo(index)) return false;
    m_nCurrent = index;
    m_strCurrentFile = file;
    return true;
}

void CAlboraDoc::GoTo(int index) {
    if (!MayMoveTo(index)) return;
    m_nCurrent = index;
    CurrentCardChanged();
}

void CAlboraDoc::StepShown(int direction) {
    const int count = m_db.GetCount();
    std::vector<int> order = shownOrder ? shownOrder() : std::vector<int>{};
    if (order.empty())
        for (int i = 0; i < count; ++i) order.push_back(i);
    const auto at = std::find(order.begin(), order.end(), m_nCurrent);
    if (at == order.end()) return;
    const std::ptrdiff_t next = (at - order.begin()) + direction;
    if (next >= 0 && next < std::ptrdiff_t(order.size())) GoTo(order[std::size_t(next)]);
}

void CAlboraDoc::GoTop() { GoTo(0); }

void CAlboraDoc::GoPrev() { GoTo(m_nCurrent - 1); }

void CAlboraDoc::GoNext() { GoTo(m_bRunning && m_nCurrent + 1 >= m_db.GetCount() ? 0 : m_nCurrent + 1); }

void CAlboraDoc::GoBottom() { GoTo(m_db.GetCount() - 1); }

void CAlboraDoc::Run() {
    m_bRunning = 1;
    m_runTimer.start();
    GoNext();
}

void CAlboraDoc::Stop() {
    m_bRunning = 0;
    m_runTimer.stop();
}

void CAlboraDoc::OnRunTick() {
    // The timer steps even when "Next" is disabled at the last card; the run wraps there.
    if (m_bRunning) GoNext();
}

void CAlboraDoc::DeleteContents() {
    if (m_pDrawLink) m_pDrawLink->Discard();
    m_db.Reset();
    m_nCurrent = -1;
    m_strCurrentFile.clear();
    m_proposedFolder.clear();
}

bool CAlboraDoc::OnOpenDocument(const QString& path) {
    // The album is read aside first: one that cannot be read leaves the open album as it was.
    WaitCursor wait(Ui());
    QString reason;
    const auto contents = AlbumFile::ReadContents(path, &reason);
    if (!contents) {
        Ui().MessageBox(QStringLiteral("Failed to open document.\n%1\n(%2)").arg(path, reason), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }
    CFotoDB read;
    if (!read.Deserialize(*contents)) {
        Ui().MessageBox(QStringLiteral("Fatal Error:\nIn file!"), MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    DeleteContents();
    m_db = std::move(read);
    if (m_db.GetCount() > 0) m_nCurrent = 0;
    return true;
}

bool CAlboraDoc::OnSaveDocument(const QString& path) {
    bool searchOnly = false;
    if (m_db.Found())
        searchOnly = Ui().MessageBox(QStringLiteral("Save the actual search ?"), MsgButtons::YesNo,
                                     MsgIcon::Question) == MsgAnswer::Yes;
    WaitCursor wait(Ui());
    AlbumFolder();  // the file records the folder, so it exists from now on
    QString error;
    if (!AlbumFile::WriteContents(path, m_db.Serialize(searchOnly), &error)) {
        Ui().MessageBox(QStringLiteral("Failed to save document.\n%1").arg(error), MsgButtons::Ok,
                        MsgIcon::Exclamation);
        return false;
    }
    return true;
}

const CardFileResolver& CAlboraDoc::CardFiles() const {
    m_cardFiles.SetAlbum(GetPathName(), m_db.List().m_strDirectory);
    return m_cardFiles;
}

QString CAlboraDoc::CardFile(int index) const {
    const CFotoObj* card = m_db.GetAt(index);
    return card ? CardFiles().Resolve(card->m_strGraphic) : QString();
}
