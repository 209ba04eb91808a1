// TfmMain: the editor's main window. It owns the parameter model, the fourteen response computations
// and every control of the 16 pages (built from the layout tables), and it implements the model's
// command sink. One class, defined across the files of this folder by concern (creation, language,
// menus and navigation, refresh, resize). UI thread only.
#pragma once

#include "framework/Control.h"
#include "model/CommandSink.h"

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

class TfmMain : public fw::TForm, public CommandSink
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
    void ShowPresetName(int, const std::string&) override {}

    // The send path's hand-over to an open transport; none while offline. Tests install a recorder.
    std::function<void(const LCmd& cmd, bool noCoalesce)> Transport;

    LUnitControl* Unit() const { return FUnit.get(); }
    Plot* Plots(int i) const { return FPlots[std::size_t(i)].get(); }
    int CurrentPage() const { return FCurrentPage; }
    int ExtraHeight() const { return FExtraHeight; }
    bool Online() const { return FOnline; }
    void SetOnline(bool v) { FOnline = v; }
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
    void ShowChannelName(int ch);
    void ShowNames(); // preset and channel names, after a change of code page
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

    // Language (MainLanguage.cpp).
    void SetCaptionOf(const QString& name, const QString& key, bool& ok);

    QWidget* FClient = nullptr;
    QScrollArea* FScroll = nullptr;
    QMenuBar* FMenuBar = nullptr;
    std::unique_ptr<LUnitControl> FUnit;
    std::array<std::unique_ptr<Plot>, 14> FPlots;
    std::unique_ptr<TDialogs> FDialogs;
    QString FLanguage;
    bool FCreating = false;
    bool FExitConfirmed = false;
    int FDeviceId = 0;
    bool FOnline = false;
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
};

} // namespace app
