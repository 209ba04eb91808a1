// The splash screen's progress bar: TGDIPSplashProgress, the appearance and value description with its
// drawing routine, and TFxSplashProgressBar, the control that draws it, eases its position towards a
// new value and sweeps a glow along the filled part (one 10 ms timer). Each owns its fills and fonts.
// UI thread only.
#pragma once

#include "controls/smooth/GDIPFill.h"
#include "controls/smooth/TrackBarParts.h"
#include "framework/Control.h"
#include "runtime/Timer.h"

namespace fx
{

class TGDIPSplashProgress
{
    FW_PROPERTIES(TGDIPSplashProgress)

  public:
    TGDIPSplashProgress();
    TGDIPSplashProgress(const TGDIPSplashProgress&) = delete;
    TGDIPSplashProgress& operator=(const TGDIPSplashProgress&) = delete;

    FW_PROPERTY(QString, ValueFormat, QStringLiteral("%.0f%%"))
    FW_PROPERTY(TGDIPProgressValueType, ValueType, vtAbsolute)
    FW_PROPERTY(TGDIPProgressValuePosition, ValuePosition, vpCenter)
    FW_PROPERTY(int, ValuePositionLeft, 0)
    FW_PROPERTY(int, ValuePositionTop, 0)
    FW_PROPERTY(bool, ValueVisible, false)
    FW_PROPERTY(int, Left, 50)
    FW_PROPERTY(int, Top, 100)
    FW_PROPERTY(int, Width, 300)
    FW_PROPERTY(int, Height, 17)
    FW_QUIET_PROPERTY(double, Step, 10)
    FW_PROPERTY(double, Minimum, 0)
    FW_PROPERTY(double, Maximum, 100)
    FW_PROPERTY(double, Position, 0)

  public:
    bool Visible() const { return FVisible; }
    // Always raises OnChange, changed or not.
    void SetVisible(bool v);
    TGDIPFill& BackGroundFill() { return FBackGroundFill; }
    TGDIPFill& ProgressFill() { return FProgressFill; }
    const TGDIPFill& BackGroundFill() const { return FBackGroundFill; }
    const TGDIPFill& ProgressFill() const { return FProgressFill; }
    fw::TFont& Font() { return FFont; }
    fw::TFont& ProgressFont() { return FProgressFont; }
    const fw::TFont& Font() const { return FFont; }
    const fw::TFont& ProgressFont() const { return FProgressFont; }
    bool GlowAnimation = false;
    bool ProgressAnimation = false;

    // Every property but OnChange, the fills and fonts by assignment, then OnChange.
    void Assign(const TGDIPSplashProgress& source);
    void SetComponentStyle(TTMSStyle style);

    // The inner rectangle (inside the background's border) and the filled one, for a rectangle r.
    gp::TGPRectF GetInsideRectF(const fw::TRect& r) const;
    gp::TGPRectF CalculateProgressRectangle(const fw::TRect& r, double position, double maximum,
                                            double minimum) const;
    // The value text for a position (ValueFormat over the absolute or percentage value).
    QString ValueText(double position, double maximum, double minimum) const;
    void Draw(gp::TGPGraphics& g, const fw::TRect& r, double position, double maximum, double minimum);

    std::function<void(TGDIPSplashProgress*)> OnChange;

  private:
    void PropertyChanged() { Changed(); }
    void Changed();
    void DrawValue(gp::TGPGraphics& g, const fw::TRect& r, double position, double maximum, double minimum);
    TGDIPFill FBackGroundFill, FProgressFill;
    fw::TFont FFont, FProgressFont;
    bool FVisible = false;
};

// The framework's Format over one real argument: "%%" and one conversion f, e, g, n or m with flags,
// width and precision; anything else stays as written. Widths and precisions are bounded.
QString FormatReal(const QString& format, double value);
// The end shadows and the gloss of a bar's rectangle (X, Y, W, H).
void DrawEndShadows(gp::TGPGraphics& g, const gp::TGPRectF& r);

class TFxSplashProgressBar : public fw::TControl
{
  public:
    explicit TFxSplashProgressBar(QWidget* parent = nullptr);

    double Step() const { return FStep; }
    void SetStep(double v);
    double Minimum() const { return FMinimum; }
    void SetMinimum(double v);
    double Maximum() const { return FMaximum; }
    void SetMaximum(double v);
    double Position() const { return FPosition; }
    void SetPosition(double v);
    bool GlowAnimation() const { return FGlowAnimation; }
    void SetGlowAnimation(bool v);
    bool ProgressAnimation() const { return FProgressAnimation; }
    void SetProgressAnimation(bool v);
    TGDIPSplashProgress& Appearance() { return FAppearance; }
    // Assigns into the own appearance, which then applies itself to the control.
    void SetAppearance(const TGDIPSplashProgress& v) { FAppearance.Assign(v); }
    QString Version() const { return QStringLiteral("1.2.0.0"); }
    void SetVersion(const QString&) {}
    // Set while the owner loads its layout: the animation does not take over the position.
    bool Loading = false;

    void GoToStart() { SetPosition(FMinimum); }
    void GoToEnd() { SetPosition(FMaximum); }
    void GoToValue(double v) { SetPosition(v); }
    void Next() { SetPosition(FPosition + FStep); }
    void Next(double step) { SetPosition(FPosition + step); }
    void Previous() { SetPosition(FPosition - FStep); }
    void Previous(double step) { SetPosition(FPosition - step); }
    bool AnimationInProgress() const;
    double PositionTo() const { return FPositionTo; }
    double GlowPos() const { return FGlowPos; }

    fw::TNotifyEvent OnChange;
    std::function<void(fw::TControl* Sender, double Position)> OnPositionChanged;

    // One tick of the animation timer (10 ms).
    void AnimationTick();

  protected:
    void Paint(fw::TCanvas& canvas) override;
    void Resized() override { update(); }

  private:
    bool Animating() const { return FProgressAnimation && !Loading; }
    void FirePositionChanged();
    void ApplyAppearance();
    double FStep = 10, FMinimum = 0, FMaximum = 100, FPosition = 0;
    double FPositionTo = 0, FPositionTemp = 0;
    double FGlowPos = -40;
    int FGlowCount = 3000;
    bool FGlowAnimation = false, FProgressAnimation = false;
    TGDIPSplashProgress FAppearance;
    fw::TTimer FAnimationTimer;
};

} // namespace fx
