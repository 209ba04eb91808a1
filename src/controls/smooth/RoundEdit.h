// The rounded controls: TRoundPanel (anti-aliased rounded panel, parent shows through its corners),
// TRoundControlPanel (adds small image buttons) and TRoundEdit (adds the borderless inner edit and
// passes its events on with the TRoundEdit as Sender). The panel owns its button collection and inner
// edit. UI thread only.
#pragma once

#include "controls/smooth/Pictures.h"
#include "framework/Control.h"
#include "framework/ImageList.h"

#include <QLineEdit>
#include <QPointer>
#include <memory>
#include <vector>

#include <QMenu>

namespace fx
{

using fw::TColor;

enum TControlPosition { cpLeftInControl, cpRightInControl, cpLeft, cpRight };
enum TControlState { csNormal, csHover, csDown };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TRoundControls;

class TRoundControl
{
  public:
    explicit TRoundControl(TRoundControls* collection);
    void Assign(const TRoundControl& source);

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int ImageIndexHover() const { return FImageIndexHover; }
    void SetImageIndexHover(int v) { FImageIndexHover = v; }
    int ImageIndexDown() const { return FImageIndexDown; }
    void SetImageIndexDown(int v) { FImageIndexDown = v; }
    bool DropDown() const { return FDropDown; }
    void SetDropDown(bool v);
    TControlPosition Position() const { return FPosition; }
    void SetPosition(TControlPosition v);
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }
    TFxGDIPPicture& Picture() { return FPicture; }
    TFxGDIPPicture& PictureHover() { return FPictureHover; }
    TFxGDIPPicture& PictureDown() { return FPictureDown; }
    TControlState State() const { return FState; }
    void SetState(TControlState s) { FState = s; }

  private:
    void Changed();
    TRoundControls* FCollection;
    int FImageIndex = -1, FImageIndexHover = -1, FImageIndexDown = -1;
    TFxGDIPPicture FPicture, FPictureHover, FPictureDown;
    QString FHint;
    bool FDropDown = false;
    QPointer<QMenu> FPopupMenu;
    TControlPosition FPosition = cpRightInControl;
    TControlState FState = csNormal;
};

class TRoundControls
{
  public:
    TRoundControls() = default;
    TRoundControl* Add();
    TRoundControl* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return int(FItems.size()); }
    TRoundControl* Items(int i) const { return FItems.at(std::size_t(i)).get(); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void Update();
    void Assign(const TRoundControls& source);

    int FLeftSize = 0, FLeftControlSize = 0, FRightSize = 0, FRightControlSize = 0;
    int FImageListImageWidth = 0, FImageListImageHeight = 0;
    std::function<void()> OnChange;

  private:
    std::vector<std::unique_ptr<TRoundControl>> FItems;
    int FUpdateCount = 0;
};

class TRoundPanel : public fw::TControl
{
  public:
    explicit TRoundPanel(QWidget* parent = nullptr);
    int Rounding() const { return FRounding; }
    void SetRounding(int value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value) { FShadowColor = value; }

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void ColorChanged() override { ApplyColor(); }
    virtual void ApplyColor() { update(); }
    virtual void LayoutContent() {}

    int FRounding = 8;
    TColor FShadowColor = 0xD9D9D9;
    TColor FBorderColor = 0x808080;
    int FIndentRight = 0, FIndentLeft = 0;
};

using TControlClickEvent = std::function<void(fw::TControl* Sender, int Index)>;

class TRoundControlPanel : public TRoundPanel
{
  public:
    explicit TRoundControlPanel(QWidget* parent = nullptr);
    QString Version() const { return QStringLiteral("1.0.3.1"); }
    void SetVersion(const QString&) {}
    TRoundControls& Controls() { return FRoundControls; }
    // Borrowed; dropped (as Images := none) when the list is destroyed.
    fw::TCustomImageList* Images() const { return FImages; }
    void SetImages(fw::TCustomImageList* value);
    void RealignControls();
    // The item under x (strictly inside), or -1; the last match wins.
    int ControlAt(int x, int* left = nullptr) const;
    void CalcSizes();

    TControlClickEvent OnControlClick;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool event(QEvent* e) override;
    virtual void ControlClicked(int Index);
    // Whether a press on the panel itself fires the framework's mouse events.
    virtual bool RimFiresEvents() const { return true; }
    void MouseEnter() override;
    void Click() override;
    void DblClick() override;

  private:
    // One pass for drawing and hit testing.
    int LayoutControls(gp::TGPGraphics* g, int x, int* matchedLeft, fw::TCanvas* canvas = nullptr) const;
    QSize ControlSize(const TRoundControl& c) const;
    TRoundControls FRoundControls;
    QPointer<fw::TCustomImageList> FImages;
    QMetaObject::Connection FImagesGone;
    int FPressed = -1;
};

class TRoundEdit;

// The inner edit: a borderless line edit that shows a grey hint while empty.
class TEmptyEdit : public QLineEdit
{
  public:
    explicit TEmptyEdit(TRoundEdit* owner);
    const QString& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const QString& v)
    {
        FEmptyText = v;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

  private:
    TRoundEdit* FOwner;
    QString FEmptyText;
    bool FClicked = false;
};

// The inner edit is made when the edit is first used (focus, mouse, a caller asking for it) or cannot be
// drawn as plain text; until then the box draws its text as the inner edit would.
class TRoundEdit : public TRoundControlPanel
{
  public:
    explicit TRoundEdit(QWidget* parent = nullptr);

    QString Text() const { return FEdit ? FEdit->text() : FText; }
    void SetText(const QString& value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool ReadOnly() const { return FEdit ? FEdit->isReadOnly() : FReadOnly; }
    void SetReadOnly(bool value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool value) { FAutoSelect = value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value) { FHideSelection = value; }
    int MaxLength() const { return FMaxLength == kNoMaxLength ? 0 : FMaxLength; }
    void SetMaxLength(int value);
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    bool NumbersOnly() const { return FNumbersOnly; }
    void SetNumbersOnly(bool value) { FNumbersOnly = value; }
    QString EmptyText() const { return FEdit ? FEdit->EmptyText() : QString(); }
    void SetEmptyText(const QString& v);
    QString TextHint() const { return FEdit ? FEdit->placeholderText() : QString(); }
    void SetTextHint(const QString& v);
    // These act on the inner edit, not on the panel.
    bool Enabled() const { return FEdit ? FEdit->isEnabled() : FEditEnabled && isEnabled(); }
    void SetEnabled(bool value);
    // The inner edit takes the focus on a click either way, as an edit does; Tab reaches it only as a tab
    // stop.
    bool TabStop() const { return FEdit ? (FEdit->focusPolicy() & Qt::TabFocus) != 0 : FTabStop; }
    void SetTabStop(bool value);
    void SetFocus();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Makes the inner edit when there is none yet.
    TEmptyEdit* InnerEdit() const;

    fw::TNotifyEvent OnChange;

  protected:
    void ApplyColor() override;
    void LayoutContent() override;
    void FontChanged() override;
    void Resized() override { LayoutContent(); }
    bool RimFiresEvents() const override { return false; }
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

  private:
    friend class TEmptyEdit;
    static constexpr int kNoMaxLength = 32767;
    void MakeEdit();
    // Makes the inner edit when the text cannot be drawn as the edit would draw it.
    void CheckDrawable();
    void UpdateFocusPolicy();
    void TextChanged();
    void DrawText();
    // The inner edit's font and palette, also while there is none.
    QFont EditFont() const;
    QPalette EditPalette() const;
    TEmptyEdit* FEdit = nullptr;
    QRect FEditRect;
    int FScroll = 0; // how far the text is scrolled left, kept from paint to paint as the edit keeps it
    QString FText;
    int FMaxLength = kNoMaxLength;
    bool FReadOnly = false;
    bool FEditEnabled = true;
    bool FTabStop = false;
    bool FForwardMouse = false;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    QChar FPasswordChar;
    TEditCharCase FCharCase = ecNormal;
    bool FNumbersOnly = false;
};

} // namespace fx
