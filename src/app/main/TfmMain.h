// TfmMain: the editor's main window. It owns the parameter model, the fourteen response computations
// and every control of the 16 pages (built from the layout tables), and it is the link session's view;
// edits reach the device through the model and the session alone. One class, defined across the files of this
// folder by concern (creation, language, menus and navigation, refresh, resize). UI thread only.
#pragma once

#include "framework/Control.h"
#include "runtime/Timer.h"
#include "session/LSessionView.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QScrollArea;
class LUnitControl;
class LLinkSession;
class Plot;
class THxHidDeviceController;
class THxHidDevice;

namespace platform
{
class HidBackend;
}

namespace graph
{
class LMyFFTDrawHpLp6dB;
}

namespace eq
{
class TMyPEQType8;
}

namespace sk
{
class TSkBmpButton;
class TSkLabel;
} // namespace sk

namespace app
{

struct Item;
class TfmExit;
class TfmTest;
class TDialogs;
class TfmNetwork;
class TfmNetworkSetup;
class TfmHidData;

// The dialogs of the link: the scan, the ID/IP setup and the traffic log (created on first use).
struct TLinkDialogs {
    explicit TLinkDialogs(class TfmMain* main);
    ~TLinkDialogs();
    std::unique_ptr<TfmNetwork> fmNetwork;
    std::unique_ptr<TfmNetworkSetup> fmNetworkSetup;
    std::unique_ptr<TfmHidData> fmHidData;
};
struct TDeviceDialogs;
class DelayPage;
struct RouteSegment;
class TPaintBox;

class TfmMain : public fw::TForm, public LSessionView
{
  public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // Creation sequence; the constructor runs it.
    void FormCreate();
    // Close request (title bar, system menu, exit dialog): refused until the exit is confirmed.
    void FormClose(bool& allowClose);
    void FormResize();

    // Dialog windows, created after the main window (the entry point and tests call it).
    void CreateDialogs();
    TDialogs* Dialogs() const { return FDialogs.get(); }

    // Language.
    QString LookupText(const QString& key) const;
    void ApplyLanguage();
    void LanguageClick(QAction* item);
    const QString& Language() const { return FLanguage; }

    // Navigation and menus.
    void rzbMenuInAClick(fw::TControl* Sender);
    QAction* MenuItem(const QString& name) const;
    int GetLink(int ch) const;
    int LeaderOf(int ch) const; // -1: no channel of ch's kind has ch in its link word

    // Refresh of every control from the model.
    void ShowAllParams(LUnitControl* unit);

    // Operations the dialogs call.
    void SetExitConfirmed(bool v) { FExitConfirmed = v; }
    // Exit confirmed: the polls stop and the disconnect goes out behind the edits still queued;
    // sending() runs first when some are. Only a lost link ends that wait, and the window then
    // says that the last edits did not reach the device.
    void DisconnectForExit(const std::function<void()>& sending);
    void ResetPeqBands(int channel);
    void ResetGeqBands(int target);
    void FactoryReset();

    int GetDeviceId() const { return FDeviceId; }

    // LSessionView (MainSessionView.cpp).
    bool IsUpdating() const override { return FUpdating; }
    void MarkChannelCurvesDirty(int ch) override;
    void ShowPresetName(int p, const std::string& name) override;
    void OtherDeviceReply() override;
    void SetConnectResult(int result) override;
    void HideScan() override;
    void ReportLinkLost() override;
    void SetProgressStatus(const std::string& key) override;
    void SetProgress(int position, int max) override;
    void ShowProgress(bool modal) override;
    void CloseProgress() override;
    void ShowInformation(const std::string& key) override;
    void ShowMessage(const std::string& text) override;
    void SetOnline(const std::string& interfaceName) override;
    void SetLinkControlsEnabled(bool enabled) override;
    void SetMainEnabled(bool enabled) override;
    void SetPresetLabels(const std::string& number, const std::string& name) override;
    void ShowAllParams() override;
    void SetLevelPoll(bool on) override;
    void OnLevelReply(std::span<const uint8_t> payload) override;
    void ShowUnlockPrompt() override;
    void ResetUnlockEdit() override;
    void CloseUnlockPrompt() override;
    void CloseLockSetup() override;
    std::string ChooseUnitSaveFile() override;
    std::string ChooseUnitOpenFile() override;
    void ShowOffline() override;

    LUnitControl* Unit() const { return FUnit; }
    LLinkSession& Session() const { return *FSession; }
    Plot* Plots(int i) const { return FPlots[std::size_t(i)].get(); }
    int CurrentPage() const { return FCurrentPage; }
    int ExtraHeight() const { return FExtraHeight; }
    bool Online() const { return FOnline; }
    // The level poll runs (the machine starts it when a full read is over).
    bool LevelPollOn() const { return FLevelPoll; }
    void SetOnlineState(bool v) { FOnline = v; }
    int CompChannel() const { return FCompChannel; }
    int GateChannel() const { return FGateChannel; }
    void SetGateChannel(int v) { FGateChannel = v; }
    int PresetNumber() const { return FPresetNumber; }
    void SetPresetNumber(int v) { FPresetNumber = v; }
    unsigned CurveDirty(int graph) const { return FCurveDirty[std::size_t(graph)]; }
    // The size the resize rules read: the client plus the frame allowance.
    int OuterWidth() const;
    int OuterHeight() const;
    // Set by the failing step when the skin copy met a missing control (creation stopped there).
    const QString& CreationStoppedAt() const { return FCreationStoppedAt; }
    // The last scroll-bar decision of FormResize.
    bool AutoScroll() const { return FAutoScroll; }

    template <class T> T* Get(const QString& name) { return dynamic_cast<T*>(FindComponent(name)); }

    // The controls are being filled from the model: handlers store and send nothing.
    bool& UpdatingFlag() { return FUpdating; }

    // The pages (src/app/pages/).
    DelayPage& Delay() const { return *FDelayPage; }

    // ---- Link: opening and closing links, the scan, ID/IP setup and traffic log, the File menu's
    // files (MainLink.cpp, MainFiles.cpp, MainSessionView.cpp) ----
  public:
    // Starts the link side: the HID controller over this backend (none: no HID) and, when
    // connectNow, the start-connect timer that presses the link button once from the event loop.
    void StartLink(std::shared_ptr<platform::HidBackend> hid, bool connectNow);
    TLinkDialogs& LinkDialogs();
    THxHidDeviceController* HidCtl() const { return FHidCtl.get(); }

    // What the scan dialog asks and calls.
    bool HasHidDevice() const;
    bool HasNetAddress() const { return FNetAddress != 0; }
    uint32_t GetNetAddress() const { return FNetAddress; }
    // Points the client socket at the address (first octet most significant) and connects it.
    void ApplyNetAddress(uint32_t address);
    void SetNetAddress(uint32_t address) { FNetAddress = address; }
    void SetAutoNetSetting(int value) { FAutoNetSetting = value; }
    void SetComPort(const std::string& path) { FComPort = path; }
    const std::string& ComPort() const { return FComPort; }
    void OpenUsbLink();
    void OpenNetLink();
    void OpenComLink();
    // Closes whatever transport an attempt opened (the scan's own close between attempts).
    void CloseAttempt();
    // Closes the link; the controls go offline when the latest attempt reached the device.
    void CloseLink();
    void DiscoverNetDevice();
    void ApplyDeviceId(int id);
    void rzbMenuLinkClick();
    void NetworkSetupClick();
    void HidDataClick();
    // lbStatus: "Detect HID", "OffLine" or empty.
    QString StatusText() const;
    // Exit: gives a disconnect request already queued a bounded time to reach the device.
    void FinishLink(int maxWaitMs = 300);
    // Before the window goes: FinishLink, then the transports closed and the HID device given back.
    void StopLink();

    // File menu.
    void SaveClick();
    void OpenClick();
    void UploadClick();
    void DownloadClick();
    // Factory Default: the confirmation when a device is connected, otherwise "connect first".
    void FactoryDefaultClick();
    // File dialogs; tests replace them. Choose gets (save, filter, caption) and gives the chosen
    // name, empty for Cancel; ConfirmOverwrite asks about the name that will be written.
    struct FileDialogs {
        std::function<std::string(bool save, const QString& filter, const QString& caption)> Choose;
        std::function<bool(const std::string& path)> ConfirmOverwrite;
    };
    FileDialogs Files;

    fw::TTimer tmStartConnect, tmLinkBroken, tmComScan;

  private:
    void HidCtlDeviceUnplug(THxHidDevice* dev);
    bool HidCtlEnumerate(THxHidDevice* dev, int32_t idx);
    void ResetOffline();
    std::string ChooseSaveName(const QString& filter, const QString& caption,
                               std::string (*normalise)(const std::string&));
    std::unique_ptr<TLinkDialogs> FLinkDialogs;
    std::unique_ptr<THxHidDeviceController> FHidCtl;
    std::string FComPort;
    uint32_t FNetAddress = 0;
    int FAutoNetSetting = 0;
    bool FNetOpenPending = false; // a TCP attempt waits for its socket to connect
    bool FOwnClose = false;       // the close under way is the window's, not the disconnect timer's

    // ---- end of the link block ----
    // ---- Compressor, limiter and gate pages (MainDynamics.cpp) ----
  public:
    // Model writes (parameter indices: comp 0 threshold, 1 attack, 2 release, 3 ratio, 4 knee; limit
    // 0 threshold, 1 attack, 2 release, 3 knee; gate 0 threshold, 1 attack, 2 release, 3 hold).
    void SetCompParam(int channel, int parameter, int value);
    void SetLimitParam(int channel, int parameter, int value);
    void SetGateParam(int channel, int parameter, int value);
    // Shows one parameter on every channel of the channel's link group.
    void SyncCompDisplay(int channel, int parameter, int value);
    void SyncLimitDisplay(int channel, int parameter, int value);
    void SyncGateDisplay(int channel, int parameter, int value);
    // Draws the page's transfer curve of one channel from its controls and selects that channel.
    void DrawCompCurve(int channel);
    void DrawLimitCurve(int channel);
    void DrawGateCurve(int channel);
    // Handlers, one per parameter for every channel (the sender's Tag is the channel).
    void isCompThresholdOut1Change(fw::TControl* Sender);
    void isCompAttackOut1Change(fw::TControl* Sender);
    void isCompReleaseOut1Change(fw::TControl* Sender);
    void udCompRatioOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue);
    void udCompKneeOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue);
    void cvdCompThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompThresholdOut1Exit(fw::TControl* Sender);
    void cvdCompAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompAttackOut1Exit(fw::TControl* Sender);
    void cvdCompReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompReleaseOut1Exit(fw::TControl* Sender);
    void cvdCompRatioOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompRatioOut1Exit(fw::TControl* Sender);
    void cvdCompKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdCompKneeOut1Exit(fw::TControl* Sender);
    void isCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                      int X, int Y);
    void cvdCompThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                       int X, int Y);
    void lbCompOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                             int Y);
    void tmCompDispTimer(fw::TTimer* Sender);
    void isLimitThresholdOut1Change(fw::TControl* Sender);
    void isLimitAttackOut1Change(fw::TControl* Sender);
    void isLimitReleaseOut1Change(fw::TControl* Sender);
    void udLimitKneeOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue);
    void cvdLimitThresholdOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitThresholdOut1Exit(fw::TControl* Sender);
    void cvdLimitAttackOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitAttackOut1Exit(fw::TControl* Sender);
    void cvdLimitReleaseOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitReleaseOut1Exit(fw::TControl* Sender);
    void cvdLimitKneeOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdLimitKneeOut1Exit(fw::TControl* Sender);
    void isLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                       int X, int Y);
    void cvdLimitThresholdOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                        int X, int Y);
    void lbLimitOut1MouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                              int Y);
    void tmLimitDispTimer(fw::TTimer* Sender);
    void isGateThresholdInAChange(fw::TControl* Sender);
    void isGateAttackInAChange(fw::TControl* Sender);
    void isGateReleaseInAChange(fw::TControl* Sender);
    void isGateHoldInAChange(fw::TControl* Sender);
    void cvdGateThresholdInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateThresholdInAExit(fw::TControl* Sender);
    void cvdGateAttackInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateAttackInAExit(fw::TControl* Sender);
    void cvdGateReleaseInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateReleaseInAExit(fw::TControl* Sender);
    void cvdGateHoldInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    void cvdGateHoldInAExit(fw::TControl* Sender);
    void cvdGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                      int X, int Y);
    void isGateThresholdInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift,
                                     int X, int Y);
    void lbGateInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                            int Y);
    int LimitChannel() const { return FLimitChannel; }
    // One-shot redraws of the compressor and limiter curves (1 ms; enabling an enabled one does not
    // restart it, so a run of changes draws once).
    fw::TTimer tmCompDisp;
    fw::TTimer tmLimitDisp;

    enum class DynPage { Comp, Limit, Gate };

  private:
    void DynFaderChange(DynPage page, fw::TControl* Sender, int parameter);
    void DynTypedDecibel(DynPage page, fw::TControl* Sender, bool knee);
    void DynTypedTime(DynPage page, fw::TControl* Sender, const char* parameter);
    void DynTypedRatio(fw::TControl* Sender);
    void DynSyncDisplay(DynPage page, int channel, int parameter, int value);
    void DrawGateSteps(int channel, int thresholdPosition);
    int FCompDrawChannel = 3;
    int FLimitDrawChannel = 3;
    // ---- end of the dynamics pages ----

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    // Creation (MainCreate.cpp).
    void BuildControls();
    void BuildItem(const Item& item);
    fw::TControl* BuildPanel(QWidget* parent, const Item& item);
    fw::TControl* BuildDelayLine(QWidget* parent);
    fw::TControl* BuildLabel(QWidget* parent, const Item& item);
    void StyleLabelByName(sk::TSkLabel& l, const Item& item);
    fw::TControl* BuildEntry(QWidget* parent, const Item& item);
    fw::TControl* BuildButton(QWidget* parent, const Item& item);
    fw::TControl* BuildDisplay(QWidget* parent, const Item& item);
    void SetUpGraph(graph::LMyFFTDrawHpLp6dB& g);
    void BuildMenu();
    void BuildMenuKeys();
    void DrawSkins();
    void CopySkinPictures();
    sk::TSkBmpButton* SkinButton(const QString& name);
    bool CopyMenuPictures(sk::TSkBmpButton* gain, sk::TSkBmpButton* matrix);
    bool CopyInputPictures();
    void CopyOutputPictures(sk::TSkBmpButton* gain);
    QWidget* ParentOf(const QString& name);
    void ConnectHandlers();
    void SetDeviceId(int id);
    void InitChartPoints();

    // Refresh helpers (MainRefresh.cpp).
    void ShowChannelName(int ch);
    void ShowNames(); // preset and channel names, after a change of code page
    void ShowInput(int ch);
    void ShowOutput(int ch);
    void ShowCut(int ch, const char* side, int freqIndex, int slope);
    void ShowGainStrip(int ch);
    void DrawChannelCurve(int ch);
    void DrawGeqCurve(int input);
    void RefreshGainPageOverlays();
    void RefreshChannelOverlays(int page);
    void DeselectPeqBands();
    void SelectFirstPeqBands();

    // Handlers of each concern, wired by ConnectHandlers.
    void ConnectLinkHandlers();         // MainLink.cpp: opening and closing links, files
    void ConnectDeviceDialogHandlers(); // MainDeviceDialogs.cpp: presets, link, lock, names
    void ConnectEditingHandlers();      // PEQ, crossovers, graph mouse, overlays, strip, levels
    void ConnectPageHandlers();         // dynamics, GEQ, delay and matrix pages
    void ConnectDynamicsHandlers();
    void ConnectDynamicsLabelsAndTimers();
    void ConnectGeqDelayMatrixHandlers();

    // Language (MainLanguage.cpp).
    void SetCaptionOf(const QString& name, const QString& key, bool& ok);
    void ApplyMenuLanguage();
    void ApplyChannelLanguage(int ch);
    void SetPhaseCaption(const QString& name);

    // Binds every page's controls; a missing control stops creation with its name.
    void BindPages();
    std::unique_ptr<DelayPage> FDelayPage;

    QWidget* FClient = nullptr;
    QScrollArea* FScroll = nullptr;
    QMenuBar* FMenuBar = nullptr;
    std::unique_ptr<LLinkSession> FSession;
    LUnitControl* FUnit = nullptr; // the session's model
    std::array<std::unique_ptr<Plot>, 14> FPlots;
    std::unique_ptr<TDialogs> FDialogs;
    QString FLanguage;
    bool FCreating = false;
    bool FExitConfirmed = false;
    bool FExiting = false; // a link lost now opens no scan
    int FDeviceId = 0;
    bool FOnline = false;
    bool FLevelPoll = false;
    int FSelectedHandle = -1;
    int FCurrentPage = 0;
    int FPresetNumber = 0;
    bool FUpdating = false;
    int FCompChannel = 0;
    int FGateChannel = 0;
    int FLimitChannel = 0;
    int FExtraHeight = 0;
    std::array<unsigned, 11> FCurveDirty{};
    bool FAutoScroll = false;
    bool FResizing = false;
    QString FCreationStoppedAt;

    // ---- Device dialogs (MainDeviceDialogs.cpp): presets, channel link and copy, panel lock, names ----
  public:
    TDeviceDialogs* DeviceDialogs() const { return FDeviceDialogs.get(); }
    // Link word of ch (stored and sent unless the controls are being filled).
    void SetLink(int ch, int word);
    // Copies source's settings onto target (same kind); withState refreshes the whole view after.
    void CopyChannel(int source, int target, bool withState);
    // Connected: the device's settings are read again; offline: the view from the model.
    void ResyncAllParams();
    // The link grid's Set (LSyncMachine::ApplyLinkWords): words[i] = channel i's group as the grid
    // shows it. A newly joined member's button is captioned as it joins. False when nothing changed.
    bool ApplyLinkWords(const std::array<uint16_t, 9>& words);
    // The overlay buttons of ch's curve on other graphs follow whether ch leads its group.
    void UpdateLinkedOverlayButtons(int ch, bool visible);
    // Caption of member b's channel button (and GEQ selector): "Out2", "2=1", "InB", "B=A".
    void SetChannelMenuCaption(int a, int b);
    // The single-name dialog for ch, opened from a matrix-page name label with its text.
    void OpenChannelNameDialog(int ch, const QString& text);

  private:
    // The link grid from the model, then the captions and overlays it gives (the full refresh).
    void ShowLinkState();
    std::shared_ptr<TDeviceDialogs> FDeviceDialogs; // shared: deleted where the type is complete
    // ---- Graphic equaliser, delay and matrix pages (MainGeq.cpp, MainMatrix.cpp; the delay page is
    // DelayPage) ----
  public:
    void isGeqCh01InAChange(fw::TControl* Sender); // the 31 faders of input A (B, C below)
    void isGeqCh01InBChange(fw::TControl* Sender);
    void isGeqCh01InCChange(fw::TControl* Sender);
    void tmGeqCurveTimer();
    bool GeqCurvePending() const { return tmGeqCurve.Enabled(); }
    void rzbGeqSelInAClick(fw::TControl* Sender);
    void vrbEqBypassGeqInAClick(fw::TControl* Sender);
    void vrbEqResetGeqInAClick(fw::TControl* Sender);

    // Output n (1..6) of each family; the input comes from the Sender's Tag.
    void rzbAMatrixOut1Click(fw::TControl* Sender, int output);
    void udMixGainAOut1ChangingEx(fw::TControl* Sender, bool& AllowChange, int NewValue, int output);
    void cvdAMatrixOut1KeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift, int output);
    void cvdAMatrixOut1Exit(fw::TControl* Sender, int output);
    // The route lines of the model on the diagram's paint box.
    std::vector<RouteSegment> MatrixRoutes();
    void DrawMatrixRoutes(fw::TCanvas& Canvas);

    void lbMatrixHpLpInAClick(fw::TControl* Sender); // the row's own channel page
    void lbMatrixGateInAClick(fw::TControl* Sender);
    void lbMatrixGeqInAClick(fw::TControl* Sender);
    void lbMatrixDelayInAClick(fw::TControl* Sender);
    void lbMatrixCompOut1Click(fw::TControl* Sender);
    void lbMatrixPhaseOut1Click(fw::TControl* Sender);
    void lbMatrixChNameInAClick(fw::TControl* Sender);
    void lbMatrixChNameInAMouseMove(fw::TControl* Sender);
    void lbMatrixChNameInAMouseLeave(fw::TControl* Sender);
    // The model's 8-byte name of ch.
    std::span<const uint8_t, 8> GetChannelName(int ch) const;
    // Shows the name on the diagram and as the page button's hint, stores it and sends it.
    void SetChannelName(int ch, const std::array<uint8_t, 8>& name);
    // Opens the channel-name dialog for (channel, shown name); set where the dialog is created.
    std::function<void(int channel, const QString& name)> ChannelNameDialog;

  private:
    void ConnectGeqHandlers();
    void ConnectMatrixHandlers();
    void GeqFaderChange(fw::TControl* Sender, int input);
    void TypedMix(fw::TControl* Sender, int output);
    void RepaintMatrixRoutes();
    void OpenPageFromLabel(const QString& buttonName);
    struct GeqCurve {
        int tag = 11; // the GEQ graph: 11 + input
        int band = 0;
        double gain = 0;
        float q = 8.65f;
    };
    GeqCurve FGeqCurve;                     // waiting for tmGeqCurve
    fw::TTimer tmGeqCurve;                  // one-shot, 1 ms
    std::array<int, 9> FMatrixRowOffsets{}; // matrix rows' tops against pbMatrix at the design size
    // ---- Editing on the channel pages: PEQ, crossovers, graph mouse, overlays, channel strip and the
    // live levels (MainEditing.cpp, MainPeq.cpp, MainXover.cpp, MainGraphMouse.cpp, MainOverlays.cpp,
    // MainStrip.cpp, MainLevels.cpp). Each handler serves the controls of all nine channels.
  public:
    // PEQ.
    void peqPeqInAChange(fw::TControl* Sender);
    void peqPeqInAEditMouseDown(fw::TControl* Sender);
    void rzbEq1InAClick(fw::TControl* Sender);
    void isEqFreqInAChange(fw::TControl* Sender);
    void isEqBwInAChange(fw::TControl* Sender);
    void isEqGainInAChange(fw::TControl* Sender);
    void tmEqCurveTimer();
    void cvdEqFreqInAKeyDown(fw::TControl* Sender, fw::Word& Key, fw::TShiftState Shift);
    // The three panel edits show their faders' values.
    void ShowPeqPanelTexts(int ch);
    void vrbEqResetInAClick(fw::TControl* Sender);
    void vrbEqBypassInAClick(fw::TControl* Sender);
    void rbShowGainInAClick(fw::TControl* Sender);
    void rbShowPhaseInAClick(fw::TControl* Sender);
    void ShowPeqParams(int ch, bool enabled, double q, double gain, double freq);
    void DrawPeqCurve(int ch);
    void FocusEqFreqEdit(int ch);
    int GetLinkGroup(int ch) const;
    // Crossovers.
    void isLowCutFreqInAChange(fw::TControl* Sender);
    void isHighCutFreqInAChange(fw::TControl* Sender);
    void rzcLowCutSlopInAChange(fw::TControl* Sender);
    void rzcHighCutSlopInAChange(fw::TControl* Sender);
    void tmHpLpCurveTimer();
    void DrawHighPassCurve(int ch);
    void DrawLowPassCurve(int ch);
    // Graph mouse.
    void fftDrawInAMouseDown(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                             int Y);
    void fftDrawInAMouseMove(fw::TControl* Sender, fw::TShiftState Shift, int X, int Y);
    void DragBand(eq::TMyPEQType8& peq, int h, int ch, double f, double gain);
    void DragCorner(eq::TMyPEQType8& peq, int h, int ch, double f);
    void fftDrawInAMouseUp(fw::TControl* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X,
                           int Y);
    void tmMouseEqCurveTimer();
    void vrbEqShowAllInAClick(fw::TControl* Sender);
    int SelectedHandle() const { return FSelectedHandle; }
    // Overlays.
    void vrbShowOverlayClick(fw::TControl* Sender, int graph);
    // Channel strip.
    void isGainInAChange(fw::TControl* Sender);
    void isGainBackupInAChange(fw::TControl* Sender);
    void rzbPhaseInAClick(fw::TControl* Sender);
    void rzbPhaseBackupInAClick(fw::TControl* Sender);
    void rzbMuteInAClick(fw::TControl* Sender);
    void rzbMuteBackupInAClick(fw::TControl* Sender);
    void SyncGainDisplay(int ch, int position);
    void SyncPhaseDisplay(int ch, bool down);
    void SyncMuteDisplay(int ch, bool down);
    // Levels.
    void tmInLevelDetTimer();
    void ResetLevelMeters();
    // The editing timers, for tests that step a fake clock.
    fw::TTimer& EqCurveTimer() { return tmEqCurve; }
    fw::TTimer& HpLpCurveTimer() { return tmHpLpCurve; }
    fw::TTimer& MouseEqCurveTimer() { return tmMouseEqCurve; }
    fw::TTimer& LevelTimer() { return tmInLevelDet; }
    // The last edit that waits for a curve timer.
    struct TCurveEdit {
        int kind = 0; // crossovers: 1 high-pass, 0 low-pass
        int channel = 0;
        float frequency = 0;
        int slope = 0;
        double gain = 0;
        float q = 0;
        int bypass = 0;
        int type = 0;
        int band = 0;
    };
    // The panel fader edit that waits for tmEqCurve.
    struct TPendingEq {
        int kind = 0; // 0 frequency, 1 Q index, 2 gain
        int channel = 0;
        double value = 0;
    };

  private:
    void CutFaderChange(fw::TControl* Sender, bool highPass);
    void CutSlopeChange(fw::TControl* Sender, bool highPass);
    void ComputeCut(int ch, bool highPass, int slope, double frequency);
    void GainChange(fw::TControl* Sender, bool backup);
    void PhaseClick(fw::TControl* Sender, bool backup);
    void MuteClick(fw::TControl* Sender, bool backup);
    void ViewSwitch(fw::TControl* Sender, bool phase);
    void ShowBandOnGraph(int ch, int band, bool focus, bool pressButton);
    void ConnectPeqHandlers();
    void ConnectXoverHandlers();
    void ConnectGraphMouseHandlers();
    void ConnectOverlayHandlers();
    void ConnectStripHandlers();
    void ConnectLevelHandlers();
    fw::TTimer tmEqCurve, tmHpLpCurve, tmMouseEqCurve, tmInLevelDet;
    TCurveEdit FCurveEdit;
    TPendingEq FPendingEq;
    int FLastMouseX = 0, FLastMouseY = 0;
};

} // namespace app
