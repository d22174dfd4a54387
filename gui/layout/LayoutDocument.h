#pragma once

#include "core/project/EditImgDoc.h"
#include "gui/app/Document.h"

#include <QUndoStack>

namespace lumaro::gui {

class CEditorApp;

// What a layout edit may change; undo puts it back as it was.
struct CLayoutSnapshot {
    std::vector<CLamp> lamps;
    std::int32_t backgroundTolerance = 0;
    double gridStep = 0.0;
    bool scanned = false;

    bool operator==(const CLayoutSnapshot&) const = default;
};

// The lamp layout document of templates 130 and 169: owns the project data
// and reads and writes it as a layout file.
class CLayoutDocument : public CDocument {
    Q_OBJECT
public:
    static constexpr const char* kLampFilter = "Lamp Files (*.led);;All Files (*.*)";

    CLayoutDocument();

    lumaro::CEditImgDoc& Data() { return m_data; }
    const lumaro::CEditImgDoc& Data() const { return m_data; }

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString& path) override;

    // Save and Save As of the layout: nothing below two lamps, "cport.h"
    // written after each.
    void OnFileSave();
    void OnFileSaveAs();
    // Writes "cport.h" into the application's current directory; false
    // (after the message) when it cannot be written.
    bool WritePortTable();
    // The folder "cport.h" goes to, and the file itself.
    QString PortTablePath() const;

    QUndoStack& UndoStack() { return m_undo; }
    CLayoutSnapshot TakeSnapshot() const;
    void RestoreSnapshot(const CLayoutSnapshot& snapshot);
    // One undo step from before to the layout as it is now; nothing when
    // the edit changed nothing.
    void RecordEdit(const CLayoutSnapshot& before, const QString& text);

private:
    CEditorApp* App() const;
    void ResetUndo();
    void RedrawViews();

    lumaro::CEditImgDoc m_data;
    QUndoStack m_undo;
};

} // namespace lumaro::gui
