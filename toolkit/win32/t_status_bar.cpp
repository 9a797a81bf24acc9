#include "t_status_bar.h"

#include <commctrl.h>

namespace vantrel {

TStatusBar::TStatusBar(TControl& parent, const ControlSpec& creation) : TControl(parent, creation) {
    CreateHandle(STATUSCLASSNAMEW,
                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE);
}

}  // namespace vantrel
