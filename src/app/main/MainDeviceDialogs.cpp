// The device dialogs on the main window: presets, channel link and copy, panel lock, channel names.
#include "app/main/TfmMain.h"

namespace app
{

void TfmMain::ConnectDeviceDialogHandlers() {}

void TfmMain::ShowPresetName(int, const std::string&) {}
void TfmMain::ShowUnlockPrompt() {}
void TfmMain::ResetUnlockEdit() {}
void TfmMain::CloseUnlockPrompt() {}
void TfmMain::CloseLockSetup() {}

} // namespace app
