#include "chart/core/PropertyStream.h"

#include "chart/core/ChartError.h"

#include <cstring>
#include <optional>
#include <variant>

namespace chart
{

namespace
{
[[noreturn]] void ReadError()
{
    throw EChartError(QStringLiteral("Stream read error"));
}
[[noreturn]] void InvalidValue(const QString& name)
{
    throw EChartError(QStringLiteral("Invalid property value: %1").arg(name));
}

template <class T> void AppendLittleEndian(QByteArray& out, T v)
{
    unsigned char b[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i)
        b[i] = (unsigned char)(v >> (8 * i));
    out.append(reinterpret_cast<const char*>(b), qsizetype(sizeof(T)));
}
template <class T> T FromLittleEndian(const char* p)
{
    T v = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        v |= T((unsigned char)p[i]) << (8 * i);
    return v;
}
} // namespace

// Writer.

void TcWriter::WriteCount(std::uint32_t n)
{
    AppendLittleEndian(FData, n);
}

void TcWriter::WritePropName(const QString& Name)
{
    // A 0 length would read as the end marker.
    const QByteArray utf8 = Name.isEmpty() ? QByteArray("?") : Name.toUtf8().left(255);
    FData.append(char(utf8.size()));
    FData.append(utf8);
}

void TcWriter::WriteInteger(long long Value)
{
    WriteValue(TcValueType::Integer);
    AppendLittleEndian(FData, std::uint64_t(Value));
}

void TcWriter::WriteFloat(double Value)
{
    WriteValue(TcValueType::Float);
    std::uint64_t bits;
    std::memcpy(&bits, &Value, sizeof bits);
    AppendLittleEndian(FData, bits);
}

void TcWriter::WriteString(const QString& Value)
{
    WriteValue(TcValueType::String);
    const QByteArray utf8 = Value.toUtf8();
    WriteCount(std::uint32_t(utf8.size()));
    FData.append(utf8);
}

void TcWriter::WriteBinary(const QByteArray& Value)
{
    WriteValue(TcValueType::Binary);
    WriteCount(std::uint32_t(Value.size()));
    FData.append(Value);
}

void TcWriter::DefineProperty(const QString& Name, const std::function<void(TcReader&)>&,
                              const std::function<void(TcWriter&)>& WriteData, bool HasData)
{
    if (!HasData || !WriteData)
        return;
    WritePropName(Name);
    WriteData(*this);
}

// Reader.

const char* TcReader::Take(qsizetype n)
{
    if (n < 0 || n > FData.size() - FPos)
        ReadError();
    const char* p = FData.constData() + FPos;
    FPos += n;
    return p;
}

TcValueType TcReader::NextValue() const
{
    if (FPos >= FData.size())
        ReadError();
    const auto t = (unsigned char)FData[FPos];
    if (t > (unsigned char)TcValueType::Binary)
        ReadError();
    return TcValueType(t);
}

bool TcReader::EndOfList() const
{
    if (FPos >= FData.size())
        ReadError();
    return FData[FPos] == char(TcValueType::Null);
}

TcValueType TcReader::ReadValue()
{
    const TcValueType t = NextValue();
    ++FPos;
    return t;
}

void TcReader::Expect(TcValueType t)
{
    if (ReadValue() != t)
        ReadError();
}

std::uint32_t TcReader::ReadCount()
{
    return FromLittleEndian<std::uint32_t>(Take(4));
}

QString TcReader::ReadPropName()
{
    const auto n = (unsigned char)*Take(1);
    if (n == 0)
        ReadError();
    return QString::fromUtf8(Take(n), n);
}

long long TcReader::ReadInteger()
{
    Expect(TcValueType::Integer);
    return (long long)FromLittleEndian<std::uint64_t>(Take(8));
}

double TcReader::ReadFloat()
{
    Expect(TcValueType::Float);
    const auto bits = FromLittleEndian<std::uint64_t>(Take(8));
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString TcReader::ReadString()
{
    Expect(TcValueType::String);
    const std::uint32_t n = ReadCount();
    return QString::fromUtf8(Take(qsizetype(n)), qsizetype(n));
}

bool TcReader::ReadBoolean()
{
    const TcValueType t = ReadValue();
    if (t != TcValueType::True && t != TcValueType::False)
        ReadError();
    return t == TcValueType::True;
}

QByteArray TcReader::ReadBinary()
{
    Expect(TcValueType::Binary);
    const std::uint32_t n = ReadCount();
    return QByteArray(Take(qsizetype(n)), qsizetype(n));
}

void TcReader::SkipValue()
{
    switch (ReadValue()) {
    case TcValueType::Null:
    case TcValueType::False:
    case TcValueType::True:
        break;
    case TcValueType::List:
        while (!EndOfList())
            SkipValue();
        ++FPos;
        break;
    case TcValueType::Integer:
    case TcValueType::Float:
        Take(8);
        break;
    case TcValueType::String:
    case TcValueType::Binary:
        Take(qsizetype(ReadCount()));
        break;
    }
}

void TcReader::DefineProperty(const QString& Name, const std::function<void(TcReader&)>& ReadData,
                              const std::function<void(TcWriter&)>&, bool)
{
    if (FDefinedRead || !ReadData || Name.compare(FDefinedName, Qt::CaseInsensitive) != 0)
        return;
    FDefinedRead = true;
    ReadData(*this);
}

// The walk over the property table.

namespace
{
using Value = std::variant<long long, double, QString>;

void WriteProperties(TcWriter& Writer, TPersistent& Object, const QString& Prefix)
{
    for (const TPropertyInfo* p : Object.PropertyTable().All()) {
        if ((p->IsStored && !p->IsStored(Object)) || p->ReadOnly())
            continue;
        const QString name = Prefix.isEmpty() ? p->Name : Prefix + QLatin1Char('.') + p->Name;
        // The value is read before the name is written, so that a failing getter leaves no name
        // without its value.
        std::optional<Value> value;
        switch (p->Kind) {
        case TPropertyKind::Ordinal:
            value = p->GetOrdinal(Object);
            break;
        case TPropertyKind::Float:
            value = p->GetFloat(Object);
            break;
        case TPropertyKind::String:
            value = p->GetString(Object);
            break;
        case TPropertyKind::Object:
            if (TPersistent* child = p->GetObject(Object))
                WriteProperties(Writer, *child, name);
            continue;
        }
        Writer.WritePropName(name);
        if (const auto* i = std::get_if<long long>(&*value))
            Writer.WriteInteger(*i);
        else if (const auto* f = std::get_if<double>(&*value))
            Writer.WriteFloat(*f);
        else
            Writer.WriteString(std::get<QString>(*value));
    }
}

// The leaf property of a dotted name, and the object that holds it; nullptr when there is none.
const TPropertyInfo* FindProperty(TPersistent*& Object, const QString& Name)
{
    const int dot = Name.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        const TPropertyInfo* p = Object->PropertyTable().Find(Name);
        return p && p->Kind != TPropertyKind::Object ? p : nullptr;
    }
    TPersistent* child = GetObjectProperty(*Object, Name.left(dot));
    if (!child)
        return nullptr;
    Object = child;
    return FindProperty(Object, Name.mid(dot + 1));
}
} // namespace

void WriteObjectProperties(TcWriter& Writer, TcPersistent& Object)
{
    try {
        WriteProperties(Writer, Object, QString());
        Object.DefineProperties(Writer);
    } catch (const EChartError&) {
        // The library's own failures end the object quietly; the caller closes the list.
    }
}

void ReadObjectProperties(TcReader& Reader, TcPersistent& Object)
{
    while (!Reader.EndOfList()) {
        const QString name = Reader.ReadPropName();
        TPersistent* holder = &Object;
        if (const TPropertyInfo* p = FindProperty(holder, name)) {
            switch (p->Kind) {
            case TPropertyKind::Ordinal: {
                long long v = 0;
                switch (Reader.NextValue()) {
                case TcValueType::Integer:
                    v = Reader.ReadInteger();
                    break;
                case TcValueType::False:
                case TcValueType::True:
                    v = Reader.ReadBoolean();
                    break;
                default:
                    InvalidValue(name);
                }
                if (p->Closed && !p->InRange(double(v)))
                    InvalidValue(name);
                if (!p->ReadOnly())
                    p->SetOrdinal(*holder, v);
                break;
            }
            case TPropertyKind::Float: {
                double v = 0;
                if (Reader.NextValue() == TcValueType::Integer)
                    v = double(Reader.ReadInteger());
                else if (Reader.NextValue() == TcValueType::Float)
                    v = Reader.ReadFloat();
                else
                    InvalidValue(name);
                if (!p->ReadOnly())
                    p->SetFloat(*holder, v);
                break;
            }
            case TPropertyKind::String:
                if (Reader.NextValue() != TcValueType::String)
                    InvalidValue(name);
                if (p->ReadOnly())
                    Reader.ReadString();
                else
                    p->SetString(*holder, Reader.ReadString());
                break;
            case TPropertyKind::Object:
                break;
            }
            continue;
        }
        Reader.FDefinedName = name;
        Reader.FDefinedRead = false;
        Object.DefineProperties(Reader);
        if (!Reader.FDefinedRead)
            Reader.SkipValue();
        Reader.FDefinedName.clear();
    }
}

} // namespace chart
