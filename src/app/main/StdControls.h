// The plain controls of the window layouts that have no skinned class of their own: radio button,
// up-down, picture, rounded shape, paint box and plain label. Owned by their Qt parent; UI thread.
#pragma once

#include "framework/Control.h"

#include <QImage>

namespace app
{

using fw::TColor;

// Radio buttons under one parent are exclusive. SetChecked(true) from code runs the click handler as
// a user click does when the button was not checked.
class TRadioButton : public fw::TControl
{
  public:
    explicit TRadioButton(QWidget* parent = nullptr);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

  private:
    bool FChecked = false;
};

// Two arrow halves (up on top). Position within Min..Max; OnChangingEx(sender, allow, newValue) may
// refuse a step; SetPosition from code fires nothing.
class TUpDown : public fw::TControl
{
  public:
    explicit TUpDown(QWidget* parent = nullptr);
    int Min = 0, Max = 100, Increment = 1;
    int Position() const { return FPosition; }
    // Sets the position (clamped); fires OnChangingEx when it changes, as the window's own
    // position setter does.
    void SetPosition(int value);
    std::function<void(fw::TControl* Sender, bool& AllowChange, int NewValue)> OnChangingEx;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

  private:
    int FPosition = 0;
};

// A picture, drawn stretched or at its size; transparent where the picture is.
class TImage : public fw::TControl
{
  public:
    explicit TImage(QWidget* parent = nullptr);
    void SetPicture(const QImage& image);
    const QImage& Picture() const { return FPicture; }
    bool Stretch = false;

  protected:
    void Paint(fw::TCanvas& Canvas) override;

  private:
    QImage FPicture;
};

// A frame with rounded corners drawn behind labels (the block diagram's boxes).
class TShape : public fw::TControl
{
  public:
    explicit TShape(QWidget* parent = nullptr);
    TColor BorderColor = fw::clSilver;
    int Rounding = 10;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
};

// A channel's name on the block diagram: black bold text on white, kept inside the frame drawn
// behind it. A name that does not fit ends in an ellipsis and shows whole as the hint.
class TNameLabel : public fw::TControl
{
  public:
    explicit TNameLabel(QWidget* parent = nullptr);
    QWidget* Frame = nullptr; // the frame behind the label; none: the label's own rectangle
    // The part of the label the name is drawn in, in the label's pixels.
    QRect TextArea() const;
    // The text drawn: the caption, shortened to the text area.
    QString ShownText() const;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void TextChanged() override;
    void Resized() override;

  private:
    void UpdateHint();
};

// A control that draws through OnPaint.
class TPaintBox : public fw::TControl
{
  public:
    explicit TPaintBox(QWidget* parent = nullptr);
    std::function<void(TPaintBox* Sender, fw::TCanvas& Canvas)> OnPaint;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
};

} // namespace app
