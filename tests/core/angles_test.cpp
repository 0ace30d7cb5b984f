#include "chain/angles.h"

#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace kestrane
