// Editing on the pages' channel controls: PEQ, crossovers, the graphs' mouse, overlays, channel strip.
#include "app/main/TfmMain.h"

namespace app
{

void TfmMain::ConnectEditingHandlers() {}

} // namespace app
