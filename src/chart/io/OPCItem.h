// OPC items: each binds one published property of its owner, named by a dotted path, to an item of
// an OPC server through the OPC library (OPCLibrary.h). Incoming values are scaled, kept with their
// time stamp and quality, and handed to the owner list's OnNewData; SetData sends a value. Without
// the library every item operation is skipped and the getters answer false. UI thread.
#pragma once

#include "chart/core/PropertyText.h"
#include "chart/io/OPCLibrary.h"

#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace chart
{

class TcComponent;
class TcOPCItemManager;
class TcReader;
class TcWriter;

class TcOPCItem : public TcPersistent, public TcOPCSignalCallback
{
  public:
    explicit TcOPCItem(TcOPCItemManager* AOwner = nullptr);
    ~TcOPCItem() override;
    TcOPCItem(const TcOPCItem&) = delete;
    TcOPCItem& operator=(const TcOPCItem&) = delete;

    // The name setters of the connection re-activate an active item; their failures pass on.
    const QString& PropertyName() const { return FPropertyName; }
    void SetPropertyName(const QString& Value);
    const QString& GroupName() const { return FGroupName; }
    void SetGroupName(const QString& Value);
    const QString& ComputerName() const { return FComputerName; }
    void SetComputerName(const QString& Value);
    const QString& ServerName() const { return FServerName; }
    void SetServerName(const QString& Value);
    const QString& ItemName() const { return FItemName; }
    void SetItemName(const QString& Value);
    int UpdateRate() const { return FUpdateRate; }
    void SetUpdateRate(int Value);
    // Incoming numbers become value * Scalar + Offset; 0 leaves out either step.
    double Scalar() const { return FScalar; }
    void SetScalar(double Value) { FScalar = Value; }
    double Offset() const { return FOffset; }
    void SetOffset(double Value) { FOffset = Value; }
    bool AutoConnect() const { return FAutoConnect; }
    void SetAutoConnect(bool Value);
    // Puts the owning control into its error state while the quality is bad.
    bool AutoError() const { return FAutoError; }
    void SetAutoError(bool Value);
    bool UpdateSuspended() const;
    TcTypeKind PropertyType() const { return FPropertyType; }

    void Activate() { Connect(false); }
    // Connects with updates suspended until UpdateResume.
    void ActivateSuspend() { Connect(true); }
    void Deactivate();
    // After streaming: the error state, then a connection when AutoConnect; failures are swallowed.
    void Loaded();
    bool GetActive() const;
    void UpdateSuspend();
    void UpdateResume();
    // Sends Value to the server.
    void SetData(const QVariant& Value);
    // Reads the item now; nothing is read, and an empty value returned, without the library.
    QVariant GetDataNow(std::uint16_t& Quality);
    // Both top bits of the quality are set.
    bool GetQualityGood() const { return (FQuality & 0xC0) == 0xC0; }
    void UpdateErrorState();
    const QVariant& Data() const { return FData; }
    double TimeStamp() const { return FTimeStamp; }
    std::uint16_t Quality() const { return FQuality; }
    int SignalHandle() const { return FSignalHandle; }
    TcOPCItemManager* Owner() const { return FOwner; }

    // The library's notice of new data.
    void NewData(int Reason) override;

    const TPropertyTable& PropertyTable() const override;

  private:
    void Connect(bool Suspended);
    bool Designing() const;
    void Reactivate();
    QString FPropertyName;
    TcTypeKind FPropertyType = tkUnknown;
    QString FGroupName;
    QString FServerName;
    QString FComputerName = QStringLiteral("Local");
    QString FItemName;
    bool FAutoConnect = true;
    int FUpdateRate = 500;
    double FScalar = 0;
    double FOffset = 0;
    int FSignalHandle = 0;
    QVariant FData;
    double FTimeStamp = 0;
    std::uint16_t FQuality = 0;
    TcOPCItemManager* FOwner;
    bool FAutoError = false;
};

// Value * Scalar + Offset for the integer and floating variants (each step left out at 0); an
// integer result is rounded half to even into a 32-bit integer (bounded to its range). Other
// values come back unchanged.
QVariant ScaleOPCValue(const QVariant& Value, double Scalar, double Offset);

// The OPC items of one owner, owned by the list.
class TcOPCItemManager
{
  public:
    // The owner is the control whose properties the items bind; nullptr for another kind of owner.
    explicit TcOPCItemManager(TcComponent* AOwner = nullptr) : FOwner(AOwner) {}
    ~TcOPCItemManager() { Clear(); }
    TcOPCItemManager(const TcOPCItemManager&) = delete;
    TcOPCItemManager& operator=(const TcOPCItemManager&) = delete;

    int Add();
    // An index out of range raises "List index out of bounds (n)".
    void Delete(int Index);
    void Clear();
    int Count() const { return int(FList.size()); }
    TcOPCItem& Item(int Index) const;
    int FindIndex(const TcOPCItem* Item) const;
    bool GetIsDesigning() const { return OnGetDesigning && OnGetDesigning(); }
    TcComponent* Owner() const { return FOwner; }

    // The owner's stream property "OPCItems": written when there are items; reading replaces them.
    void DefineItems(TcFiler& Filer);

    std::function<bool()> OnGetDesigning;
    std::function<void(TcOPCItem* Item)> OnNewData;
    std::function<TcTypeKind(const QString& PropertyName)> OnGetType;

  private:
    void WriteItems(TcWriter& Writer);
    void ReadItems(TcReader& Reader);
    std::vector<std::unique_ptr<TcOPCItem>> FList;
    TcComponent* FOwner;
};

} // namespace chart
