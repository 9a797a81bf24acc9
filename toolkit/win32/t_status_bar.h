// The status bar along the bottom of a form, where the layout puts it rather
// than where a status bar would put itself. Forms have a fixed border, so it
// shows no size grip to drag.
#pragma once

#include "t_control.h"

namespace vantrel {

class TStatusBar : public TControl {
public:
    TStatusBar(TControl& parent, const ControlSpec& creation);
};

}  // namespace vantrel
