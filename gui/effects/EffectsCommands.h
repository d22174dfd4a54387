#pragma once

#include "gui/app/CommandTarget.h"

#include <QString>

#include <functional>

class QWidget;

namespace lumaro::gui {

class CEditorApp;
class CLayoutDocument;

// The effect commands of the main frame's menus: "Use Wizard" opens the
// scene editor on the active layout.
class CEffectsCommands : public CCommandTarget {
public:
    explicit CEffectsCommands(CEditorApp& app);

    void OnFileWizard();

    // Called by the scene editor's Save/Create once "cport.h" is written:
    // the firmware build's hand-over point.
    std::function<void(CLayoutDocument&, QWidget* owner,
                       std::function<void(const QString& source, const QString& image)> built)>
        buildFirmware;

private:
    void RunSceneEditor(CLayoutDocument& document);

    CEditorApp& m_app;
};

} // namespace lumaro::gui
