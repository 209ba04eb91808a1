#include "chart/core/PropertyText.h"

#include "chart/core/ChartError.h"

#include <charconv>
#include <cmath>

namespace chart
{

QString EncodeLineText(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\r'), QLatin1String("#13"));
    s.replace(QLatin1Char('\n'), QLatin1String("#10"));
    return s;
}

QString DecodeLineText(const QString& text)
{
    QString s = text;
    s.replace(QLatin1String("#13"), QLatin1String("\r"), Qt::CaseInsensitive);
    s.replace(QLatin1String("#10"), QLatin1String("\n"), Qt::CaseInsensitive);
    return s;
}

QString FloatToText(double value, QChar decimalMark)
{
    // to_chars ignores the C locale, which a comma-decimal process sets for printf.
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
    QString s = QString::fromLatin1(buf, end - buf).toUpper();
    if (decimalMark != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), decimalMark);
    return s;
}

double TextToFloat(const QString& text)
{
    QString s = text.trimmed();
    const int comma = s.indexOf(QLatin1Char(','));
    if (comma >= 0 && s.indexOf(QLatin1Char('.')) < 0)
        s[comma] = QLatin1Char('.');
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok)
        throw EChartError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

long long TextToInteger(const QString& text)
{
    const QString s = text.trimmed();
    bool ok = false;
    long long v = s.startsWith(QLatin1Char('$')) ? s.mid(1).toLongLong(&ok, 16) : s.toLongLong(&ok, 10);
    if (!ok)
        throw EChartError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

void SplitAtSeparator(const QString& text, QChar separator, QString& first, QString& rest)
{
    const int i = text.indexOf(separator);
    if (i < 0) {
        first.clear();
        rest.clear();
        return;
    }
    first = text.left(i).trimmed();
    rest = text.mid(i + 1).trimmed();
}

QString StripKeyPrefix(const QString& Name, QString& Key)
{
    if (Name.isEmpty() || Key.size() <= Name.size() || Key[Name.size()] != QLatin1Char('.') ||
        !Key.startsWith(Name, Qt::CaseInsensitive))
        return QString();
    const QString prefix = Key.left(Name.size());
    Key = Key.mid(Name.size() + 1);
    return prefix;
}

TPersistent* GetObjectProperty(TPersistent& Instance, const QString& PropName)
{
    const TPropertyInfo* p = Instance.PropertyTable().Find(PropName);
    return p && p->Kind == TPropertyKind::Object ? p->GetObject(Instance) : nullptr;
}

TcTypeKind GetPropertyTypeKind(const TPersistent& Instance, const QString& PropertyName)
{
    for (const TPropertyInfo* p : Instance.PropertyTable().All()) {
        if (p->Kind == TPropertyKind::Object) {
            const QString head = p->Name + QLatin1Char('.');
            if (!PropertyName.startsWith(head, Qt::CaseInsensitive))
                continue;
            if (const TPersistent* child = p->GetObject(const_cast<TPersistent&>(Instance))) {
                const TcTypeKind k = GetPropertyTypeKind(*child, PropertyName.mid(head.size()));
                if (k != tkUnknown)
                    return k;
            }
        } else if (p->Name.compare(PropertyName, Qt::CaseInsensitive) == 0) {
            switch (p->Kind) {
            case TPropertyKind::Ordinal:
                return p->EnumNames.isEmpty() ? tkInteger : tkEnumeration;
            case TPropertyKind::Float:
                return tkFloat;
            case TPropertyKind::String:
                return tkString;
            case TPropertyKind::Object:
                break;
            }
        }
    }
    return tkUnknown;
}

bool FindAndRemoveKey(const QString& Key, QString& Value, QStringList& Lines)
{
    for (int i = 0; i < Lines.size(); ++i) {
        QString k, v;
        SplitAtSeparator(Lines[i], QLatin1Char('='), k, v);
        if (k.compare(Key.trimmed(), Qt::CaseInsensitive) == 0) {
            Value = v;
            Lines.removeAt(i);
            return true;
        }
    }
    return false;
}

void SavePropertiesToList(const TPersistent& Instance, const QString& Prefix, QStringList& Lines,
                          bool SkipDefaults, const QStringList* Exclude)
{
    for (const TPropertyInfo* p : Instance.PropertyTable().All()) {
        if ((p->IsStored && !p->IsStored(Instance)) || p->ReadOnly())
            continue;
        const QString key = (Prefix.trimmed().isEmpty() ? p->Name : Prefix + QLatin1Char('.') + p->Name)
                                .left(MaxPropertyLineLength);
        if (Exclude && Exclude->contains(key, Qt::CaseInsensitive))
            continue;
        QString value;
        switch (p->Kind) {
        case TPropertyKind::Ordinal: {
            value = QString::number(p->GetOrdinal(Instance));
            if (SkipDefaults && value == p->Default)
                continue;
            break;
        }
        case TPropertyKind::Float:
            value = FloatToText(p->GetFloat(Instance));
            break;
        case TPropertyKind::String:
            value = EncodeLineText(p->GetString(Instance).left(MaxPropertyLineLength));
            break;
        case TPropertyKind::Object:
            if (TPersistent* o = p->GetObject(const_cast<TPersistent&>(Instance)))
                SavePropertiesToList(*o, key, Lines, SkipDefaults, Exclude);
            continue;
        }
        Lines << (key + QLatin1String(" = ") + value).left(MaxPropertyLineLength);
    }
}

namespace
{
// Converts Value for the property Key names and, when Apply is set, stores it.
void PropertyFromText(TPersistent& Instance, const QString& Key, const QString& Value, bool Apply)
{
    const int dot = Key.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const TPropertyInfo* p = Instance.PropertyTable().Find(Key.left(dot).trimmed());
        if (p && p->Kind == TPropertyKind::Object)
            if (TPersistent* o = p->GetObject(Instance))
                PropertyFromText(*o, Key.mid(dot + 1).trimmed(), Value, Apply);
        return;
    }
    const TPropertyInfo* p = Instance.PropertyTable().Find(Key);
    if (!p || p->ReadOnly())
        return;
    switch (p->Kind) {
    case TPropertyKind::Ordinal: {
        const long long v = TextToInteger(Value);
        if (p->Closed && !p->InRange(double(v)))
            throw EChartError(QStringLiteral("'%1' is out of range for %2").arg(Value, p->Name));
        if (Apply)
            p->SetOrdinal(Instance, v);
        break;
    }
    case TPropertyKind::Float: {
        const double v = TextToFloat(Value);
        if (Apply)
            p->SetFloat(Instance, v);
        break;
    }
    case TPropertyKind::String:
        if (Apply)
            p->SetString(Instance, DecodeLineText(Value));
        break;
    case TPropertyKind::Object:
        break;
    }
}
} // namespace

void SetPropertyFromText(TPersistent& Instance, const QString& Key, const QString& Value)
{
    PropertyFromText(Instance, Key, Value, true);
}

namespace
{
// The entry at Path below Instance (full names built from Prefix), and the object holding it.
const TPropertyInfo* FindByPath(TPersistent& Instance, const QString& Prefix, const QString& Path,
                                TPersistent*& Holder)
{
    for (const TPropertyInfo* p : Instance.PropertyTable().All()) {
        const QString full = Prefix.trimmed().isEmpty() ? p->Name : Prefix + QLatin1Char('.') + p->Name;
        if (p->Kind == TPropertyKind::Object) {
            if (TPersistent* child = p->GetObject(Instance))
                if (const TPropertyInfo* found = FindByPath(*child, full, Path, Holder))
                    return found;
        } else if (!p->ReadOnly() && full.compare(Path, Qt::CaseInsensitive) == 0) {
            Holder = &Instance;
            return p;
        }
    }
    return nullptr;
}
} // namespace

namespace
{
// Converts Value for the property at Path and, when Apply is set, stores it.
bool ByPath(TPersistent& Instance, const QString& Prefix, const QString& Value, const QString& Path,
            QString* Error, bool Apply)
{
    TPersistent* holder = nullptr;
    const TPropertyInfo* p = FindByPath(Instance, Prefix, Path, holder);
    if (!p)
        return true;
    return CatchChartError(
        [&] {
            switch (p->Kind) {
            case TPropertyKind::Ordinal: {
                QString text = Value.trimmed();
                if (!p->EnumNames.isEmpty()) {
                    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                        text = QStringLiteral("1");
                    else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                        text = QStringLiteral("0");
                    else if (p->Min == 0 && p->Max == 1 && text != QLatin1String("0"))
                        text = QStringLiteral("1");
                }
                const long long v = TextToInteger(text);
                if (p->Closed && !p->InRange(double(v)))
                    throw EChartError(QStringLiteral("'%1' is out of range for %2").arg(Value, p->Name));
                if (Apply)
                    p->SetOrdinal(*holder, v);
                break;
            }
            case TPropertyKind::Float: {
                const double v = TextToFloat(Value);
                if (Apply)
                    p->SetFloat(*holder, v);
                break;
            }
            case TPropertyKind::String:
                if (Apply)
                    p->SetString(*holder, Value);
                break;
            case TPropertyKind::Object:
                break;
            }
        },
        Error);
}
} // namespace

bool SetPropertyByPath(TPersistent& Instance, const QString& Prefix, const QString& Value,
                       const QString& Path, QString* Error)
{
    return ByPath(Instance, Prefix, Value, Path, Error, true);
}

bool CheckPropertyByPath(TPersistent& Instance, const QString& Prefix, const QString& Value,
                         const QString& Path, QString* Error)
{
    return ByPath(Instance, Prefix, Value, Path, Error, false);
}

void LoadPropertiesFromList(TPersistent& Instance, const QString& Prefix, QStringList& Lines)
{
    while (!Lines.isEmpty()) {
        QString key, value;
        SplitAtSeparator(Lines.first(), QLatin1Char('='), key, value);
        if (!Prefix.isEmpty() && StripKeyPrefix(Prefix, key).isEmpty())
            return;
        SetPropertyFromText(Instance, key, value);
        Lines.removeFirst();
    }
}

void CheckPropertiesFromList(TPersistent& Instance, const QString& Prefix, const QStringList& Lines)
{
    for (const QString& line : Lines) {
        QString key, value;
        SplitAtSeparator(line, QLatin1Char('='), key, value);
        if (!Prefix.isEmpty() && StripKeyPrefix(Prefix, key).isEmpty())
            return;
        PropertyFromText(Instance, key, value, false);
    }
}

QStringList TakeSection(const QString& Prefix, QStringList& Lines)
{
    QStringList section;
    while (!Lines.isEmpty()) {
        QString key, value;
        SplitAtSeparator(Lines.first(), QLatin1Char('='), key, value);
        if (StripKeyPrefix(Prefix, key).isEmpty())
            break;
        section << Lines.takeFirst();
    }
    return section;
}

} // namespace chart
