// The main window as the link session's view: what the synchronisation machine and the link show.
#include "app/main/TfmMain.h"

#include "model/LUnitControl.h"

namespace app
{

void TfmMain::ConnectLinkHandlers() {}

void TfmMain::OtherDeviceReply() {}
void TfmMain::SetConnectResult(int) {}
void TfmMain::HideScan() {}
void TfmMain::ReportLinkLost()
{
    FOnline = false;
}
void TfmMain::SetProgressStatus(const std::string&) {}
void TfmMain::SetProgress(int, int) {}
void TfmMain::ShowProgress(bool) {}
void TfmMain::CloseProgress() {}
void TfmMain::ShowInformation(const std::string&) {}
void TfmMain::ShowMessage(const std::string&) {}
void TfmMain::SetOnline(const std::string&)
{
    FOnline = true;
}
void TfmMain::SetLinkControlsEnabled(bool) {}
void TfmMain::SetMainEnabled(bool) {}
void TfmMain::SetPresetLabels(const std::string&, const std::string&) {}
void TfmMain::ShowAllParams()
{
    ShowAllParams(FUnit);
}
std::string TfmMain::ChooseUnitSaveFile()
{
    return {};
}
std::string TfmMain::ChooseUnitOpenFile()
{
    return {};
}
void TfmMain::ShowOffline()
{
    FOnline = false;
}

} // namespace app
