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
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace fw
{

struct TPropertyInfo {
    std::string Name;
    std::string Type;
    QString Default;
};

class TPropertyTable
{
  public:
    bool Add(const char* name, const char* type, QString defaultText)
    {
        FItems.push_back({name, type, std::move(defaultText)});
        return true;
    }
    const std::vector<TPropertyInfo>& Items() const { return FItems; }
    const TPropertyInfo* Find(std::string_view name) const
    {
        for (const auto& p : FItems)
            if (p.Name == name)
                return &p;
        return nullptr;
    }

  private:
    std::vector<TPropertyInfo> FItems;
};

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
