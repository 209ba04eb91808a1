// An object with one published property of every kind, nested one level, for the chart's property
// file fuzzers: every line the checks pass must then load without raising.
#pragma once

#include "chart/core/ChartError.h"
#include "chart/core/PropertyText.h"

#include <cstdlib>

namespace chartfuzz
{

class Nested : public chart::TcPersistent
{
  public:
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }
    QString Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    const chart::TPropertyTable& PropertyTable() const override
    {
        static const chart::TPropertyTable t = [] {
            chart::TPropertyTable t;
            t.Ordinal("Size", "Integer", &Nested::Size, &Nested::SetSize, 8);
            t.String("Name", &Nested::Name, &Nested::SetName, QString());
            return t;
        }();
        return t;
    }

  private:
    int FSize = 8;
    QString FName;
};

class Probe : public chart::TcPersistent
{
  public:
    enum Kind { kA, kB, kC };
    int Count() const { return FCount; }
    void SetCount(int v) { FCount = v; }
    double Min() const { return FMin; }
    void SetMin(double v) { FMin = v; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    Kind Style() const { return FStyle; }
    void SetStyle(Kind v) { FStyle = v; }
    QString Text() const { return FText; }
    void SetText(const QString& v) { FText = v; }
    Nested* Font() { return &FFont; }
    const chart::TPropertyTable& PropertyTable() const override
    {
        static const chart::TPropertyTable t = [] {
            chart::TPropertyTable t;
            t.Ordinal("Count", "Integer", &Probe::Count, &Probe::SetCount, 0);
            t.Float("Min", &Probe::Min, &Probe::SetMin, 0);
            t.Boolean("Visible", &Probe::Visible, &Probe::SetVisible, true);
            t.Enum("Style", "Kind", &Probe::Style, &Probe::SetStyle, kA, {"kA", "kB", "kC"});
            t.String("Text", &Probe::Text, &Probe::SetText, QString());
            t.Object("Font", "Nested", &Probe::Font);
            return t;
        }();
        return t;
    }

  private:
    int FCount = 0;
    double FMin = 0;
    bool FVisible = true;
    Kind FStyle = kA;
    QString FText;
    Nested FFont;
};

// Checks the section against a probe and, when the check passes, loads it; a load that raises
// after a passing check, or that leaves lines of its prefix, is a finding.
inline void CheckThenLoad(const QString& Prefix, QStringList Lines)
{
    Probe probe;
    try {
        chart::CheckPropertiesFromList(probe, Prefix, Lines);
    } catch (const chart::EChartError&) {
        return;
    }
    try {
        chart::LoadPropertiesFromList(probe, Prefix, Lines);
    } catch (const chart::EChartError&) {
        std::abort();
    }
    if (!Prefix.isEmpty() && !Lines.isEmpty())
        std::abort();
    // What was loaded saves and loads again.
    QStringList saved;
    chart::SavePropertiesToList(probe, Prefix, saved, false);
    Probe again;
    try {
        chart::LoadPropertiesFromList(again, Prefix, saved);
    } catch (const chart::EChartError&) {
        std::abort();
    }
}

} // namespace chartfuzz
