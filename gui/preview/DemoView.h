#pragma once

#include "gui/app/View.h"
#include "gui/preview/ModeTestPicture.h"

namespace lumaro::gui {

// The demo view of template 131. Until the players arrive it shows the
// handed-over lamps, fitted and centred as the mode test view shows them.
class CDemoView : public CView {
    Q_OBJECT
public:
    explicit CDemoView(CDocument* document);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CModeTestPicture m_picture;
};

} // namespace lumaro::gui
