#include "chart/component/Component.h"

#include "chart/component/ChartDraw.h"

#include <QFocusEvent>
#include <QPainter>
#include <algorithm>
#include <chrono>

namespace chart
{

using namespace fw;

// Clock and error log.

double TcPaceClock::NowMs() const
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

namespace
{
const TcPaceClock* gClock = nullptr;
} // namespace

const TcPaceClock& PaceClock()
{
    static const TcPaceClock steady;
    return gClock ? *gClock : steady;
}
void SetPaceClock(const TcPaceClock* clock)
{
    gClock = clock;
}

// The shared repaint timer.

TcUpdateObject& TcUpdateObject::Instance()
{
    static TcUpdateObject* instance = new TcUpdateObject; // lives with the process, after every widget
    return *instance;
}

TcUpdateObject::TcUpdateObject()
{
    FTimer.SetInterval(1000);
    FTimer.OnTimer = [this](TTimer*) { DoTimer(); };
}

void TcUpdateObject::AddUpdateControl(TcComponent* Control)
{
    FControlList.push_back(Control);
    if (FControlList.size() == 1)
        FTimer.SetEnabled(true);
}

void TcUpdateObject::RemoveUpdateControl(TcComponent* Control)
{
    auto it = std::find(FControlList.begin(), FControlList.end(), Control);
    if (it != FControlList.end())
        FControlList.erase(it);
    if (FControlList.empty())
        FTimer.SetEnabled(false);
}

bool TcUpdateObject::IsUpdateDue(const TcComponent* Control) const
{
    return !Control->UpdateActive() && Control->NeedsRepaint() && Control->FrameIntervalPassed();
}

void TcUpdateObject::DoTimer()
{
    const std::vector<TcComponent*> copy = FControlList;
    for (TcComponent* c : copy)
        if (std::find(FControlList.begin(), FControlList.end(), c) != FControlList.end() && IsUpdateDue(c))
            c->RepaintNow();
}

// TcComponent.

TcComponent::TcComponent(QWidget* parent) : TControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    FLastUpdate = PaceClock().NowMs();
    FErrorFont.SetColor(clRed);
    FErrorFont.SetStyle(fsBold);
    FErrorFont.OnChange = [this](TFont*) { InvalidateChange(); };
    TcUpdateObject::Instance().AddUpdateControl(this);
}

TcComponent::~TcComponent()
{
    FErrorFont.OnChange = nullptr;
    TcUpdateObject::Instance().RemoveUpdateControl(this);
}

const TPropertyTable& TcComponent::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcComponent::ClassTable()
{
    static const TPropertyTable table = [] {
        TPropertyTable t;
        t.Boolean("OptionSaveAllProperties", &TcComponent::OptionSaveAllProperties,
                  &TcComponent::SetOptionSaveAllProperties, false);
        t.Boolean("AutoFrameRate", &TcComponent::AutoFrameRate, &TcComponent::SetAutoFrameRate, false);
        t.Ordinal("UpdateFrameRate", "Integer", &TcComponent::UpdateFrameRate,
                  &TcComponent::SetUpdateFrameRate, 60);
        return t;
    }();
    return table;
}

void TcComponent::SetAutoFrameRate(bool Value)
{
    if (Value == FAutoFrameRate)
        return;
    FAutoFrameRate = Value;
    if (Value)
        BackGroundChange();
    else
        EndUpdate();
}

void TcComponent::SetBorderStyle(TcBevelStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    BackGroundChange();
}

void TcComponent::SetCachedDrawing(bool Value)
{
    if (Value == FCachedDrawing)
        return;
    FCachedDrawing = Value;
    if (!Value)
        FBackGroundBitmap.reset();
    BackGroundChange();
}

QImage& TcComponent::GetBackGroundBitmap()
{
    if (!FBackGroundBitmap)
        FBackGroundBitmap =
            std::make_unique<QImage>(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    return *FBackGroundBitmap;
}

TPoint TcComponent::GetCenterPoint() const
{
    return {Width() / 2 + FOffsetX, Height() / 2 + FOffsetY};
}

void TcComponent::EnabledChanged()
{
    BackGroundChange();
}

void TcComponent::NotifyPropertyChange(int Kind)
{
    if (Kind == 0)
        InvalidateChange();
    else if (Kind == 1)
        BackGroundChange();
}

bool TcComponent::FrameIntervalPassed() const
{
    const double now = PaceClock().NowMs();
    if (FUpdateFrameRate <= 0 || now < FLastUpdate)
        return true;
    return now > FLastUpdate + 1000.0 / FUpdateFrameRate;
}

void TcComponent::RepaintNow()
{
    FNeedsRepaint = false;
    FLastUpdate = PaceClock().NowMs();
    update();
}

void TcComponent::RepaintPaced()
{
    if (FAutoFrameRate && FUpdateFrameRate != 0 && !FrameIntervalPassed())
        return;
    RepaintNow();
}

void TcComponent::InvalidateChange()
{
    if (FUpdateActive) {
        FNeedsRepaint = true;
    } else if (FAutoFrameRate) {
        FNeedsRepaint = true;
        RepaintPaced();
    } else {
        RepaintNow();
    }
}

void TcComponent::BackGroundChange()
{
    FBackGroundChanged = true;
    InvalidateChange();
}

void TcComponent::EndUpdate()
{
    FUpdateActive = false;
    if (FNeedsRepaint)
        RepaintPaced();
}

bool TcComponent::IsDesigning()
{
    bool designing = Designing();
    if (OnGetDesigning)
        OnGetDesigning(this, designing);
    return designing;
}

void TcComponent::DrawBackGround(TCanvas& Canvas, TColor Color)
{
    FBackGroundChanged = false;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = Color;
    Canvas.FillRect(Rect(0, 0, Width(), Height()));
    DrawBorder(Canvas);
}

void TcComponent::DrawBorder(TCanvas& Canvas)
{
    if (FBorderStyle == ibsRaised)
        DrawButtonFrame(Canvas, Rect(0, 0, Width(), Height()), 1);
    else if (FBorderStyle == ibsLowered)
        DrawButtonFrame(Canvas, Rect(0, 0, Width(), Height()), 0);
}

void TcComponent::iSetFocus()
{
    FHasFocus = true;
    update();
}

void TcComponent::iKillFocus()
{
    FHasFocus = false;
    Guard("kill focus", [&] { iMouseUp(mbLeft, 0, 0, 0); });
    update();
}

void TcComponent::Guard(const char* where, const std::function<void()>& hook)
{
    GuardChartCall(where, hook);
}

void TcComponent::PaintBuffered(QImage& image)
{
    QPainter painter(&image);
    TCanvas canvas(painter);
    canvas.Font.Assign(Font());
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Style = psSolid;
    try {
        iPaint(canvas);
    } catch (...) {
        const QString message = ChartErrorMessage(std::current_exception());
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clBlack;
        TRect r = ClientRect();
        canvas.FillRect(r);
        canvas.Font.SetColor(clWhite);
        DrawTextInRect(canvas, message, r, DT_WORDBREAK | DT_NOPREFIX, true, clBlack);
    }
    if (OnPaint)
        Guard("OnPaint", [&] { OnPaint(this, canvas); });
}

QImage TcComponent::PaintToImage()
{
    QImage image(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    image.fill(ToQColor(FBackGroundColor));
    Lock();
    try {
        PaintBuffered(image);
    } catch (...) {
        Unlock();
        throw;
    }
    Unlock();
    return image;
}

void TcComponent::Paint(TCanvas& Canvas)
{
    try {
        const QImage image = PaintToImage();
        Canvas.Draw(0, 0, image);
    } catch (...) {
        LogChartError(QStringLiteral("paint"), ChartErrorMessage(std::current_exception()));
    }
}

void TcComponent::KeyDown(Word& Key, TShiftState Shift)
{
    Guard("key down", [&] {
        TControl::KeyDown(Key, Shift);
        iKeyDown(Key, Shift);
    });
}

void TcComponent::KeyUp(Word& Key, TShiftState Shift)
{
    Guard("key up", [&] {
        TControl::KeyUp(Key, Shift);
        iKeyUp(Key, Shift);
    });
}

void TcComponent::KeyPress(QChar& Key)
{
    Guard("key press", [&] {
        TControl::KeyPress(Key);
        iKeyPress(Key);
    });
}

void TcComponent::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Guard("mouse down", [&] {
        iMouseDown(Button, Shift, X, Y);
        TControl::MouseDown(Button, Shift, X, Y);
    });
}

void TcComponent::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    Guard("mouse up", [&] {
        iMouseUp(Button, Shift, X, Y);
        TControl::MouseUp(Button, Shift, X, Y);
    });
}

void TcComponent::MouseMove(TShiftState Shift, int X, int Y)
{
    Guard("mouse move", [&] {
        iMouseMove(Shift, X, Y);
        TControl::MouseMove(Shift, X, Y);
    });
}

void TcComponent::DblClick()
{
    Guard("double click", [&] {
        iDoubleClick();
        TControl::DblClick();
    });
}

bool TcComponent::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    Guard("mouse wheel", [&] { handled = iMouseWheel(WheelDelta, Shift, MousePos); });
    return handled;
}

void TcComponent::focusInEvent(QFocusEvent* e)
{
    Guard("set focus", [&] { iSetFocus(); });
    TControl::focusInEvent(e);
}

void TcComponent::focusOutEvent(QFocusEvent* e)
{
    Guard("kill focus", [&] { iKillFocus(); });
    TControl::focusOutEvent(e);
}

// TcVCLComponent.

TcVCLComponent::TcVCLComponent(QWidget* parent) : TcComponent(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    FOPCItemManager.OnGetDesigning = [this] { return IsDesigning(); };
    FOPCItemManager.OnGetType = [this](const QString& Path) { return GetPropertyTypeKind(Path); };
    FOPCItemManager.OnNewData = [this](TcOPCItem* Item) { OPCNewData(Item); };
}

TcVCLComponent::~TcVCLComponent()
{
    FDestroying = true;
    TimerStop();
    FOPCItemManager.Clear();
}

void TcVCLComponent::OPCNewData(TcOPCItem* Item)
{
    if (Item->PropertyName().isEmpty())
        return;
    const int index = FOPCItemManager.FindIndex(Item);
    QVariant data = Item->Data();
    if (OnBeforeNewOPCData)
        OnBeforeNewOPCData(this, index, data);
    FOPCIncomingActive = true;
    try {
        QString error;
        if (Item->GetQualityGood() && !OPCNewDataSpecial(Item->PropertyName(), data) &&
            !SetPropertyByPath(*this, QString(), data.toString(), Item->PropertyName(), &error))
            LogChartError(QStringLiteral("OPC new data"), error);
    } catch (...) {
        FOPCIncomingActive = false;
        throw;
    }
    FOPCIncomingActive = false;
    if (OnNewOPCData)
        OnNewOPCData(this, index);
}

bool TcVCLComponent::OPCOutputData(const QString& PropertyName, const QVariant& Value)
{
    if (FOPCIncomingActive) {
        FOPCIncomingActive = false;
        return false;
    }
    bool sent = false;
    for (int i = 0; i < FOPCItemManager.Count(); ++i) {
        TcOPCItem& item = FOPCItemManager.Item(i);
        if (item.GetActive() && item.PropertyName().compare(PropertyName, Qt::CaseInsensitive) == 0) {
            item.SetData(Value);
            sent = true;
        }
    }
    return sent;
}

void TcVCLComponent::Lock()
{
    if (!FDestroying)
        FDataCriticalSection.lock();
}

void TcVCLComponent::Unlock()
{
    if (!FDestroying)
        FDataCriticalSection.unlock();
}

void TcVCLComponent::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height())
        return;
    TcComponent::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FTransparentBitmap && AWidth > 0 && AHeight > 0)
        *FTransparentBitmap = QImage(AWidth, AHeight, QImage::Format_RGB32);
    RequestTransparentCapture();
    if (AWidth > 0 && AHeight > 0 && CachedDrawing())
        GetBackGroundBitmap() = QImage(AWidth, AHeight, QImage::Format_RGB32);
    BackGroundChange();
}

void TcVCLComponent::TimerStart(int FirstDelay, int Interval)
{
    if (FTimerID != 0)
        return;
    FTimerInterval = Interval;
    int delay = 0;
    if (FirstDelay != 0) {
        delay = FirstDelay;
        FTimerFirstMessage = true;
    } else if (Interval != 0) {
        delay = Interval;
    } else {
        return;
    }
    FTimerService = &Timers();
    FTimerServiceAlive = FTimerService->Token();
    FTimerID = FTimerService->Start(delay, [this] { TimerTick(); });
}

void TcVCLComponent::TimerStop()
{
    if (FTimerID != 0 && FTimerService && !FTimerServiceAlive.expired())
        FTimerService->Stop(FTimerID);
    FTimerID = 0;
    FTimerFirstMessage = false;
}

void TcVCLComponent::TimerTick()
{
    if (FTimerFirstMessage) {
        FTimerFirstMessage = false;
        FTimerService->Stop(FTimerID);
        FTimerID = FTimerInterval != 0 ? FTimerService->Start(FTimerInterval, [this] { TimerTick(); }) : 0;
    }
    if (OnInternalTimer)
        Guard("timer", [&] { OnInternalTimer(this); });
}

} // namespace chart
