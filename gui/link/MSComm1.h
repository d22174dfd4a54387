#pragma once

#include "gui/link/MSComm.h"

namespace lumaro::gui {

// The same control in the Edit Scene dialog's download group.
class CMSComm1 : public CMSComm {
    Q_OBJECT
public:
    using CMSComm::CMSComm;
};

} // namespace lumaro::gui
