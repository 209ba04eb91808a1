// The editor windows' base form and their controls. Each control shows one value, is filled from
// code silently (the "As" setters, Disable), reports a user's change through its own event and the
// owning form's UserChange, and moves the focus on Tab (Shift+Tab backwards) among tab stops.
// Controls are owned by their Qt parent; the up-down owns its timer, the font picker its font.
// UI thread only.
#pragma once

#include "chart/component/CheckBox.h"
#include "chart/component/RadioGroup.h"
#include "chart/editor/EditorDialogs.h"
#include "framework/Control.h"
#include "runtime/Timer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>

#include <cstdint>
#include <functional>

namespace chart
{

enum TcModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// Base of the editor windows. UserChange is the hook every editor control on the form calls when
// the user changed its value; empty here.
class TcCustomEditorForm : public fw::TForm
{
  public:
    explicit TcCustomEditorForm(QWidget* parent = nullptr);
    virtual void UserChange() {}

    int ModalResult() const { return FModalResult; }
    // A result other than mrNone ends a modal run.
    void SetModalResult(int Value);
    // Shows the form as a window and runs until a modal result is set or it is closed (then
    // mrCancel). Tests replace the run with ModalRunner, which gets the form not yet shown.
    int ShowModal();
    static std::function<void(TcCustomEditorForm*)> ModalRunner;

  protected:
    void closeEvent(QCloseEvent* e) override;

  private:
    int FModalResult = mrNone;
    bool FInModal = false;
};

// The editor form that Control lies on, or nullptr.
TcCustomEditorForm* EditorFormOf(const QWidget* Control);
// Calls the owning editor form's UserChange (none without such a form).
void NotifyUserChange(const QWidget* Control);
// A Tab or Shift+Tab key press: the focus moves to the next (previous) tab stop of the window;
// true when it was such a key.
bool HandleEditorTab(QWidget* Control, QEvent* Event);

class TcComponentEditorEdit : public QLineEdit
{
  public:
    explicit TcComponentEditorEdit(QWidget* parent = nullptr);

    QString AsString() const { return text(); }
    void SetAsString(const QString& Value);
    // The trimmed text as a whole number; 0 when empty or not one, bounded to the int range.
    int AsInteger() const;
    void SetAsInteger(int Value);
    // The trimmed text as a number ("." or ","); 0 when empty or not a number.
    double AsFloat() const;
    void SetAsFloat(double Value);
    // Days since 30 December 1899; raises EChartError on a text that is not a date (and time).
    double AsDateTime() const;
    void SetAsDateTime(double Value);

    // Show the value, call UserChange, then commit (OnUpdate when the text changed).
    void SetStringWithEvent(const QString& Value);
    void SetIntegerWithEvent(int Value);
    void SetDoubleWithEvent(double Value);

    void Enable();
    void Disable();
    void DisableNoClear();
    void SetEnabled(bool Value);
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool Value) { setReadOnly(Value); }

    // The last committed or silently set text.
    const QString& OriginalText() const { return FOriginalText; }
    // When the text differs from the remembered one: remember it, fire OnUpdate and, unless
    // events are blocked, call UserChange.
    void Commit();

    std::function<void(TcComponentEditorEdit* Sender)> OnUpdate;
    std::function<void(TcComponentEditorEdit* Sender)> OnChange;

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    void SetSilently(const QString& Value);
    void Shade(bool Enabled);
    QString FOriginalText;
    bool FBlockingEvents = false;
};

// Two stacked arrow buttons stepping an associated edit's integer. Held down, a button steps at
// once, again after 500 ms and then every 50 ms. Min = Max = 0 means no bounds.
class TcUpDown : public fw::TControl
{
  public:
    explicit TcUpDown(QWidget* parent = nullptr);

    TcComponentEditorEdit* Associate() const { return FAssociate; }
    // Places the up-down at the associate's right edge, same top and height.
    void SetAssociate(TcComponentEditorEdit* Value);
    std::int16_t Min() const { return FMin; }
    void SetMin(std::int16_t Value) { FMin = Value; }
    std::int16_t Max() const { return FMax; }
    void SetMax(std::int16_t Value) { FMax = Value; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }

    int AsInteger() const;
    // Clamped into Min..Max unless both are 0, and shown silently.
    void SetAsInteger(int Value);
    void Enable();
    void Disable();

    // Button rectangles for a size: up the top (Height-1) div 2 rows, down as many at the bottom.
    static fw::TRect UpButtonRect(int Width, int Height);
    static fw::TRect DownButtonRect(int Width, int Height);
    bool UpPressed() const { return FUpButtonPressed; }
    bool DownPressed() const { return FDownButtonPressed; }
    const fw::TTimer& Timer() const { return FTimer; }

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

  private:
    void SetValue(long long Value, bool User);
    void Step();
    void TimerTick();
    void UpdatePressed();
    QPointer<TcComponentEditorEdit> FAssociate;
    std::int16_t FMin = 0;
    std::int16_t FMax = 100;
    int FIncrement = 1;
    fw::TTimer FTimer;
    bool FMouseDown = false;
    int FMouseDownX = 0;
    int FMouseDownY = 0;
    bool FUpButtonPressed = false;
    bool FDownButtonPressed = false;
    bool FFirstTimerMessage = false;
};

class TcComponentEditorPageControl : public QTabWidget
{
  public:
    explicit TcComponentEditorPageControl(QWidget* parent = nullptr);
    int TabIndex() const { return currentIndex(); }
    void SetTabIndex(int Value);
    // A new page with the caption; the page is the parent of its controls.
    QWidget* AddPage(const QString& Caption);

  protected:
    bool event(QEvent* e) override;
};

class TcComponentEditorButton : public QPushButton
{
  public:
    explicit TcComponentEditorButton(QWidget* parent = nullptr);
    std::function<void(TcComponentEditorButton* Sender)> OnClick;

  protected:
    bool event(QEvent* e) override;
    // The button's click: OnClick; pickers open their dialog after it.
    virtual void Click();
};

class TcComponentEditorCheckBox : public TcCheckBox
{
  public:
    explicit TcComponentEditorCheckBox(QWidget* parent = nullptr);
    bool AsBoolean() const { return Checked(); }
    void SetAsBoolean(bool Value);
    void Enable();
    void Disable();
    // Fires after every change of Checked that is not a silent fill (it hides the control's
    // mouse click event).
    std::function<void(TcComponentEditorCheckBox* Sender)> OnClick;

  protected:
    void DoChange() override;
    bool event(QEvent* e) override;

  private:
    bool FBlockingEvents = false;
};

class TcComponentEditorRadioGroup : public TcRadioGroup
{
  public:
    explicit TcComponentEditorRadioGroup(QWidget* parent = nullptr);
    int AsInteger() const { return ItemIndex(); }
    void SetAsInteger(int Value);
    void Enable();
    void Disable();
    // Fires after every change of ItemIndex that is not a silent fill (it hides the control's
    // mouse click event).
    std::function<void(TcComponentEditorRadioGroup* Sender)> OnClick;

  protected:
    void DoChange() override;
    bool event(QEvent* e) override;

  private:
    bool FBlockingEvents = false;
};

class TcComponentEditorComboBox : public QComboBox
{
  public:
    explicit TcComponentEditorComboBox(QWidget* parent = nullptr);
    int AsInteger() const { return currentIndex(); }
    void SetAsInteger(int Value);
    QString AsString() const { return currentText(); }
    void SetAsString(const QString& Value);
    void SetItems(const QStringList& Items);
    void Enable();
    void Disable();
    std::function<void(TcComponentEditorComboBox* Sender)> OnChange;
    std::function<void(TcComponentEditorComboBox* Sender)> OnDropDown;
    // OnDropDown, then the list.
    void showPopup() override;

  protected:
    bool event(QEvent* e) override;

  private:
    void UserChanged();
    void Shade(bool Enabled);
    bool FBlockingEvents = false;
};

// Owner-drawn list: each row may show a framed colour box before its text (OnGetData decides);
// rows are dragged to a new place within the list. Rows may hold an object of the caller's.
// OnClick fires when the user changes the selection, not when code does.
class TcComponentEditorListBox : public QListWidget
{
  public:
    using TcListBoxGetDataEvent = std::function<void(TcComponentEditorListBox* Sender, int Index,
                                                     bool& DrawColorBox, TColor& AColor, QString& AText)>;
    // Draws a row itself instead of the list (Rect in viewport coordinates).
    using TcDrawItemEvent = std::function<void(TcComponentEditorListBox* Sender, int Index,
                                               fw::TCanvas& Canvas, const fw::TRect& Rect, bool Selected)>;

    explicit TcComponentEditorListBox(QWidget* parent = nullptr);

    int Count() const { return count(); }
    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int Value);
    int TopIndex() const;
    int ItemHeight() const;
    // Appends a row holding Object (may be null).
    void AddObject(const QString& Text, void* Object);
    void* Object(int Index) const;
    QString ItemText(int Index) const;
    int IndexOfObject(const void* Object) const;
    void Clear();

    void SelectLast();
    // With rows: deletes the selected one and frees its object (FreeObject); the selection stays
    // at its index or the last row. Nothing happens without a selection.
    void DeleteSelectedObject();
    // Deletes the row holding Object without freeing it.
    void DeleteObjectIndex(const void* Object);
    // Moves a row to another index and selects it; OnItemMove fires when it moved.
    void MoveItem(int From, int To);

    // The row a drop at viewport y lands on: (Y + TopIndex * ItemHeight) div ItemHeight, at most
    // the last row.
    static int DropIndex(int Y, int TopIndex, int ItemHeight, int Count);

    TcListBoxGetDataEvent OnGetData;
    TcDrawItemEvent OnDrawItem;
    std::function<void(TcComponentEditorListBox* Sender)> OnClick;
    std::function<void(TcComponentEditorListBox* Sender)> OnDblClick;
    std::function<void(TcComponentEditorListBox* Sender)> OnItemMove;
    std::function<void(void* Object)> FreeObject;

    // What a row shows, after OnGetData.
    struct TcRowLook {
        bool DrawColorBox = true;
        TColor Color = fw::clRed;
        QString Text;
    };
    TcRowLook RowLook(int Index);

  protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

  private:
    friend class TcListBoxDelegate;
    // Selection changes made by code are not the user's clicks.
    template <class F> void Quietly(F&& f)
    {
        const bool was = FBlockingEvents;
        FBlockingEvents = true;
        f();
        FBlockingEvents = was;
    }
    bool FBlockingEvents = false;
    bool FDragging = false;
    int FDragFrom = -1;
    QPoint FPressPos;
};

// A colour box with a "..." button at its right that opens the colour dialog.
class TcComponentEditorColorPicker : public fw::TControl
{
  public:
    explicit TcComponentEditorColorPicker(QWidget* parent = nullptr);
    TColor Color() const { return FColor; }
    // Stores and repaints; no event.
    void SetColor(TColor Value);
    void Enable();
    void Disable();
    TcComponentEditorButton* Button() const { return FButton; }
    // The colour dialog on the colour; on OK: take it, UserChange, repaint, OnChange.
    void Choose();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    std::function<void(TcComponentEditorColorPicker* Sender)> OnChange;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void DblClick() override;
    bool event(QEvent* e) override;
    void Resized() override;

  private:
    TColor FColor = fw::clRed;
    TcComponentEditorButton* FButton;
};

class TcComponentEditorFontPicker : public TcComponentEditorButton
{
  public:
    explicit TcComponentEditorFontPicker(QWidget* parent = nullptr);
    fw::TFont& Font() { return FFont; }
    void SetFont(const fw::TFont& Value) { FFont.Assign(Value); }
    std::function<void(TcComponentEditorFontPicker* Sender)> OnChange;

  protected:
    void Click() override;

  private:
    fw::TFont FFont;
};

class TcComponentEditorOpenPicker : public TcComponentEditorButton, public TcFileChoice
{
  public:
    explicit TcComponentEditorOpenPicker(QWidget* parent = nullptr);
    bool FileMustExist = false;
    bool AllowMultiSelect = false;
    const QStringList& Files() const { return FFiles; }
    std::function<void(TcComponentEditorOpenPicker* Sender)> OnChange;

  protected:
    void Click() override;

  private:
    bool FDefaultDirUsed = false;
    QStringList FFiles;
};

class TcComponentEditorSavePicker : public TcComponentEditorButton, public TcFileChoice
{
  public:
    explicit TcComponentEditorSavePicker(QWidget* parent = nullptr);
    int FilterIndex = 1;
    // The save dialog; on OK: FileName, UserChange, OnChange, and true.
    bool Execute();
    std::function<void(TcComponentEditorSavePicker* Sender)> OnChange;

  protected:
    void Click() override;

  private:
    bool FDefaultDirUsed = false;
};

enum TcValueConverterPageType : std::uint8_t { ivcptInterval, ivcptDateTime, ivcptPrice32nd };
class TcValueConverterEditForm;
using TFormTranslationMethod = std::function<void(QWidget* AForm)>;

// "..." beside an edit: opens the value converter on the edit's value (or DateTime without an
// edit) and writes the confirmed value back.
class TcComponentEditorValueConverterPicker : public TcComponentEditorButton
{
  public:
    explicit TcComponentEditorValueConverterPicker(QWidget* parent = nullptr);
    double DateTime() const { return FDateTime; }
    void SetDateTime(double Value) { FDateTime = Value; }
    TcComponentEditorEdit* Associate() const { return FAssociate; }
    void SetAssociate(TcComponentEditorEdit* Value) { FAssociate = Value; }
    TcValueConverterPageType DefaultPage() const { return FDefaultPage; }
    void SetDefaultPage(TcValueConverterPageType Value) { FDefaultPage = Value; }
    TFormTranslationMethod TranslationMethod;
    std::function<void(TcComponentEditorValueConverterPicker* Sender)> OnChange;

  protected:
    void Click() override;

  private:
    double FDateTime = 0;
    QPointer<TcComponentEditorEdit> FAssociate;
    TcValueConverterPageType FDefaultPage = ivcptInterval;
};

class TcComponentEditorGroupBox : public QGroupBox
{
  public:
    explicit TcComponentEditorGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
};

// Double-buffered, opaque; OnPaint draws on Canvas.
class TcPaintBox : public fw::TControl
{
  public:
    explicit TcPaintBox(QWidget* parent = nullptr);
    std::function<void(TcPaintBox* Sender, fw::TCanvas& Canvas)> OnPaint;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
};

} // namespace chart
