// The check of one class's property table against the published properties of that class: the
// table names exactly the listed properties (bases included), each entry's default is the listed
// one and a new object holds it, and a value set through the table leaves the object as the
// class's own setter does.
#pragma once

#include "chart/core/PropertyText.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

namespace charttest
{

struct PropertyRow {
    const char* name;
    // As the published list gives it: a number ("$" for hexadecimal), True or False, an enumeration's value
    // name, a text. An object row lists its checked values instead: "Color=$FFFFFF;Style=1".
    const char* partDefault;
    // A value other than the default, in the same form (for an object: "Color=255"); empty for a
    // read-only entry, which a set through the table must leave alone.
    const char* sample;
    std::function<void(fw::TPersistent&)> set;
};

// The property at a dotted path, nullptr when there is none; Holder becomes the object that holds it.
inline const fw::TPropertyInfo* Resolve(fw::TPersistent*& Holder, const QString& Path)
{
    const int dot = Path.indexOf(QLatin1Char('.'));
    const fw::TPropertyInfo* p = Holder->PropertyTable().Find(dot < 0 ? Path : Path.left(dot));
    if (!p || dot < 0)
        return p;
    if (p->Kind != fw::TPropertyKind::Object)
        return nullptr;
    Holder = p->GetObject(*Holder);
    return Holder ? Resolve(Holder, Path.mid(dot + 1)) : nullptr;
}

// The value as a property file writes it.
inline QString ValueText(fw::TPersistent& Object, const QString& Path)
{
    fw::TPersistent* holder = &Object;
    const fw::TPropertyInfo* p = Resolve(holder, Path);
    if (!p)
        return QStringLiteral("<no property %1>").arg(Path);
    switch (p->Kind) {
    case fw::TPropertyKind::Ordinal:
        return QString::number(p->GetOrdinal(*holder));
    case fw::TPropertyKind::Float:
        return fw::FloatPropertyText(p->GetFloat(*holder));
    case fw::TPropertyKind::String:
        return p->GetString(*holder);
    case fw::TPropertyKind::Object:
        break;
    }
    return QStringLiteral("<object>");
}

// A value in the published list's form as a property file writes it, for the property p.
inline QString FileText(const fw::TPropertyInfo& p, const QString& Text)
{
    switch (p.Kind) {
    case fw::TPropertyKind::Ordinal: {
        const int named = p.EnumNames.indexOf(Text);
        if (named >= 0)
            return QString::number(named);
        const long long v = chart::TextToInteger(Text);
        // A colour is a 32-bit signed value ("$80000008" is a system colour).
        return QString::number(p.Type == QLatin1String("TColor") ? (long long)std::int32_t(std::uint32_t(v))
                                                                 : v);
    }
    case fw::TPropertyKind::Float:
        return fw::FloatPropertyText(chart::TextToFloat(Text));
    default:
        return Text;
    }
}

// Every stored property of the object, as "name = value" lines.
inline QStringList AllLines(const fw::TPersistent& Object)
{
    QStringList lines;
    chart::SavePropertiesToList(Object, QString(), lines, false);
    return lines;
}

// "A=1;B=2" as pairs.
inline std::vector<std::pair<QString, QString>> Pairs(const char* Text)
{
    std::vector<std::pair<QString, QString>> out;
    for (const QString& part : QString::fromUtf8(Text).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        out.emplace_back(part.left(eq), part.mid(eq + 1));
    }
    return out;
}

// Make gives a new object of the class each call (owned elsewhere).
inline void CheckPropertyTable(const std::function<fw::TPersistent*()>& Make,
                               const std::vector<PropertyRow>& Rows)
{
    fw::TPersistent* fresh = Make();
    std::set<QString> listed, tabled;
    for (const PropertyRow& r : Rows)
        EXPECT_TRUE(listed.insert(QString::fromLatin1(r.name).toLower()).second)
            << "listed twice: " << r.name;
    for (const fw::TPropertyInfo* p : fresh->PropertyTable().All())
        EXPECT_TRUE(tabled.insert(p->Name.toLower()).second)
            << "in the table twice: " << p->Name.toStdString();
    EXPECT_EQ(tabled, listed) << "the table names exactly the listed properties";

    for (const PropertyRow& r : Rows) {
        SCOPED_TRACE(r.name);
        const QString name = QString::fromLatin1(r.name);
        fw::TPersistent* holder = fresh;
        const fw::TPropertyInfo* p = Resolve(holder, name);
        ASSERT_NE(p, nullptr);
        fw::TPersistent* a = Make();
        fw::TPersistent* b = Make();
        if (p->Kind == fw::TPropertyKind::Object) {
            fw::TPersistent* held = p->GetObject(*fresh);
            ASSERT_NE(held, nullptr);
            for (const auto& [sub, value] : Pairs(r.partDefault)) {
                fw::TPersistent* h = held;
                const fw::TPropertyInfo* sp = Resolve(h, sub);
                ASSERT_NE(sp, nullptr) << sub.toStdString();
                EXPECT_EQ(ValueText(*held, sub), FileText(*sp, value)) << sub.toStdString();
            }
            for (const auto& [sub, value] : Pairs(r.sample)) {
                fw::TPersistent* h = held;
                const fw::TPropertyInfo* sp = Resolve(h, sub);
                ASSERT_NE(sp, nullptr) << sub.toStdString();
                chart::SetPropertyFromText(*a, name + QLatin1Char('.') + sub, FileText(*sp, value));
            }
        } else {
            const QString def = FileText(*p, QString::fromUtf8(r.partDefault));
            EXPECT_EQ(p->Default, def) << "the table's default";
            EXPECT_EQ(ValueText(*fresh, name), def) << "a new object's value";
            if (!*r.sample) {
                EXPECT_TRUE(p->ReadOnly());
                const QStringList before = AllLines(*a);
                chart::SetPropertyFromText(*a, name, def == QLatin1String("0") ? "1" : "0");
                EXPECT_EQ(ValueText(*a, name), def);
                EXPECT_EQ(AllLines(*a), before);
                continue;
            }
            EXPECT_FALSE(p->ReadOnly());
            const QString sample = FileText(*p, QString::fromUtf8(r.sample));
            EXPECT_NE(sample, def) << "the sample must differ from the default";
            chart::SetPropertyFromText(*a, name, sample);
            EXPECT_EQ(ValueText(*a, name), sample);
        }
        ASSERT_TRUE(r.set) << "no setter given";
        r.set(*b);
        EXPECT_EQ(AllLines(*a), AllLines(*b)) << "a set through the table equals the setter";
    }
}

} // namespace charttest
