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
    FLastCode = code;
    if (!FBusy) {
        FBusy = true;
        return frame;
    }
    const Kind kind = noCoalesce ? Kind::Operation : proto::IsEdit(code) ? Kind::Edit : Kind::Request;
    if (kind == Kind::Edit) {
        // Back to the last operation: an edit never moves across one.
        for (size_t i = FQueue.size(); i-- > 0 && FKinds[i] != Kind::Operation;) {
            if (FKinds[i] == Kind::Edit && SameTarget(FQueue[i], frame)) {
                FQueue[i] = std::move(frame);
                return std::nullopt;
            }
        }
    } else if (kind == Kind::Request && !FQueue.empty() && FKinds.back() == Kind::Request &&
               SameTarget(FQueue.back(), frame)) {
        FQueue.back() = std::move(frame);
        return std::nullopt;
    }
    FQueue.push_back(std::move(frame));
    FKinds.push_back(kind);
    return std::nullopt;
}

std::optional<BSTM> LSendQueue::Next()
{
    if (FQueue.empty()) {
        FBusy = false;
        return std::nullopt;
    }
    BSTM front = std::move(FQueue.front());
    FQueue.pop_front();
    FKinds.pop_front();
    return front;
}

void LSendQueue::Clear()
{
    FQueue.clear();
    FKinds.clear();
    FBusy = false;
}
