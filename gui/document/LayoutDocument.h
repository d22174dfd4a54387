#pragma once

#include "core/effects/CompiledEffects.h"
#include "core/project/EditImgDoc.h"
#include "gui/app/Document.h"
#include "gui/document/ProjectState.h"

#include <QUndoStack>

#include <functional>
#include <memory>

namespace lumaro::gui {

class CEditorApp;

// The lamp layout document of templates 130 and 169: owns the project and
// is the only way to change it. Every change is an edit: a step on the
// document's undo stack, followed by Changed() naming what it touched. The
// modified flag is nothing but "the stack is away from its clean index".
class CLayoutDocument : public CDocument {
    Q_OBJECT
public:
    static constexpr const char* kLampFilter = "Lamp Files (*.led);;All Files (*.*)";

    using Change = std::function<bool(CEditImgDoc&)>;
    using CompiledSnapshot = std::shared_ptr<const CCompiledEffects>;

    CLayoutDocument();

    const CEditImgDoc& Data() const { return m_data; }

    // Runs change on the project as one undo step named text. aspects must
    // cover every member change touches. change returns false to abandon
    // the edit: the project is then put back as it was. Returns whether the
    // project changed. Consecutive edits of one non-zero merge group (a
    // drag, typing in one field) become a single undo step.
    bool Edit(const QString& text, Aspects aspects, const Change& change, int mergeGroup = 0);
    // A merge group no edit has used yet.
    int NewMergeGroup() { return ++m_lastMergeGroup; }

    // "Creat Data": compiles the project as it is now. The result is
    // immutable and shared: a player or emitter holding it keeps reading
    // the same data whatever is compiled after it.
    const CompiledSnapshot& CreateData();
    const CompiledSnapshot& Compiled() const { return m_compiled; }

    bool IsModified() const override { return !m_undo.isClean(); }
    // Only "unmodified" can be set, by saving: the flag follows the stack.
    void SetModifiedFlag(bool modified = true) override;

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;

    // Save and Save As of the layout: nothing below two lamps, "cport.h"
    // written after each.
    void OnFileSave();
    void OnFileSaveAs();
    // Where the project's outputs go ("cport.h", the text outputs, the
    // stamped image): the folder of its own file, however it was opened;
    // the application's current directory while it has no file.
    QString OutputFolder() const;
    // Writes "cport.h" into the output folder; false (after the message)
    // when it cannot be written. Says where in the status bar.
    bool WritePortTable();
    // "cport.h" in the output folder.
    QString PortTablePath() const;

    QUndoStack& UndoStack() { return m_undo; }

    // Takes a project made elsewhere (a file read, a scene conversion
    // preview, a test) as a new, unmodified one without undo history.
    void OpenProject(CEditImgDoc data);

    // Used by the undo steps.
    void ApplyState(const CProjectState& state);

Q_SIGNALS:
    void Changed(lumaro::gui::Aspects what);
    // A new or opened project is about to replace the data.
    void Resetting();
    // A new, empty project is being made (not one read from a file).
    void Creating();
    // A short note for the status bar ("cport.h" written to ...).
    void Note(const QString& text);

private:
    CEditorApp* App() const;

    CEditImgDoc m_data;
    CompiledSnapshot m_compiled;
    QUndoStack m_undo;
    int m_lastMergeGroup = 0;
};

} // namespace lumaro::gui
