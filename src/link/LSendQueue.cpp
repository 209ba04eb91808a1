#include "link/LSendQueue.h"

#include <algorithm>

#include "proto/Commands.h"

bool LSendQueue::SameTarget(const BSTM& a, const BSTM& b)
{
    if (a.size() < 6 || b.size() < 6)
        return false;
    if (a[3] != b[3] || a[5] != b[5])
        return false;
    int n = proto::AddressBytes(a[5]);
    if (n == proto::kWholeFrame)
        return a == b;
    size_t end = 6 + static_cast<size_t>(n);
    if (a.size() < end || b.size() < end)
        return false;
    return std::equal(a.begin() + 6, a.begin() + end, b.begin() + 6);
}

std::optional<BSTM> LSendQueue::Queue(BSTM frame, bool noCoalesce)
{
    uint8_t code = frame.size() > 5 ? frame[5] : 0;
    std::optional<BSTM> out;
    if (!FBusy) {
        FBusy = true;
        out = std::move(frame);
    } else if (noCoalesce) {
        FQueue.push_back(std::move(frame));
        FHasReplaceable = false; // the replaceable frame is no longer the last queued one
    } else if (FHasReplaceable && SameTarget(FQueue.back(), frame)) {
        FQueue.back() = std::move(frame);
    } else {
        FQueue.push_back(std::move(frame));
        FHasReplaceable = true;
    }
    FLastCode = code;
    return out;
}

std::optional<BSTM> LSendQueue::Next()
{
    if (FQueue.empty()) {
        FBusy = false;
        FHasReplaceable = false;
        return std::nullopt;
    }
    BSTM front = std::move(FQueue.front());
    FQueue.pop_front();
    if (FQueue.empty())
        FHasReplaceable = false;
    return front;
}

void LSendQueue::Clear()
{
    FQueue.clear();
    FHasReplaceable = false;
    FBusy = false;
}
