// TFxSmoothSplashScreen: shows a borderless splash window while the program starts and removes it when
// the main window is first shown (or after a time-out). The window draws, in this order, a background
// fill, the program information, the list items, the top-layer items, the free items and the progress
// bar. A partly transparent background makes it translucent where a compositor blends windows, and
// cut to its opaque pixels (a mask) where none does. It never takes the focus and never sends input
// to other windows. The component owns its parts and at most one window. UI thread only.
#pragma once

#include "controls/smooth/SplashItems.h"
#include "controls/smooth/SplashProgress.h"
#include "runtime/Timer.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

namespace fx
{

enum TDisplayStyle { dsNormal, dsFadeInOut };
enum TDisplayLocation { dlFixedPos, dlCenter };

class TFxSmoothSplashScreen;

// The splash window: frameless, on top when asked, shown without being activated.
class TSplashScreenWindow : public QWidget
{
  public:
    TSplashScreenWindow(TFxSmoothSplashScreen& splash, bool layered, bool translucent);
    bool Layered() const { return FLayered; }
    bool Translucent() const { return FTranslucent; }
    int Opacity() const { return FOpacity; }
    void SetOpacity(int v);
    // Draws every layer into the buffer again (layered mode) and repaints.
    void Redraw();
    const QImage& Buffer() const { return FBuffer; }
    TFxSplashProgressBar* ProgressBar() const { return FProgressBar; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

  private:
    TFxSmoothSplashScreen& FSplash;
    TFxSplashProgressBar* FProgressBar;
    bool FLayered, FTranslucent;
    int FOpacity = 5;
    QImage FBuffer;
};

class TFxSmoothSplashScreen
{
  public:
    TFxSmoothSplashScreen();
    ~TFxSmoothSplashScreen();
    TFxSmoothSplashScreen(const TFxSmoothSplashScreen&) = delete;
    TFxSmoothSplashScreen& operator=(const TFxSmoothSplashScreen&) = delete;

    bool StayOnTop = true;
    QString Version() const { return QStringLiteral("1.2.0.0"); }
    void SetVersion(const QString&) {}
    bool AutoShow = true;
    bool AutoAdaptPictureSize = true;
    TBasicProgramInfo& BasicProgramInfo() { return FProgramInfo; }
    bool CloseOnMainFormShow = true;
    bool CloseOnTimeout = false;
    TGDIPFill& Fill() { return FFill; }
    int TimeOut = 1000;
    TGDIPSplashProgress& ProgressBar() { return FProgressBar; }
    TSplashItems& Items() { return FItems; }
    int PictureGap = 5;
    TSplashListItems& ListItems() { return FListItems; }
    TSplashListItemsSettings& ListItemsSettings() { return FListSettings; }
    TGDIPPictureContainer* PictureContainer = nullptr;
    TDisplayStyle DisplayStyle = dsFadeInOut;
    TDisplayLocation DisplayLocation = dlCenter;
    int DisplayPosX = 0, DisplayPosY = 0;
    int Width = 600, Height = 400;
    fw::TCustomImageList* Images = nullptr;
    TFxSplashTopLayerItems& TopLayerItems() { return FTopLayerItems; }
    int MaxOpacity = 255;
    TTextRendering TextRendering = tClearType;
    bool FocusParentForm = false;

    std::function<void(TFxSmoothSplashScreen*)> OnProgressChange, OnClick, OnBeforeShow, OnClose;
    std::function<void(TFxSmoothSplashScreen*, double)> OnProgressPositionChanged;

    TSplashScreenWindow* SplashWindow() const { return FWindow; }
    bool Showing() const { return FWindow != nullptr; }
    QWidget* MainForm() const { return FMainForm; }
    // Moves the show hook to the new form while showing.
    void SetMainForm(QWidget* form);

    void Show();
    void Hide();
    void Refresh();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Opacity steps with a pause after each; a step of 0 or less goes to the end at once.
    void FadeIn(int step, int wait, int max);
    void FadeOut(int step, int wait, int min);
    // After the layout is read: the program information, then Show when AutoShow is set.
    void Loaded();
    // A component the splash screen refers to is going away.
    void Notification(const void* removed);
    // The progress bar's settings changed: passed to the window's control.
    void ProgressBarChanged();
    void SetComponentStyle(TTMSStyle style);
    // Brings the form to the front and activates it (never by sending it input).
    void SetFocusToForm(QWidget* form);

    // The window's size for the current settings.
    QSize WindowSize() const;
    // Draws every layer for a window of w x h (the progress bar only when `withProgress`).
    void DrawLayers(gp::TGPGraphics& g, int w, int h, bool withProgress);
    gdip::TextRenderingHint RenderingHint() const;

    // Seams for tests: whether a compositor blends windows, and the fades' pause.
    static void SetCompositorProbe(std::function<bool()> probe);
    static void SetPause(std::function<void(int ms)> pause);
    static bool CompositorPresent();

  private:
    friend class TSplashScreenWindow;
    class TShowHook;
    void DrawProgramInfo(gp::TGPGraphics& g, int w, int h);
    void DrawListItems(gp::TGPGraphics& g);
    void DrawTopLayerItems(gp::TGPGraphics& g, int w, int h);
    void DrawItems(gp::TGPGraphics& g);
    void HideFade();
    void MainFormShown();
    void CloseTimerTick();

    TBasicProgramInfo FProgramInfo;
    TGDIPFill FFill;
    TGDIPSplashProgress FProgressBar;
    TSplashItems FItems;
    TSplashListItems FListItems;
    TSplashListItemsSettings FListSettings;
    TFxSplashTopLayerItems FTopLayerItems;
    QPointer<TSplashScreenWindow> FWindow;
    QPointer<QWidget> FMainForm;
    std::unique_ptr<TShowHook> FHook;
    fw::TTimer FCloseTimer, FFocusTimer;
    int FUpdateCount = 0;
    bool FLoading = false;
};

} // namespace fx
