#include "reorg/Session.h"

#include "errors/Trap.h"
#include "files/StartDate.h"

namespace torvane {

Session::Session(Env& environment, const Clock& systemClock, ErrorDialogFactory& dialogs)
    : env(environment),
      clock(systemClock),
      errors(environment, systemClock, dialogs, workspace.temppfad),
      paths(environment, errors),
      staging(environment, errors, paths, workspace),
      copies(environment, errors, paths),
      templates(environment, errors, paths, workspace),
      dataPath(environment, errors, paths, workspace),
      sets(environment, errors, paths),
      keyed(sets, errors),
      fitting(errors)
{
}

void Session::load()
{
    Trap trap(errors, "Error in FRMHaupt: Sub Form_Load");
    trap([&] { workspace.temppfad = staging.TempDirectory(); });
    trap([&] { datumzerlegen(clock, errors, workspace); });
}

} // namespace torvane
