// The live levels: the level poll and the meters and lamps it feeds.
#include "app/main/TfmMain.h"

namespace app
{

void TfmMain::SetLevelPoll(bool on)
{
    FLevelPoll = on;
}
void TfmMain::OnLevelReply(std::span<const uint8_t>) {}

} // namespace app
