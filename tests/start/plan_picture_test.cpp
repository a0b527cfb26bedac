#include "input/input_tables.h"
#include "input/scene_loader.h"
#include "model/model_tables.h"
#include "start/plan_picture.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace
{

// The plan's numbers are text, which needs Qt's GUI module.
class PlanPicture : public testing::Test
{
    int Argc = 1;
    char Name[15] = "kv_start_tests";
    char* Argv[2] = {Name, nullptr};
    bool Offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication Application{Argc, Argv};
};

// The plan picture draws the faces, record and materials it is given, not
// whatever the module tables hold: a red wall stays red while the module
// material table says blue, and the slab filled from the given faces shows
// while PolygonList is empty.
TEST_F(PlanPicture, DrawsWhatItIsGiven)
{
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

namespace
{

int PixelsLike(const QImage& picture, bool (*like)(const QColor&))
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += like(picture.pixelColor(x, y));
    return count;
}

bool Reddish(const QColor& c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

bool Bluish(const QColor& c)
{
    return c.blue() > 150 && c.red() < 60 && c.green() < 150;
}

} // namespace

// The window's plan view: a hidden layer's lines are left out, the picked
// finding is ringed, a zoom keeps the point under the pointer in place and a
// finding out of sight is brought into the middle.
TEST_F(PlanPicture, WindowsViewHidesZoomsAndPicks)
{
    TMaterialTable red{};
    red[0] = {1, 0, 0, 0, 0, 0, 0};
    TBuildRecord record;
    record.Slots.resize(LayerSlotCount);
    record.Slots[0].Segments.push_back({0, 0, 1000, 0, 3000, 0, 3000, 0, 1});
    record.Slots[0].Segments.push_back({0, 0, 0, -1000, 3000, 0, 3000, 0, 1});
    TFinding finding;
    finding.Kind = TFindingKind::UnmarkedEnd;
    finding.X = 1000, finding.Y = 1000;
    const std::vector<TFinding> findings = {finding};

    auto paint = [&](const TPlanLook& look)
    {
        QImage image(300, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        PaintPlan(painter, {}, record, red, findings, 300, 300, look);
        painter.end();
        return image;
    };
    TPlanLook look;
    EXPECT_GT(PixelsLike(paint(look), Reddish), 100);
    EXPECT_EQ(PixelsLike(paint(look), Bluish), 0);
    look.Hidden.set(0);
    const QImage hidden = paint(look);
    EXPECT_LT(PixelsLike(hidden, Reddish), 100); // the finding's circle alone
    auto redOfPlan = [&](const THiddenLayers& layers)
    {
        const std::string png = DrawPlan({}, record, red, findings, 300, 300, false, layers);
        return PixelsLike(QImage::fromData(reinterpret_cast<const uchar*>(png.data()), int(png.size())),
                          Reddish);
    };
    EXPECT_GT(redOfPlan({}) - redOfPlan(look.Hidden), 100);
    look.Hidden.reset();
    look.Picked = 0;
    EXPECT_GT(PixelsLike(paint(look), Bluish), 50);

    // Two findings mark the corner and the far end of the first wall.
    std::vector<TFinding> marks = {finding, finding};
    marks[0].X = 0, marks[0].Y = 0;
    auto places = [&] { return FindingPlaces(record, marks, 300, 300, look); };
    const QPointF corner = places()[0], end = places()[1];
    EXPECT_NEAR(end.x() - corner.x(), corner.y() - end.y(), 1e-9); // true proportions, y up
    ZoomPlanAt(look, 3, corner);
    EXPECT_NEAR(places()[0].x(), corner.x(), 1e-9);
    EXPECT_NEAR(places()[0].y(), corner.y(), 1e-9);
    EXPECT_NEAR(places()[1].x() - corner.x(), 3 * (end.x() - corner.x()), 1e-6);
    ZoomPlanAt(look, 1e9, corner);
    EXPECT_EQ(look.Zoom, 1000);

    BringIntoView(look, record, findings, 0, 300, 300);
    const QPointF brought = FindingPlaces(record, findings, 300, 300, look)[0];
    EXPECT_NEAR(brought.x(), 150, 1e-6);
    EXPECT_NEAR(brought.y(), 150, 1e-6);
    const TPlanLook centred = look;
    BringIntoView(look, record, findings, 0, 300, 300); // already in view: stays
    EXPECT_EQ(look.PanX, centred.PanX);
    EXPECT_EQ(look.PanY, centred.PanY);
}
