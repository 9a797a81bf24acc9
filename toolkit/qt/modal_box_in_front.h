// A modal box that its window must never hide. Where the compositor stacks
// windows as it likes (sway raises a window that is clicked over the box
// that blocks it), the window would sit behind a hidden box ignoring every
// key and click, and the program would look hung.
#pragma once

#include <QMetaObject>

class QWidget;

namespace vantrel {

// While it lives, activating `window` hands the activation on to `box`.
class ModalBoxInFront {
public:
    ModalBoxInFront(const QWidget* window, QWidget& box);
    ~ModalBoxInFront();
    ModalBoxInFront(const ModalBoxInFront&) = delete;
    ModalBoxInFront& operator=(const ModalBoxInFront&) = delete;

private:
    QMetaObject::Connection activation_;
};

}  // namespace vantrel
