#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace lumaro::gui {

class CChildFrame;
class CDocument;
class CEditorApp;
class CView;

// A document type: its resource string, its document and view classes, its
// menu. The frames are always CChildFrame. The template owns its documents.
class CDocTemplate : public QObject {
    Q_OBJECT
public:
    // Fields of the resource string, separated by "\n".
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    enum Confidence {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen
    };

    using DocumentFactory = std::function<CDocument*()>;
    using ViewFactory = std::function<CView*(CDocument*)>;
    // One entry of an accelerator table: a key and the command it sends.
    struct Accelerator {
        QKeySequence key;
        int id = 0;
    };
    using AcceleratorTable = std::vector<Accelerator>;

    CDocTemplate(CEditorApp& app, int resourceId, const QString& resourceString, DocumentFactory makeDocument,
                 ViewFactory makeView, AcceleratorTable accelerators = {});
    ~CDocTemplate() override;

    CEditorApp& App() const { return m_app; }
    int ResourceId() const { return m_resourceId; } // also its menu's id
    QString GetDocString(DocStringIndex index) const;
    // The keys of this document type's frames, looked up before the main
    // frame's while one of them is active.
    const AcceleratorTable& Accelerators() const { return m_accelerators; }

    // A new untitled document (path empty) or the file at path, in a new
    // child frame; nullptr when it could not be created or read.
    CDocument* OpenDocumentFile(const QString& path, bool makeVisible = true);
    // Another frame with a view of this template on an open document.
    CChildFrame* CreateNewFrame(CDocument* document);
    void InitialUpdateFrame(CChildFrame* frame, bool makeVisible = true);

    Confidence MatchDocType(const QString& path, CDocument*& alreadyOpen) const;

    const std::vector<CDocument*>& Documents() const { return m_documents; }
    void AddDocument(CDocument* document);
    // Takes the document off the list and deletes it once control returns
    // to the event loop, since it may still be on the call stack.
    void RemoveDocument(CDocument* document);

private:
    CEditorApp& m_app;
    int m_resourceId;
    QStringList m_fields;
    DocumentFactory m_makeDocument;
    ViewFactory m_makeView;
    AcceleratorTable m_accelerators;
    std::vector<CDocument*> m_documents;
    int m_untitledCount = 0;
};

} // namespace lumaro::gui
