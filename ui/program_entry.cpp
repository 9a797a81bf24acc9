#include "ui/program_entry.h"

#include "t_application.h"
#include "ui/app_identity.h"
#include "ui/tfrm_vantrel.h"

namespace vantrel {

int RunVantrel(int& argc, char** argv) {
    TApplication application(argc, argv);
    return application.Guarded([&] {
        application.Initialize();
        ApplyAppIdentity();
        UseProgramLanguage();
        application.CreateForm(Frm_vantrel);
        application.Run();
    });
}

}  // namespace vantrel
