// TcComponent: the root of the chart library's window controls, over the framework's TControl.
// It paints through one off-screen image per paint into the abstract iPaint (a failure shows its
// message in the control instead of the picture), schedules repaints with an update lock and an
// optional frame-rate limit on a monotonic clock (pending requests are completed by the shared
// repaint timer, TcUpdateObject), draws background and border, and forwards input to the i...
// hooks without letting an exception out. TcVCLComponent adds the data lock, bounds handling,
// no background erase, focus, keys, wheel, a private timer and the OPC items bound to its
// properties. UI thread only, except Lock/Unlock.
#pragma once

#include "chart/core/ChartError.h"
#include "chart/core/ColorSchemes.h"
#include "chart/core/PropertyText.h"
#include "chart/io/OPCItem.h"
#include "framework/Control.h"
#include "runtime/Timer.h"

#include <QByteArray>
#include <QImage>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace chart
{

using fw::TCanvas;
using fw::TColor;
using fw::TMouseButton;
using fw::TPoint;
using fw::TShiftState;
using fw::Word;

// The clock that paces repaints: monotonic milliseconds. Tests install their own.
class TcPaceClock
{
  public:
    virtual ~TcPaceClock() = default;
    virtual double NowMs() const;
};
const TcPaceClock& PaceClock();
void SetPaceClock(const TcPaceClock* clock);

enum TcBevelStyle : std::uint8_t { ibsNone, ibsRaised, ibsLowered };

class TcComponent;

// The one shared repaint timer (1000 ms) that completes paced repaints of every registered
// control. Created on first use; enabled while controls are registered.
class TcUpdateObject
{
  public:
    static TcUpdateObject& Instance();
    void AddUpdateControl(TcComponent* Control);
    void RemoveUpdateControl(TcComponent* Control);
    bool IsUpdateDue(const TcComponent* Control) const;
    void DoTimer();
    bool TimerEnabled() const { return FTimer.Enabled(); }
    std::size_t Count() const { return FControlList.size(); }

  private:
    TcUpdateObject();
    fw::TTimer FTimer;
    std::vector<TcComponent*> FControlList;
};

class TcComponent : public fw::TControl, public TcPersistent
{
  public:
    explicit TcComponent(QWidget* parent = nullptr);
    ~TcComponent() override;

    using TcPaintEvent = std::function<void(TcComponent* Sender, TCanvas& Canvas)>;
    using TChangePropertyEvent = std::function<void(TcComponent* Sender, const QString& PropName)>;
    using TRequestEditEvent =
        std::function<void(TcComponent* Sender, const QString& PropName, bool& CanEdit)>;
    using TGetDesigningEvent = std::function<void(TcComponent* Sender, bool& Designing)>;

    bool OptionSaveAllProperties() const { return FOptionSaveAllProperties; }
    void SetOptionSaveAllProperties(bool v) { FOptionSaveAllProperties = v; }
    bool AutoFrameRate() const { return FAutoFrameRate; }
    void SetAutoFrameRate(bool Value);
    int UpdateFrameRate() const { return FUpdateFrameRate; }
    void SetUpdateFrameRate(int Value) { SetIntegerValue(Value, FUpdateFrameRate, 1); }
    TColor BackGroundColor() const { return FBackGroundColor; }
    virtual void SetBackGroundColor(TColor Value) { SetColorValue(Value, FBackGroundColor, 1); }
    TcBevelStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TcBevelStyle Value);
    bool CachedDrawing() const { return FCachedDrawing; }
    virtual void SetCachedDrawing(bool Value);
    bool ErrorActive() const { return FErrorActive; }
    void SetErrorActive(bool Value) { SetBooleanValue(Value, FErrorActive, 1); }
    const QString& ErrorText() const { return FErrorText; }
    fw::TFont& ErrorFont() { return FErrorFont; }
    bool HasFocus() const { return FHasFocus; }
    bool NeedsRepaint() const { return FNeedsRepaint; }
    bool UpdateActive() const { return FUpdateActive; }
    double LastUpdateMs() const { return FLastUpdate; }
    bool BackGroundChanged() const { return FBackGroundChanged; }
    // The background cache (exists from the first bounds change while cached drawing is on).
    const QImage* BackGroundBitmap() const { return FBackGroundBitmap.get(); }
    QImage& GetBackGroundBitmap();

    virtual TPoint GetCenterPoint() const;

    // Repaint requests.
    void RepaintNow();
    void RepaintPaced();
    void InvalidateChange();
    void BackGroundChange();
    virtual void RepaintAll() { BackGroundChange(); }
    virtual void BeginUpdate() { FUpdateActive = true; }
    virtual void EndUpdate();
    // Whether the frame interval since the last immediate repaint has passed (a clock reading
    // before the last repaint counts as passed).
    bool FrameIntervalPassed() const;

    virtual bool GetTimerRunning() const = 0;
    virtual void TimerStart(int FirstDelay, int Interval) = 0;
    virtual void TimerStop() = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;

    bool IsLoading() const { return Loading(); }
    bool IsDesigning();
    // The kind of the published property at a dotted path (case-insensitive); tkUnknown when none.
    TcTypeKind GetPropertyTypeKind(const QString& PropertyName) const
    {
        return chart::GetPropertyTypeKind(*this, PropertyName);
    }
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

    // Image export: the control painted through iPaint at its size (not taken from the screen); a
    // file is written whole or not at all; false with the reason. The vector picture is a one-page
    // PDF of the control's size. JPEG Compression is the quality 1..100 ("Compression must be in
    // the range of 1-100"), PNG Compression the zlib level 0..9 ("... 0-9").
    bool SaveImageToBitmap(const QString& FileName, QString* Error = nullptr);
    bool SaveImageToPDF(const QString& FileName, QString* Error = nullptr);
    bool SaveImageToJPEG(const QString& FileName, int Compression, bool Progressive,
                         QString* Error = nullptr);
    bool SaveImageToPNG(const QString& FileName, int Compression, QString* Error = nullptr);
    // The encoded files' bytes; nullopt with the reason.
    std::optional<QByteArray> GetBytesJPEG(int Compression, bool Progressive, QString* Error = nullptr);
    std::optional<QByteArray> GetBytesPNG(int Compression, QString* Error = nullptr);
    std::optional<QByteArray> GetBytesPDF(QString* Error = nullptr);
    // Paints the control through iPaint onto any painter (a picture, a page) at its origin, under
    // the lock; a failure of the paint goes to the caller.
    void PaintTo(QPainter& Painter);
    // One buffered paint into an image of the control's size (what paintEvent shows).
    QImage PaintToImage();

    TcPaintEvent OnPaint;
    TChangePropertyEvent OnChangeProtected;
    TRequestEditEvent OnRequestEdit;
    TGetDesigningEvent OnGetDesigning;

  protected:
    void SetBooleanValue(bool Value, bool& Field, int Kind) { StoreAndNotify(Value, Field, Kind); }
    void SetIntegerValue(int Value, int& Field, int Kind) { StoreAndNotify(Value, Field, Kind); }
    void SetColorValue(TColor Value, TColor& Field, int Kind) { StoreAndNotify(Value, Field, Kind); }
    void NotifyPropertyChange(int Kind);

    virtual void DrawBackGround(TCanvas& Canvas, TColor Color);
    virtual void DrawBorder(TCanvas& Canvas);
    // Sends a changed property value to the OPC items bound to it; true when one got it.
    virtual bool OPCOutputData(const QString&, const QVariant&) { return false; }

    virtual void iSetFocus();
    virtual void iKillFocus();
    virtual void iWantSpecialKey(Word&, bool&) {}
    virtual void iKeyUp(Word&, TShiftState) {}
    virtual void iKeyDown(Word&, TShiftState) {}
    virtual void iKeyPress(QChar&) {}
    virtual void iMouseDown(TMouseButton, TShiftState, int, int) {}
    virtual void iMouseUp(TMouseButton, TShiftState, int, int) {}
    virtual void iMouseMove(TShiftState, int, int) {}
    virtual void iDoubleClick() {}
    virtual bool iMouseWheel(int, TShiftState, TPoint) { return false; }
    virtual void iPaint(TCanvas& Canvas) = 0;

    // The framework's handlers: forward to the hooks; no exception leaves them.
    void Paint(TCanvas& Canvas) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    // However Enabled was set.
    void EnabledChanged() override;

    // Runs a hook; a failure is logged and ignored.
    void Guard(const char* where, const std::function<void()>& hook);

    std::unique_ptr<QImage> FBackGroundBitmap;
    int FOffsetX = 0;
    int FOffsetY = 0;

  private:
    template <class T> void StoreAndNotify(T Value, T& Field, int Kind)
    {
        if (fw::StoreProperty(Field, Value))
            NotifyPropertyChange(Kind);
    }
    void PaintBuffered(QImage& image);

    bool FUpdateActive = false;
    int FUpdateFrameRate = 60;
    double FLastUpdate = 0;
    bool FNeedsRepaint = false;
    TColor FBackGroundColor = fw::clBtnFace;
    bool FBackGroundChanged = true;
    TcBevelStyle FBorderStyle = ibsNone;
    bool FHasFocus = false;
    bool FAutoFrameRate = false;
    bool FCachedDrawing = true;
    bool FOptionSaveAllProperties = false;
    bool FErrorActive = false;
    QString FErrorText = QStringLiteral("Error");
    fw::TFont FErrorFont;
};

class TcVCLComponent : public TcComponent
{
  public:
    explicit TcVCLComponent(QWidget* parent = nullptr);
    ~TcVCLComponent() override;

    void Lock() override;
    void Unlock() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    bool GetTimerRunning() const override { return FTimerID != 0; }
    // First tick after FirstDelay ms (when not 0), then every Interval ms; ignored while running.
    void TimerStart(int FirstDelay, int Interval) override;
    void TimerStop() override;

    std::function<void(TcVCLComponent* Sender)> OnInternalTimer;

    // Shows the parent's pixels under the control: the background is a copy of what the parent
    // paints there, taken again after every move, resize and RepaintAll.
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    void RequestTransparentCapture();
    bool TransparentCapturePending() const { return FNeedsTransparentCapture; }
    void RepaintAll() override;

    // Colour schemes: the built-in file (library folder + class name + ".xml") and the user's
    // (user folder + class name + "User.xml"); a missing file is skipped. False with the reader's
    // text for a malformed file; the schemes read before it stay.
    bool LoadThemes(QString* Error = nullptr);
    void ClearThemes() { FThemes.Clear(); }
    // The class name the scheme files are named after.
    virtual QString SchemeClassName() const { return QStringLiteral("TcCustomComponent"); }
    // Property files: "File Type = <class>", then "key = value" per published property, without
    // Name and, unless OptionSaveAllProperties is set, without the placement properties. A load
    // checks every line before it sets any: a refused file changes nothing. Failures come back as
    // "Error Saving Properties - " or "Error Loading Properties - " and the reason.
    virtual bool SavePropertiesToFile(const QString& FileName, QString* Error = nullptr);
    virtual bool LoadPropertiesFromFile(const QString& FileName, QString* Error = nullptr);
    // The keys a property file leaves out: Name, and the placement properties unless SaveAll.
    static QStringList PropertyFileExclusions(bool SaveAll);
    int GetThemeCategoryCount() const { return int(FThemes.Categories().size()); }
    QString GetThemeCategoryName(int CategoryIndex) const;
    int GetThemeCategorySchemeCount(int CategoryIndex) const;
    QString GetThemeCategorySchemeName(int CategoryIndex, int SchemeIndex) const;
    bool GetThemeCategorySchemeIsUser(int CategoryIndex, int SchemeIndex) const;
    // Sets every "path = value" line of the scheme by path, or, when a line's value does not suit
    // its property or the indexes name no scheme, nothing at all (false with the reason).
    bool ApplyScheme(int CategoryIndex, int SchemeIndex, QString* Error = nullptr);

    // OPC items binding published properties of this control by path: a good incoming value is
    // set by path (OnBeforeNewOPCData may change it first); a property changed that way is not
    // sent back. Streamed as "OPCItems".
    TcOPCItemManager& OPCItems() { return FOPCItemManager; }
    int OPCAddItem() { return FOPCItemManager.Add(); }
    int OPCItemCount() const { return FOPCItemManager.Count(); }
    void OPCDeleteItem(int Index) { FOPCItemManager.Delete(Index); }
    void OPCRemoveAllItems() { FOPCItemManager.Clear(); }
    void DefineProperties(TcFiler& Filer) override { FOPCItemManager.DefineItems(Filer); }
    std::function<void(TcVCLComponent* Sender, int Index, QVariant& Data)> OnBeforeNewOPCData;
    std::function<void(TcVCLComponent* Sender, int Index)> OnNewOPCData;

  protected:
    void DrawBackGround(TCanvas& Canvas, TColor Color) override;
    bool OPCOutputData(const QString& PropertyName, const QVariant& Value) override;
    // A control that applies an incoming value itself answers true.
    virtual bool OPCNewDataSpecial(const QString&, QVariant&) { return false; }
    void moveEvent(QMoveEvent* e) override;

  private:
    void TimerTick();
    void CaptureParentBackground();
    void OPCNewData(TcOPCItem* Item);
    TcOPCItemManager FOPCItemManager{this};
    bool FOPCIncomingActive = false;
    bool FTransparent = false;
    bool FNeedsTransparentCapture = false;
    std::unique_ptr<QImage> FTransparentBitmap;
    TcThemeCategoryList FThemes;
    std::recursive_mutex FDataCriticalSection;
    bool FDestroying = false;
    int FTimerID = 0;
    bool FTimerFirstMessage = false;
    int FTimerInterval = 0;
    fw::TimerService* FTimerService = nullptr;
    // Whether FTimerService still exists (a test's service may go first).
    std::weak_ptr<void> FTimerServiceAlive;
};

// Adds nothing; the controls derive from it.
class TcCustomComponent : public TcVCLComponent
{
  public:
    using TcVCLComponent::TcVCLComponent;
};

} // namespace chart
