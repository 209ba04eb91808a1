// The generic command and reply codes the synchronisation sends and answers to.
#pragma once

namespace synccodes {

constexpr int kConnect = 16;
constexpr int kDisconnect = 17;
constexpr int kIdle = 18;
constexpr int kIdentity = 19;
constexpr int kPresetNumber = 20;
constexpr int kUnitInfo = 25;
constexpr int kRecall = 32;
constexpr int kStore = 33;
constexpr int kParamDump = 34;
constexpr int kFactory = 35;
constexpr int kParamBlock = 36;    // reply to 39
constexpr int kSelectPreset = 36;  // as a command: selects a stored preset for upload
constexpr int kDownloadAck = 37;
constexpr int kReadBlock = 39;
constexpr int kUploadBlock = 40;
constexpr int kPresetName = 41;
constexpr int kCopy = 42;
constexpr int kStatus = 44;
constexpr int kUnlock = 45;
constexpr int kLevels = 64;

}  // namespace synccodes
