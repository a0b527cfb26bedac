#include "input/input_tables.h"
#include "input/scene_loader.h"
#include "model/model_tables.h"
#include "start/plan_picture.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace
{

// The plan picture draws the faces, record and materials it is given, not
// whatever the module tables hold: a red wall stays red while the module
// material table says blue, and the slab filled from the given faces shows
// while PolygonList is empty.
TEST(PlanPicture, DrawsWhatItIsGiven)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "kv_start_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    const std::filesystem::path drawing = std::filesystem::temp_directory_path() / "kv_plan_picture.txt";
    std::ofstream(drawing) << " 0 0 1000 0\n 1000 0 0 1000\n 0 1000 0 0\n"
                              "ch 0 0 \"3,0\nch 1000 0 \"3,0\nch 0 1000 \"3,0\n";
    TMaterialTable red{};
    red[0] = {1, 0, 0, 0, 0, 0, 0};
    MaterialTable = red;
    ReleaseFaces();
    TBuildRecord record;
    SceneLoader(drawing.string(), &record);
    std::filesystem::remove(drawing);
    const std::vector<TPGon> faces = PolygonList;
    ReleaseFaces();
    MaterialTable[0] = {0, 0, 1, 0, 0, 0, 0};

    const std::string png = DrawPlan(faces, record, red, {}, 300, 300, false);
    QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), int(png.size()));
    ASSERT_FALSE(picture.isNull());
    int redPixels = 0, bluePixels = 0, tinted = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
        {
            const QColor c = picture.pixelColor(x, y);
            redPixels += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            bluePixels += c.blue() > 200 && c.red() < 60;
            // The slab, filled lightly in its colour.
            tinted += c.red() == 255 && c.green() < 250 && c.green() > 150 && c.green() == c.blue();
        }
    EXPECT_GT(redPixels, 100);
    EXPECT_EQ(bluePixels, 0);
    EXPECT_GT(tinted, 1000);
    ResetInputTables();
}

} // namespace
