#include "RecordingView.h"

#include <algorithm>

std::vector<uint8_t> RecordingView::SentCodes() const
{
    std::vector<uint8_t> codes;
    for (const BSTM& f : FSent)
        codes.push_back(f.size() > 5 ? f[5] : 0);
    return codes;
}

bool RecordingView::HasEvent(const std::string& e) const
{
    return std::find(FEvents.begin(), FEvents.end(), e) != FEvents.end();
}

void RecordingView::RecordSent(const LCmd& cmd, bool noCoalesce)
{
    FSent.push_back(BuildFrame(cmd));
    FSentCoalescing.push_back(!noCoalesce);
}
