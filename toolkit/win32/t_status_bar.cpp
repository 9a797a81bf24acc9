#include "t_status_bar.h"

#include <commctrl.h>

namespace vantrel {

TStatusBar::TStatusBar(TControl& parent, std::string_view name) : TControl(&parent, name) {
    CreateHandle(STATUSCLASSNAMEW,
                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE);
}

}  // namespace vantrel
