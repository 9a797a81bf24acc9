#include "toolkit/qt/t_page_control.h"

#include <QPalette>
#include <QTabBar>

namespace vantrel {

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    tabBar()->setExpanding(false);
}

TTabSheet::TTabSheet(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

}  // namespace vantrel
