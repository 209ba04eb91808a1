// TcPlotToolBar: a layout object with a row of 14 picture buttons and 5 spacers that carry out
// chart-wide commands (resume and pause tracking, scroll or zoom axes mode, zoom out and in, select,
// zoom box, data cursor, properties, copy, save, print, preview). Toolbar 0 is the source of the
// data view's mouse mode. The button pictures are drawn by this library at first use. UI thread only.
#pragma once

#include "chart/objects/PlotObject.h"

#include <memory>
#include <vector>

namespace chart
{

class TcPlotToolBar;

enum TcPlotToolBarButtonStyle : std::uint8_t { iptbbsButton, iptbbsSpacer };
enum TcPlotToolBarButtonType : std::uint8_t {
    iptbbtResume,
    iptbbtPause,
    iptbbtScrollAxesMode,
    iptbbtZoomAxesMode,
    iptbbtSelect,
    iptbbtZoomBox,
    iptbbtZoomOut,
    iptbbtZoomIn,
    iptbbtCursor,
    iptbbtEdit,
    iptbbtCopy,
    iptbbtSave,
    iptbbtPrint,
    iptbbtPreview
};

// The picture of a toolbar button by its resource name ("AUTO", "SMALLAUTO", ...), drawn by our own
// code on a transparent background; a null image for an unknown name.
QImage ToolBarPicture(const QString& Name);

class TcPlotToolBarButton : public TcPlotButton
{
  public:
    TcPlotToolBarButton(TcPlotOwner* AOwner, TcPlotToolBar* ToolBar, TcPlotToolBarButtonStyle Style,
                        TcPlotToolBarButtonType Type, const QString& Hint, const QString& ImageName,
                        int GroupIndex);

    const QString& Hint() const { return FHint; }
    TcPlotToolBarButtonStyle Style() const { return FStyle; }
    TcPlotToolBarButtonType ButtonType() const { return FType; }
    const QString& ImageName() const { return FImageName; }
    void SetImageName(const QString& v)
    {
        FImageName = v;
        FImageIndex = -1;
    }
    int ImageIndex() const { return FImageIndex; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { FFlat = v; }
    bool MouseOver() const { return FMouseOver; }
    TcPlotToolBar* ToolBar() const { return FToolBar; }
    // Pressed: held by the mouse or down.
    bool Pressed() const { return FMouseDown || Down(); }

    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void iMouseMove(TcHintData& Hint, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                    bool DblClickActive) override;
    void DoMouseNotOver() override;

  protected:
    void DoMouseHint(const TcPlotMouseData& M, TcHintData& Hint) override;

  private:
    void DrawEdge(TCanvas& Canvas, bool Lowered);
    TcPlotToolBar* FToolBar;
    TcPlotToolBarButtonStyle FStyle;
    TcPlotToolBarButtonType FType;
    QString FHint, FImageName;
    int FImageIndex = -1;
    bool FFlat = false, FMouseOver = false;
};

class TcPlotToolBar : public TcPlotLayoutObject
{
  public:
    TcPlotToolBar(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);
    ~TcPlotToolBar() override;
    const TPropertyTable& PropertyTable() const override;

    bool ShowResumeButton() const { return FResumeButton->Visible(); }
    void SetShowResumeButton(bool v) { FResumeButton->SetVisible(v); }
    bool ShowPauseButton() const { return FPauseButton->Visible(); }
    void SetShowPauseButton(bool v) { FPauseButton->SetVisible(v); }
    bool ShowAxesModeButtons() const { return FAxesModeScrollButton->Visible(); }
    void SetShowAxesModeButtons(bool v);
    bool ShowZoomInOutButtons() const { return FZoomInButton->Visible(); }
    void SetShowZoomInOutButtons(bool v);
    bool ShowSelectButton() const { return FSelectButton->Visible(); }
    void SetShowSelectButton(bool v) { FSelectButton->SetVisible(v); }
    bool ShowZoomBoxButton() const { return FZoomBoxButton->Visible(); }
    void SetShowZoomBoxButton(bool v) { FZoomBoxButton->SetVisible(v); }
    bool ShowCursorButton() const { return FCursorButton->Visible(); }
    void SetShowCursorButton(bool v) { FCursorButton->SetVisible(v); }
    bool ShowEditButton() const { return FEditButton->Visible(); }
    void SetShowEditButton(bool v) { FEditButton->SetVisible(v); }
    bool ShowCopyButton() const { return FCopyButton->Visible(); }
    void SetShowCopyButton(bool v) { FCopyButton->SetVisible(v); }
    bool ShowSaveButton() const { return FSaveButton->Visible(); }
    void SetShowSaveButton(bool v) { FSaveButton->SetVisible(v); }
    bool ShowPrintButton() const { return FPrintButton->Visible(); }
    void SetShowPrintButton(bool v) { FPrintButton->SetVisible(v); }
    bool ShowPreviewButton() const { return FPreviewButton->Visible(); }
    void SetShowPreviewButton(bool v) { FPreviewButton->SetVisible(v); }
    double ZoomInOutFactor() const { return FZoomInOutFactor; }
    void SetZoomInOutFactor(double v);
    bool FlatBorder() const { return FFlatBorder; }
    void SetFlatBorder(bool v) { SetBooleanValue(v, FFlatBorder, &TcPlotObject::DoChange); }
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool v);
    bool SmallButtons() const { return FSmallButtons; }
    void SetSmallButtons(bool v);

    bool ZoomBoxActive() const { return FZoomBoxButton->Down(); }
    bool CursorActive() const { return FCursorButton->Down(); }
    bool SelectActive() const { return FSelectButton->Down(); }

    void DoButtonClickResume();
    void DoButtonClickPause();
    void DoButtonClickScrollAxesMode();
    void DoButtonClickZoomAxesMode();
    void DoButtonClickZoomIn();
    void DoButtonClickZoomOut();
    void DoButtonClickSelect();
    void DoButtonClickZoomBox();
    void DoButtonClickCursor();
    void DoButtonClickEdit();
    void DoButtonClickCopy();
    void DoButtonClickSave();
    void DoButtonClickPrint();
    void DoButtonClickPreview();
    void TurnOffCursor() { FCursorButton->SetDown(false); }

    int ButtonCount() const { return int(FButtonList.size()); }
    TcPlotToolBarButton* Button(int Index) const { return FButtonList.at(std::size_t(Index)).get(); }
    fw::TCustomImageList& Images() { return *FImageList; }
    bool Drawing() const { return FDrawing; }

    void NotificationSetFocus(TcPlotObject* AObject) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    TcPlotObject* GetMouseOverObject(int X, int Y) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;
    int GetRequiredSize(TCanvas&) override { return FSmallButtons ? 28 : 36; }

  private:
    TcPlotToolBarButton* AddButton(TcPlotToolBarButtonStyle Style, TcPlotToolBarButtonType Type,
                                   const char* Hint, const char* Picture, int Group,
                                   void (TcPlotToolBar::*Action)());
    // Fires the before-click event; false when the handler cancelled.
    bool BeforeClick(TcPlotToolBarButtonType Type);
    void AfterClick(TcPlotToolBarButtonType Type);
    // The commands the chart carries out (copy, save, print, preview), with both click events.
    void ChartCommand(TcPlotToolBarButtonType Type);
    // Edit, copy, save, print and preview are enabled only for the commands the chart has.
    void UpdateCommandButtons();
    void GroupClick(TcPlotButton* Button);
    void ButtonDownChange(TcPlotButton* Button);
    void SetAxesMode(bool Zoom);
    void ZoomAll(bool In);
    void SelectPictures();

    std::vector<std::unique_ptr<TcPlotToolBarButton>> FButtonList;
    std::unique_ptr<fw::TCustomImageList> FImageList;
    TcPlotToolBarButton *FResumeButton, *FPauseButton, *FAxesModeScrollButton, *FAxesModeZoomButton,
        *FZoomInButton, *FZoomOutButton, *FSelectButton, *FZoomBoxButton, *FCursorButton, *FEditButton,
        *FCopyButton, *FSaveButton, *FPrintButton, *FPreviewButton;
    TcPlotToolBarButton *FResumePauseSpacer, *FAxesModeSpacer, *FZoomInOutSpacer, *FZoomBoxCursorSpacer,
        *FEditSpacer;
    double FZoomInOutFactor = 2;
    bool FFlatButtons = false, FSmallButtons = false, FFlatBorder = false;
    bool FDrawing = false;
};

} // namespace chart
