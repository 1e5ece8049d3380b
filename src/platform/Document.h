#pragma once

#include <QObject>
#include <QString>
#include <vector>

class Document;

// An observer of one document. Views stay in step only through OnUpdate: a numeric hint says what
// changed, OBJECT optionally names it.
class View {
public:
    virtual ~View();

    virtual void OnUpdate(View* sender, int hint, void* object) = 0;
    // Sent when the view's tab is hidden (shown false, OTHER the view coming forward) or shown
    // (shown true, OTHER the view that was in front).
    virtual void OnTabActivation(bool /*shown*/, View* /*other*/) {}
    // The program is about to end: a view with unsaved work of its own asks about it now.
    virtual void PrepareToClose() {}

    Document* GetDocument() const { return m_pDocument; }

private:
    friend class Document;
    Document* m_pDocument = nullptr;
};

class UiServices;

// The document/view base: the views, the modified flag, the file name, and the framework's
// new/open/save steps that a concrete document fills in.
class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(UiServices& ui);
    ~Document() override;

    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& Views() const { return m_views; }
    void UpdateAllViews(View* sender, int hint = 0, void* object = nullptr);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);
    // The file name without folder and extension, or "Untitled".
    QString GetTitle() const;

    // The framework's File commands. Each returns false when the user cancelled or it failed.
    bool FileNew();
    bool FileOpen(const QString& path);
    bool FileSave();
    bool FileSaveAs();
    // Asks whether to save a modified document; false when the user cancelled or saving failed.
    // A document holding further work of its own asks about that too.
    virtual bool SaveModified();

    UiServices& Ui() const { return m_ui; }

Q_SIGNALS:
    void titleChanged();

protected:
    virtual bool OnNewDocument();
    // Reads PATH; when it cannot, the document must be left exactly as it was.
    virtual bool OnOpenDocument(const QString& path) = 0;
    virtual bool OnSaveDocument(const QString& path) = 0;
    virtual void DeleteContents() = 0;
    // The Save As dialog's filter and the extension added to a name typed without one.
    virtual QString FileFilter() const = 0;
    virtual QString DefaultExtension() const = 0;

private:
    bool DoSave(const QString& path);

    UiServices& m_ui;
    std::vector<View*> m_views;
    QString m_strPathName;
    bool m_bModified = false;
};
