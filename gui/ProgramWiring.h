#pragma once

#include "gui/app/EditorApp.h"

namespace lumaro::gui {

// The one place where the program is put together: which document and view
// classes each template makes, each template's accelerator table, and the
// features' commands and hooks. Fills those fields of options.
CEditorApp::Options WireProgram(CEditorApp::Options options);

} // namespace lumaro::gui
