#pragma once

namespace lumaro::gui {

class CEditorApp;
class CLayoutDocument;

// Use Wizard: the scene editor, modal over the main frame, on document.
void RunSceneEditor(CEditorApp& app, CLayoutDocument& document);

} // namespace lumaro::gui
