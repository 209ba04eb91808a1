// The reply dispatcher and the connection state machine: the connect handshake and identity
// check, the status and unlock, the full read of the device's settings into the model, and every
// multi-step operation that goes on by the device's acknowledgements (store, recall, factory
// default, channel copy, link change, unit upload and download, preset-file load).
// Owned by the link session beside the model; user-interface thread only. It sends through the
// model's CommandSink, reaches the link and its timers through LSyncLink and the windows through
// LSyncView; all three must outlive it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "model/CommandSink.h"
#include "model/LSyncLink.h"
#include "model/LSyncView.h"
#include "model/LUnitControl.h"
#include "model/LUnitFile.h"
#include "proto/LCmd.h"

// Which operation the next acknowledgement continues.
enum LProcessState : int {
    PS_IDLE = 0,
    PS_RECALL = 1,
    PS_STORE_NAME = 2,
    PS_FACTORY = 3,
    PS_UPLOAD = 4,
    PS_DOWNLOAD = 5,
    PS_RESYNC = 6,
    PS_LOCKED = 8,
    PS_STORE = 9,
    PS_DOWNLOAD_FACTORY = 10,
};

class LSyncMachine
{
  public:
    LSyncMachine(LUnitControl& unit, CommandSink& sink, LSyncLink& link, LSyncView& view);

    // ---- link events (from the link core) ----
    // A transport was opened; the link core sends the connect request 16 itself.
    void OnLinkOpened();
    // The link closed: by the editor (lost false) or because the device stopped answering.
    void OnLinkClosed(bool lost);
    // One complete reply frame. answered: the code of the request the link saw it answer, 0 when it
    // cannot tell; an acknowledgement known to answer another request than the step waits for is
    // not taken as the step's.
    void DispatchReply(const BSTM& frame, uint8_t answered = 0);
    void DispatchReply(const LCmd& reply, uint8_t answered = 0);
    void OnTimer(LSyncTimer timer);

    // ---- operations the user starts ----
    // False when nothing was stored (offline, another operation running, no such preset).
    bool StorePreset(int k, std::span<const uint8_t, kPresetNameSize> name);
    void RecallPreset(int p);
    // File menu Factory Default: confirms through the factory dialog when connected.
    bool CanFactoryReset();
    void FactoryReset();
    void StartUnitUpload();
    void StartUnitDownload();
    // Reads a preset file into the model and sends it; errors go to the information dialog.
    bool OpenPresetFile(const std::string& path);
    // Channel copy (the device copies and the settings are read again when connected).
    // False when source and target are not two channels of one kind.
    bool CopyChannel(int source, int target, bool withState);
    void SetLink(int ch, uint16_t word);
    void ResyncAllParams();
    // The link dialog's Set: words[i] is the group of channel i as the grid shows it (bit j =
    // channel j of the same kind). Per leader in channel order: each newly joined member (joined is
    // told, then the leader is copied onto it), then the leader's word when it changed; at the end a
    // resync. False when nothing changed.
    bool ApplyLinkWords(const std::array<uint16_t, kChannelCount>& words,
                        const std::function<void(int leader, int member)>& joined = {});

    // ---- unlock prompt and lock setup ----
    void SubmitPassword(const std::string& text);
    void CancelUnlock();
    void SetLockPassword(const std::string& text);
    // Four bytes as both lock commands carry them: upper case, cut at four, zero-padded.
    static std::array<char, 4> PasswordBytes(const std::string& text);

    // ---- state, for the windows and tests ----
    int ProcessState() const { return FProcessState; }
    bool Connected() const { return FConnected; }
    bool Online() const { return FOnline; }
    bool ConnectPending() const { return FConnectPending; }
    int PresetNumber() const { return FPresetNumber; }
    int ProgressPosition() const { return FProgressPos; }
    int ProgressMax() const { return FProgressMax; }
    bool Busy() const { return FBusy; }

    static constexpr int kNameRequests = kUserPresets;

  private:
    enum class Read { None, Dump, Number, Names, Blocks };
    enum class Op { None, Read, Store, Recall, Factory, Upload, Download, PresetLoad };

    void Send(int code);
    void Send(int code, int b1);
    void SendCoalescing(int code);
    void SendCmd(const LCmd& cmd, bool noCoalesce);
    void LevelPollOff();
    void Progress(int position, int max);
    void Progress(int position) { Progress(position, FProgressMax); }
    // Ends the running operation's dialog and restarts the level poll.
    void FinishOperation();
    // A reply the running operation cannot use: end it and tell the user.
    void AbortOperation(const std::string& key);
    void ResetOperation();

    void OnAck(uint8_t answered);
    bool AckFitsState(uint8_t answered) const;
    // An operation waits on the device: the full read, a stored-preset or file operation, a resync.
    bool OperationRunning() const;
    // Keeps the idle poll off while an operation runs (called as each entry returns).
    void HoldPoll();
    struct PollSync {
        LSyncMachine& Machine;
        ~PollSync() { Machine.HoldPoll(); }
    };
    void OnConnectReply();
    void OnIdentityReply(std::span<const uint8_t> p);
    void OnStatusReply(std::span<const uint8_t> p);
    void OnParamDumpReply(std::span<const uint8_t> p);
    void OnPresetNumberReply(std::span<const uint8_t> p);
    void OnPresetNameReply(std::span<const uint8_t> p);
    void OnParamBlockReply(std::span<const uint8_t> p);
    void OnUnitInfoReply(std::span<const uint8_t> p);
    void OnUploadBlockReply(std::span<const uint8_t> p);
    void OnDownloadAck(std::span<const uint8_t> p);
    void OnUnlockReply(std::span<const uint8_t> p);
    void OnLevelReply(std::span<const uint8_t> p);
    void WrongDevice(const std::string& key);

    // The full read from the dump request on (34 sent).
    void RequestDump(bool coalescing);
    void RequestUploadPreset(int p);
    void DownloadNextPreset();
    void SendDownloadChunk(int chunk);
    void FinishDownload();
    void SaveUploadedUnit();
    // The unit information and every stored preset as the upload left them in the model's slots.
    LUnitImage UploadedUnit() const;
    void OnCheckTimer();

    LUnitControl& FUnit;
    CommandSink& FSink;
    LSyncLink& FLink;
    LSyncView& FView;

    bool FConnectPending = false;
    bool FConnected = false;
    bool FOnline = false;
    bool FStatusAsked = false; // the status request 44 of this link's handshake is unanswered
    int FProcessState = PS_IDLE;
    int FPresetNumber = 0;
    int FPresetResend = 0;
    Op FOp = Op::None;
    Read FRead = Read::None;
    int FNextName = 0;
    int FNextBlock = 0;
    bool FBusy = false;
    bool FProgressPending = false; // tmProcessShow is due to show the progress dialog
    int FProgressPos = 0;
    int FProgressMax = 0;

    int FUploadIndex = 255;
    int FUploadBlock = 0;
    int FDownloadIndex = 1;
    int FDownloadChunk = 0;
    LUnitImage FDownload;
    LUnitImage FUploaded; // taken when the upload ends, written by the save step

    uint8_t FResultState = 255;
    int FCheckTicks = 0;
    bool FUnlockOpen = false;
    bool FPollOff = false;  // the handshake turned the idle poll off (another identity)
    bool FPollHeld = false; // the idle poll is held off for a running operation
};
