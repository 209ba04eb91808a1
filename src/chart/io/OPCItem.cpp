#include "chart/io/OPCItem.h"

#include "chart/component/Component.h"
#include "chart/core/ChartError.h"
#include "chart/core/PropertyStream.h"

#include <cmath>
#include <limits>

namespace chart
{

namespace
{

// The text type the library is asked for when the bound property is a text; 0 is the server's own.
constexpr std::uint16_t OPCTextType = 8;

bool IsBlank(const QString& s)
{
    return s.trimmed().isEmpty();
}

// Half to even, bounded to the 32-bit range (not a number gives 0).
int RoundToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(r);
}

bool IsIntegerVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return true;
    default:
        return false;
    }
}

bool IsFloatVariant(const QVariant& v)
{
    return v.typeId() == QMetaType::Float || v.typeId() == QMetaType::Double;
}

[[noreturn]] void IndexError(int Index)
{
    throw EChartError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

} // namespace

QVariant ScaleOPCValue(const QVariant& Value, double Scalar, double Offset)
{
    const bool integer = IsIntegerVariant(Value);
    if (!integer && !IsFloatVariant(Value))
        return Value;
    QVariant v = Value;
    auto apply = [&](double result) { v = integer ? QVariant(RoundToInt32(result)) : QVariant(result); };
    if (Scalar != 0)
        apply(v.toDouble() * Scalar);
    if (Offset != 0)
        apply(v.toDouble() + Offset);
    return v;
}

// TcOPCItem.

TcOPCItem::TcOPCItem(TcOPCItemManager* AOwner) : FOwner(AOwner) {}

TcOPCItem::~TcOPCItem()
{
    try {
        Deactivate();
    } catch (...) {
        // The library's failure cannot stop the item going.
    }
}

const TPropertyTable& TcOPCItem::PropertyTable() const
{
    using X = TcOPCItem;
    static const TPropertyTable table = [] {
        TPropertyTable t;
        t.String("PropertyName", &X::PropertyName, &X::SetPropertyName, QString());
        t.String("GroupName", &X::GroupName, &X::SetGroupName, QString());
        t.String("ComputerName", &X::ComputerName, &X::SetComputerName, QStringLiteral("Local"));
        t.String("ServerName", &X::ServerName, &X::SetServerName, QString());
        t.String("ItemName", &X::ItemName, &X::SetItemName, QString());
        t.Float("Scalar", &X::Scalar, &X::SetScalar, 0);
        t.Float("Offset", &X::Offset, &X::SetOffset, 0);
        t.Ordinal("UpdateRate", "Integer", &X::UpdateRate, &X::SetUpdateRate, 500);
        t.Boolean("UpdateSuspended", &X::UpdateSuspended, nullptr, false);
        t.Boolean("AutoConnect", &X::AutoConnect, &X::SetAutoConnect, true);
        t.Boolean("AutoError", &X::AutoError, &X::SetAutoError, false);
        return t;
    }();
    return table;
}

bool TcOPCItem::Designing() const
{
    return FOwner && FOwner->GetIsDesigning();
}

void TcOPCItem::Reactivate()
{
    if (!TcOPCDLL::OPCDLLMissing() && GetActive())
        Activate();
}

void TcOPCItem::SetPropertyName(const QString& Value)
{
    FPropertyName = Value;
    if (FOwner && FOwner->OnGetType)
        FPropertyType = FOwner->OnGetType(Value);
}

void TcOPCItem::SetGroupName(const QString& Value)
{
    FGroupName = Value;
    if (GetActive())
        Activate();
}

void TcOPCItem::SetComputerName(const QString& Value)
{
    FComputerName = Value;
    Reactivate();
}

void TcOPCItem::SetServerName(const QString& Value)
{
    FServerName = Value;
    Reactivate();
}

void TcOPCItem::SetItemName(const QString& Value)
{
    FItemName = Value;
    Reactivate();
}

void TcOPCItem::SetUpdateRate(int Value)
{
    FUpdateRate = Value;
    Reactivate();
}

void TcOPCItem::SetAutoConnect(bool Value)
{
    FAutoConnect = Value;
    TcComponent* control = FOwner ? FOwner->Owner() : nullptr;
    if (!TcOPCDLL::OPCDLLMissing() && control && !control->IsLoading() && FAutoConnect)
        Activate();
}

void TcOPCItem::SetAutoError(bool Value)
{
    if (Value == FAutoError)
        return;
    FAutoError = Value;
    if (FAutoError)
        UpdateErrorState();
}

void TcOPCItem::Connect(bool Suspended)
{
    if (TcOPCDLL::OPCDLLMissing() || Designing())
        return;
    if (FAutoError)
        UpdateErrorState();
    if (FSignalHandle != 0)
        Deactivate();
    if (IsBlank(FPropertyName) || (IsBlank(FGroupName) && IsBlank(FServerName)) || IsBlank(FItemName))
        return;
    if (GetActive())
        Deactivate();
    const std::uint16_t type = FPropertyType == tkString ? OPCTextType : 0;
    FSignalHandle = TcOPCDLL::SignalAdd(FComputerName, FServerName, FItemName, FGroupName, FUpdateRate,
                                        Suspended, type, this);
}

// Every signal operation below needs the handle the library gave; an item without one has
// nothing to address in the library.
void TcOPCItem::Deactivate()
{
    if (TcOPCDLL::OPCDLLMissing() || Designing() || FSignalHandle == 0)
        return;
    TcOPCDLL::SignalRemove(FSignalHandle);
    FSignalHandle = 0;
}

void TcOPCItem::Loaded()
{
    try {
        if (FAutoError)
            UpdateErrorState();
        if (FAutoConnect && !Designing())
            Activate();
    } catch (...) {
        // A server that cannot be reached while loading leaves the item unconnected.
    }
}

bool TcOPCItem::GetActive() const
{
    if (!FOwner || Designing() || TcOPCDLL::OPCDLLMissing() || FSignalHandle == 0)
        return false;
    return TcOPCDLL::SignalGetActive(FSignalHandle);
}

bool TcOPCItem::UpdateSuspended() const
{
    if (TcOPCDLL::OPCDLLMissing() || FSignalHandle == 0)
        return false;
    return TcOPCDLL::SignalGetUpdateSuspended(FSignalHandle);
}

void TcOPCItem::UpdateSuspend()
{
    if (!TcOPCDLL::OPCDLLMissing() && FSignalHandle != 0)
        TcOPCDLL::SignalSuspend(FSignalHandle);
}

void TcOPCItem::UpdateResume()
{
    if (!TcOPCDLL::OPCDLLMissing() && FSignalHandle != 0)
        TcOPCDLL::SignalResume(FSignalHandle);
}

void TcOPCItem::SetData(const QVariant& Value)
{
    if (!TcOPCDLL::OPCDLLMissing() && FSignalHandle != 0)
        TcOPCDLL::SignalSendData(FSignalHandle, Value);
}

QVariant TcOPCItem::GetDataNow(std::uint16_t& Quality)
{
    if (TcOPCDLL::OPCDLLMissing() || FSignalHandle == 0)
        return {};
    TcOPCDLL::SignalGetDataNow(FSignalHandle);
    FData = TcOPCDLL::SignalGetData(FSignalHandle);
    FTimeStamp = TcOPCDLL::SignalGetTimeStamp(FSignalHandle);
    FQuality = TcOPCDLL::SignalGetQuality(FSignalHandle);
    Quality = FQuality;
    return FData;
}

void TcOPCItem::UpdateErrorState()
{
    TcComponent* control = FOwner ? FOwner->Owner() : nullptr;
    if (control && GetActive())
        control->SetErrorActive(!GetQualityGood());
}

void TcOPCItem::NewData(int)
{
    // Called by the library: nothing raised may go back into it.
    GuardChartCall("OPC new data", [this] {
        FData = TcOPCDLL::SignalGetData(FSignalHandle);
        FTimeStamp = TcOPCDLL::SignalGetTimeStamp(FSignalHandle);
        FQuality = TcOPCDLL::SignalGetQuality(FSignalHandle);
        if (GetQualityGood())
            FData = ScaleOPCValue(FData, FScalar, FOffset);
        if (FAutoError)
            UpdateErrorState();
        if (FOwner && FOwner->OnNewData)
            FOwner->OnNewData(this);
    });
}

// TcOPCItemManager.

int TcOPCItemManager::Add()
{
    FList.push_back(std::make_unique<TcOPCItem>(this));
    return Count() - 1;
}

TcOPCItem& TcOPCItemManager::Item(int Index) const
{
    if (Index < 0 || Index >= Count())
        IndexError(Index);
    return *FList[std::size_t(Index)];
}

void TcOPCItemManager::Delete(int Index)
{
    Item(Index);
    FList.erase(FList.begin() + Index);
}

void TcOPCItemManager::Clear()
{
    while (!FList.empty())
        FList.erase(FList.begin());
}

int TcOPCItemManager::FindIndex(const TcOPCItem* Item) const
{
    for (std::size_t i = 0; i < FList.size(); ++i)
        if (FList[i].get() == Item)
            return int(i);
    return -1;
}

void TcOPCItemManager::DefineItems(TcFiler& Filer)
{
    Filer.DefineProperty(
        QStringLiteral("OPCItems"), [this](TcReader& r) { ReadItems(r); },
        [this](TcWriter& w) { WriteItems(w); }, Count() > 0);
}

void TcOPCItemManager::WriteItems(TcWriter& Writer)
{
    Writer.WriteListBegin();
    for (const auto& item : FList) {
        Writer.WriteListBegin();
        WriteObjectProperties(Writer, *item);
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TcOPCItemManager::ReadItems(TcReader& Reader)
{
    Clear();
    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        Reader.ReadListBegin();
        TcOPCItem& item = Item(Add());
        ReadObjectProperties(Reader, item);
        Reader.ReadListEnd();
        item.Loaded();
    }
    Reader.ReadListEnd();
}

} // namespace chart
