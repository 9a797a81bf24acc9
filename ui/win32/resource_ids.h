// Identifiers of the program's resources (vantrel.rc), for the code that
// loads them.
#pragma once

// The application icon: the first icon of the program, which Explorer shows.
#define VANTREL_ICON 1
