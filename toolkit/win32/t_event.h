// An event of a control, such as a field's key press or a button's click: at
// most one handler, a method of the form, bound when the form is built from
// its layout.
#pragma once

#include <functional>
#include <utility>

namespace vantrel {

template <class... Args>
class TEvent {
public:
    // The receiver's method must take exactly what the event passes; the
    // form compiler's bindings fail to compile otherwise.
    template <class Receiver>
    void Bind(Receiver* receiver, void (Receiver::*method)(Args...)) {
        handler_ = [receiver, method](Args... args) {
            (receiver->*method)(std::forward<Args>(args)...);
        };
    }

    bool Bound() const { return static_cast<bool>(handler_); }

    // Runs the handler, if one is bound.
    void operator()(Args... args) const {
        if (handler_) {
            handler_(std::forward<Args>(args)...);
        }
    }

private:
    std::function<void(Args...)> handler_;
};

}  // namespace vantrel
