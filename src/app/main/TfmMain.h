// TfmMain: the editor's main window. It owns the parameter model, the fourteen response computations
// and every control of the 16 pages (built from the layout tables), and it implements the model's
// command sink. One class, defined across the files of this folder by concern (creation, language,
// menus and navigation, refresh, resize). UI thread only.
#pragma once

#include "framework/Control.h"
#include "model/CommandSink.h"
#include "runtime/Timer.h"
#include "session/LSessionView.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QScrollArea;
class LUnitControl;
class LLinkSession;
class Plot;

namespace graph
{
class LMyFFTDrawHpLp6dB;
}

namespace app
{

struct Item;
class TfmExit;
class TfmTest;
class TDialogs;

class TfmMain : public fw::TForm, public CommandSink, public LSessionView
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
    void ResetPeqBands(int channel);
    void ResetGeqBands(int target);
    void FactoryReset();
    void SelectTestSignal(int mode, int sineIndex); // stores and sends

    // CommandSink.
    void SendCommand(const LCmd& cmd, bool noCoalesce) override;
    bool IsUpdating() const override { return FUpdating; }
    int GetDeviceId() const override { return FDeviceId; }
    void MarkChannelCurvesDirty(int ch) override;
    void ShowPresetName(int p, const std::string& name) override;

    // LSessionView (MainSessionView.cpp).
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

    // The model's and the machine's commands go to the session's open link, or, when set, here
    // instead (tests install a recorder).
    std::function<void(const LCmd& cmd, bool noCoalesce)> Transport;

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

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    // Creation (MainCreate.cpp).
    void BuildControls();
    void BuildItem(const Item& item);
    void BuildMenu();
    void DrawSkins();
    void CopySkinPictures();
    QWidget* ParentOf(const QString& name);
    void ConnectHandlers();
    void SetDeviceId(int id);
    void InitChartPoints();

    // Refresh helpers (MainRefresh.cpp).
    void ShowInput(int ch);
    void ShowOutput(int ch);
    void ShowCut(int ch, const char* side, int freqIndex, int slope);
    void ShowGainStrip(int ch);
    void ShowDelayUnit(int unit);
    void WriteDelayTexts(int unit);
    void DrawChannelCurve(int ch);
    void DrawGeqCurve(int input);
    void RefreshGainPageOverlays();
    void RefreshChannelOverlays(int page);
    void PlaceDelayMarkers();
    void DeselectPeqBands();
    void SelectFirstPeqBands();

    // Handlers of each concern, wired by ConnectHandlers.
    void ConnectLinkHandlers();         // MainLink.cpp: opening and closing links, files
    void ConnectDeviceDialogHandlers(); // MainDeviceDialogs.cpp: presets, link, lock, names
    void ConnectEditingHandlers();      // PEQ, crossovers, graph mouse, overlays, strip, levels
    void ConnectPageHandlers();         // dynamics, GEQ, delay and matrix pages
    void ConnectDynamicsHandlers();
    void ConnectGeqDelayMatrixHandlers();

    // Language (MainLanguage.cpp).
    void SetCaptionOf(const QString& name, const QString& key, bool& ok);

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
    int LimitChannel() const { return FLimitChannel; }
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
