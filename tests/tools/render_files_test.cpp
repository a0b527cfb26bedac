// kestrelview-render as a command: exit statuses, where it reads and
// writes, the pictures it writes, and what it never writes; and the command
// line it shares with kestrelview-dxf.
#include "tests/tools/tool_runner.h"
#include "tools/bridge_options.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace
{

const std::string OneWall = "ch 0 0 250 0 \"3,0\r\n"
                            "ch 1000 0 250 0 \"3,0\r\n"
                            " 0 0 1000 0\r\n";

uint32_t Little32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return value;
}

uint16_t Little16(const std::string& bytes, size_t at)
{
    return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

// A 400 by 300 uncompressed 24-bit BMP, with its pixels; rows are stored
// bottom up unless the height is negative.
struct TBmp
{
    std::string Bytes;

    // Blue, green and red of pixel (x, y), y counted from the top.
    uint32_t Pixel(int x, int y) const
    {
        int32_t height = int32_t(Little32(Bytes, 22));
        int row = height > 0 ? 299 - y : y;
        size_t at = Little32(Bytes, 10) + size_t(row) * 1200 + size_t(x) * 3;
        return uint32_t(uint8_t(Bytes[at])) | uint32_t(uint8_t(Bytes[at + 1])) << 8 |
               uint32_t(uint8_t(Bytes[at + 2])) << 16;
    }
};

TBmp ReadBmp(const QString& path)
{
    TBmp bmp{ReadBytes(path)};
    EXPECT_GE(bmp.Bytes.size(), 54u + 300u * 1200u);
    if (bmp.Bytes.size() < 54)
        return {};
    EXPECT_EQ(bmp.Bytes.substr(0, 2), "BM");
    EXPECT_EQ(Little32(bmp.Bytes, 18), 400u); // width
    EXPECT_EQ(int32_t(Little32(bmp.Bytes, 22)) * (int32_t(Little32(bmp.Bytes, 22)) < 0 ? -1 : 1), 300);
    EXPECT_EQ(Little16(bmp.Bytes, 28), 24u); // bits per pixel
    EXPECT_EQ(Little32(bmp.Bytes, 30), 0u);  // BI_RGB: no compression
    EXPECT_GE(bmp.Bytes.size(), Little32(bmp.Bytes, 10) + 300u * 1200u);
    return bmp;
}

constexpr uint32_t Black = 0x000000;
constexpr uint32_t White = 0xFFFFFF;

} // namespace

// A line in millimetres from (0, 0) to (1000, 0) on layer 0.
const std::string OneLineDxf = "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
                               "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1000\n21\n0\n"
                               "0\nENDSEC\n0\nEOF\n";

// Both companions read one grammar: each mistake is exit status 2 with the
// program's name, the message and the help on standard error, and nothing
// written.
TEST(Companions, CommandLineMistakesAreUsageErrors)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    WriteBytes(folder.File("plan.dxf"), OneLineDxf);
    const QString render = KV_RENDER_TOOL;
    const QString bridge = KV_DXF_TOOL;
    const struct
    {
        QString Program;
        QStringList Arguments;
        std::string Message;
    } cases[] = {
        {render, {"--colour"}, "unknown option --colour"},
        {render, {"-colour"}, "unknown option -colour"},
        {render, {"---json", "-"}, "unknown option ---json"},
        {render, {"--v"}, "unknown option --v"},
        {render, {".", "."}, "only one DIR may be given"},
        {render, {"--json"}, "--json needs a value"},
        {render, {"--json", ""}, "--json needs a value"},
        {render, {"--output="}, "--output needs a value"},
        {render, {"--flat=yes"}, "--flat takes no value"},
        {render, {"--help=yes"}, "--help takes no value"},
        {render, {"no such folder"}, "cannot enter the folder no such folder"},
        {render, {"--", "--json"}, "cannot enter the folder --json"},
        {render, {"--size=15x16"}, "--size: 15x16 is not WxH with W and H from 16 to 8192"},
        {render, {"--eye", "-1,-2"}, "--eye: -1,-2 is not X,Y,H (three finite numbers)"},
        {render, {"--snap", "-1"}, "--snap: -1 is not a distance of 0 or more"},
        {render, {"--plan", "plan.txt"}, "--plan: plan.txt is not a file name ending in .svg or .png"},
        {render,
         {"--plan", "plan.svg.txt"},
         "--plan: plan.svg.txt is not a file name ending in .svg or .png"},
        {render,
         {"--json", "-", "--check-json", "-"},
         "only one of --json and --check-json may write to standard output"},
        {render,
         {"--export", "model.txt"},
         "--export: model.txt is not a file name ending in .glb, .gltf, .obj or .html"},
        {render, {"--unit", "km", "--export", "model.glb"}, "--unit: km is not mm, cm or m"},
        {render, {"--unit", "in"}, "--unit: in is not mm, cm or m"},
        {render, {"--hide-layer", "16/0"}, "--hide-layer: 16/0 is not G/L with G and L from 0 to 15"},
        {render, {"--hide-layer=3"}, "--hide-layer: 3 is not G/L with G and L from 0 to 15"},
        {render, {"--hide-layer", "0/-1"}, "--hide-layer: 0/-1 is not G/L with G and L from 0 to 15"},
        {render, {"--cut", "1,5"}, "--cut: 1,5 is not a finite height in metres"},
        {render, {"--cut=1e40"}, "--cut: 1e40 is not a finite height in metres"},
        {bridge, {"--colour", "plan.dxf"}, "unknown option --colour"},
        {bridge, {}, "no PLAN.dxf given"},
        {bridge, {"--force"}, "no PLAN.dxf given"},
        {bridge, {"plan.dxf", "other.dxf"}, "only one PLAN.dxf may be given"},
        {bridge, {"plan.dxf", "--out"}, "--out needs a value"},
        {bridge, {"--out=", "plan.dxf"}, "--out needs a value"},
        {bridge, {"--force=1", "plan.dxf"}, "--force takes no value"},
        {bridge, {"--wall-height", "0", "plan.dxf"}, "--wall-height: 0 is not a height in metres above 0"},
        {bridge, {"--wall-height=-2.4", "plan.dxf"}, "--wall-height: -2.4 is not a height in metres above 0"},
        {bridge, {"--layers", ",", "plan.dxf"}, "--layers: , is not a list of layer names"},
        {bridge, {"--unit", "km", "plan.dxf"}, "--unit: km is not mm, cm, m, in or auto"},
        {bridge, {"--open", "--output", "p.png", "plan.dxf"}, "--open and --output cannot be used together"},
    };
    for (const auto& c : cases)
    {
        const std::string name = QFileInfo(c.Program).fileName().toStdString();
        SCOPED_TRACE(name + " " + c.Arguments.join(' ').toStdString());
        TToolRun run = RunProgram(c.Program, folder.Path(), c.Arguments);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), name + ": " + c.Message);
        EXPECT_NE(run.Err.find("\n\nUsage: " + name + " [options] "), std::string::npos) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_FALSE(QFileInfo::exists(folder.File("plan.kestrelview")));
    EXPECT_FALSE(QFileInfo::exists(folder.File("p.png")));

    // The help and the version, in whatever place they are asked for.
    for (const QString& program : {render, bridge})
    {
        const std::string name = QFileInfo(program).fileName().toStdString();
        for (const QStringList& arguments :
             {QStringList{"--help"}, {"-h"}, {"-?"}, {"plan.dxf", "-help", "--colour"}})
        {
            SCOPED_TRACE(name + " " + arguments.join(' ').toStdString());
            TToolRun help = RunProgram(program, folder.Path(), arguments);
            EXPECT_EQ(help.Status, 0);
            EXPECT_EQ(help.Out.rfind("Usage: " + name + " [options] ", 0), 0u) << help.Out;
            EXPECT_NE(help.Out.find("  -v, --version "), std::string::npos) << help.Out;
            EXPECT_EQ(help.Err, "");
        }
        for (const QStringList& arguments : {QStringList{"--version"}, {"-v", "."}, {"-version"}})
        {
            TToolRun version = RunProgram(program, folder.Path(), arguments);
            EXPECT_EQ(version.Status, 0);
            EXPECT_EQ(version.Out, name + " " KV_VERSION "\n");
        }
    }
}

// File endings in any case, and an argument that begins with "-" after "--".
TEST(Companions, EndingsInAnyCaseAndArgumentsAfterDoubleDash)
{
    QTemporaryDir start;
    QDir(start.path()).mkdir("-dir");
    WriteBytes(start.filePath("-dir/material.txt"), TinyMaterials);
    WriteBytes(start.filePath("-dir/temp.txt"), OneWall);
    TToolRun run = RunTool(start.path(), {"--plan=p.SVG", "--output", "p.PNG", "--export", "m.GLB",
                                          "--export", "m.Obj", "--", "-dir"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(ReadBytes(start.filePath("p.SVG")).find("<svg"), std::string::npos);
    EXPECT_EQ(ReadBytes(start.filePath("p.PNG")).substr(0, 4), "\x89PNG");
    EXPECT_EQ(ReadBytes(start.filePath("m.GLB")).substr(0, 4), "glTF");
    EXPECT_NE(ReadBytes(start.filePath("m.Obj")).find("mtllib m.mtl"), std::string::npos);
    EXPECT_TRUE(QFileInfo::exists(start.filePath("m.mtl")));

    WriteBytes(start.filePath("-PLAN.DXF"), OneLineDxf);
    run = RunProgram(KV_DXF_TOOL, start.path(), {"--wall-height=2.4", "--", "-PLAN.DXF"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(QFileInfo::exists(start.filePath("-PLAN.kestrelview/temp.txt")));
    run = RunProgram(KV_DXF_TOOL, start.path(), {"--out=converted", "--", "-PLAN.DXF"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_TRUE(QFileInfo::exists(start.filePath("converted/temp.txt")));
}

// The bridge's folder beside the plan: ".dxf" in any case gives way to
// ".kestrelview", anything else keeps its name.
TEST(Companions, BridgeFolderBesideThePlan)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plan.dxf", "plan.kestrelview"},     {"dir/PLAN.DXF", "dir/PLAN.kestrelview"},
        {"plan.Dxf", "plan.kestrelview"},     {"plan.dxf.txt", "plan.dxf.txt.kestrelview"},
        {"plan", "plan.kestrelview"},         {"x.dxf/plan", "x.dxf/plan.kestrelview"},
        {"dir/.dxf", "dir/.dxf.kestrelview"}, {".dxf", ".dxf.kestrelview"},
        {"a.dxf", "a.kestrelview"},
    };
    for (const auto& [plan, folder] : cases)
    {
        TBridgeOptions options;
        options.Plan = plan;
        EXPECT_EQ(OutputFolder(options), folder) << plan;
    }
    TBridgeOptions given;
    given.Plan = "plan.dxf";
    given.Folder = "elsewhere";
    EXPECT_EQ(OutputFolder(given), "elsewhere");
}

TEST(RenderTool, ReadsFromDirAndWritesRelativeToTheStartFolder)
{
    TDrawingFolder drawing;
    WriteDrawing(drawing, TinyMaterials, OneWall);
    QTemporaryDir start;
    TToolRun run = RunTool(start.path(), {"--json", "model.json", "--output", "picture.bmp", drawing.Path()});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_TRUE(QFile::exists(start.filePath("model.json")));
    EXPECT_TRUE(QFile::exists(start.filePath("picture.bmp")));
    EXPECT_FALSE(QFile::exists(drawing.File("model.json")));
    EXPECT_FALSE(QFile::exists(drawing.File("picture.bmp")));
    auto json = nlohmann::ordered_json::parse(ReadBytes(start.filePath("model.json")));
    EXPECT_TRUE(json["error"].is_null());
    EXPECT_EQ(json["faces"].size(), 1u);
}

TEST(RenderTool, SummaryWithoutJson)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    TToolRun run = RunTool(folder.Path(), {});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("faces: 1 (walls 1, slabs 0)"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.find("error"), std::string::npos) << run.Out;

    QFile::remove(folder.File("temp.txt"));
    run = RunTool(folder.Path(), {});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("faces: 0"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("error: ファイル temp.txt は開けません."), std::string::npos) << run.Out;
}

TEST(RenderTool, PlanCheckListsDrawsAndSetsTheExitStatus)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, " 0 0 1000 0\nch 0 0 250 0 \"3,0\n");
    const std::string line = "temp.txt:1: layer 0/0 at (1000, 0): warning: unmarked-end: ";
    TToolRun run = RunTool(folder.Path(), {"--check"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_NE(run.Out.find(line), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("\nunmarked-end: 1 (warning)\n"), std::string::npos) << run.Out;

    // With JSON on standard output the list goes to standard error.
    run = RunTool(folder.Path(), {"--json", "-", "--check"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_EQ(ParseJson(run)["faces"].size(), 1u);
    EXPECT_NE(run.Err.find(line), std::string::npos) << run.Err;

    run = RunTool(folder.Path(), {"--check-json", "-", "--plan", "plan.svg"});
    EXPECT_EQ(run.Status, 3);
    nlohmann::ordered_json found = ParseJson(run);
    EXPECT_EQ(found["findings"][0]["at"], nlohmann::ordered_json({1000, 0}));
    EXPECT_EQ(found["findings"][0]["lines"], nlohmann::ordered_json({1}));
    EXPECT_EQ(found["counts"]["unmarked-end"], 1);
    EXPECT_NE(ReadBytes(folder.File("plan.svg")).find("<svg"), std::string::npos);
    // The key under the plan names the numbered warning.
    EXPECT_NE(ReadBytes(folder.File("plan.svg")).find(">1  warning, unmarked-end, layer 0/0, temp.txt:1<"),
              std::string::npos);
    EXPECT_EQ(RunTool(folder.Path(), {"--plan", "plan.png"}).Status, 3);
    EXPECT_EQ(ReadBytes(folder.File("plan.png")).substr(0, 4), "\x89PNG");

    // The check and its plan leave the model's picture and JSON as they were.
    RunTool(folder.Path(), {"--output", "plain.bmp", "--json", "plain.json"});
    RunTool(folder.Path(),
            {"--output", "checked.bmp", "--json", "checked.json", "--check", "--plan", "p.svg"});
    EXPECT_EQ(ReadBytes(folder.File("checked.bmp")), ReadBytes(folder.File("plain.bmp")));
    EXPECT_EQ(ReadBytes(folder.File("checked.json")), ReadBytes(folder.File("plain.json")));

    // A drawing that cannot be read fails as before.
    QFile::remove(folder.File("temp.txt"));
    EXPECT_EQ(RunTool(folder.Path(), {"--check"}).Status, 1);
}

// Hundreds of findings: the key counts the notes by kind, lists the
// warnings it has room for in columns and counts the rest, in any size.
TEST(RenderTool, PlanKeyListsWhatFitsAndCountsTheRest)
{
    TDrawingFolder folder;
    std::string drawing = "ch 0 0 250 0 \"3,0\n";
    for (int i = 0; i < 200; ++i)
        drawing += " " + std::to_string(i * 300) + " 0 " + std::to_string(i * 300) + " 200\n";
    WriteDrawing(folder, TinyMaterials, drawing);
    nlohmann::ordered_json found = ParseJson(RunTool(folder.Path(), {"--check-json", "-"}));
    const int warnings = found["counts"]["unmarked-end"], notes = found["counts"]["open-end"];
    ASSERT_GT(warnings, 300);
    const std::pair<const char*, int> sizes[] = {{"1200x900", 30}, {"400x300", 1}, {"3000x600", 50}};
    for (const auto& [size, fewest] : sizes)
    {
        SCOPED_TRACE(size);
        ASSERT_EQ(RunTool(folder.Path(), {"--plan", "plan.svg", "--size", size}).Status, 3);
        const std::string svg = ReadBytes(folder.File("plan.svg"));
        EXPECT_NE(svg.find(">open-end: " + std::to_string(notes) + " notes<"), std::string::npos);
        int listed = 0;
        for (size_t at = svg.find("  warning, unmarked-end"); at != std::string::npos;
             at = svg.find("  warning, unmarked-end", at + 1))
            ++listed;
        const std::string rest = ">" + std::to_string(warnings - listed) + " more warnings left out";
        EXPECT_GE(listed, fewest);
        EXPECT_NE(svg.find(rest), std::string::npos) << listed;
    }
}

// A hidden layer is left out of the picture and the export as if the drawing
// had no such layer; a cut changes the picture only, and one above the model
// changes nothing, one below it leaves the background.
TEST(RenderTool, HiddenLayersAndCutHeight)
{
    const std::string ground = "lg0\nly0\nch 0 0 250 0 \"3,0\nch 1000 0 250 0 \"3,0\n 0 0 1000 0\n";
    const std::string upper =
        "lg1\nly3\nlc2\nch 0 500 250 0 \"6,3\nch 1000 500 250 0 \"6,3\n 0 500 1000 500\n";
    TDrawingFolder both, alone;
    WriteDrawing(both, TinyMaterials, ground + upper);
    WriteDrawing(alone, TinyMaterials, ground);
    auto run = [](const TDrawingFolder& folder, QStringList arguments)
    {
        arguments << "--output"
                  << "p.bmp"
                  << "--export"
                  << "m.glb";
        EXPECT_EQ(RunTool(folder.Path(), arguments).Status, 0) << arguments.join(' ').toStdString();
        return std::pair{ReadBytes(folder.File("p.bmp")), ReadBytes(folder.File("m.glb"))};
    };
    const auto [wholePicture, wholeExport] = run(both, {});
    const auto [alonePicture, aloneExport] = run(alone, {});
    // Compared as booleans: the bytes of a picture are no message.
    ASSERT_TRUE(wholePicture != alonePicture);
    EXPECT_TRUE(run(both, {"--hide-layer", "1/3"}) == std::pair(alonePicture, aloneExport));
    EXPECT_TRUE(run(both, {"--hide-layer=1/3", "--hide-layer", "1/3", "--hide-layer", "5/5"}) ==
                std::pair(alonePicture, aloneExport));
    EXPECT_TRUE(run(both, {"--cut", "6.3"}) == std::pair(wholePicture, wholeExport));
    EXPECT_TRUE(run(both, {"--cut=1e6"}) == std::pair(wholePicture, wholeExport));
    const auto [cutPicture, cutExport] = run(both, {"--cut", "4.5"});
    EXPECT_TRUE(cutPicture != wholePicture && cutPicture != alonePicture);
    EXPECT_TRUE(cutExport == wholeExport);
    const TBmp below{run(both, {"--cut=-0.1"}).first};
    for (int y = 0; y < 300; y += 7)
        for (int x = 0; x < 400; x += 7)
            ASSERT_EQ(below.Pixel(x, y), 0x0A141Eu) << x << ", " << y;
}

TEST(RenderTool, NeverWritesTheHostsResultFile)
{
    TDrawingFolder good;
    WriteDrawing(good, TinyMaterials, OneWall);
    TDrawingFolder broken;
    WriteDrawing(broken, TinyMaterials, "");
    QTemporaryDir start;
    for (const TDrawingFolder* folder : {&good, &broken})
    {
        RunTool(start.path(), {"--output", "p.bmp", "--json", "m.json", folder->Path()});
        RunTool(folder->Path(), {});
        EXPECT_FALSE(QFile::exists(folder->File("DOZ_TEMP.TXT")));
    }
    EXPECT_FALSE(QFile::exists(start.filePath("DOZ_TEMP.TXT")));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(KV_RENDER_TOOL).dir().filePath("DOZ_TEMP.TXT")));
}

TEST(RenderTool, PicturesAfterAFailedStart)
{
    // The window then shows white framed in black; a click on the flat
    // button clears to black with nothing to draw.
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, "");
    TToolRun run = RunTool(folder.Path(), {"--output", "start.bmp"});
    EXPECT_EQ(run.Status, 1);
    TBmp start = ReadBmp(folder.File("start.bmp"));
    EXPECT_EQ(start.Pixel(0, 0), Black);
    EXPECT_EQ(start.Pixel(399, 299), Black);
    EXPECT_EQ(start.Pixel(200, 0), Black);
    EXPECT_EQ(start.Pixel(1, 1), White);
    EXPECT_EQ(start.Pixel(200, 150), White);

    run = RunTool(folder.Path(), {"--output", "flat.bmp", "--flat"});
    EXPECT_EQ(run.Status, 1);
    TBmp flat = ReadBmp(folder.File("flat.bmp"));
    for (int y : {0, 1, 150, 299})
        for (int x : {0, 1, 200, 399})
            EXPECT_EQ(flat.Pixel(x, y), Black) << x << "," << y;
}

TEST(RenderTool, PictureOfADrawingIsClearedToItsBackground)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    for (const char* flat : {"", "--flat"})
    {
        SCOPED_TRACE(flat);
        QStringList arguments = {"--output", "picture.bmp"};
        if (*flat)
            arguments << flat;
        ASSERT_EQ(RunTool(folder.Path(), arguments).Status, 0);
        // Background 10, 20, 30; the wall lies far off the corner.
        EXPECT_EQ(ReadBmp(folder.File("picture.bmp")).Pixel(0, 0), 0x0A141Eu);
    }
}

TEST(RenderTool, PngBySuffix)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    ASSERT_EQ(RunTool(folder.Path(), {"--output", "picture.png"}).Status, 0);
    EXPECT_EQ(ReadBytes(folder.File("picture.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST(RenderTool, FailedWritesReportAndKeepExistingFiles)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    // An existing file the output would have to pass through as a folder.
    WriteBytes(folder.File("keep"), "keep me");
    struct Case
    {
        QString Target;
        QString Shown;
    };
    std::vector<Case> cases = {
        {"missing/picture.bmp", "missing/picture.bmp"},
        {"無い/絵.bmp", "無い/絵.bmp"},
        {"keep/picture.bmp", "keep/picture.bmp"},
        {QString(256, 'p'), QString(256, 'p')}, // too long for a file name
    };
    QDir readOnly(folder.File("locked"));
    if (geteuid() != 0) // permissions do not stop root
    {
        QDir(folder.Path()).mkdir("locked");
        WriteBytes(readOnly.filePath("picture.bmp"), "keep me");
        QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::ExeOwner);
        cases.push_back({"locked/picture.bmp", "locked/picture.bmp"});
    }
    for (const Case& c : cases)
        for (const char* option : {"--output", "--json"})
        {
            SCOPED_TRACE(option + (" " + c.Target.toStdString()));
            TToolRun run = RunTool(folder.Path(), {option, c.Target});
            EXPECT_EQ(run.Status, 1);
            EXPECT_EQ(run.Err, "ファイル " + c.Shown.toStdString() + " を作成できません.\n");
        }
    // An OBJ's material library is written first, beside it.
    for (const auto& [target, shown] :
         {std::pair{"missing/model.glb", "missing/model.glb"}, std::pair{"keep/model.obj", "keep/model.mtl"},
          std::pair{"missing/model.HTML", "missing/model.HTML"}})
    {
        TToolRun run = RunTool(folder.Path(), {"--export", target});
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, "ファイル " + std::string(shown) + " を作成できません.\n");
    }
    EXPECT_EQ(ReadBytes(folder.File("keep")), "keep me");
    if (geteuid() != 0)
    {
        EXPECT_EQ(ReadBytes(readOnly.filePath("picture.bmp")), "keep me");
        QFile::setPermissions(readOnly.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

// Output names are the bytes given, whatever their character set, and an
// existing device is written to, never replaced by a regular file.
TEST(RenderTool, OutputsGoWhereTheirBytesSay)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    const std::string dir = folder.Path().toStdString();
    const std::string shiftJis = dir + "/\x82\xa0.bmp";
    EXPECT_EQ(RunToolWithBytes(dir, {"--output", shiftJis, "--json", shiftJis + ".json", dir}), 0);
    struct stat info;
    EXPECT_EQ(stat(shiftJis.c_str(), &info), 0);
    EXPECT_EQ(stat((shiftJis + ".json").c_str(), &info), 0);

    const std::string device = dir + "/null";
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "no device can be made here (not root)";
    for (const char* option : {"--output", "--json"})
    {
        EXPECT_EQ(RunToolWithBytes(dir, {option, device, dir}), 0) << option;
        ASSERT_EQ(stat(device.c_str(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << option;
    }
    const std::string page = dir + "/null.html";
    ASSERT_EQ(mknod(page.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    EXPECT_EQ(RunToolWithBytes(dir, {"--export", page, dir}), 0);
    ASSERT_EQ(stat(page.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(RenderTool, ExampleHouse)
{
    QTemporaryDir start;
    QString example = QString(std::getenv("KV_SOURCE_DIR")) + "/examples/house";
    TToolRun smooth = RunTool(start.path(), {"--output", "smooth.bmp", example});
    ASSERT_EQ(smooth.Status, 0) << smooth.Err;
    EXPECT_NE(smooth.Out.find("faces: 75 (walls 43, slabs 32)"), std::string::npos) << smooth.Out;
    ASSERT_EQ(RunTool(start.path(), {"--output", "flat.bmp", "--flat", example}).Status, 0);

    // Sky in the corner, the house in the middle, and the two shadings differ.
    TBmp picture = ReadBmp(start.filePath("smooth.bmp"));
    EXPECT_EQ(picture.Pixel(0, 0), 0xC8E1FFu);
    EXPECT_NE(picture.Pixel(200, 150), 0xC8E1FFu);
    EXPECT_NE(picture.Bytes, ReadBmp(start.filePath("flat.bmp")).Bytes);
    EXPECT_FALSE(QFile::exists(example + "/DOZ_TEMP.TXT"));
}

TEST(RenderTool, AFullStandardOutputIsAFailure)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    for (const QStringList& arguments : {QStringList{"--json", "-"}, QStringList{}})
    {
        TToolRun run = RunTool(folder.Path(), arguments, "/dev/full");
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, "kestrelview-render: cannot write to standard output\n");
    }
}

// Each picture option, good and bad: a good one changes what the JSON dump
// shows; a bad one is a usage error that names it.
TEST(RenderTool, PictureOptions)
{
    TDrawingFolder folder;
    WriteDrawing(folder, TinyMaterials, OneWall);
    using Json = nlohmann::ordered_json;
    const struct
    {
        QStringList Arguments;
        const char* Pointer; // where the dump shows the option; for a bad one, the option
        Json Expected;
    } cases[] = {
        {{"--eye", "1000,2000,1.5"}, "/view/eye", {1000, 1500, -2000}},
        {{"--target", "-5,6,0.25"}, "/view/target", {-5, 250, -6}},
        {{"--eye", "-12000,-14000,4"}, "/view/eye", {-12000, 4000, 14000}},
        {{"--eye=-12000,-14000,4"}, "/view/eye", {-12000, 4000, 14000}},
        {{"-target", "-5,6,0.25"}, "/view/target", {-5, 250, -6}},
        {{"--fov", "200"}, "/camera/viewAngle", 160},
        {{"--eye", "1000,0,0", "--target", "0,0,0", "--turn", "90"}, "/view/eye", {0, 0, -1000}},
        {{"--turn", "-270", "--eye", "1000,0,0", "--target", "0,0,0"}, "/view/eye", {0, 0, -1000}},
        {{"--ortho"}, "/camera/orthographic", true},
        {{"--size", "64x32"},
         "/picture",
         {{"width", 64}, {"height", 32}, {"aspectRatio", 2}, {"samples", 1}}},
        {{"--samples", "4"}, "/picture/samples", 4},
        {{"--size", "15x16"}, "--size", nullptr},
        {{"--size", "64x8193"}, "--size", nullptr},
        {{"--size", "64"}, "--size", nullptr},
        {{"--size", "+64x32"}, "--size", nullptr},
        {{"--samples", "2"}, "--samples", nullptr},
        {{"--eye", "1,2"}, "--eye", nullptr},
        {{"--eye", "1,2,3,4"}, "--eye", nullptr},
        {{"--eye", "1,2,1e36"}, "--eye", nullptr},
        {{"--target", "x,2,3"}, "--target", nullptr},
        {{"--fov", "nan"}, "--fov", nullptr},
        {{"--turn", "1e400"}, "--turn", nullptr},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.Arguments.join(' ').toStdString());
        const TToolRun run = RunTool(folder.Path(), QStringList{"--json", "-"} + c.Arguments);
        if (c.Expected.is_null())
        {
            EXPECT_EQ(run.Status, 2);
            EXPECT_EQ(run.Err.rfind(std::string("kestrelview-render: ") + c.Pointer + ":", 0), 0u) << run.Err;
            continue;
        }
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(ParseJson(run).at(Json::json_pointer(c.Pointer)), c.Expected);
    }
    // The window's picture, samples 1 included, adds nothing to the dump.
    EXPECT_FALSE(ParseJson(RunTool(folder.Path(), {"--json", "-", "--samples", "1"})).contains("picture"));
}

// A square room seen head-on from above: square in a picture of its own
// proportions, 4/3 as wide as tall in the window's.
TEST(RenderTool, SquareSeenHeadOnComesOutSquare)
{
    TDrawingFolder folder;
    std::string drawing;
    const int corners[][2] = {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}};
    for (int k = 0; k < 4; ++k)
    {
        const int* a = corners[k];
        const int* b = corners[(k + 1) % 4];
        drawing += "ch " + std::to_string(a[0]) + " " + std::to_string(a[1]) + " 250 0 \"1,0\r\n";
        drawing += " " + std::to_string(a[0]) + " " + std::to_string(a[1]) + " " + std::to_string(b[0]) +
                   " " + std::to_string(b[1]) + "\r\n";
    }
    WriteDrawing(folder, TinyMaterials, drawing);
    const QStringList view = {"--eye", "1000,1000,8", "--target", "1000,1000,0",
                              "--fov", "40",          "--output", "p.png"};
    for (const auto& [size, ratio] : {std::pair{"320x200", 1.0}, {"", 4.0 / 3.0}})
    {
        SCOPED_TRACE(size);
        ASSERT_EQ(RunTool(folder.Path(), *size ? view + QStringList{"--size", size} : view).Status, 0);
        const QImage picture(folder.File("p.png"));
        int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if ((picture.pixel(x, y) & 0xFFFFFF) != 0x0A141Eu)
                    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                    bottom = std::max(bottom, y);
        ASSERT_GT(right, left);
        EXPECT_NEAR(double(right - left + 1) / (bottom - top + 1), ratio, 0.03);
    }
}
