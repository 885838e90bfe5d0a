#include "analysis/pin_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace radial {
namespace {

EngineDesign nine_cylinders(PinRule rule) {
    EngineDesign d{9, 10.25, 2.3, 2.75};
    d.pin_rule = rule;
    return d;
}

// One value per rule, worked out by hand for cylinder 2 of nine (axis 40 degrees): even puts the
// pin at 40 degrees, its hole at 2.3 (sin 40, cos 40); the animation's rule at
// 40 + asin(2.3 sin 40 / 10.25) = 48.293 degrees; level TDC at 40 + asin(2.75 sin 40 / 10.25) =
// 49.931 degrees, where the piston tops out at 40 degrees of crank and 10.25 + 2.75 = 13.
TEST(PinTable, EachRulePlacesThePinsAsItsFormulaSays) {
    const PinTableRow even = pin_table(nine_cylinders(PinRule::even))[1];
    EXPECT_NEAR(even.pin_angle_deg, 40, 1e-12);
    EXPECT_NEAR(even.pin_x, 1.478412, 1e-6);
    EXPECT_NEAR(even.pin_y, 1.761902, 1e-6);
    EXPECT_NEAR(pin_table(nine_cylinders(PinRule::animation))[1].pin_angle_deg, 48.2930, 1e-4);
    const PinTableRow level = pin_table(nine_cylinders(PinRule::level_tdc))[1];
    EXPECT_NEAR(level.pin_angle_deg, 49.9306, 1e-4);
    EXPECT_NEAR(level.tdc_crank, 40 * std::numbers::pi / 180, 1e-9);
    EXPECT_NEAR(level.tdc_height, 13, 1e-9 * 2.75);
}

// Level TDC leaves no link piston short of the master's top, at any eccentricity; even spacing
// and the animation's rule leave each link piston a little short (never above).
TEST(PinTable, LevelTdcLeavesNoShortfall) {
    for (const double rp : {0.0, 1.0, 2.3, 4.0}) {
        EngineDesign d = nine_cylinders(PinRule::level_tdc);
        d.wrist_radius = rp;
        for (const PinTableRow& row : pin_table(d)) {
            EXPECT_NEAR(row.tdc_shortfall, 0, 1e-9 * d.crank_radius) << rp << " " << row.cylinder;
        }
        for (const PinRule rule : {PinRule::even, PinRule::animation}) {
            d.pin_rule = rule;
            for (const PinTableRow& row : pin_table(d)) {
                EXPECT_GE(row.tdc_shortfall, -1e-12) << rp << " " << row.cylinder;
            }
        }
    }
}

// With every rod on the crankpin each cylinder is a plain slider-crank of the master's rod: its
// pin at the centre, its top at d + r as its crank comes round to its axis, its stroke 2r; and
// with one bore, one deck height and equal strokes every compression ratio is the master's.
TEST(PinTable, RodsOnTheCrankpinAreSliderCranks) {
    EngineDesign d{7, 150, 0, 40};
    d.bore = 60;
    d.compression_ratio = 7.25;
    for (const PinTableRow& row : pin_table(d)) {
        EXPECT_EQ(row.pin_x, 0);
        EXPECT_EQ(row.pin_y, 0);
        EXPECT_EQ(row.link_length, 150);
        EXPECT_NEAR(row.tdc_height, 190, 1e-9 * 40);
        EXPECT_NEAR(row.stroke, 80, 1e-9 * 40);
        EXPECT_NEAR(std::remainder(row.tdc_crank - row.axis, 2 * std::numbers::pi), 0, 1e-9)
            << row.cylinder;
        EXPECT_NEAR(*row.compression_ratio, 7.25, 1e-9) << row.cylinder;
    }
}

// A shortfall s under one head height adds the bore's area times s to the clearance: for the
// master's stroke S = 2r and ratio C, clearance S / (C - 1); a link cylinder of stroke S' has
// (S / (C - 1) + s + S') / (S / (C - 1) + s). Without a bore there is none; a rod that cannot
// reach its axis all round has neither TDC nor ratio.
TEST(PinTable, CompressionRatiosFollowEachCylindersShortfallAndStroke) {
    EngineDesign d = nine_cylinders(PinRule::even);
    d.compression_ratio = 5.1;
    EXPECT_FALSE(pin_table(d)[2].compression_ratio);
    d.bore = 5;
    const std::vector<PinTableRow> rows = pin_table(d);
    const double clearance = 5.5 / 4.1 + rows[2].tdc_shortfall;
    EXPECT_NEAR(*rows[2].compression_ratio, (clearance + rows[2].stroke) / clearance, 1e-12);
    EXPECT_LT(*rows[2].compression_ratio, 5.1);

    // Level TDC with rods 0.2 in longer: the tops rise above the master's, into a head at its
    // deck height once that rise passes the master's clearance (5.5 / 4.1 in).
    EngineDesign into_head = nine_cylinders(PinRule::level_tdc);
    into_head.bore = 5;
    into_head.compression_ratio = 5.1;
    into_head.link_lengths = std::vector<double>(8, 7.95 + 1.4);
    EXPECT_FALSE(pin_table(into_head)[1].compression_ratio);
    into_head.link_lengths = std::vector<double>(8, 7.95 + 1.3);
    EXPECT_TRUE(pin_table(into_head)[1].compression_ratio);

    const EngineDesign unreached{3, 125, 70, 50};
    const PinTableRow row = pin_table(unreached)[1];
    EXPECT_FALSE(row.reaches);
    EXPECT_FALSE(row.compression_ratio);
}

} // namespace
} // namespace radial
