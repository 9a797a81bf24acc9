// HandleEventException (application_base.h) for whichever toolkit the build
// has: each toolkit library compiles this file against its own TApplication,
// which it supplies by its plain name.
#include "t_application.h"

namespace vantrel {

bool HandleEventException(const std::exception& error) {
    if (Application == nullptr) {
        return false;
    }
    Application->HandleException(error);
    return true;
}

}  // namespace vantrel
