// The one property shape of the component classes. A property stores its value, compares before
// storing, calls its owner's PropertyChanged() only on a change (a repaint for controls), and
// registers its name, type and default in the owner's property table, which property files and
// run-time editors walk. Tables are filled during static initialisation and read-only afterwards.
//
//   class TThing : public TControl {
//       FW_PROPERTIES(TThing)
//       FW_PROPERTY(TColor, Color, fw::clWhite)        // Color(), SetColor(), FColor
//       FW_QUIET_PROPERTY(int, Steps, 10)               // stored without a change notice
//   public:
//       ...
//   };
//
// Classes whose properties are read and written by name (the chart objects, their fonts) derive
// from TPersistent and fill their table with accessors through TPropertyTable's typed adders:
// ordinals (integers, booleans, colours, enumerations with their names), floats, strings and
// nested objects, each with its default and, where the class bounds it, its range; an entry
// without a setter is read-only. A table may name its base class's table, whose entries come first.
#pragma once

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <string_view>
#include <type_traits>
#include <vector>

namespace fw
{

class TPropertyTable;

// Root of every object whose properties are walked through its class's table.
class TPersistent
{
  public:
    virtual ~TPersistent() = default;
    virtual const TPropertyTable& PropertyTable() const;
};

enum class TPropertyKind { Ordinal, Float, String, Object };

struct TPropertyInfo {
    QString Name;
    QString Type;
    // As property files write it: an ordinal as its number, a float in the general format.
    QString Default;
    TPropertyKind Kind = TPropertyKind::Ordinal;
    // Enumerations: the names of the values 0, 1, ... (a value outside them is refused).
    QStringList EnumNames;
    // Ordinals and floats: the range the class keeps its value in. A value outside it is refused
    // by a closed entry (enumerations, booleans) and bounded by the setter otherwise.
    double Min = -std::numeric_limits<double>::infinity();
    double Max = std::numeric_limits<double>::infinity();
    bool Closed = false;
    // Accessors; empty for a table that only lists its class's names (controls).
    std::function<bool(const TPersistent&)> IsStored; // empty: always stored
    std::function<long long(const TPersistent&)> GetOrdinal;
    std::function<void(TPersistent&, long long)> SetOrdinal;
    std::function<double(const TPersistent&)> GetFloat;
    std::function<void(TPersistent&, double)> SetFloat;
    std::function<QString(const TPersistent&)> GetString;
    std::function<void(TPersistent&, const QString&)> SetString;
    std::function<TPersistent*(TPersistent&)> GetObject;

    bool ReadOnly() const
    {
        switch (Kind) {
        case TPropertyKind::Ordinal:
            return !SetOrdinal;
        case TPropertyKind::Float:
            return !SetFloat;
        case TPropertyKind::String:
            return !SetString;
        case TPropertyKind::Object:
            return false;
        }
        return true;
    }
    bool InRange(double v) const { return v >= Min && v <= Max; }
};

// The general float format with 15 significant digits ("1E+20", "0.5").
inline QString FloatPropertyText(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    return QString::fromLatin1(buf);
}

class TPropertyTable
{
  public:
    explicit TPropertyTable(const TPropertyTable* parent = nullptr) : FParent(parent) {}

    bool Add(const char* name, const char* type, QString defaultText)
    {
        TPropertyInfo p;
        p.Name = QString::fromLatin1(name);
        p.Type = QString::fromLatin1(type);
        p.Default = std::move(defaultText);
        FItems.push_back(std::move(p));
        return true;
    }
    TPropertyTable& Add(TPropertyInfo info)
    {
        FItems.push_back(std::move(info));
        return *this;
    }
    // This class's own entries, in declaration order.
    const std::vector<TPropertyInfo>& Items() const { return FItems; }
    // Base classes' entries first, in declaration order; a redeclared entry keeps its base's place.
    std::vector<const TPropertyInfo*> All() const
    {
        std::vector<const TPropertyInfo*> out =
            FParent ? FParent->All() : std::vector<const TPropertyInfo*>{};
        for (const auto& p : FItems) {
            auto same = std::find_if(out.begin(), out.end(),
                                     [&](const TPropertyInfo* q) { return q->Name == p.Name; });
            if (same != out.end())
                *same = &p;
            else
                out.push_back(&p);
        }
        return out;
    }
    // A base class's property with the default this class gives it (as the file writes it).
    TPropertyTable& Redeclare(const char* name, QString defaultText)
    {
        const TPropertyInfo* base = FParent ? FParent->Find(name) : nullptr;
        if (base) {
            TPropertyInfo p = *base;
            p.Default = std::move(defaultText);
            FItems.push_back(std::move(p));
        }
        return *this;
    }
    // Own entries, then the bases'; letter case ignored.
    const TPropertyInfo* Find(QStringView name) const
    {
        for (const auto& p : FItems)
            if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
                return &p;
        return FParent ? FParent->Find(name) : nullptr;
    }
    const TPropertyInfo* Find(const char* name) const { return Find(QString::fromLatin1(name)); }

    // Integers, booleans and colours (Type names them). A null setter makes the entry read-only.
    template <class C, class T, class S>
    TPropertyTable& Ordinal(const char* name, const char* type, T (C::*get)() const, S set, long long def,
                            double min = -std::numeric_limits<double>::infinity(),
                            double max = std::numeric_limits<double>::infinity())
    {
        TPropertyInfo p = Entry(name, type, TPropertyKind::Ordinal, QString::number(def));
        p.Min = min;
        p.Max = max;
        p.GetOrdinal = [get](const TPersistent& o) { return (long long)(static_cast<const C&>(o).*get)(); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrdinal = [set](TPersistent& o, long long v) {
                using Arg = std::decay_t<T>;
                (static_cast<C&>(o).*set)(Arg(v));
            };
        return Add(std::move(p));
    }
    template <class C, class S>
    TPropertyTable& Boolean(const char* name, bool (C::*get)() const, S set, bool def)
    {
        return Enum(name, "Boolean", get, set, def, {QStringLiteral("False"), QStringLiteral("True")});
    }
    // An enumeration: its values are 0 .. names.size() - 1.
    template <class C, class T, class S>
    TPropertyTable& Enum(const char* name, const char* type, T (C::*get)() const, S set, T def,
                         QStringList names)
    {
        const double last = double(names.size() - 1);
        Ordinal(name, type, get, set, (long long)def, 0, last);
        FItems.back().EnumNames = std::move(names);
        FItems.back().Closed = true;
        return *this;
    }
    template <class C, class S>
    TPropertyTable& Float(const char* name, double (C::*get)() const, S set, double def,
                          double min = -std::numeric_limits<double>::infinity(),
                          double max = std::numeric_limits<double>::infinity())
    {
        TPropertyInfo p = Entry(name, "Double", TPropertyKind::Float, FloatPropertyText(def));
        p.Min = min;
        p.Max = max;
        p.GetFloat = [get](const TPersistent& o) { return (static_cast<const C&>(o).*get)(); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetFloat = [set](TPersistent& o, double v) { (static_cast<C&>(o).*set)(v); };
        return Add(std::move(p));
    }
    template <class C, class R, class S>
    TPropertyTable& String(const char* name, R (C::*get)() const, S set, const QString& def)
    {
        TPropertyInfo p = Entry(name, "String", TPropertyKind::String, def);
        p.GetString = [get](const TPersistent& o) { return QString((static_cast<const C&>(o).*get)()); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetString = [set](TPersistent& o, const QString& v) { (static_cast<C&>(o).*set)(v); };
        return Add(std::move(p));
    }
    // A property holding an object of its own (a font, a sub-object), read and written through the
    // held object's table.
    template <class C, class O> TPropertyTable& Object(const char* name, const char* type, O& (C::*get)())
    {
        TPropertyInfo p = Entry(name, type, TPropertyKind::Object, QString());
        p.GetObject = [get](TPersistent& o) -> TPersistent* { return &(static_cast<C&>(o).*get)(); };
        return Add(std::move(p));
    }
    template <class C, class O> TPropertyTable& Object(const char* name, const char* type, O* (C::*get)())
    {
        TPropertyInfo p = Entry(name, type, TPropertyKind::Object, QString());
        p.GetObject = [get](TPersistent& o) -> TPersistent* { return (static_cast<C&>(o).*get)(); };
        return Add(std::move(p));
    }
    // The last entry is stored only when Stored says so.
    TPropertyTable& StoredWhen(std::function<bool(const TPersistent&)> Stored)
    {
        FItems.back().IsStored = std::move(Stored);
        return *this;
    }

  private:
    static TPropertyInfo Entry(const char* name, const char* type, TPropertyKind kind, QString def)
    {
        TPropertyInfo p;
        p.Name = QString::fromLatin1(name);
        p.Type = QString::fromLatin1(type);
        p.Kind = kind;
        p.Default = std::move(def);
        return p;
    }
    const TPropertyTable* FParent;
    std::vector<TPropertyInfo> FItems;
};

inline const TPropertyTable& TPersistent::PropertyTable() const
{
    static const TPropertyTable empty;
    return empty;
}

// The table of one class (its own properties, not its bases').
template <class Owner> TPropertyTable& PropertyTableOf()
{
    static TPropertyTable table;
    return table;
}

// A default value as the property files write it.
inline QString PropertyText(bool v)
{
    return v ? QStringLiteral("True") : QStringLiteral("False");
}
inline QString PropertyText(const QString& v)
{
    return v;
}
template <class T> QString PropertyText(const T& v)
{
    if constexpr (std::is_enum_v<T>)
        return QString::number(static_cast<long long>(v));
    else
        return QString::number(v);
}

} // namespace fw

// Names the owner of the properties that follow and gives the class its table.
#define FW_PROPERTIES(Class)                                                                                 \
  public:                                                                                                    \
    static const ::fw::TPropertyTable& Properties()                                                          \
    {                                                                                                        \
        return ::fw::PropertyTableOf<Class>();                                                               \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    using PropertyOwner = Class;

#define FW_PROPERTY_SHAPE(Type, Name, Default, Notify)                                                       \
  public:                                                                                                    \
    Type Name() const                                                                                        \
    {                                                                                                        \
        return F##Name;                                                                                      \
    }                                                                                                        \
    void Set##Name(Type value)                                                                               \
    {                                                                                                        \
        if (F##Name == value)                                                                                \
            return;                                                                                          \
        F##Name = value;                                                                                     \
        Notify                                                                                               \
    }                                                                                                        \
                                                                                                             \
  private:                                                                                                   \
    Type F##Name = Default;                                                                                  \
    inline static const bool FRegistered##Name =                                                             \
        ::fw::PropertyTableOf<PropertyOwner>().Add(#Name, #Type, ::fw::PropertyText(Type(Default)));

#define FW_PROPERTY(Type, Name, Default) FW_PROPERTY_SHAPE(Type, Name, Default, PropertyChanged();)
#define FW_QUIET_PROPERTY(Type, Name, Default) FW_PROPERTY_SHAPE(Type, Name, Default, )

namespace fw
{
// Stores Value into Field when they differ; true when it did (the caller then notifies).
template <class T> bool StoreProperty(T& Field, const T& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}
} // namespace fw
