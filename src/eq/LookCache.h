// The band editor's row controls keep their last painting and show it again while they are idle (no
// focus, no mouse over them, no mouse button held) and nothing they paint from has changed: a page
// of editors holds some 500 of them, which Qt would otherwise paint one by one on every exposure.
// A key lists what a control's look depends on; the cached picture is drawn over the control exactly
// as its own painting would be. UI thread only.
#pragma once

#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"

#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QStringList>
#include <vector>

namespace eq
{

// What a look depends on, as numbers and texts.
struct TLookKey {
    std::vector<double> V;
    QStringList S;
    QFont Font;
    bool operator==(const TLookKey&) const = default;
};

// Whether a control shows its resting look: no focus, no mouse over it, no button held anywhere.
bool IsIdle(const QWidget& w);

// The parts of a key every control has: size, pixel ratio, enabled, palette, font and direction.
TLookKey WidgetLookKey(const QWidget& w);
// The framework font, colour and caption of a control.
void AddControlLook(TLookKey& k, const fw::TControl& c);
TLookKey LookKey(const sk::TSkComboBox& c);
TLookKey LookKey(const sk::TSkButton& c);
TLookKey LookKey(const sk::TSkLabel& c);
TLookKey LookKey(const QLineEdit& e);

// One control's cached picture.
class TLookCache
{
  public:
    bool Fits(const TLookKey& key, qreal ratio) const
    {
        return !FImage.isNull() && FImage.devicePixelRatio() == ratio && key == FKey;
    }
    // A transparent picture of the control's size to paint the look into.
    QImage& Begin(const QSize& size, qreal ratio);
    void Store(TLookKey key) { FKey = std::move(key); }
    void Drop() { FImage = QImage(); }
    const QImage& Image() const { return FImage; }

  private:
    QImage FImage;
    TLookKey FKey;
};

// A framework control of the row that paints its idle look from the cache.
template <class Base> class TCachedLook : public Base
{
  public:
    using Base::Base;

  protected:
    void Paint(fw::TCanvas& canvas) override
    {
        QPainter& p = canvas.Painter();
        const qreal ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
        if (!IsIdle(*this) || this->MouseInControl()) {
            FLook.Drop();
            Base::Paint(canvas);
            return;
        }
        TLookKey key = LookKey(static_cast<const Base&>(*this));
        if (!FLook.Fits(key, ratio)) {
            QImage& image = FLook.Begin(this->size(), ratio);
            QPainter ip(&image);
            ip.setFont(this->font());
            ip.setLayoutDirection(this->layoutDirection());
            fw::TCanvas c(ip);
            c.Font.Assign(this->Font());
            c.Brush.Color = this->Color();
            Base::Paint(c);
            ip.end();
            FLook.Store(std::move(key));
        }
        p.drawImage(QPoint(0, 0), FLook.Image());
    }

  private:
    TLookCache FLook;
};

using TPeqTypeBox = TCachedLook<sk::TSkComboBox>;
using TPeqBypassButton = TCachedLook<sk::TSkButton>;
using TPeqLabel = TCachedLook<sk::TSkLabel>;

} // namespace eq
