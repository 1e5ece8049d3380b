#include "Document.h"

#include "UiServices.h"

#include <QFileInfo>
#include <algorithm>

View::~View() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

Document::Document(UiServices& ui) : m_ui(ui) {}

Document::~Document() {
    for (View* view : m_views) view->m_pDocument = nullptr;
}

void Document::AddView(View* view) {
    if (view->m_pDocument) view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void Document::RemoveView(View* view) {
    std::erase(m_views, view);
    view->m_pDocument = nullptr;
}

void Document::UpdateAllViews(View* sender, int hint, void* object) {
    // A view may add or remove views while it updates; walk a copy.
    const std::vector<View*> views = m_views;
    for (View* view : views)
        if (view != sender) view->OnUpdate(sender, hint, object);
}

void Document::SetModifiedFlag(bool modified) {
    if (m_bModified == modified) return;
    m_bModified = modified;
    Q_EMIT titleChanged();
}

void Document::SetPathName(const QString& path) {
    m_strPathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    Q_EMIT titleChanged();
}

QString Document::GetTitle() const {
    return m_strPathName.isEmpty() ? QStringLiteral("Untitled")
                                   : QFileInfo(m_strPathName).completeBaseName();
}

bool Document::OnNewDocument() {
    DeleteContents();
    SetPathName({});
    SetModifiedFlag(false);
    return true;
}

bool Document::FileNew() {
    if (!SaveModified() || !OnNewDocument()) return false;
    UpdateAllViews(nullptr, 0);
    return true;
}

bool Document::FileOpen(const QString& path) {
    // A file that cannot be read leaves the open document, its name and its changes as they were.
    if (!SaveModified() || !OnOpenDocument(path)) return false;
    SetPathName(path);
    SetModifiedFlag(false);
    UpdateAllViews(nullptr, 0);
    return true;
}

bool Document::FileSave() {
    if (m_strPathName.isEmpty()) return FileSaveAs();
    return DoSave(m_strPathName);
}

bool Document::FileSaveAs() {
    QString suggested = m_strPathName.isEmpty() ? GetTitle() + DefaultExtension() : m_strPathName;
    const auto path =
        m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Save As"), FileFilter(), suggested);
    if (!path) return false;
    QString target = *path;
    if (QFileInfo(target).suffix().isEmpty()) target += DefaultExtension();
    return DoSave(target);
}

bool Document::DoSave(const QString& path) {
    if (!OnSaveDocument(path)) return false;
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool Document::SaveModified() {
    if (!m_bModified) return true;
    const MsgAnswer answer = m_ui.MessageBox(QStringLiteral("Save changes to %1?").arg(GetTitle()),
                                             MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    switch (answer) {
        case MsgAnswer::Cancel: return false;
        case MsgAnswer::No: return true;
        default: return FileSave();
    }
}
