// The binary property stream: a round trip through nested objects and defined data, what is left
// out, what a reader passes over, and the failures that must not corrupt the stream.
#include "chart/core/PropertyStream.h"
#include "chart/core/ChartError.h"

#include "ErrorOf.h"

#include <gtest/gtest.h>

using namespace chart;

namespace
{

using charttest::ErrorOf;

class Pen : public TcPersistent
{
  public:
    int Color() const { return FColor; }
    void SetColor(int v) { FColor = v; }
    double Width() const { return FWidth; }
    void SetWidth(double v) { FWidth = v; }
    const TPropertyTable& PropertyTable() const override
    {
        static const TPropertyTable t = [] {
            TPropertyTable t;
            t.Ordinal("Color", "TColor", &Pen::Color, &Pen::SetColor, 0);
            t.Float("Width", &Pen::Width, &Pen::SetWidth, 1);
            return t;
        }();
        return t;
    }
    int FColor = 0;
    double FWidth = 1;
};

class Item : public TcPersistent
{
  public:
    enum Kind { kLine, kBar, kDot };
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& v) { FCaption = v; }
    Kind Style() const { return FStyle; }
    void SetStyle(Kind v) { FStyle = v; }
    int Secret() const { return FSecret; }
    void SetSecret(int v) { FSecret = v; }
    int Count() const
    {
        if (FCountFails)
            throw EChartError("no count");
        return FCount;
    }
    void SetCount(int v) { FCount = v; }
    Pen* LinePen() { return &FPen; }
    const TPropertyTable& PropertyTable() const override
    {
        static const TPropertyTable t = [] {
            TPropertyTable t;
            t.String("Caption", &Item::Caption, &Item::SetCaption, QString());
            t.Enum("Style", "Kind", &Item::Style, &Item::SetStyle, kLine, {"kLine", "kBar", "kDot"});
            t.Ordinal("Secret", "Integer", &Item::Secret, &Item::SetSecret, 0)
                .StoredWhen([](const TPersistent&) { return false; });
            t.Object("Pen", "Pen", &Item::LinePen);
            t.Ordinal("Count", "Integer", &Item::Count, &Item::SetCount, 0);
            return t;
        }();
        return t;
    }
    // The points are data of the item's own, written only when there are any.
    void DefineProperties(TcFiler& Filer) override
    {
        Filer.DefineProperty(
            "Points", [this](TcReader& r) { FPoints = r.ReadBinary(); },
            [this](TcWriter& w) { w.WriteBinary(FPoints); }, !FPoints.isEmpty());
    }
    QString FCaption;
    Kind FStyle = kLine;
    int FSecret = 0;
    int FCount = 0;
    bool FCountFails = false;
    Pen FPen;
    QByteArray FPoints;
};

// One item in a list, as the managers stream theirs.
QByteArray Stream(Item& item)
{
    TcWriter w;
    w.WriteListBegin();
    WriteObjectProperties(w, item);
    w.WriteListEnd();
    return w.Data();
}

void Load(const QByteArray& data, Item& item)
{
    TcReader r(data);
    r.ReadListBegin();
    ReadObjectProperties(r, item);
    r.ReadListEnd();
    EXPECT_TRUE(r.AtEnd());
}

TEST(PropertyStream, RoundTripThroughNestedObjectsAndDefinedData)
{
    Item a;
    a.FCaption = "two\r\nlines \u00b5s";
    a.FStyle = Item::kDot;
    a.FSecret = 7;
    a.FCount = -3;
    a.FPen.FColor = 0x8080FF;
    a.FPen.FWidth = 0.1;
    a.FPoints = QByteArray("\x00\x01\xff", 3);
    Item b;
    Load(Stream(a), b);
    EXPECT_EQ(b.FCaption, a.FCaption);
    EXPECT_EQ(b.FStyle, Item::kDot);
    EXPECT_EQ(b.FSecret, 0); // not stored
    EXPECT_EQ(b.FCount, -3);
    EXPECT_EQ(b.FPen.FColor, 0x8080FF);
    EXPECT_EQ(b.FPen.FWidth, 0.1); // every bit of the double
    EXPECT_EQ(b.FPoints, a.FPoints);

    // Names in the order of the table, nested objects as dotted names, defined data last.
    TcReader r(Stream(a));
    r.ReadListBegin();
    QStringList names;
    while (!r.EndOfList()) {
        names << r.ReadPropName();
        r.SkipValue();
    }
    EXPECT_EQ(names, QStringList({"Caption", "Style", "Pen.Color", "Pen.Width", "Count", "Points"}));

    // Without points no defined data is written.
    a.FPoints.clear();
    EXPECT_FALSE(Stream(a).contains("Points"));
}

TEST(PropertyStream, ReaderPassesOverWhatTheObjectDoesNotHave)
{
    TcWriter w;
    w.WriteListBegin();
    w.WritePropName("Gone");
    w.WriteString("old");
    w.WritePropName("Pen.Shade");
    w.WriteFloat(2);
    w.WritePropName("Caption.Deep");
    w.WriteInteger(1);
    w.WritePropName("Extra");
    w.WriteBinary("xyz");
    w.WritePropName("Pen.Width");
    w.WriteInteger(3); // an integer is a valid float
    w.WritePropName("Style");
    w.WriteBoolean(true);
    w.WriteListEnd();
    Item b;
    Load(w.Data(), b);
    EXPECT_EQ(b.FPen.FWidth, 3);
    EXPECT_EQ(b.FStyle, Item::kBar);
    EXPECT_TRUE(b.FPoints.isEmpty());
}

TEST(PropertyStream, FailuresLeaveAWellFormedStreamOrRaise)
{
    // A getter failing with the library's error ends the item quietly; what came before it stays,
    // and the list still closes.
    Item a;
    a.FCaption = "kept";
    a.FCount = 5;
    a.FCountFails = true;
    Item b;
    b.FCount = 9;
    Load(Stream(a), b);
    EXPECT_EQ(b.FCaption, "kept");
    EXPECT_EQ(b.FCount, 9);

    a.FCountFails = false;
    const QByteArray good = Stream(a);
    struct Case {
        const char* name;
        QByteArray data;
        QString error;
    } cases[] = {
        {"cut short", good.left(good.size() - 4), "Stream read error"},
        {"empty", QByteArray(), "Stream read error"},
        {"unknown value type", QByteArray("\x01\x04Name\x42", 7), "Stream read error"},
        {"string longer than the stream",
         QByteArray("\x01\x07"
                    "Caption"
                    "\x04\xff\xff\xff\x7f"
                    "abc",
                    17),
         "Stream read error"},
        {"string for a number",
         QByteArray("\x01\x05"
                    "Count"
                    "\x04\x01\x00\x00\x00"
                    "x"
                    "\x00",
                    14),
         "Invalid property value: Count"},
        {"enumeration out of range",
         QByteArray("\x01\x05"
                    "Style"
                    "\x02\x07\x00\x00\x00\x00\x00\x00\x00"
                    "\x00",
                    17),
         "Invalid property value: Style"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Item t;
        EXPECT_EQ(ErrorOf([&] {
                      TcReader r(c.data);
                      r.ReadListBegin();
                      ReadObjectProperties(r, t);
                      r.ReadListEnd();
                  }),
                  c.error);
        EXPECT_EQ(t.FStyle, Item::kLine);
    }
}

} // namespace
