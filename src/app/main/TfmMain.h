// TfmMain: the editor's main window. It owns the link session (and with it the parameter model), the
// fourteen response computations and every control of the 16 pages (built from the layout tables); the
// pages, the link and the session's view are objects it composes. Edits reach the device through the
// model and the session alone. One class, defined across the files of this folder by concern
// (creation, language, menus and navigation, refresh, resize). UI thread only.
#pragma once

#include "framework/Control.h"

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
struct TDeviceDialogs;
class TfmLinkSel;
struct TMainControls;
class TLinkController;
class TMainSessionView;
class DelayPage;
class DynamicsPage;
class StripPage;
class GeqPage;
class MatrixPage;
class PeqPage;

class TfmMain : public fw::TForm
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
    void FactoryReset();

    // The link session's view, the link and the window's own bound controls.
    TMainSessionView& View() const { return *FView; }
    TLinkController& Link() const { return *FLink; }
    const TMainControls& Controls() const { return *FControls; }

    LUnitControl* Unit() const { return FUnit; }
    LLinkSession& Session() const { return *FSession; }
    // The session exists (from creation until the window goes).
    bool HasSession() const { return FSession != nullptr; }
    Plot* Plots(int i) const { return FPlots[std::size_t(i)].get(); }
    int CurrentPage() const { return FCurrentPage; }
    int ExtraHeight() const { return FExtraHeight; }
    int PresetNumber() const { return FPresetNumber; }
    void SetPresetNumber(int v) { FPresetNumber = v; }
    unsigned CurveDirty(int graph) const { return FCurveDirty[std::size_t(graph)]; }
    // The stale-curve bits of a graph; the overlays clear those they draw.
    unsigned& CurveDirtyMask(int graph) { return FCurveDirty[std::size_t(graph)]; }
    // The size the resize rules read: the client plus the frame allowance.
    int OuterWidth() const;
    int OuterHeight() const;
    // The first control found missing when the controls were bound (creation stopped there).
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

    // ---- The File menu's files (MainFiles.cpp) ----
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

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    // Creation (MainCreate.cpp).
    void BuildControls();
    fw::TControl* BuildItem(const Item& item);
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
    void CopyMenuPictures();
    void CopyInputPictures();
    void CopyOutputPictures();
    QWidget* ParentOf(const QString& name);
    void ConnectHandlers();
    void InitChartPoints();

    // Refresh helpers (MainRefresh.cpp).
    void ShowNames(); // preset and channel names, after a change of code page
    void ShowInput(int ch);
    void ShowOutput(int ch);

    // Handlers of each concern, wired by ConnectHandlers.
    void ConnectDeviceDialogHandlers(); // MainDeviceDialogs.cpp: presets, link, lock, names
    void ConnectPageHandlers();         // the page objects

    // Language (MainLanguage.cpp).
    void ApplyMenuLanguage();

    // Binds the window's and every page's controls; a missing control stops creation with its name.
    void BindPages();
    std::unique_ptr<TMainControls> FControls;
    std::unique_ptr<TMainSessionView> FView; // before the session: it outlives it
    std::unique_ptr<TLinkController> FLink;
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
    // Built when first needed; the session's view then fills their preset lists.
    TDeviceDialogs* DeviceDialogs();
    // The link dialog alone (its grid holds the link state the main window shows), built before the
    // other device dialogs when the state is shown first.
    TfmLinkSel* LinkDialog();
    // Connected: the device's settings are read again; offline: the view from the model.
    void ResyncAllParams();
    // The link grid's Set (LSyncMachine::ApplyLinkWords): words[i] = channel i's group as the grid
    // shows it. A newly joined member's button is captioned as it joins. False when nothing changed.
    bool ApplyLinkWords(const std::array<uint16_t, 9>& words);
    // Caption of member b's channel button (and GEQ selector): "Out2", "2=1", "InB", "B=A".
    void SetChannelMenuCaption(int a, int b);
    // The single-name dialog for ch, opened from a matrix-page name label with its text.
    void OpenChannelNameDialog(int ch, const QString& text);

  private:
    // The link grid from the model, then the captions and overlays it gives (the full refresh).
    void ShowLinkState();
    std::shared_ptr<TDeviceDialogs> FDeviceDialogs; // shared: deleted where the type is complete
    std::shared_ptr<TfmLinkSel> FLinkDialog;        // until the device dialogs take it
};

} // namespace app
