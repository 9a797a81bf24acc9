#include "t_button.h"

#include <commctrl.h>

#include "t_application.h"

namespace vantrel {

TButton::TButton(TControl& parent, const ControlSpec& creation) : TControl(parent, creation) {
    CreateHandle(WC_BUTTONW, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON);
}

void TButton::Command(WORD code) {
    if (code == BN_CLICKED) {
        RunEventMethod([this] { clicked(); });
    }
}

}  // namespace vantrel
