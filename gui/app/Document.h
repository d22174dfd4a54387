#pragma once

#include "gui/app/CommandTarget.h"

#include <QObject>
#include <QString>

#include <vector>

namespace lumaro::gui {

class CChildFrame;
class CDocTemplate;
class CView;

// Base of the shell's documents: title, path, modified flag, the views onto
// it, and the framework's File Close, Save and Save As. A document lives
// until its last view's frame closes.
class CDocument : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    CDocument();
    ~CDocument() override;

    CDocTemplate* GetDocTemplate() const { return m_template; }
    void SetDocTemplate(CDocTemplate* docTemplate) { m_template = docTemplate; }

    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_pathName; }
    // The path also names the document and enters the recently-used list.
    void SetPathName(const QString& path, bool addToRecent = true);

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const QString& path);
    virtual bool OnSaveDocument(const QString& path);
    // Closes every frame on the document, which goes with the last one.
    virtual void OnCloseDocument();

    // Asks whether to save a modified document: true when it may close.
    virtual bool SaveModified();
    // Saves to path, or asks for one when path is empty or replace is set.
    bool DoSave(const QString& path, bool replace = true);
    bool DoFileSave();
    // A frame may close when another frame still shows the document or the
    // user has dealt with its changes.
    bool CanCloseFrame(CChildFrame* frame);

    const std::vector<CView*>& Views() const { return m_views; }
    void AddView(CView* view);
    void RemoveView(CView* view);
    bool IsClosing() const { return m_closing; }

Q_SIGNALS:
    void TitleChanged();

protected:
    // Shows the text of a message key in a box owned by the main frame.
    void ReportFailure(const std::string& key) const;

private:
    CDocTemplate* m_template = nullptr;
    QString m_title;
    QString m_pathName;
    bool m_modified = false;
    bool m_closing = false;
    std::vector<CView*> m_views;
};

} // namespace lumaro::gui
