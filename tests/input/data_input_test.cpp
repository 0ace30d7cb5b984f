// The input half of a job, driven with scripted answers, checked against the job record and the fields.
#include <gtest/gtest.h>

#include <tuple>

#include <cmath>
#include <iomanip>
#include <sstream>

#include "chain/angles.h"
#include "dialogue/job_signals.h"
#include "input/control_input.h"
#include "input/value_checks.h"
#include "job/data_input_job.h"
#include "scripted_io.h"

namespace kestrane {
namespace {

using testing::ScriptedIo;
using Answers = std::vector<std::string>;
using Events = std::vector<std::string>;

// Each value followed by an empty confirmation (Enter).
Answers confirmed(const Answers& values)
{
    Answers answers;
    for (const auto& value : values) {
        answers.push_back(value);
        answers.push_back("");
    }
    return answers;
}

Answers operator+(Answers a, const Answers& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct JobRun {
    ChainSurvey job;
    ScriptedIo io;
    JobOutcome outcome;
};

// Runs the input half of a job.
void run(JobRun& run, const Answers& answers)
{
    for (const auto& answer : answers) run.io.add(answer);
    Dialogue dialogue(run.io, run.io);
    try {
        inputJob(run.job, dialogue);
        run.outcome = {JobEnd::done, {}};
    } catch (const JobAbandoned&) {
        run.outcome = {JobEnd::abandoned, {}};
    }
}

// n = 2 with C and D given: A, C, D, B, three names... as the job asks them.
Answers knownSidesJob(const Answers& coordinates, const Answers& angles, const Answers& sides)
{
    return Answers{"2", "3"} + confirmed(coordinates) + confirmed({"A", "C", "C", "D", "B"}) + confirmed(angles) +
           confirmed(sides);
}

const Answers equilateralAngles{"60", "60", "60", "60", "60", "-60"};

TEST(ControlInput, KnownStartSideFromCoordinates)
{
    JobRun job;
    run(job, knownSidesJob({"0.001", "0.001", "100.001", "100.001", "400", "300", "300", "300"}, equilateralAngles,
                           {"100", "100", "100"}));
    ASSERT_EQ(job.outcome.end, JobEnd::done);
    EXPECT_EQ(job.job.sideLength[1], 141.4213562373095);
    EXPECT_EQ(job.job.taDeg, 45.00000000128619);  // the cut degree factor
    EXPECT_EQ(job.io.fields[Field::startAzimuth], " 45.00000");
    EXPECT_EQ(job.io.fields[Field::xe], "由已知边起算");
    // D north of B on a line of constant Y: the closing azimuth D -> B is 180.
    EXPECT_EQ(job.job.tbDeg, 180);
    EXPECT_EQ(job.io.fields[Field::closingAzimuth], " 180.00000");
    EXPECT_EQ(job.job.sideLength[5], 100);
    EXPECT_EQ(job.io.fields[Field::xf], "由已知边闭合");
    EXPECT_TRUE(job.io.allAnswered());
}

TEST(ControlInput, ComputedAzimuthsShownPacked)
{
    // C at 45 deg 57' from A, D -> B at 30 deg 59' 33" (a hair more, so that
    // the coordinates typed to 17 digits do not fall below the whole second).
    const double toC = (45.95 + 1e-9) * degToRad, toB = (30.9925 + 1e-9) * degToRad;
    const auto at = [](double x) {
        std::ostringstream text;
        text << std::setprecision(17) << x;
        return text.str();
    };
    JobRun job;
    run(job, knownSidesJob({"1000", "1000", at(1000 + 500 * std::cos(toC)), at(1000 + 500 * std::sin(toC)),
                            "5000", "5000", at(5000 + 800 * std::cos(toB)), at(5000 + 800 * std::sin(toB))},
                           equilateralAngles, {"100", "100", "100"}));
    EXPECT_EQ(job.io.fields[Field::startAzimuth], " 45.57000");
    EXPECT_EQ(job.io.fields[Field::closingAzimuth], " 30.59330");
}

// C and D absent, E and F absent: Ta and Tb typed, Qa and Qb typed.
Answers typedAzimuthJob(const std::string& qa, const Answers& angles)
{
    return Answers{"1", "2"} + confirmed({"1000", "2000", "0", "0", "0", "0", "1500", "2500", "0", "0", "0", "0",
                                          "45.3", qa, "30", "-0.3"}) +
           confirmed({"A", "P", "A", "P", "B"}) + confirmed(angles) + confirmed({"500", "500", "500"});
}

TEST(ControlInput, TypedAzimuthsAndSignedOrientationAngles)
{
    JobRun job;
    run(job, typedAzimuthJob("-0.3000", {"60", "60", "60"}));
    ASSERT_EQ(job.outcome.end, JobEnd::done);
    EXPECT_EQ(job.job.taDeg, 45.5);
    EXPECT_EQ(job.job.taPacked.text, "45.3");
    EXPECT_EQ(job.job.spacerSign[0], -1);
    EXPECT_EQ(job.job.qaDeg, -0.5);
    EXPECT_EQ(job.job.qaPacked.text, "-0.3000");
    EXPECT_EQ(job.job.tbDeg, 30);
    EXPECT_EQ(job.job.spacerSign[2], -1);
    EXPECT_EQ(job.job.qbDeg, -0.5);
    for (const Field emptied : {Field::xc, Field::yc, Field::xe, Field::ye}) EXPECT_EQ(job.io.fields[emptied], "") << windowId(emptied);
    EXPECT_EQ(job.io.fields[Field::xd], "不在已知边闭合");
    EXPECT_EQ(job.io.fields[Field::xf], "由外定向点定向");
    EXPECT_EQ(job.io.fields[Field::startOrientation], " -0.30000");
}

TEST(ObservationInput, TriangleMisclosureSpreadInThirds)
{
    JobRun job;
    run(job, typedAzimuthJob("1", {"60", "60", "60.0006"}));  // sum 180 deg 0' 6"
    EXPECT_FLOAT_EQ(job.job.triangleMisclosure[1], 6);
    EXPECT_EQ(job.io.fields[Field::triangleMisclosure], "");  // every side clears the triangle row
    EXPECT_NE(std::find(job.io.events.begin(), job.io.events.end(), "Text31 =  6 秒"), job.io.events.end());
    EXPECT_NEAR(job.job.angleA[1], 60 - 2.0 / 3600, 1e-12);
    EXPECT_NEAR(job.job.angleC[1], 60 + 4.0 / 3600, 1e-12);
    EXPECT_NEAR(job.job.firstGroupSumVV, 12, 1e-9);
    EXPECT_EQ(job.job.packedC[1], 60.0006);
}

TEST(ObservationInput, ExactTriangleShowsZero)
{
    JobRun job;
    run(job, typedAzimuthJob("1", {"60", "60", "-60"}));
    EXPECT_EQ(job.job.triangleMisclosure[1], 0);
    EXPECT_EQ(job.job.angleA[1], 60);
    EXPECT_EQ(job.job.spacerSign[1], -1);
    EXPECT_NE(std::find(job.io.events.begin(), job.io.events.end(), "Text31 =  0 秒"), job.io.events.end());
}

// 100 times 1.13 lies just below 113; without the guard before each
// truncation 1.13 would read as 1 deg 12' 100" and the triangle would not close.
TEST(ObservationInput, GuardedConversionOfTypedAngles)
{
    JobRun job;
    run(job, typedAzimuthJob("1", {"1.13", "100", "78.47"}));
    EXPECT_NEAR(job.job.triangleMisclosure[1], 0, 1e-6);
    EXPECT_EQ(job.job.packedA[1], 1.13);
}

TEST(ObservationInput, SpacerAngleTypedZeroHasNoSign)
{
    JobRun job;
    run(job, typedAzimuthJob("1", {"90", "90", "0"}));
    EXPECT_EQ(job.job.spacerSign[1], 0);
}

TEST(ObservationInput, MeanSideOverAllSides)
{
    JobRun job;
    run(job, Answers{"2", "3"} +
                 confirmed({"1000", "2000", "0", "0", "0", "0", "1500", "2500", "900", "1900", "1600", "2600",
                            "10", "-10"}) +
                 confirmed({"A", "1", "1", "2", "B"}) + confirmed(equilateralAngles) +
                 confirmed({"100", "200", "300", "400", "500"}));
    EXPECT_EQ(job.job.meanSide, 300);
    EXPECT_EQ(job.io.fields[Field::meanSide], "300 米");
    EXPECT_EQ(job.io.fields[Field::oddSide], "s5=500.000");
    EXPECT_FLOAT_EQ(job.job.observedSide[4], 400);
}

TEST(ObservationInput, FirstGroupSumStartsFromZeroInEveryJob)
{
    JobRun job;
    run(job, typedAzimuthJob("1", {"60", "60", "60.0006"}));
    ASSERT_NEAR(job.job.firstGroupSumVV, 12, 1e-9);
    run(job, typedAzimuthJob("1", {"60", "60", "60.0003"}));
    EXPECT_NEAR(job.job.firstGroupSumVV, 3, 1e-9);
}

TEST(JobRecord, SecondSmallerJobStartsFromZeroedArrays)
{
    JobRun job;
    run(job, Answers{"3", "2"} +
                 confirmed({"1000", "2000", "0", "0", "0", "0", "3000", "2500", "1500", "1500", "3500", "2800",
                            "10", "-10"}) +
                 confirmed({"A", "1", "2", "3", "B"}) + confirmed({"60", "60", "60", "60", "60", "-60", "50", "60", "70"}) +
                 confirmed({"100", "100", "100", "100", "100", "100", "100"}));
    ASSERT_EQ(job.outcome.end, JobEnd::done);
    ASSERT_EQ(job.job.xe.text, "1500");

    run(job, knownSidesJob({"1", "1", "101", "1", "301", "1", "401", "1"}, equilateralAngles, {"100", "100", "100"}));
    ASSERT_EQ(job.outcome.end, JobEnd::done);
    EXPECT_EQ(job.job.triangleCount, 2);
    EXPECT_EQ(job.job.pointName.size(), 4u);
    EXPECT_EQ(job.job.packedA.size(), 3u);
    EXPECT_EQ(job.job.sideLength.size(), 6u);
    EXPECT_EQ(job.job.spacerSign[0], 0);   // Qa was not asked in this job
    EXPECT_EQ(job.job.xe.text, "1500");    // nor E: it keeps the first job's value
    EXPECT_EQ(job.job.qaPacked.text, "10");
}

TEST(BadInput, OneZeroCoordinateAndUnsupportedArrangementAreAskedAgain)
{
    JobRun job;
    run(job, Answers{"1", "2"} + confirmed({"1000", "2000",
                                           "5", "0",              // C with one zero: refused
                                           "0", "0", "7", "8",    // C absent, D given: refused
                                           "0", "0", "0", "0", "1500", "2500", "1100", "2100", "1600", "2600",
                                           "5", "5"}) +
                 confirmed({"A", "P", "A", "P", "B"}) + confirmed({"60", "60", "60"}) +
                 Answers{"-1", "0", "500", ""} + confirmed({"500", "500"}));
    ASSERT_EQ(job.outcome.end, JobEnd::done);
    EXPECT_EQ(job.io.warnings, 4);
    EXPECT_TRUE(cAbsent(job.job));
    EXPECT_TRUE(dAbsent(job.job));
    EXPECT_EQ(job.job.sideLength[1], 500);
    EXPECT_TRUE(job.io.allAnswered());
}

TEST(BadInput, AbandonedJobLeavesTheWindowAsItIs)
{
    JobRun job;
    run(job, Answers{"2", "abc", "@abort"});
    EXPECT_EQ(job.outcome.end, JobEnd::abandoned);
    EXPECT_EQ(job.io.fields[Field::triangleCount], " 三角锁共有2个三角形");
    EXPECT_EQ(job.io.fields.count(Field::tolerance), 0u);
}

}  // namespace
}  // namespace kestrane

namespace kestrane {
namespace {

TEST(BadInput, AnglesTooLargeToConvertAreAskedAgain)
{
    Answers answers = typedAzimuthJob("1", {"60", "60", "60"});
    const auto firstAngle = std::find(answers.begin(), answers.end(), "60");
    answers.insert(firstAngle, "1e306");  // refused, then 60 typed at the same prompt
    JobRun job;
    run(job, answers);
    EXPECT_EQ(job.outcome.end, JobEnd::done);
    EXPECT_EQ(job.io.warnings, 1);
    EXPECT_EQ(job.job.packedA[1], 60);
}

// Coordinates near the end of the double range: the distance A - C
// overflows, and the job stops rather than show or use an infinity.
TEST(BadInput, OverflowingFiguresStopTheJob)
{
    ChainSurvey job;
    ScriptedIo io(Answers{"2", "1"} + confirmed({"-1e308", "1", "1e308", "1", "0", "0", "5", "5", "0", "0"}));
    const auto outcome = runDataInputJob(job, io, io);
    EXPECT_EQ(outcome.end, JobEnd::stopped);
    EXPECT_NE(outcome.reason.find("超出了数的范围"), std::string::npos);
    for (const auto& [field, text] : io.fields) {
        EXPECT_EQ(text.find("nan"), std::string::npos) << windowId(field);
        EXPECT_EQ(text.find("inf"), std::string::npos) << windowId(field);
    }
    EXPECT_EQ(io.fields.count(Field::startAzimuth), 0u);
}

// Minutes and seconds of a typed d.mmss angle, read from its decimal text.
TEST(PackedAngles, MinutesAndSecondsBelowSixty)
{
    for (const char* accepted : {"45.595999", "45.30", "0.0001", "-12.3456", "359.5959", "4.53e1", "45", "+0.59"})
        EXPECT_EQ(angleRefusal(accepted), std::nullopt) << accepted;
    // The reading the warning quotes, and the brief that names the part of 60 or more.
    const std::tuple<const char*, const char*, const char*> refused[] = {
        {"45.309", "45°30′90″", "的秒为 90"},     {"45.6012", "45°60′12″", "的分为 60"},
        {"45.5960", "45°59′60″", "的秒为 60"},    {"-1.0060", "-1°00′60″", "的秒为 60"},
        {"4.5309e1", "45°30′90″", "的秒为 90"},   {"0.59605", "0°59′60.5″", "的秒为 60.5"},
        {"66.6675", "66°66′75″", "的分为 66、秒为 75"},
    };
    for (const auto& [typed, reading, brief] : refused) {
        const auto refusal = angleRefusal(typed);
        ASSERT_TRUE(refusal) << typed;
        EXPECT_NE(refusal->warning.find(reading), std::string::npos) << refusal->warning;
        EXPECT_EQ(refusal->brief, brief) << typed;
    }
}

TEST(ChainSize, CountAndToleranceShownOnceWithoutConfirmation)
{
    ScriptedIo io({"5", "2.5"});
    ChainSurvey job;
    Dialogue dialogue(io, io);
    inputChainSize(job, dialogue);
    EXPECT_EQ(io.events, (Events{
                             "ask 输入三角形的个数: -> 5",
                             "Text19 =  三角锁共有5个三角形",
                             "ask 输入规范测角限差: -> 2.5",
                             "Text18 =  2.5 秒",
                         }));
    EXPECT_EQ(job.triangleCount, 5);
    EXPECT_EQ(job.angleTolerance.value, 2.5);
    EXPECT_EQ(job.pointName.size(), 7u);
}

TEST(ChainSize, CountRoundsHalvesToEven)
{
    for (const auto& [typed, count] : std::vector<std::pair<std::string, int>>{{"4.5", 4}, {"5.5", 6}, {"0.6", 1}}) {
        ScriptedIo io({typed, "1"});
        ChainSurvey job;
        Dialogue dialogue(io, io);
        inputChainSize(job, dialogue);
        EXPECT_EQ(job.triangleCount, count) << typed;
        EXPECT_EQ(io.fields[Field::triangleCount], " 三角锁共有" + std::to_string(count) + "个三角形");
    }
}

TEST(ChainSize, CountOutsideTheRecordIsRefused)
{
    ScriptedIo io({"0", "-3", "6553", "0.5", "1e308", "abc", "6.4", "1"});
    ChainSurvey job;
    Dialogue dialogue(io, io);
    inputChainSize(job, dialogue);
    EXPECT_EQ(io.warnings, 6);
    EXPECT_EQ(job.triangleCount, 6);
    EXPECT_EQ(io.events[3], "warn 三角形的个数须为 1 到 6552 之间的整数;输入的 “-3” 取整后为 -3。");
    EXPECT_EQ(io.events[5], "warn 三角形的个数须为 1 到 6552 之间的整数;输入的 “6553” 取整后为 6553。");
    EXPECT_EQ(io.events[7], "warn 三角形的个数须为 1 到 6552 之间的整数;输入的 “0.5” 取整后为 0。");
}

TEST(ChainSize, ToleranceMustBeANumber)
{
    ScriptedIo io({"3", "", "秒", "0"});
    ChainSurvey job;
    Dialogue dialogue(io, io);
    inputChainSize(job, dialogue);
    EXPECT_EQ(io.warnings, 2);
    EXPECT_EQ(io.fields[Field::tolerance], " 0 秒");
}

}  // namespace
}  // namespace kestrane
