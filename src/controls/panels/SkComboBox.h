// TSkComboBox: the flat drop-down list selector. Setting ItemIndex from code fires nothing; a choice by
// the user (list, keys, wheel, incremental search) fires OnClick then OnChange. Typed characters search
// the items by prefix; the search text is forgotten 1500 ms after the last key (timer service). The box
// draws itself (flat button, custom frame); the list drops down as a popup. UI thread only.
#pragma once

#include "controls/panels/SkCommon.h"
#include "framework/Control.h"
#include "runtime/Timer.h"

#include <QStringList>

class QListWidget;

namespace sk
{

class TSkComboBox : public fw::TControl
{
  public:
    explicit TSkComboBox(QWidget* parent = nullptr);
    bool WantsChars() const override { return true; }
    ~TSkComboBox() override;

    QStringList& Items() { return FItems; }
    int Count() const { return int(FItems.size()); }
    void Add(const QString& s)
    {
        FItems.append(s);
        update();
    }
    void ClearItems();
    int IndexOf(const QString& s) const;
    int ItemIndex() const { return FItemIndex; }
    // From code: no event.
    void SetItemIndex(int index);
    QString Text() const { return FItemIndex >= 0 && FItemIndex < Count() ? FItems[FItemIndex] : QString(); }
    bool FindItem(const QString& text);
    bool FindClosestItem(const QString& text);
    int FindClosest(const QString& text) const;
    void ClearSearchString() { FSearch.clear(); }
    const QString& SearchString() const { return FSearch; }

    // Values parallel to the items.
    QStringList& Values() { return FValues; }
    QString GetItemValue(int index) const;
    QString Value() const;
    void SetValue(const QString& v, bool force = false);
    void AddItemValue(const QString& item, const QString& value);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    void SetReadOnlyColor(TColor v)
    {
        FReadOnlyColor = v;
        UpdateColors();
    }
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor v)
    {
        FDisabledColor = v;
        UpdateColors();
    }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v)
    {
        FFocusColor = v;
        UpdateColors();
    }
    // The colour shown when no special state applies.
    void SetNormalColor(TColor v);
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool v) { Set(FFlatButtons, v); }
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    void SetFlatButtonColor(TColor v) { Set(FFlatButtonColor, v); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) { Set(FFrameColor, v); }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v) { Set(FFrameStyle, v); }
    bool FrameVisible() const { return FFrameVisible; }
    void SetFrameVisible(bool v) { Set(FFrameVisible, v); }
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool v) { FBeepOnInvalidKey = v; }
    int DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int v) { FDropDownWidth = v; }
    int DropDownCount() const { return FDropDownCount; }
    // The width the list gets when it drops down.
    int ActualDropDownWidth() const;
    bool DroppedDown() const;
    // The drop-down list window (nullptr before the first drop-down).
    QListWidget* DropDownList() const { return FList; }
    void SetDroppedDown(bool v);

    fw::TNotifyEvent OnChange;
    fw::TNotifyEvent OnMatch;
    // A user's choice from the list, as if clicked (the list calls it).
    void SelectByUser(int index);

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    bool DoMouseWheel(fw::TShiftState Shift, int WheelDelta, fw::TPoint MousePos) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override { UpdateColors(); }
    void ColorChanged() override;
    void Click() override {} // clicks come from the selection only
    // The open list closes on Escape and on a press outside it (on the combo: without reopening).
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void UpdateColors();
    void UserSelect(int index);
    bool SearchAndSelect(const QString& text);

    QStringList FItems, FValues;
    int FItemIndex = -1;
    QString FSearch;
    fw::TTimer FSearchTimer;
    QString FValue;
    bool FReadOnly = false;
    TColor FNormalColor = fw::clWindow, FReadOnlyColor = fw::clInfoBk, FDisabledColor = fw::clBtnFace,
           FFocusColor = fw::clWindow;
    bool FFlatButtons = false;
    TColor FFlatButtonColor = fw::clBtnFace, FFrameColor = fw::clBtnShadow;
    TFrameStyle FFrameStyle = fsFlat;
    bool FFrameVisible = false;
    bool FBeepOnInvalidKey = true;
    int FDropDownWidth = 0, FDropDownCount = 8;
    bool FMouseOver = false, FFocused = false, FUpdatingColor = false;
    QListWidget* FList = nullptr;
};

} // namespace sk
