#include "ui/program_entry.h"

#include "toolkit/qt/t_application.h"
#include "ui/tfrm_vantrel.h"

#if VANTREL_APP_IDENTITY
#include "packaging/icons/app_identity.h"
#endif

namespace vantrel {

int RunVantrel(int& argc, char** argv) {
    TApplication application(argc, argv);
    return application.Guarded([&] {
        application.Initialize();
#if VANTREL_APP_IDENTITY
        ApplyAppIdentity();
#endif
        application.CreateForm(Frm_vantrel);
        application.Run();
    });
}

}  // namespace vantrel
