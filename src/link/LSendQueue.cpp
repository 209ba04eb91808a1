#include "link/LSendQueue.h"

#include <algorithm>

int LSendQueue::AddressBytes(uint8_t code) {
  switch (code) {
    case 4: case 16: case 17: case 18: case 19: case 20: case 21: case 34: case 35: case 44: case 57: case 64:
      return 0;  // one setting of the whole device
    case 48: case 49: case 50: case 52: case 53: case 54: case 56: case 58: case 59: case 60: case 61:
    case 62: case 63: case 73:
      return 1;  // channel
    case 51: case 65: case 72:
      return 2;  // channel and band, or output and input
    default:
      return -1;  // unknown layout: only an identical frame is the same target
  }
}

bool LSendQueue::SameTarget(const BSTM& a, const BSTM& b) {
  if (a.size() < 6 || b.size() < 6) return false;
  if (a[3] != b[3] || a[5] != b[5]) return false;
  int n = AddressBytes(a[5]);
  if (n < 0) return a == b;
  size_t end = 6 + static_cast<size_t>(n);
  if (a.size() < end || b.size() < end) return false;
  return std::equal(a.begin() + 6, a.begin() + end, b.begin() + 6);
}

std::optional<BSTM> LSendQueue::Queue(BSTM frame, bool noCoalesce) {
  uint8_t code = frame.size() > 5 ? frame[5] : 0;
  std::optional<BSTM> out;
  if (!FBusy) {
    FBusy = true;
    out = std::move(frame);
  } else if (noCoalesce) {
    FQueue.push_back(std::move(frame));
    FHasReplaceable = false;  // the replaceable frame is no longer the last queued one
  } else if (FHasReplaceable && SameTarget(FQueue.back(), frame)) {
    FQueue.back() = std::move(frame);
  } else {
    FQueue.push_back(std::move(frame));
    FHasReplaceable = true;
  }
  FLastCode = code;
  return out;
}

std::optional<BSTM> LSendQueue::Next() {
  if (FQueue.empty()) {
    FBusy = false;
    FHasReplaceable = false;
    return std::nullopt;
  }
  BSTM front = std::move(FQueue.front());
  FQueue.pop_front();
  if (FQueue.empty()) FHasReplaceable = false;
  return front;
}

void LSendQueue::Clear() {
  FQueue.clear();
  FHasReplaceable = false;
  FBusy = false;
}
