// The example house against stored pictures. The comparison allows the small
// rounding differences between Mesa builds, while a wrong camera, light,
// winding or colour moves many pixels by a lot. scripts/update-baseline.sh
// regenerates the pictures on purpose.
#include "tests/tools/tool_runner.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace
{

struct TPictureDifference
{
    double MeanChannelDifference = 0; // over every channel of every pixel
    double FarPixelShare = 0;         // pixels with a channel off by more than 24
};

TPictureDifference Compare(const QImage& a, const QImage& b)
{
    TPictureDifference difference;
    long long total = 0;
    long long far = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
        {
            QRgb p = a.pixel(x, y);
            QRgb q = b.pixel(x, y);
            int channels[] = {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))};
            total += channels[0] + channels[1] + channels[2];
            if (*std::max_element(channels, channels + 3) > 24)
                ++far;
        }
    double pixels = double(a.width()) * a.height();
    difference.MeanChannelDifference = total / (3 * pixels);
    difference.FarPixelShare = far / pixels;
    return difference;
}

} // namespace

TEST(Baseline, ExampleHouseLooksAsStored)
{
    const QString source = std::getenv("KV_SOURCE_DIR");
    QTemporaryDir start;
    for (const char* shading : {"smooth", "flat"})
    {
        QString name = QString("house-%1.png").arg(shading);
        QStringList arguments = {"--output", name, source + "/examples/house"};
        if (QString(shading) == "flat")
            arguments.prepend("--flat");
        TToolRun run = RunTool(start.path(), arguments);
        ASSERT_EQ(run.Status, 0) << run.Err;

        QImage rendered(start.filePath(name));
        QImage stored(source + "/tests/tools/baseline/" + name);
        ASSERT_FALSE(stored.isNull()) << "missing baseline " << name.toStdString();
        ASSERT_EQ(rendered.size(), stored.size());
        TPictureDifference difference = Compare(rendered, stored);
        EXPECT_LT(difference.MeanChannelDifference, 1.0) << shading;
        EXPECT_LT(difference.FarPixelShare, 0.005) << shading;
    }
}
