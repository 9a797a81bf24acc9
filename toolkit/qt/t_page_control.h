// A page control and its sheets. Tabs along the top always show their whole
// captions: the strip neither scrolls nor elides. The layout sizes the
// control so that its tabs fit in one row at every density (the whole window
// scales together), which Qt's tab bar requires since it cannot wrap tabs
// onto further rows.
#pragma once

#include <QTabWidget>
#include <QWidget>

namespace vantrel {

// Ctrl+Tab and Ctrl+PgDn show the next sheet, Ctrl+Shift+Tab and Ctrl+PgUp
// the previous one, from anywhere in the window, going round from the last
// sheet to the first and back, as on Windows.
class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    // Shows the sheet `step` tabs on, going round.
    void StepPage(int step);
};

// One page of a page control; shows the form's button-face colour.
class TTabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TTabSheet(QWidget* parent = nullptr);
};

}  // namespace vantrel
