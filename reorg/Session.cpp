#include "reorg/Session.h"

#include "errors/Trap.h"
#include "files/StartDate.h"

namespace torvane {

Session::Session(Env& environment, const Clock& systemClock, ErrorDialogFactory& dialogs)
    : env(environment),
      clock(systemClock),
      errors(environment, systemClock, dialogs, workspace.temppfad),
      files(environment, errors, workspace),
      databases(environment, errors, files.paths)
{
}

void Session::load()
{
    Trap trap(errors, "Error in FRMHaupt: Sub Form_Load");
    trap([&] { workspace.temppfad = files.staging.TempDirectory(); });
    trap([&] { datumzerlegen(clock, errors, workspace); });
}

} // namespace torvane
