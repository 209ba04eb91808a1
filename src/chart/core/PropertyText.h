// The property text of the chart family: lines "key = value" written from and read into an
// object's published properties, walked through its class's property table (framework/Property.h:
// name, type, default, range, getter, setter; base classes first). The table is the one place that
// names a class's published properties; files and editors walk it. Pure functions over the table,
// any thread.
#pragma once

#include "framework/Property.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

namespace chart
{

class TcFiler;

using fw::TPersistent;
using fw::TPropertyInfo;
using fw::TPropertyKind;
using fw::TPropertyTable;

// The type kind of a published property as callers outside the table see it.
enum TcTypeKind : std::uint8_t { tkUnknown, tkInteger, tkEnumeration, tkFloat, tkString, tkClass };

// Root of the chart's objects with published properties.
class TcPersistent : public TPersistent
{
  public:
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
TPersistent* GetObjectProperty(TPersistent& Instance, const QString& PropName);
// The type kind of the published property at a dotted path (letter case ignored; object
// properties are searched with their name as prefix); tkUnknown when nothing matches.
TcTypeKind GetPropertyTypeKind(const TPersistent& Instance, const QString& PropertyName);
// The first line whose trimmed key equals Key (any case): its trimmed value; the line is removed.
bool FindAndRemoveKey(const QString& Key, QString& Value, QStringList& Lines);

void SavePropertiesToList(const TPersistent& Instance, const QString& Prefix, QStringList& Lines,
                          bool SkipDefaults, const QStringList* Exclude = nullptr);
// Reads the lines of Prefix (compared ignoring letter case) from the top of Lines, removing each;
// stops at the first line of another prefix. A bad number raises with the rest left in Lines; an
// enumeration value outside its range raises too.
void LoadPropertiesFromList(TPersistent& Instance, const QString& Prefix, QStringList& Lines);
void SetPropertyFromText(TPersistent& Instance, const QString& Key, const QString& Value);
// What LoadPropertiesFromList would raise for these lines, without storing or removing anything.
void CheckPropertiesFromList(TPersistent& Instance, const QString& Prefix, const QStringList& Lines);
// Removes and returns the lines of Prefix from the top of Lines, up to the first of another prefix.
QStringList TakeSection(const QString& Prefix, QStringList& Lines);
// Sets the published property whose full name (Prefix, a point and the dotted name; the bare name
// with an empty prefix) equals Path, ignoring letter case, from Value's text: a boolean or other
// enumeration takes "True"/"False" in any case or its ordinal (any text but "0" is 1 for a
// boolean), a number its text with "." or ",", a text as it is. False with the reason when the text
// is no number or the ordinal is outside the enumeration; nothing changes then.
bool SetPropertyByPath(TPersistent& Instance, const QString& Prefix, const QString& Value,
                       const QString& Path, QString* Error = nullptr);
// What SetPropertyByPath would answer, without storing anything.
bool CheckPropertyByPath(TPersistent& Instance, const QString& Prefix, const QString& Value,
                         const QString& Path, QString* Error = nullptr);

} // namespace chart
