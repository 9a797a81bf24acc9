// The window class (ui/tfrm_vantrel.h) is written once for both toolkits. Its
// declaration carries the markers Qt's meta-object compiler reads: Q_OBJECT,
// and `slots` in `public slots:`. On Win32 events are bound at compile time
// (the form compiler takes a pointer to each method a connection names), so
// there is nothing for the markers to generate: they expand to nothing, and
// `public slots:` is a plain `public:`.
#pragma once

#define Q_OBJECT
#define slots
