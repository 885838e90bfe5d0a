#include "analysis/master_match.h"
#include "analysis/pin_table.h"
#include "mechanism/wrist_pins.h"

#include <gtest/gtest.h>

#include <cmath>

namespace radial {
namespace {

// Matched for TDC with the link rods d - rp, the wrist pins stand at the level-TDC angles; for
// TDC and stroke, every link piston tops out at the master's height with the master's stroke, so
// every compression ratio is the master's too.
TEST(MasterMatch, PutsEveryTopAndStrokeAtTheMastersFor3To35Cylinders) {
    for (const int n : {3, 9, 35}) {
        EngineDesign d{n, 10.25, 2.3, 2.75};
        d.pin_rule = PinRule::even;
        d.bore = 5;
        d.compression_ratio = 5.1;
        const MatchedDesign tdc = match_master(d, MasterMatch::tdc);
        EXPECT_TRUE(tdc.misses.empty()) << n;
        EngineDesign level = d;
        level.pin_rule = PinRule::level_tdc;
        for (int i = 2; i <= n; ++i) {
            EXPECT_NEAR(wrist_pin_angle(tdc.design, i), wrist_pin_angle(level, i), 1e-12) << i;
        }
        EXPECT_TRUE(tdc.design.link_lengths.empty());

        const MatchedDesign both = match_master(d, MasterMatch::tdc_and_stroke);
        EXPECT_TRUE(both.misses.empty()) << n;
        ASSERT_EQ(both.design.link_lengths.size(), static_cast<std::size_t>(n - 1));
        for (const PinTableRow& row : pin_table(both.design)) {
            EXPECT_NEAR(row.tdc_shortfall, 0, 1e-9 * 2.75) << n << " " << row.cylinder;
            EXPECT_NEAR(row.stroke, 5.5, 1e-9 * 2.75) << n << " " << row.cylinder;
            EXPECT_NEAR(*row.compression_ratio, 5.1, 1e-9) << n << " " << row.cylinder;
        }
    }
}

// A link rod shorter than d - rp can never rise to the master's top (it tops out at
// r + rp + L): the miss is exactly how much shorter, and the pin stays where it comes nearest.
TEST(MasterMatch, NamesTheCylinderItCannotMatchAndByHowMuch) {
    EngineDesign d{3, 200, 52.5, 50};
    d.link_lengths = {147.4, 147.6};
    const MatchedDesign matched = match_master(d, MasterMatch::tdc);
    ASSERT_EQ(matched.misses.size(), 1U);
    EXPECT_EQ(matched.misses[0].cylinder, 2);
    EXPECT_NEAR(matched.misses[0].tdc_shortfall, 0.1, 1e-9 * 50);
    const std::vector<PinTableRow> rows = pin_table(matched.design);
    EXPECT_NEAR(rows[1].tdc_height, 50 + 52.5 + 147.4, 1e-9 * 50);
    EXPECT_NEAR(rows[2].tdc_shortfall, 0, 1e-9 * 50); // the longer rod's pin turned to meet it
}

} // namespace
} // namespace radial
