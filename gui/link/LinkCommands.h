#pragma once

#include "gui/app/CommandTarget.h"

#include <QString>

namespace lumaro::gui {

class CEditorApp;

// The controller link's commands: "Write To Controller" opens the HEX
// download dialog, and so does a build that was asked to write its image.
// Holds the program's linked flag, which outlives each dialog.
class CLinkCommands : public CCommandTarget {
public:
    explicit CLinkCommands(CEditorApp& app);

    // Write To Controller (32844): the download dialog with no file chosen.
    void OnWriteToController();
    // The download dialog with image already chosen; it is offered again
    // the next time the dialog opens with none.
    void OpenDownloadDialog(const QString& image);
    // An image a build has just made, offered by the next dialog.
    void RememberImage(const QString& image) { m_lastImage = image; }

    bool Linked() const { return m_linked; }

private:
    CEditorApp& m_app;
    bool m_linked = false;
    QString m_lastImage;
};

} // namespace lumaro::gui
