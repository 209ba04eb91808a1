// TcPlotLayoutViewer: a miniature of one chart's band layout. Every layout object is a labelled
// block in the band its Z-order gives it, around the data view. The mouse rearranges the chart:
// a block dragged onto a band of its orientation goes below, above or into it; legends, tables and
// labels may change orientation; a block dropped on another block of its band swaps extents with
// it; an edge of an axis, legend, table or label dragged changes its start or stop percent in
// steps of 1.25. Every change goes straight to the objects and the layout manager. UI thread only.
#pragma once

#include "chart/component/Component.h"
#include "chart/objects/MasterManager.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace chart
{

enum TcLayoutEditMode : std::uint8_t { ilemNone, ilemDrag, ilemSize };
enum TcLayoutSizingSide : std::uint8_t { ilssStart, ilssStop };

// One band of the miniature.
struct TBlockObject {
    TRect ARect;
    int ZOrder = 0;
    // Above or below the data view; else left or right of it.
    bool Horizontal = false;
    bool DataView = false;
    // The outermost top band.
    bool ToolBar = false;
};

class TcPlotLayoutViewer : public TcCustomComponent
{
  public:
    explicit TcPlotLayoutViewer(QWidget* parent = nullptr);
    ~TcPlotLayoutViewer() override;

    // Shows the layout of the chart that Master manages (its layout and translation managers);
    // null shows nothing.
    void ShowLayoutOf(TcPlotMasterManager* Master);

    TcPlotLayoutManager* LayoutManager() const { return FLayoutManager; }
    void SetLayoutManager(TcPlotLayoutManager* Value) { FLayoutManager = Value; }
    TcPlotMasterManager* Master() const { return FMaster; }
    void SetMaster(TcPlotMasterManager* Value) { FMaster = Value; }
    TcPlotTranslationManager* TranslationManager() const { return FTranslationManager; }
    void SetTranslationManager(TcPlotTranslationManager* Value) { FTranslationManager = Value; }
    TcPlotLayoutObject* SelectedObject() const { return FSelectedBlock; }
    fw::TFont& BlockFont() { return FFont; }

    // The layout object drawn under a point (a data view too); null when none.
    TcPlotLayoutObject* GetMouseOverBlock(int X, int Y) const;
    // The band under a point; null when none.
    TBlockObject* GetMouseOverBlock2(int X, int Y) const;

    std::function<void(TcPlotLayoutViewer* Sender)> OnChange;

  protected:
    virtual void DoChange();
    void iPaint(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  private:
    void CalcLayout(TCanvas& Canvas);
    void BuildBlocks();
    void PaintBackground(TCanvas& Canvas);
    void PaintBlocks(TCanvas& Canvas);
    TRect DragFrame() const;
    TcPlotLayoutObject* FindBandObject(const TcPlotLayoutObject* Exclude, bool Horizontal, int ZOrder) const;
    void HoverEdges(TcPlotLayoutObject* Over, int X, int Y);
    void DragOver(TcPlotLayoutObject* Over, TBlockObject* Band, int X, int Y);
    void Resize(int X, int Y);
    void Drop();
    void SwapStartStop(TcPlotLayoutObject* A, TcPlotLayoutObject* B);
    void MergeInto(TcPlotLayoutObject* Object, const TBlockObject& Band);
    // To the band's other orientation; false when the band holds no object to place it by.
    bool MoveToOtherOrientation(TcPlotLayoutObject* Object, const TBlockObject& Band);
    // Forgets the objects of the interaction that the layout manager no longer holds.
    void ForgetRemovedObjects();
    QString BlockName(const TcPlotLayoutObject* Object) const;

    std::vector<std::unique_ptr<TBlockObject>> FBlockList;
    int FCellWidth = 0;
    bool FMouseDown = false;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    double FMouseDownStartPercent = 0;
    double FMouseDownStopPercent = 0;
    TRect FViewRect;
    TRect FDataViewRect;
    int FDataViewHeight = 0;
    int FDataViewWidth = 0;
    TcLayoutEditMode FEditMode = ilemNone;
    TcLayoutSizingSide FSizingSide = ilssStart;
    TcPlotLayoutObject* FSelectedBlock = nullptr;
    TcPlotLayoutObject* FResizeBlock = nullptr;
    TcPlotLayoutObject* FOverLayoutObject = nullptr;
    TBlockObject* FDragOverRefBlock2 = nullptr;
    TcInsertDirection FInsertDirection = iidMerge;
    TcPlotLayoutManager* FLayoutManager = nullptr;
    TcPlotMasterManager* FMaster = nullptr;
    fw::TFont FFont;
    TcPlotTranslationManager* FTranslationManager = nullptr;
};

} // namespace chart
