// The JSON dump of kestrelview-render: key order, the values of a tiny
// drawing and of the bundled example, the state after a failed start, and
// numbers in their shortest and non-finite forms.
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "input/scene_tables.h"
#include "tests/tools/tool_runner.h"
#include "tools/model_summary.h"
#include "tools/state_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

using Json = nlohmann::ordered_json;

namespace
{

// One wall from (0, 0) to (1000, 0) with marks 3 and 0 at both ends, the eye
// south of it at 1.5 m looking at its middle at 1 m.
const std::string TinyDrawing = "ch 0 0 250 0 \"3,0\r\n"
                                "ch 1000 0 250 0 \"3,0\r\n"
                                " 0 0 1000 0\r\n"
                                "ch 500 -4000 250 0 \"v,1.5,60\r\n"
                                "ch 500 0 250 0 \"f,1\r\n";

void ExpectNumbers(const Json& actual, std::initializer_list<double> expected)
{
    ASSERT_TRUE(actual.is_array()) << actual;
    ASSERT_EQ(actual.size(), expected.size()) << actual;
    size_t i = 0;
    for (double value : expected)
        EXPECT_EQ(actual[i++].get<double>(), value) << actual;
}

QString ExampleFolder()
{
    return QString(std::getenv("KV_SOURCE_DIR")) + "/examples/house";
}

} // namespace

TEST(RenderToolJson, TinyDrawingGivesEveryKeyInOrder)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, TinyDrawing);
    TToolRun run = RunTool(folder.Path(), {"--json", "-"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    Json json = ParseJson(run);

    std::vector<std::string> keys;
    for (auto& item : json.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"error", "backColor", "backgroundColor", "materials", "view",
                                              "ambientLight", "lights", "camera", "faces"}));

    EXPECT_TRUE(json["error"].is_null());
    EXPECT_EQ(json["backColor"], Json::array({10, 20, 30}));
    EXPECT_EQ(json["backgroundColor"], Json::array({10, 20, 30}));

    // Single-precision values are written in their shortest form: 0.1, not 0.10000000149011612.
    ASSERT_EQ(json["materials"].size(), 81u);
    ExpectNumbers(json["materials"][0], {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7});
    ExpectNumbers(json["materials"][1], {1, 0, 0, 0.5, 0.5, 0, 0});
    // Without material2.txt every line type takes the colours of line type 1.
    EXPECT_EQ(json["materials"][9], json["materials"][0]);
    EXPECT_EQ(json["materials"][80], json["materials"][8]);

    ExpectNumbers(json["view"]["eye"], {500, 1500, 4000});
    ExpectNumbers(json["view"]["target"], {500, 1000, 0});
    EXPECT_EQ(json["view"]["fieldOfView"], 60.0);
    ExpectNumbers(json["ambientLight"], {0.5, 0.5, 0.5});
    EXPECT_EQ(json["lights"], Json::array());

    const Json& camera = json["camera"];
    ExpectNumbers(camera["eyePoint"], {500, 1500, 4000});
    EXPECT_EQ(camera["yaw"], 0.0);
    EXPECT_NEAR(camera["pitch"].get<double>(), 7.125018, 1e-6); // 0.5 m down over 4 m
    EXPECT_EQ(camera["viewAngle"], 60.0);

    ASSERT_EQ(json["faces"].size(), 1u);
    const Json& face = json["faces"][0];
    ExpectNumbers(face["material"], {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7});
    ASSERT_EQ(face["vertices"].size(), 4u);
    ExpectNumbers(face["vertices"][0], {0, 3000, 0});
    ExpectNumbers(face["vertices"][1], {0, 0, 0});
    ExpectNumbers(face["vertices"][2], {1000, 0, 0});
    ExpectNumbers(face["vertices"][3], {1000, 3000, 0});
}

TEST(RenderToolJson, FieldOfViewIsTheClampedOne)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, "ch 0 -5000 250 0 \"v,1.5,200\r\n");
    TToolRun run = RunTool(folder.Path(), {"--json", "-"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    Json json = ParseJson(run);
    EXPECT_EQ(json["view"]["fieldOfView"], 160.0);
    EXPECT_EQ(json["camera"]["viewAngle"], 160.0);
}

TEST(RenderToolJson, NonFiniteNumbersAreNamed)
{
    TDrawingFolder folder;
    // Red of entry 1 overflows single precision; the eye and target heights
    // overflow to infinity, so the rise between them is NaN.
    std::string materials = TinyMaterials;
    materials.replace(materials.find("0.1,"), 4, "-1e39,");
    WriteDrawing(folder, materials,
                 "ch 0 0 250 0 \"v,1e39\r\n"
                 "ch 1000 0 250 0 \"f,1e39\r\n");
    TToolRun run = RunTool(folder.Path(), {"--json", "-"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    Json json = ParseJson(run);
    EXPECT_EQ(json["materials"][0][0], "-Infinity");
    EXPECT_EQ(json["view"]["eye"][1], "Infinity");
    EXPECT_EQ(json["camera"]["eyePoint"][1], "Infinity");
    EXPECT_EQ(json["camera"]["pitch"], "NaN");
}

TEST(RenderToolJson, FailedStartsKeepTheWindowsStateAndName)
{
    const std::string unreadableWall = "\x95\xc7"; // "壁" in Shift-JIS
    struct Case
    {
        const char* Name;
        std::string Materials;
        std::string Drawing;
        std::string Error;
    };
    const Case cases[] = {
        {"no material.txt", "", TinyDrawing, "ファイル material.txt は開けません."},
        {"no temp.txt", TinyMaterials, "", "ファイル temp.txt は開けません."},
        {"short line record", TinyMaterials, " 0 0 1000\r\n", "リストのインデックスが範囲を超えています (4)"},
        {"empty line", TinyMaterials, TinyDrawing + "\r\n" + TinyDrawing,
         "リストのインデックスが範囲を超えています (0)"},
        {"Shift-JIS token", TinyMaterials, " 0 0 " + unreadableWall + " 0\r\n",
         "'壁' is not a valid floating point value."},
        {"stray byte", TinyMaterials, " 0 0 1\x82 0\r\n", "'1\\x82' is not a valid floating point value."},
    };
    // The full stop is left off after ")", whose code is lower than ".".
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TDrawingFolder folder;
        WriteDrawing(folder, c.Materials, c.Drawing);
        TToolRun run = RunTool(folder.Path(), {"--json", "-"});
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, c.Error + "\n");
        Json json = ParseJson(run);
        EXPECT_EQ(json["error"], c.Error);
        // What the window holds then: black clear colour, initial camera, no faces.
        EXPECT_EQ(json["backColor"], Json::array({0, 0, 0}));
        ExpectNumbers(json["camera"]["eyePoint"], {5000, 2000, 60000});
        EXPECT_EQ(json["camera"]["yaw"], 0.0);
        EXPECT_EQ(json["camera"]["pitch"], 0.0);
        EXPECT_EQ(json["camera"]["viewAngle"], 90.0);
        EXPECT_EQ(json["faces"], Json::array());
    }
}

TEST(RenderToolJson, TablesReadBeforeAFailureStay)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, "ch 0 -5000 250 0 \"v,2,30\r\n 1 2\r\n");
    TToolRun run = RunTool(folder.Path(), {"--json", "-"});
    EXPECT_EQ(run.Status, 1);
    Json json = ParseJson(run);
    EXPECT_EQ(json["backgroundColor"], Json::array({10, 20, 30}));
    ExpectNumbers(json["materials"][0], {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7});
    // The eye the drawing set before the broken line stays; the field of
    // view is not clamped since the camera is never derived.
    ExpectNumbers(json["view"]["eye"], {0, 2000, 5000});
    EXPECT_EQ(json["view"]["fieldOfView"], 30.0);

    TDrawingFolder noMaterials;
    WriteDrawing(noMaterials, "", TinyDrawing);
    json = ParseJson(RunTool(noMaterials.Path(), {"--json", "-"}));
    EXPECT_EQ(json["backgroundColor"], Json::array({0, 0, 0}));
    ExpectNumbers(json["materials"][0], {0, 0, 0, 0, 0, 0, 0});
}

TEST(RenderToolJson, ExampleHouse)
{
    QTemporaryDir start;
    TToolRun run = RunTool(start.path(), {"--json", "-", ExampleFolder()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    Json json = ParseJson(run);
    EXPECT_TRUE(json["error"].is_null());
    EXPECT_EQ(json["backColor"], Json::array({200, 225, 255}));
    EXPECT_EQ(json["backgroundColor"], Json::array({200, 225, 255}));
    ExpectNumbers(json["materials"][9], {0.55, 0.25, 0.18, 0.5, 0.5, 0, 0}); // roof: line type 2, colour 1
    ExpectNumbers(json["view"]["eye"], {-10000, 9000, 15000});
    ExpectNumbers(json["view"]["target"], {5000, 2500, -4000});
    EXPECT_EQ(json["view"]["fieldOfView"], 48.0);
    // The eye 15 m west and 19 m north of the target, 6.5 m above it.
    EXPECT_NEAR(json["camera"]["yaw"].get<double>(), 38.2902, 1e-4);
    EXPECT_NEAR(json["camera"]["pitch"].get<double>(), 15.0301, 1e-4);
    EXPECT_EQ(json["camera"]["viewAngle"], 48.0);
    ExpectNumbers(json["ambientLight"], {0.4, 0.4, 0.45});
    ASSERT_EQ(json["lights"].size(), 1u);
    ExpectNumbers(json["lights"][0], {-10000, 12000, 10000, 0, 1, 1, 0.9, 40000, 1});

    // One wall per segment with height at an end: 15 on the ground floor, 19
    // upstairs, 4 gable triangles and the ridge, 4 of the fence. Two slabs per
    // room (5 and 6), per roof plane and per storey's outer ring, one for the
    // terrace and one for the lawn. All lie within the garden, up to the ridge.
    const Json& faces = json["faces"];
    ASSERT_EQ(faces.size(), 75u);
    size_t walls = 0;
    double highest = 0;
    for (const Json& face : faces)
    {
        EXPECT_GE(face["vertices"].size(), 3u);
        std::set<std::pair<double, double>> plan;
        for (const Json& vertex : face["vertices"])
        {
            plan.insert({vertex[0].get<double>(), vertex[2].get<double>()});
            EXPECT_GE(vertex[0].get<double>(), -5000);
            EXPECT_LE(vertex[0].get<double>(), 15000);
            highest = std::max(highest, vertex[1].get<double>());
        }
        walls += plan.size() <= 2;
    }
    EXPECT_EQ(walls, 43u);
    EXPECT_EQ(highest, 7600.0);
}

// The dump and the summary show the tables they are given, whatever the
// module tables hold: the example house built, then swapped out of them.
TEST(RenderToolJson, DumpAndSummaryShowTheTablesTheyAreGiven)
{
    const std::string house = ExampleFolder().toStdString();
    LoadMaterial(house + "/material.txt");
    LoadMaterial2(house + "/material2.txt");
    SceneLoader(house + "/temp.txt");
    TSceneTables built;
    SwapSceneTables(built);

    TStartState state;
    const TDumpedTables tables{built.PolygonList,    built.MaterialTable, built.BackgroundColor,
                               built.ViewParameters, built.AmbientLight,  built.LightList};
    const Json json = StateToJson(state, tables);
    EXPECT_EQ(json["faces"].size(), 75u);
    EXPECT_EQ(json["view"]["fieldOfView"], 48);
    EXPECT_EQ(json["backgroundColor"], Json::array({200, 225, 255}));
    EXPECT_EQ(json["materials"][0][0], 0.93);

    std::ostringstream summary;
    PrintSummary(summary, state, built.PolygonList, built.ViewParameters);
    EXPECT_EQ(summary.str(), "faces: 75 (walls 43, slabs 32)\nheights: 0 to 7600\ncolours: 8\n"
                             "eye: (-10000, 9000, 15000)  target: (5000, 2500, -4000)  field of view: 48\n");
}
