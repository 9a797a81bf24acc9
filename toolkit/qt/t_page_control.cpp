#include "toolkit/qt/t_page_control.h"

#include <QKeySequence>
#include <QPalette>
#include <QShortcut>
#include <QTabBar>
#include <utility>

namespace vantrel {

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    tabBar()->setExpanding(false);
    // Shortcuts of the whole window: QTabWidget itself takes Ctrl+Tab only
    // while the focus is inside it, and Ctrl+PgDn and Ctrl+PgUp not at all.
    // Qt reports Shift+Tab as Backtab, and matches a Backtab reported
    // without Shift as one with it.
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    };
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { StepPage(step); });
    }
}

void TPageControl::StepPage(int step) {
    if (count() > 0) {
        setCurrentIndex(((currentIndex() + step) % count() + count()) % count());
    }
}

TTabSheet::TTabSheet(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

}  // namespace vantrel
