// The one property shape: stores, compares, notifies only on a change (never for a quiet property),
// and lists name, type and default in the owning class's table.
#include "controls/smooth/ProgressBar.h"
#include "controls/smooth/TrackBarParts.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace
{

TEST(Properties, SetterNotifiesOnlyOnAChangeAndQuietOnesNever)
{
    fx::TTrackBarThumb thumb;
    int notices = 0;
    thumb.OnChange = [&] { ++notices; };
    thumb.SetColor(thumb.Color());
    EXPECT_EQ(notices, 0);
    thumb.SetColor(fw::clRed);
    thumb.SetColor(fw::clRed);
    EXPECT_EQ(thumb.Color(), fw::clRed);
    EXPECT_EQ(notices, 1);
    thumb.SetColorMirrorHot(fw::clBlue);
    EXPECT_EQ(thumb.ColorMirrorHot(), fw::clBlue);
    EXPECT_EQ(notices, 1);
}

TEST(Properties, EachClassListsItsOwnNamesTypesAndDefaults)
{
    struct Case {
        const char* name;
        const fw::TPropertyTable& table;
        const char* property;
        const char* type;
        const char* defaultText;
    } cases[] = {
        {"thumb colour", fx::TTrackBarThumb::Properties(), "Color", "TColor", "15653832"},
        {"thumb quiet colour", fx::TTrackBarThumb::Properties(), "ColorMirrorHot", "TColor", "5888767"},
        {"thumb bool", fx::TTrackBarThumb::Properties(), "ShowAtMinMax", "bool", "True"},
        {"slider enum", fx::TTrackBarSlider::Properties(), "Direction", "TGradientDirection", "0"},
        {"progress text", fx::TFxProgressBar::Properties(), "Format", "QString", ""},
        {"progress int", fx::TFxProgressBar::Properties(), "Steps", "int", "8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fw::TPropertyInfo* p = c.table.Find(c.property);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Type, c.type);
        EXPECT_EQ(p->Default, QString::fromUtf8(c.defaultText));
    }
    EXPECT_EQ(fx::TTrackBarSlider::Properties().Find("ShowAtMinMax"), nullptr) << "tables are per class";
    EXPECT_EQ(fx::TTrackBarThumb::Properties().Items().front().Name, "Color") << "declaration order";
}

} // namespace
