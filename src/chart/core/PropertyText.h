// The property text of the chart family: lines "key = value" written from and read into an
// object's published properties, walked through a per-class property table (name, kind, default,
// getter, setter; base classes first). The table is the one place that names a class's published
// properties; files and editors walk it. Pure functions over the table, any thread.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace chart
{

class TcPersistent;
class TcFiler;

enum class TcPropertyKind { Ordinal, Float, String, Object };
// The type kind of a published property as callers outside the table see it.
enum TcTypeKind : std::uint8_t { tkUnknown, tkInteger, tkEnumeration, tkFloat, tkString, tkClass };

struct TcPropertyInfo {
    QString Name;
    TcPropertyKind Kind = TcPropertyKind::Ordinal;
    // Ordinals: the declared default, and for enumerations the number of values (0: any integer).
    long long Default = 0;
    int EnumCount = 0;
    std::function<bool(const TcPersistent&)> IsStored; // empty: always stored
    std::function<long long(const TcPersistent&)> GetOrdinal;
    std::function<void(TcPersistent&, long long)> SetOrdinal;
    std::function<double(const TcPersistent&)> GetFloat;
    std::function<void(TcPersistent&, double)> SetFloat;
    std::function<QString(const TcPersistent&)> GetString;
    std::function<void(TcPersistent&, const QString&)> SetString;
    std::function<TcPersistent*(TcPersistent&)> GetObject;
};

class TcPropertyTable
{
  public:
    explicit TcPropertyTable(const TcPropertyTable* parent = nullptr) : FParent(parent) {}
    TcPropertyTable& Add(TcPropertyInfo info)
    {
        FOwn.push_back(std::move(info));
        return *this;
    }
    // Base classes' properties first, in declaration order.
    std::vector<const TcPropertyInfo*> All() const;
    const TcPropertyInfo* Find(const QString& name) const; // case-insensitive

    template <class C, class T>
    TcPropertyTable& Ordinal(const char* name, T (C::*get)() const, void (C::*set)(T), long long def,
                             int enumCount = 0)
    {
        TcPropertyInfo p;
        p.Name = QString::fromLatin1(name);
        p.Default = def;
        p.EnumCount = enumCount;
        p.GetOrdinal = [get](const TcPersistent& o) { return (long long)(static_cast<const C&>(o).*get)(); };
        p.SetOrdinal = [set](TcPersistent& o, long long v) { (static_cast<C&>(o).*set)(T(v)); };
        return Add(std::move(p));
    }
    template <class C>
    TcPropertyTable& Float(const char* name, double (C::*get)() const, void (C::*set)(double))
    {
        TcPropertyInfo p;
        p.Name = QString::fromLatin1(name);
        p.Kind = TcPropertyKind::Float;
        p.GetFloat = [get](const TcPersistent& o) { return (static_cast<const C&>(o).*get)(); };
        p.SetFloat = [set](TcPersistent& o, double v) { (static_cast<C&>(o).*set)(v); };
        return Add(std::move(p));
    }
    template <class C, class S>
    TcPropertyTable& String(const char* name, S (C::*get)() const, void (C::*set)(const QString&))
    {
        TcPropertyInfo p;
        p.Name = QString::fromLatin1(name);
        p.Kind = TcPropertyKind::String;
        p.GetString = [get](const TcPersistent& o) { return QString((static_cast<const C&>(o).*get)()); };
        p.SetString = [set](TcPersistent& o, const QString& v) { (static_cast<C&>(o).*set)(v); };
        return Add(std::move(p));
    }
    // A property holding a persistent object (written and read through its own properties).
    template <class C, class O> TcPropertyTable& Object(const char* name, O* (C::*get)())
    {
        TcPropertyInfo p;
        p.Name = QString::fromLatin1(name);
        p.Kind = TcPropertyKind::Object;
        p.GetObject = [get](TcPersistent& o) -> TcPersistent* { return (static_cast<C&>(o).*get)(); };
        return Add(std::move(p));
    }

  private:
    const TcPropertyTable* FParent;
    std::vector<TcPropertyInfo> FOwn;
};

// Root of every object with published properties.
class TcPersistent
{
  public:
    virtual ~TcPersistent() = default;
    virtual const TcPropertyTable& PropertyTable() const;
    // Data of the object's own beyond its published properties, for the binary stream.
    virtual void DefineProperties(TcFiler&) {}
};

// Lines are cut at this many characters, and so are string values.
constexpr int MaxPropertyLineLength = 255;

// CR as "#13", LF as "#10"; and back, in any letter case.
QString EncodeLineText(const QString& text);
QString DecodeLineText(const QString& text);
// The general float format with up to 15 significant digits and the given decimal mark.
QString FloatToText(double value, QChar decimalMark = QLatin1Char('.'));
// Reads a float written with "." or ","; raises EChartError on a text that is not a number.
double TextToFloat(const QString& text);
// Decimal, or hexadecimal after "$"; raises EChartError otherwise.
long long TextToInteger(const QString& text);

void SplitAtSeparator(const QString& text, QChar separator, QString& first, QString& rest);
// Removes Name and a point from the front of Key (Name compared ignoring letter case) and returns
// the removed part without the point; returns an empty text and leaves Key alone otherwise.
QString StripKeyPrefix(const QString& Name, QString& Key);
// The object held by the published property PropName; nullptr when there is no such property or
// it holds no object.
TcPersistent* GetObjectProperty(TcPersistent& Instance, const QString& PropName);
// The type kind of the published property at a dotted path (letter case ignored; object
// properties are searched with their name as prefix); tkUnknown when nothing matches.
TcTypeKind GetPropertyTypeKind(const TcPersistent& Instance, const QString& PropertyName);
// The first line whose trimmed key equals Key (any case): its trimmed value; the line is removed.
bool FindAndRemoveKey(const QString& Key, QString& Value, QStringList& Lines);

void SavePropertiesToList(const TcPersistent& Instance, const QString& Prefix, QStringList& Lines,
                          bool SkipDefaults, const QStringList* Exclude = nullptr);
// Reads the lines of Prefix (compared ignoring letter case) from the top of Lines, removing each;
// stops at the first line of another prefix. A bad number raises with the rest left in Lines; an
// enumeration value outside its range raises too.
void LoadPropertiesFromList(TcPersistent& Instance, const QString& Prefix, QStringList& Lines);
void SetPropertyFromText(TcPersistent& Instance, const QString& Key, const QString& Value);

} // namespace chart
