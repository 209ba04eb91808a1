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
#include <map>
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
class DynamicsPage;
class StripPage;
class GeqPage;
class MatrixPage;
class PeqPage;

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

    // Refresh of every control from the model.
    void ShowAllParams(LUnitControl* unit);

    // Operations the dialogs call.
    void SetExitConfirmed(bool v) { FExitConfirmed = v; }
    // Exit confirmed: the polls stop and the disconnect goes out behind the edits still queued;
    // sending() runs first when some are. Only a lost link ends that wait, and the window then
    // says that the last edits did not reach the device.
    void DisconnectForExit(const std::function<void()>& sending);
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
    int PresetNumber() const { return FPresetNumber; }
    void SetPresetNumber(int v) { FPresetNumber = v; }
    unsigned CurveDirty(int graph) const { return FCurveDirty[std::size_t(graph)]; }
    // The stale-curve bits of a graph; the overlays clear those they draw.
    unsigned& CurveDirtyMask(int graph) { return FCurveDirty[std::size_t(graph)]; }
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
    DynamicsPage& Dynamics() const { return *FDynamicsPage; }
    StripPage& Strip() const { return *FStripPage; }
    GeqPage& Geq() const { return *FGeqPage; }
    MatrixPage& Matrix() const { return *FMatrixPage; }
    PeqPage& Peq() const { return *FPeqPage; }

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
    void ShowNames(); // preset and channel names, after a change of code page
    void ShowInput(int ch);
    void ShowOutput(int ch);

    // Handlers of each concern, wired by ConnectHandlers.
    void ConnectLinkHandlers();         // MainLink.cpp: opening and closing links, files
    void ConnectDeviceDialogHandlers(); // MainDeviceDialogs.cpp: presets, link, lock, names
    void ConnectPageHandlers();         // the page objects

    // Language (MainLanguage.cpp).
    void SetCaptionOf(const QString& name, const QString& key, bool& ok);
    void ApplyMenuLanguage();
    void ApplyChannelLanguage(int ch);
    void SetPhaseCaption(const QString& name);

    // Binds every page's controls; a missing control stops creation with its name.
    void BindPages();
    std::unique_ptr<DelayPage> FDelayPage;
    std::unique_ptr<DynamicsPage> FDynamicsPage;
    std::unique_ptr<StripPage> FStripPage;
    std::unique_ptr<GeqPage> FGeqPage;
    std::unique_ptr<MatrixPage> FMatrixPage;
    std::unique_ptr<PeqPage> FPeqPage;

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
    int FCurrentPage = 0;
    int FPresetNumber = 0;
    bool FUpdating = false;
    int FExtraHeight = 0;
    std::array<unsigned, 11> FCurveDirty{};
    bool FAutoScroll = false;
    bool FResizing = false;
    QString FCreationStoppedAt;

    // ---- Device dialogs (MainDeviceDialogs.cpp): presets, channel link and copy, panel lock, names ----
  public:
    // Built when first needed, with the preset names the machine showed before.
    TDeviceDialogs* DeviceDialogs();
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
    std::map<int, std::string> FPresetNames;        // shown while the preset lists were not built
};

} // namespace app
