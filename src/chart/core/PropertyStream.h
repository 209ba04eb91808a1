// The binary stream of an object's published properties: a writer and a reader of tagged values
// (a property is its name, 1 to 255 bytes of UTF-8 after a length byte, and one tagged value; an
// object's properties, and a list of values, run to an end marker, a 0 byte) and the walk over the
// property table that writes or reads them. Objects add data of their own through
// DefineProperties. The stream lives in memory; pure, any thread.
#pragma once

#include "chart/core/PropertyText.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>

namespace chart
{

class TcWriter;
class TcReader;

enum class TcValueType : std::uint8_t { Null, List, Integer, Float, String, False, True, Binary };

// What DefineProperties sees: the writer or the reader.
class TcFiler
{
  public:
    virtual ~TcFiler() = default;
    // WriteData runs when writing and HasData is set; ReadData runs when the stream holds Name.
    virtual void DefineProperty(const QString& Name, const std::function<void(TcReader&)>& ReadData,
                                const std::function<void(TcWriter&)>& WriteData, bool HasData) = 0;
};

class TcWriter : public TcFiler
{
  public:
    void WriteListBegin() { WriteValue(TcValueType::List); }
    void WriteListEnd() { WriteValue(TcValueType::Null); }
    void WritePropName(const QString& Name);
    void WriteInteger(long long Value);
    void WriteFloat(double Value);
    void WriteString(const QString& Value);
    void WriteBoolean(bool Value) { WriteValue(Value ? TcValueType::True : TcValueType::False); }
    void WriteBinary(const QByteArray& Value);
    void DefineProperty(const QString& Name, const std::function<void(TcReader&)>& ReadData,
                        const std::function<void(TcWriter&)>& WriteData, bool HasData) override;
    const QByteArray& Data() const { return FData; }

  private:
    void WriteValue(TcValueType t) { FData.append(char(t)); }
    void WriteCount(std::uint32_t n);
    QByteArray FData;
};

// Reads what TcWriter wrote; a short or malformed stream raises EChartError ("Stream read error").
class TcReader : public TcFiler
{
  public:
    explicit TcReader(QByteArray data) : FData(std::move(data)) {}
    TcValueType NextValue() const;
    // The end marker is next (where a value or a property name could start).
    bool EndOfList() const;
    void ReadListBegin() { Expect(TcValueType::List); }
    void ReadListEnd() { Expect(TcValueType::Null); }
    QString ReadPropName();
    long long ReadInteger();
    double ReadFloat();
    QString ReadString();
    bool ReadBoolean();
    QByteArray ReadBinary();
    // Passes over one value of any type.
    void SkipValue();
    bool AtEnd() const { return FPos >= FData.size(); }
    void DefineProperty(const QString& Name, const std::function<void(TcReader&)>& ReadData,
                        const std::function<void(TcWriter&)>& WriteData, bool HasData) override;

  private:
    friend void ReadObjectProperties(TcReader& Reader, TcPersistent& Object);
    TcValueType ReadValue();
    void Expect(TcValueType t);
    std::uint32_t ReadCount();
    const char* Take(qsizetype n);
    QByteArray FData;
    qsizetype FPos = 0;
    // The defined property being looked for while DefineProperties runs, and whether it was read.
    QString FDefinedName;
    bool FDefinedRead = false;
};

// Writes every stored published property (base classes first, objects as dotted names), then
// the object's defined properties. A failure of the library's own class ends the writing
// quietly, leaving the stream well formed; other failures pass to the caller.
void WriteObjectProperties(TcWriter& Writer, TcPersistent& Object);
// Reads properties up to the end of the list (the end marker stays for the caller). A name that is
// neither a published nor a defined property is passed over; a value of the wrong type raises.
void ReadObjectProperties(TcReader& Reader, TcPersistent& Object);

} // namespace chart
