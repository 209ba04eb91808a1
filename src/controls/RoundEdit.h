// The rounded controls: TRoundPanel (an anti-aliased rounded panel that shows its parent through the
// corners), TRoundControlPanel (adds small image buttons with hover, down, drop-down and click),
// TEmptyEdit (an edit that shows a grey hint while empty) and TRoundEdit (the value edit box: a
// rounded panel around a borderless TEmptyEdit whose properties and events it passes through as its
// own, with itself as Sender). A panel owns its buttons, their pictures and its inner edit; image list
// and popup menus are borrowed. UI thread only.
#pragma once

#include "controls/Pictures.h"
#include "framework/Control.h"

#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace fx {

using fw::TColor;

// A borrowed list of equally sized images for the buttons.
class TImageList : public QObject {
public:
    TImageList(int width, int height, QObject* parent = nullptr) : QObject(parent), FWidth(width), FHeight(height) {}
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }
    void Add(const QImage& image) { FImages.push_back(image); }
    void Draw(QPainter& p, int x, int y, int index) const;

private:
    int FWidth, FHeight;
    std::vector<QImage> FImages;
};

class TRoundPanel : public fw::TControl {
public:
    explicit TRoundPanel(QWidget* parent = nullptr);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);
    int Rounding() const { return FRounding; }
    void SetRounding(int v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { FShadowColor = v; }
    int IndentLeft() const { return FIndentLeft; }
    int IndentRight() const { return FIndentRight; }

protected:
    void Paint(fw::TCanvas& Canvas) override;
    void ColorChanged() override { ApplyColor(); }
    virtual void ApplyColor() { Invalidate(); }

    int FRounding = 8;
    TColor FShadowColor = 0xD9D9D9;
    TColor FBorderColor = fw::clGray;
    int FIndentRight = 0;
    int FIndentLeft = 0;
};

enum TControlPosition { cpLeftInControl, cpRightInControl, cpLeft, cpRight };
enum TControlState { csNormal, csHover, csDown };

class TRoundControls;

class TRoundControl {
public:
    explicit TRoundControl(TRoundControls* collection);
    ~TRoundControl();
    TRoundControl(const TRoundControl&) = delete;
    TRoundControl& operator=(const TRoundControl&) = delete;

    // Copies hint, image indexes, position and drop-down (not the pictures or the popup menu).
    void Assign(const TRoundControl* source);
    int Index() const;

    bool DropDown() const { return FDropDown; }
    void SetDropDown(bool v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TControlPosition Position() const { return FPosition; }
    void SetPosition(TControlPosition v);
    int ImageIndexHover() const { return FImageIndexHover; }
    void SetImageIndexHover(int v) { FImageIndexHover = v; }
    int ImageIndexDown() const { return FImageIndexDown; }
    void SetImageIndexDown(int v) { FImageIndexDown = v; }
    TFxGDIPPicture& Picture() { return FPicture; }
    TFxGDIPPicture& PictureHover() { return FPictureHover; }
    TFxGDIPPicture& PictureDown() { return FPictureDown; }
    void SetPicture(const TFxGDIPPicture* v) { FPicture.Assign(v); }
    void SetPictureHover(const TFxGDIPPicture* v) { FPictureHover.Assign(v); }
    void SetPictureDown(const TFxGDIPPicture* v) { FPictureDown.Assign(v); }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& v) { FHint = v; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* v) { FPopupMenu = v; }
    TControlState State() const { return FState; }
    void SetState(TControlState v) { FState = v; }

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

class TRoundControls {
public:
    TRoundControls() = default;
    TRoundControls(const TRoundControls&) = delete;
    TRoundControls& operator=(const TRoundControls&) = delete;

    int Count() const { return int(FItems.size()); }
    TRoundControl* Items(int i) const { return (i >= 0 && i < Count()) ? FItems[size_t(i)].get() : nullptr; }
    TRoundControl* Add();
    TRoundControl* Insert(int index);
    void Delete(int index);
    void Clear();
    // Replaces the items by copies of source's items.
    void Assign(const TRoundControls& source);
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // One collection update (as the layout reader's streaming makes): fires OnChange.
    void Update();

    // The summed widths of the buttons at each position.
    int LeftSize() const { return FLeftSize; }
    int LeftControlSize() const { return FLeftControlSize; }
    int RightSize() const { return FRightSize; }
    int RightControlSize() const { return FRightControlSize; }
    int ImageListImageWidth() const { return FImageListImageWidth; }
    int ImageListImageHeight() const { return FImageListImageHeight; }
    void SetImageListSize(int w, int h) { FImageListImageWidth = w, FImageListImageHeight = h; }
    // A button's size: its picture's (+2, +5 more with drop-down) or the image list's cell.
    void ControlSize(TRoundControl* item, int& w, int& h) const;
    void CalcSizes();

    std::function<void(TRoundControls*)> OnChange;

private:
    friend class TRoundControl;
    void Changed();
    std::vector<std::unique_ptr<TRoundControl>> FItems;
    int FLeftSize = 0, FLeftControlSize = 0, FRightSize = 0, FRightControlSize = 0;
    int FImageListImageWidth = 0, FImageListImageHeight = 0;
    int FUpdateCount = 0;
};

class TRoundControlPanel : public TRoundPanel {
public:
    using TControlClickEvent = std::function<void(fw::TControl* Sender, int Index)>;
    explicit TRoundControlPanel(QWidget* parent = nullptr);
    ~TRoundControlPanel() override;

    QString Version() const { return QStringLiteral("1.0.3.1"); }
    void SetVersion(const QString&) {}
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    TRoundControls& Controls() { return FRoundControls; }
    void SetControls(const TRoundControls& v) { FRoundControls.Assign(v); }
    TControlClickEvent OnControlClick;

    // The item under x (strictly inside its horizontal span; the last match wins), or -1.
    int HitTest(int x, int* left = nullptr);
    void RealignControls();

protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool event(QEvent* e) override;
    virtual void ControlClicked(int Index);
    virtual void LayoutContent() {}
    // The buttons' share of the mouse handling.
    void ButtonsMouseDown(int X);
    void ButtonsMouseMove(int X);
    void ButtonsMouseUp(int X);
    void ButtonsMouseLeave();

private:
    // One pass for drawing and hit-testing.
    int LayoutControls(QPainter* painter, int x, int* matchLeft);
    void DrawControl(QPainter& p, TRoundControl* item, int x, int y);
    TRoundControls FRoundControls;
    QPointer<TImageList> FImages;
    int FPressed = -1;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TRoundEdit;

// The inner edit: a borderless line edit that draws EmptyText in grey while its text is empty.
// Its key, mouse and change events go to the TRoundEdit that owns it.
class TEmptyEdit : public QLineEdit {
public:
    explicit TEmptyEdit(TRoundEdit* owner);
    const QString& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const QString& v);
    bool NumbersOnly = false;
    bool AutoSelect = true;

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
    bool FPressed = false;
};

class TRoundEdit : public TRoundControlPanel {
public:
    explicit TRoundEdit(QWidget* parent = nullptr);

    // The inner edit's text. Setting it from code fires no event.
    QString Text() const;
    void SetText(const QString& v);
    TEmptyEdit* Edit() const { return FEdit; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    bool AutoSelect() const { return FEdit->AutoSelect; }
    void SetAutoSelect(bool v) { FEdit->AutoSelect = v; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool v) { FHideSelection = v; }
    QString EmptyText() const { return FEdit->EmptyText(); }
    void SetEmptyText(const QString& v) { FEdit->SetEmptyText(v); }
    QString TextHint() const { return FEdit->placeholderText(); }
    void SetTextHint(const QString& v) { FEdit->setPlaceholderText(v); }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool NumbersOnly() const { return FEdit->NumbersOnly; }
    void SetNumbersOnly(bool v) { FEdit->NumbersOnly = v; }
    QChar PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(QChar v);
    bool ReadOnly() const { return FEdit->isReadOnly(); }
    void SetReadOnly(bool v) { FEdit->setReadOnly(v); }
    // Enabled, TabStop and TabOrder act on the inner edit, not on the panel.
    bool Enabled() const { return FEdit->isEnabled(); }
    void SetEnabled(bool v) { FEdit->setEnabled(v); }
    bool TabStop() const { return FEdit->focusPolicy() == Qt::StrongFocus; }
    void SetTabStop(bool v) { FEdit->setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus); }
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int v) { FTabOrder = v; }
    QMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(QMenu* v);

    void SetFocus();
    // The height is always 24.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // End of layout reading: the buttons' collection is updated once, as streaming does.
    void Loaded() override;

    // Fired by user edits of the text.
    fw::TNotifyEvent OnChange;

protected:
    void ApplyColor() override;
    void LayoutContent() override;
    void Resized() override;
    void FontChanged() override;
    // Events of the rim: only the buttons' logic, none of the edit's events.
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseEnter() override {}
    void MouseLeave() override { ButtonsMouseLeave(); }
    void Click() override {}
    void DblClick() override {}
    void keyPressEvent(QKeyEvent* e) override { e->ignore(); }
    void keyReleaseEvent(QKeyEvent* e) override { e->ignore(); }

private:
    friend class TEmptyEdit;
    TEmptyEdit* FEdit;
    TAlignment FAlignment = taLeftJustify;
    bool FHideSelection = true;
    int FMaxLength = 0;
    QChar FPasswordChar;
    int FTabOrder = 0;
    QPointer<QMenu> FPopupMenu;
};

} // namespace fx
