// The analysis event of the replay log, member by member as the log format
// lays it out, and its numbers read back as the very doubles.
#include "tools/replay/analysis_event.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace kestrane::replay {
namespace {

TEST(AnalysisEvent, MembersInTheirOrder)
{
    ChainAnalysis analysis;
    analysis.sigma0 = {.aposteriori = 1.25, .redundancy = 6};  // no tolerance typed
    analysis.ferrero = 0.75;
    analysis.triangles = {{.triangle = 1, .w = -1.5}, {.triangle = 2, .w = 9, .limit = 8.5, .passed = false}};
    analysis.points = {{.index = 0, .name = "A \"甲\"", .x = 100, .y = 200.125, .known = true},
                       {.index = 1, .name = "P1", .x = 1e-7, .y = -0.1, .mx = 3, .my = 4, .mp = 5, .a = 5,
                        .b = 1.5, .alpha = 179.5}};
    analysis.observations = {{.id = "Qa", .v = -0.0, .redundancy = 0},
                             {.id = "A1", .v = 4.5, .redundancy = 0.25, .w = 3.6, .mdb = 20.65, .suspect = true}};
    analysis.suspect = "A1";
    EXPECT_EQ(analysisEvent(analysis),
              R"({"analysis": {"sigma0": {"apriori": null, "aposteriori": 1.25, "redundancy": 6, "chi2": null, )"
              R"("lower": null, "upper": null, "passed": null}, "ferrero": 0.75, "triangles": [)"
              R"({"triangle": 1, "w": -1.5, "limit": null, "passed": null}, )"
              R"({"triangle": 2, "w": 9, "limit": 8.5, "passed": false}], )"
              R"("points": [{"index": 0, "name": "A \"甲\"", "x": 100, "y": 200.125, "known": true, "mx": 0, )"
              R"("my": 0, "mp": 0, "a": 0, "b": 0, "alpha": 0}, {"index": 1, "name": "P1", "x": 1e-07, "y": -0.1, )"
              R"("known": false, "mx": 3, "my": 4, "mp": 5, "a": 5, "b": 1.5, "alpha": 179.5}], )"
              R"("observations": [{"id": "Qa", "v": -0, "redundancy": 0, "w": null, "mdb": null, "suspect": false}, )"
              R"({"id": "A1", "v": 4.5, "redundancy": 0.25, "w": 3.6, "mdb": 20.65, "suspect": true}], )"
              R"("suspect": "A1"}})");
    analysis.suspect.reset();
    EXPECT_TRUE(analysisEvent(analysis).ends_with(R"(, "suspect": null}})"));
    EXPECT_EQ(analysisRefusedEvent("没有完成的计算"), R"({"analysis": "refused", "reason": "没有完成的计算"})");
}

TEST(AnalysisEvent, NumbersReadBackExactly)
{
    for (const double x : {0.1, 1.0 / 3, 2.5e-300, -123456789.12345678, std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::max(), static_cast<double>(1.3f)}) {
        const std::string text = jsonNumber(x);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), x) << text;
        EXPECT_EQ(text.find_first_not_of("0123456789+-.e"), std::string::npos) << text;
    }
    EXPECT_EQ(jsonNumber(std::nan("")) + jsonNumber(HUGE_VAL) + jsonNumber(std::nullopt), "nullnullnull");
}

}  // namespace
}  // namespace kestrane::replay
