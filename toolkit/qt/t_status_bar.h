// The status bar along the bottom of a form. Forms have a fixed border, so it
// shows no size grip to drag.
#pragma once

#include <QStatusBar>

namespace vantrel {

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr) : QStatusBar(parent) {
        setSizeGripEnabled(false);
    }
};

}  // namespace vantrel
