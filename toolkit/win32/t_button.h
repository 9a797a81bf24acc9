// A push button of the layout. Neither button of a form is its default or
// cancel button, so Enter and Esc never click one behind the user's back.
#pragma once

#include "t_control.h"
#include "t_event.h"

namespace vantrel {

class TButton : public TControl {
public:
    TButton(TControl& parent, const ControlSpec& creation);

    // A click, by mouse or by Space. Named as the layout's connections name
    // the signal.
    TEvent<> clicked;

protected:
    void Command(WORD code) override;
};

}  // namespace vantrel
