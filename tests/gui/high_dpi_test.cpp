// The window drawn for the screen's device pixel ratio. ctest runs this once
// on an ordinary screen and once on a screen of ratio 2, telling the ratio in
// KESTRANE_TEST_DEVICE_PIXEL_RATIO.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>

#include "presentation/client_area.h"
#include "presentation/main_window.h"

namespace kestrane::guitest {
namespace {

double expectedRatio()
{
    bool ok = false;
    const double ratio = qEnvironmentVariable("KESTRANE_TEST_DEVICE_PIXEL_RATIO").toDouble(&ok);
    return ok ? ratio : 1.0;
}

// The colour at a point of the client area given in twips.
QColor colourAt(const QImage& image, const MainWindow& window, int leftTwips, int topTwips, double ratio)
{
    const double pixels = window.logicalDpiX() / 1440.0 * ratio;
    return image.pixelColor(qRound(leftTwips * pixels), qRound(topTwips * pixels));
}

TEST(HighDpi, WindowIsDrawnAtTheScreensResolution)
{
    const double ratio = expectedRatio();
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_DOUBLE_EQ(window.devicePixelRatioF(), ratio);

    QWidget& client = *window.client();
    const QPixmap grab = client.grab();
    EXPECT_DOUBLE_EQ(grab.devicePixelRatio(), ratio);
    EXPECT_EQ(grab.size(), client.size() * ratio);

    const QImage image = grab.toImage();
    // The orientation line E->A, half way, is red; the panel frame is blue;
    // the ground is light yellow.
    const QColor red = colourAt(image, window, (1920 + 3480) / 2, (360 + 840) / 2, ratio);
    EXPECT_GT(red.red(), 200);
    EXPECT_LT(red.green(), 60);
    const QColor blue = colourAt(image, window, 2040, 5000, ratio);
    EXPECT_GT(blue.blue(), 200);
    EXPECT_LT(blue.red(), 60);
    EXPECT_EQ(colourAt(image, window, 600, 6000, ratio), QColor(255, 255, 192));
}

}  // namespace
}  // namespace kestrane::guitest
