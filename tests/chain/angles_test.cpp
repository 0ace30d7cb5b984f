#include "chain/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace kestrane {
namespace {

TEST(Angles, DegreeFactorIsBuiltFromTheCutPi)
{
    EXPECT_EQ(degToRad, 0.017453292519444445);
    EXPECT_NE(degToRad, M_PI / 180);
    EXPECT_EQ(secondsPerRadian, 206265);
}

TEST(PackedToDegrees, KnownFigures)
{
    EXPECT_EQ(packedToDegrees(45.3), 45.5);
    EXPECT_EQ(packedToDegrees(1.13), 1.2166666666666663);  // 13 minutes, not 12 minutes 100 seconds
    EXPECT_DOUBLE_EQ(packedToDegrees(0.0001), 1.0 / 3600);
    EXPECT_EQ(packedToDegrees(359.5959), 359.9997222222221);
    EXPECT_LT(packedToDegrees(359.5959), 360);
}

// Values whose hundredfold falls a hair below a whole number in double
// precision lose a minute without the 0.1 guard.
TEST(PackedToDegrees, GuardKeepsMinutesThatRoundingWouldLose)
{
    for (const double packed : {1.13, 0.29, 2.01}) {
        ASSERT_LT(100 * packed, std::round(100 * packed)) << packed;  // the trap is real
        const double minutes = std::round(100 * (packed - std::trunc(packed)));
        EXPECT_NEAR(packedToDegrees(packed), std::trunc(packed) + minutes / 60, 1e-12) << packed;
    }
}

TEST(SignedPackedToDegrees, KeepsSignApart)
{
    EXPECT_EQ(signedPackedToDegrees(-0.3), -0.5);
    EXPECT_EQ(signOf(-0.3), -1);
    EXPECT_EQ(signedPackedToDegrees(0), 0);
    EXPECT_EQ(signOf(0), 0);
    EXPECT_EQ(signOf(12.3456), 1);
    EXPECT_EQ(signedPackedToDegrees(12.3456), packedToDegrees(12.3456));
}

TEST(DegreesToPacked, KnownFigures)
{
    EXPECT_DOUBLE_EQ(degreesToPacked(45.95), 45.57);
    EXPECT_DOUBLE_EQ(degreesToPacked(30.9925), 30.5933);
    EXPECT_DOUBLE_EQ(degreesToPacked(45.5), 45.3);
    EXPECT_EQ(degreesToPacked(0), 0);
}

// Over a grid of valid packed values (every minute, seconds with a fraction),
// packed -> degrees -> packed -> degrees returns the same angle. The packed
// form may carry just under 60 seconds of the lower minute; it still unpacks
// to the same angle.
TEST(DegreesToPacked, RoundTripOverValidGrid)
{
    for (int degrees = 0; degrees < 360; degrees += 7) {
        for (int minutes = 0; minutes < 60; ++minutes) {
            for (const double seconds : {0.0, 0.5, 13.0, 29.75, 59.0, 59.9}) {
                const double packed = degrees + minutes / 100.0 + seconds / 10000.0;
                const double angle = packedToDegrees(packed);
                const double repacked = degreesToPacked(angle);
                EXPECT_NEAR(packedToDegrees(repacked), angle, 1e-9)
                    << degrees << " " << minutes << " " << seconds;
                EXPECT_NEAR(angle, degrees + minutes / 60.0 + seconds / 3600.0, 1e-9);
            }
        }
    }
}

TEST(AzimuthOf, Quadrants)
{
    EXPECT_EQ(azimuthOf(100, 100), 45.00000000128619);
    EXPECT_EQ(azimuthOf(100, -100), 314.9999999987138);
    EXPECT_EQ(azimuthOf(-100, -100), 225.0000000012862);
    EXPECT_EQ(azimuthOf(-100, 100), 134.9999999987138);
}

TEST(AzimuthOf, Axes)
{
    EXPECT_EQ(azimuthOf(0, 5), 90);
    EXPECT_EQ(azimuthOf(0, -5), 270);
    EXPECT_EQ(azimuthOf(0, 0), 270);
    EXPECT_EQ(azimuthOf(-5, 0), 180);
    EXPECT_EQ(azimuthOf(5, 0), 0);
}

TEST(AzimuthOf, StaysWithinTheCircle)
{
    for (int step = 1; step < 360; ++step) {
        if (step % 90 == 0) continue;
        const double direction = step * M_PI / 180;
        const double azimuth = azimuthOf(1000 * std::cos(direction), 1000 * std::sin(direction));
        EXPECT_GT(azimuth, 0);
        EXPECT_LT(azimuth, 360);
        EXPECT_NEAR(azimuth, step, 1e-6) << step;
    }
}

// The two full-circle reductions part only where a hair below 0 reaches 360
// when the turn is added; the half-turn one keeps +180 and gives -180 a turn.
TEST(AngleRanges, EachReductionKeepsItsBounds)
{
    const double hairBelowZero = -1e-14;
    EXPECT_EQ(normalizedAzimuth(hairBelowZero), 0);
    EXPECT_EQ(normalizedAzimuthUpperFirst(hairBelowZero), 360);
    EXPECT_EQ(reducedToFullCircle(hairBelowZero), 360);
    const std::pair<double, double> turned[] = {{-359.5, 0.5}, {-0.25, 359.75}, {0, 0},
                                                {359.75, 359.75}, {360, 0}, {719.5, 359.5}};
    for (const auto& [azimuth, expected] : turned) {
        EXPECT_EQ(normalizedAzimuth(azimuth), expected) << azimuth;
        EXPECT_EQ(normalizedAzimuthUpperFirst(azimuth), expected) << azimuth;
        EXPECT_EQ(reducedToFullCircle(azimuth), expected) << azimuth;
    }
    EXPECT_EQ(reducedToFullCircle(1000.5), 280.5);
    EXPECT_NEAR(azimuthDifference(0.001, 359.999), 0.002, 1e-12);
    EXPECT_EQ(azimuthDifference(270, 90), 180);
    EXPECT_EQ(azimuthDifference(90, 270), 180);
    EXPECT_EQ(azimuthDifference(10, 20), -10);
    EXPECT_EQ(normalizedAxis(-30), 150);
    EXPECT_EQ(normalizedAxis(180), 0);
    EXPECT_EQ(normalizedAxis(179.5), 179.5);
}

TEST(AngleTexts, DegreesMinutesAndSeconds)
{
    const auto typed = readPackedAngle("-45.309");
    ASSERT_TRUE(typed);
    EXPECT_EQ(degreesMinutesSecondsText(*typed), "-45°30′90″");
    EXPECT_FALSE(isValidPackedAngle(*typed));

    const struct {
        double degrees;
        const char* text;
    } axes[] = {{0, "0°00′"}, {5.5, "5°30′"}, {123.4258, "123°26′"}, {59.99, "59°59′"}, {89.9999, "90°00′"},
                {179.9999, "0°00′"}};
    for (const auto& row : axes) EXPECT_EQ(axisDegreesAndMinutes(row.degrees), row.text) << row.degrees;

    // Rounding to the last decimal of a second carries into minutes and degrees.
    const Sexagesimal carried = roundedSexagesimal(12 + 59.0 / 60 + 59.999996 / 3600, 5);
    EXPECT_EQ(carried.degrees, 13);
    EXPECT_EQ(carried.minutes, 0);
    EXPECT_EQ(carried.seconds, 0);
    EXPECT_EQ(carried.fraction, 0);
    const Sexagesimal turned = roundedSexagesimal(-0.5, 2);
    EXPECT_EQ(turned.degrees, 359);
    EXPECT_EQ(turned.minutes, 30);
    const Sexagesimal whole = roundedSexagesimal(360 - 1e-12, 5);
    EXPECT_EQ(whole.degrees, 0);
}

}  // namespace
}  // namespace kestrane
