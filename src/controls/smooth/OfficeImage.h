// TFxOfficeImage: a picture control that shows one TGDIPPicture centred, at the origin or stretched,
// and reports mouse entry and exit; TFxHintInfo: the office-style hint information it carries.
// Both own their pictures. UI thread only.
#pragma once

#include "controls/smooth/Pictures.h"
#include "framework/Control.h"

#include <QStringList>

namespace fx
{

class TFxHintInfo
{
  public:
    void Assign(const TFxHintInfo& source);
    bool IsEmpty() const { return Title.isEmpty() && Notes.join(QString()).isEmpty(); }

    QString Title;
    QStringList Notes;
    bool ShowHelp = false;
    QString WideTitle;
    QString WideNotes;
    TGDIPPicture& Picture() { return FPicture; }
    const TGDIPPicture& Picture() const { return FPicture; }

  private:
    TGDIPPicture FPicture;
};

class TFxOfficeImage : public fw::TControl
{
  public:
    explicit TFxOfficeImage(QWidget* parent = nullptr);
    TGDIPPicture& Picture() { return FIPicture; }
    void SetPicture(const TGDIPPicture* p);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    TFxHintInfo& OfficeHint() { return FOfficeHint; }
    void SetOfficeHint(const TFxHintInfo& h) { FOfficeHint.Assign(h); }
    QString Version() const { return QStringLiteral("1.1.0.0"); }
    void SetVersion(const QString&) {}
    virtual int GetVersionNr() const { return (1 << 24) | (1 << 16); }
    // Where the picture goes in the control (pure placement).
    fw::TRect PictureRect();

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    virtual void PaintPicture(fw::TCanvas& Canvas);

  private:
    TFxHintInfo FOfficeHint;
    TGDIPPicture FIPicture;
    bool FCenter = true;
    bool FStretch = false;
};

} // namespace fx
