// Where each parameter index is edited, found in the editor tables without a widget:
// the dialog, the caption and unit beside the field in its layout, and a raw value in
// the field's own units.
#include "field_places.h"

#include <gtest/gtest.h>

namespace {

FieldPlace Only(const std::vector<FieldPlace>& places)
{
    EXPECT_EQ(places.size(), 1u);
    return places.front();
}

}  // namespace

TEST(FieldPlaces, EveryIndexUpTo85ButTheServiceOptionsHasItsDialogAndNoneFrom86On)
{
    for (int index = 0; index < 120; ++index) {
        const bool serviceOption = index == 8 || index == 29 || index == 31;
        const std::vector<FieldPlace> places = FieldPlacesOf(index);
        if (index >= 86 || serviceOption) {
            EXPECT_TRUE(places.empty()) << index;
            continue;
        }
        ASSERT_FALSE(places.empty()) << index;
        for (const FieldPlace& place : places) {
            EXPECT_EQ(place.Field->Index, index);
            EXPECT_FALSE(ValueInUnits(place, place.Field->Kind == FieldKind::List ? place.Field->Offset : 1).empty())
                << index;
        }
    }
}

TEST(FieldPlaces, CaptionsAndUnitsComeFromTheRowOfTheField)
{
    const FieldPlace heat = Only(FieldPlacesOf(1));
    EXPECT_EQ(heat.Table->Caption, "Timing");
    EXPECT_EQ(heat.Caption, "Vorheizzeit:");
    EXPECT_EQ(heat.Unit, "sek");
    EXPECT_EQ(PlaceName(heat), "Timing / Vorheizzeit: (EditVorheizzeit)");
    // Both fields of a max/min pair take the row's caption and the unit after the pair.
    const FieldPlace max = Only(FieldPlacesOf(21));
    const FieldPlace min = Only(FieldPlacesOf(7));
    EXPECT_EQ(max.Caption, "Anode:");
    EXPECT_EQ(min.Caption, "Anode:");
    EXPECT_EQ(max.Unit, "V");
    EXPECT_EQ(min.Unit, "V");
    // A band field: its band is its caption.
    EXPECT_EQ(Only(FieldPlacesOf(60)).Caption, "80m");
    EXPECT_EQ(Only(FieldPlacesOf(60)).Unit, "W");
    // A remark after a field is no unit.
    EXPECT_EQ(Only(FieldPlacesOf(22)).Unit, "");
}

TEST(FieldPlaces, ValuesReadInTheFieldsOwnUnits)
{
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(1)), 90), "90 sek");
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(2)), 25), "50 ms");           // 2 ms units
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(0)), 25), "2.5");             // tenths
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(27)), 10465), "100");         // 1046529 / raw
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(27)), 0), "-");
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(3)), 512), "25 %");           // square root
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(25)), 1), "Englisch");        // list item
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(16)), 1), "30");              // item raw - 1
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(16)), 0), "(0)");             // no item
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(42)), 1), "ja");
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(42)), 0), "nein");
    EXPECT_EQ(ValueInUnits(Only(FieldPlacesOf(56)), 2), "Grenzwert mit Bandschalter");  // band mode
}
