// A push button of the layout. Neither button of a form is its default or
// cancel button, so Enter and Esc never click one behind the user's back.
#pragma once

#include <QPushButton>

namespace vantrel {

class TButton : public QPushButton {
    Q_OBJECT
public:
    explicit TButton(QWidget* parent = nullptr) : QPushButton(parent) {
        setAutoDefault(false);
        setDefault(false);
    }
};

}  // namespace vantrel
