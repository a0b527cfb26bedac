#include "common/shift_jis.h"
#include "export/export_file.h"
#include "export/export_model.h"
#include "export/gltf_file.h"
#include "export/obj_file.h"
#include "export/web_page.h"
#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "model/model_tables.h"
#include "model/triangulation.h"
#include "tests/input/input_test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace
{

// A triangle with what it belongs to: node name, colour, kind, corners in metres.
using TTriangle = std::tuple<std::string, std::array<float, 3>, std::string, std::array<float, 9>>;

std::vector<TTriangle> TrianglesOfFaces(const TBuildRecord& record)
{
    std::vector<TTriangle> triangles;
    for (size_t f = 0; f < PolygonList.size(); ++f)
    {
        const TPGon& face = PolygonList[f];
        const TFaceOrigin& origin = record.FaceOrigins[f];
        const std::string& layer = record.LayerNames[origin.Slot];
        const std::string name =
            layer.empty() ? std::to_string(origin.Slot / 16) + "/" + std::to_string(origin.Slot % 16)
                          : ShiftJisToUtf8(layer, TBadBytes::Replace);
        std::array<float, 3> color{};
        for (int c = 0; c < 3; ++c)
            color[c] = std::clamp(face.Color[c], 0.0f, 1.0f);
        const TFaceTriangles cut = TriangulateFace(face);
        for (size_t t = 0; t < cut.Corners.size(); t += 3)
        {
            std::array<float, 9> corners{};
            for (int k = 0; k < 3; ++k)
            {
                const int32_t i = cut.Corners[t + k];
                const TPtVertex& v =
                    i < face.VertexCount ? face.Vertices[i] : cut.AddedVertices[i - face.VertexCount];
                corners[3 * k] = static_cast<float>(v.X * 0.001);
                corners[3 * k + 1] = static_cast<float>(v.Y * 0.001);
                corners[3 * k + 2] = static_cast<float>(v.Z * 0.001);
            }
            triangles.emplace_back(name, color, origin.Kind == TFaceKind::Wall ? "wall" : "slab", corners);
        }
    }
    return triangles;
}

// Reads the triangles of a .glb or .gltf back through the indices; checks
// every normal on the way.
std::vector<TTriangle> TrianglesInGltf(const std::string& bytes, bool binary)
{
    tinygltf::Model gltf;
    std::string error, warning;
    if (binary)
        EXPECT_TRUE(tinygltf::TinyGLTF().LoadBinaryFromMemory(
            &gltf, &error, &warning, reinterpret_cast<const unsigned char*>(bytes.data()),
            static_cast<unsigned int>(bytes.size())))
            << error;
    else
        EXPECT_TRUE(tinygltf::TinyGLTF().LoadASCIIFromString(&gltf, &error, &warning, bytes.data(),
                                                             static_cast<unsigned int>(bytes.size()), ""))
            << error;
    auto read = [&](int accessorIndex, size_t i, auto value)
    {
        const tinygltf::Accessor& accessor = gltf.accessors[accessorIndex];
        const tinygltf::BufferView& view = gltf.bufferViews[accessor.bufferView];
        const size_t stride = std::max<size_t>(view.byteStride, sizeof(value));
        std::memcpy(&value, &gltf.buffers[0].data[view.byteOffset + accessor.byteOffset + i * stride],
                    sizeof(value));
        return value;
    };
    std::vector<TTriangle> triangles;
    for (const tinygltf::Node& node : gltf.nodes)
        for (const tinygltf::Primitive& primitive : gltf.meshes[node.mesh].primitives)
        {
            const std::vector<double>& base =
                gltf.materials[primitive.material].pbrMetallicRoughness.baseColorFactor;
            for (size_t t = 0; t < gltf.accessors[primitive.indices].count; t += 3)
            {
                std::array<float, 9> corners{};
                for (size_t k = 0; k < 3; ++k)
                {
                    const uint32_t index = read(primitive.indices, t + k, uint32_t{});
                    const auto p = read(primitive.attributes.at("POSITION"), index, std::array<float, 3>{});
                    const auto n = read(primitive.attributes.at("NORMAL"), index, std::array<float, 3>{});
                    EXPECT_NEAR(std::hypot(n[0], n[1], n[2]), 1.0, 1e-6);
                    std::copy(p.begin(), p.end(), corners.begin() + 3 * k);
                }
                const std::array<float, 3> color = {static_cast<float>(base[0]), static_cast<float>(base[1]),
                                                    static_cast<float>(base[2])};
                triangles.emplace_back(node.name, color, primitive.extras.Get("kind").Get<std::string>(),
                                       corners);
            }
        }
    return triangles;
}

// Reads the triangles of an OBJ text and its material library back: each
// object a node, its groups "-walls" and "-slabs" the kind, the material's
// diffuse colour. Every corner must take the normal of its own number, of
// length 1. An index out of range fails the test and ends the reading.
std::vector<TTriangle> TrianglesInObj(const std::string& obj, const std::string& mtl)
{
    std::map<std::string, std::array<float, 3>> colours;
    std::istringstream library(mtl);
    std::string keyword, material;
    for (std::string line; std::getline(library, line);)
    {
        std::istringstream fields(line);
        fields >> keyword;
        if (keyword == "newmtl")
            fields >> material;
        else if (keyword == "Kd")
            fields >> colours[material][0] >> colours[material][1] >> colours[material][2];
    }
    std::vector<std::array<float, 3>> positions, normals;
    std::vector<TTriangle> triangles;
    std::string node, kind;
    std::array<float, 3> colour{};
    std::istringstream text(obj);
    for (std::string line; std::getline(text, line);)
    {
        std::istringstream fields(line);
        keyword.clear();
        fields >> keyword;
        auto triple = [&]
        {
            std::array<float, 3> values{};
            std::string number;
            for (float& value : values)
            {
                fields >> number;
                value = std::strtof(number.c_str(), nullptr);
            }
            return values;
        };
        if (keyword == "o")
            fields >> node;
        else if (keyword == "g")
        {
            std::string group;
            fields >> group;
            kind = group.ends_with("-walls") ? "wall" : group.ends_with("-slabs") ? "slab" : "?";
        }
        else if (keyword == "usemtl")
        {
            fields >> material;
            colour = colours.at(material);
        }
        else if (keyword == "v")
            positions.push_back(triple());
        else if (keyword == "vn")
            normals.push_back(triple());
        else if (keyword == "f")
        {
            std::array<float, 9> corners{};
            for (int k = 0; k < 3; ++k)
            {
                size_t vertex = 0, normal = 0;
                char slash1 = 0, slash2 = 0;
                fields >> vertex >> slash1 >> slash2 >> normal;
                if (vertex < 1 || vertex > positions.size() || normal != vertex || normal > normals.size() ||
                    slash1 != '/' || slash2 != '/')
                {
                    ADD_FAILURE() << "face line " << line;
                    return triangles;
                }
                const std::array<float, 3>& n = normals[normal - 1];
                EXPECT_NEAR(std::hypot(n[0], n[1], n[2]), 1.0, 1e-6);
                std::copy(positions[vertex - 1].begin(), positions[vertex - 1].end(),
                          corners.begin() + 3 * k);
            }
            triangles.emplace_back(node, colour, kind, corners);
        }
    }
    return triangles;
}

bool Finite(const TTriangle& triangle)
{
    return std::all_of(std::get<3>(triangle).begin(), std::get<3>(triangle).end(),
                       [](float v) { return std::isfinite(v); });
}

// No area to speak of: the corners lie on one line, but for rounding.
bool WithoutArea(const std::array<float, 9>& c)
{
    const double a[3] = {c[3] - c[0], c[4] - c[1], c[5] - c[2]},
                 b[3] = {c[6] - c[0], c[7] - c[1], c[8] - c[2]};
    const double area =
        std::hypot(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
    return area <= 1e-6 * (a[0] * a[0] + a[1] * a[1] + a[2] * a[2] + b[0] * b[0] + b[1] * b[1] + b[2] * b[2]);
}

// The faces' finite triangles, sorted, that an export of the model must hold.
std::vector<TTriangle> ExpectedTriangles(const TExportModel& model, const TBuildRecord& record)
{
    std::vector<TTriangle> expected = TrianglesOfFaces(record);
    const auto finiteEnd = std::partition(expected.begin(), expected.end(), Finite);
    EXPECT_EQ(expected.end() - finiteEnd, model.NonFinite);
    expected.erase(finiteEnd, expected.end());
    std::sort(expected.begin(), expected.end());
    return expected;
}

// Empty when the triangles read back are the faces' triangles, every one
// once, but for those without area that the export left out; else what
// differs.
std::string CompareTriangles(const std::vector<TTriangle>& expected, std::vector<TTriangle> actual,
                             const TExportModel& model)
{
    std::sort(actual.begin(), actual.end());
    std::vector<TTriangle> missing, extra;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(),
                        std::back_inserter(missing));
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra));
    if (!extra.empty())
        return std::to_string(extra.size()) + " triangles that no face has, the first of " +
               std::get<0>(extra[0]);
    if (static_cast<int64_t>(actual.size()) != model.Triangles)
        return std::to_string(actual.size()) + " triangles, not " + std::to_string(model.Triangles);
    if (static_cast<int64_t>(missing.size()) != model.WithoutArea)
        return std::to_string(missing.size()) + " triangles missing, not " +
               std::to_string(model.WithoutArea);
    for (const TTriangle& triangle : missing)
        if (!WithoutArea(std::get<3>(triangle)))
            return "a triangle with area missing, of " + std::get<0>(triangle);
    return "";
}

// The drawing built with the origins kept, exported in metres.
TExportModel BuildExport(const std::string& materialFolder, const std::string& drawing, TBuildRecord& record)
{
    LoadMaterial(materialFolder + "/material.txt");
    LoadMaterial2(materialFolder + "/material2.txt");
    ReleaseFaces();
    SceneLoader(drawing, &record);
    return BuildExportModel(PolygonList, record.FaceOrigins, record.LayerNames, MaterialTable,
                            BackgroundColor, 0.001);
}

// Exports the drawing as .glb, .gltf and .obj and compares what each reads
// back as with the faces' triangles. Returns the export.
TExportModel ExpectRoundTrip(const std::string& materialFolder, const std::string& drawing)
{
    TBuildRecord record;
    const TExportModel model = BuildExport(materialFolder, drawing, record);
    const std::vector<TTriangle> expected = ExpectedTriangles(model, record);
    EXPECT_EQ(CompareTriangles(expected, TrianglesInGltf(GltfBytes(model, true), true), model), "")
        << drawing << " .glb";
    EXPECT_EQ(CompareTriangles(expected, TrianglesInGltf(GltfBytes(model, false), false), model), "")
        << drawing << " .gltf";
    EXPECT_EQ(CompareTriangles(expected, TrianglesInObj(ObjText(model, "m.mtl"), MtlText(model)), model), "")
        << drawing << " .obj";
    return model;
}

TEST(GltfExport, ReadsBackAsTheFacesTriangles)
{
    const std::string house = std::string(getenv("KV_SOURCE_DIR")) + "/examples/house";
    // The L-shaped room on a layer named キッチン and a stray byte; on an
    // unnamed layer a wall, a segment of no length and one to infinity.
    TempFolder folder;
    const TExportModel model = ExpectRoundTrip(
        house, folder.Write("temp.txt", "ly2\nlyn\x83L\x83\x62\x83`\x83\x93\xff\nlc3\n"
                                        " 8000 3000 3000 3000\n 3000 3000 3000 7000\n 3000 7000 0 7000\n"
                                        " 0 7000 0 0\n 0 0 8000 0\n 8000 0 8000 3000\n"
                                        "ch 8000 3000 \"2.4,0\nch 3000 3000 \"2.4,0\nch 3000 7000 \"2.4,0\n"
                                        "ch 0 7000 \"2.4,0\nch 0 0 \"2.4,0\nch 8000 0 \"2.4,0\n"
                                        "lg1\nly4\n 500 500 500 500\n 0 0 1e39 0\n 0 0 1000 0\n"
                                        "ch 500 500 \"3,0\nch 0 0 \"3,0\nch 1000 0 \"3,0\n"));
    ASSERT_EQ(model.Nodes.size(), 2u);
    EXPECT_EQ(model.Nodes[0].Name, "キッチン\uFFFD");
    EXPECT_EQ(model.Nodes[1].Name, "1/4");
    EXPECT_EQ(model.Materials[0].Name, "線種1-色3");
    EXPECT_EQ(model.Triangles, 6 * 2 + 2 * 4 + 2); // walls, the two L slabs in four triangles each, the wall
    EXPECT_EQ(model.WithoutArea, 2);
    EXPECT_EQ(model.NonFinite, 1); // a triangle: the far end has no mark

    ExpectRoundTrip(house, house + "/temp.txt");
}

// The comparison catches a face line that points at other vertices than
// its triangle's.
TEST(GltfExport, ObjFaceLinePointingElsewhereIsCaught)
{
    const std::string house = std::string(getenv("KV_SOURCE_DIR")) + "/examples/house";
    TBuildRecord record;
    const TExportModel model = BuildExport(house, house + "/temp.txt", record);
    const std::vector<TTriangle> expected = ExpectedTriangles(model, record);
    const std::string obj = ObjText(model, "m.mtl");
    ASSERT_EQ(CompareTriangles(expected, TrianglesInObj(obj, MtlText(model)), model), "");

    // The last face line's last corner moved to an earlier vertex that lies
    // elsewhere.
    std::vector<std::string> vertices; // the "v" lines' coordinates
    std::istringstream lines(obj);
    for (std::string line; std::getline(lines, line);)
        if (line.starts_with("v "))
            vertices.push_back(line.substr(2));
    const size_t face = obj.rfind("\nf ") + 1;
    const size_t end = obj.find('\n', face);
    const size_t corner = obj.rfind(' ', end) + 1;
    const size_t own = std::stoul(obj.substr(corner));
    size_t other = 1;
    while (other < own && vertices[other - 1] == vertices[own - 1])
        ++other;
    ASSERT_LT(other, own);
    std::string moved = obj;
    moved.replace(corner, end - corner, std::to_string(other) + "//" + std::to_string(other));
    EXPECT_NE(CompareTriangles(expected, TrianglesInObj(moved, MtlText(model)), model), "");
}

} // namespace

// A file that cannot be written is named as it was given, not by the path it
// resolved to; an OBJ's material library is written first and named when it
// fails.
TEST(ExportFile, FailedWritesNameTheFileAsGiven)
{
    TempFolder folder;
    const TExportModel model;
    const struct
    {
        std::string Name;
        std::string Named;
    } cases[] = {
        {"missing/m.glb", "missing/m.glb"},
        {"missing/m.GLTF", "missing/m.GLTF"},
        {"missing/m.obj", "missing/m.mtl"},
        {"missing/m.Html", "missing/m.Html"},
    };
    for (const auto& c : cases)
    {
        const std::string path = folder.PathOf(c.Name);
        try
        {
            WriteExportFile(model, {}, c.Name, path);
            ADD_FAILURE() << c.Name;
        }
        catch (const ProgramError& error)
        {
            EXPECT_EQ(error.Kind, ErrorKind::FileCreate) << c.Name;
            EXPECT_EQ(error.Argument, c.Named);
        }
    }
    WriteExportFile(model, {}, "m.obj", folder.PathOf("m.obj"));
    EXPECT_TRUE(std::filesystem::exists(folder.PathOf("m.mtl")));
}

TEST(WebPage, Base64)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"foobar", "Zm9vYmFy"},
        {std::string("\xff\x00\xfe\x80", 4), "/wD+gA=="},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(Base64(bytes), text) << text;
}

namespace
{

// The text between the opening tag that ends with open and the next </script>.
std::string ScriptText(const std::string& page, const std::string& open)
{
    const size_t start = page.find(open);
    if (start == std::string::npos)
        return "";
    const size_t end = page.find("</script>", start);
    return page.substr(start + open.size(), end - start - open.size());
}

} // namespace

// The page carries the .glb as the export writes it, and every name only as
// JSON data that no < can end: names that are markup or script stay names.
TEST(WebPage, CarriesTheModelAndNamesAsData)
{
    const std::string house = std::string(getenv("KV_SOURCE_DIR")) + "/examples/house";
    LoadMaterial(house + "/material.txt");
    LoadMaterial2(house + "/material2.txt");
    ReleaseFaces();
    TempFolder folder;
    TBuildRecord record;
    SceneLoader(folder.Write("temp.txt", "ly1\nlyn</script><script>alert(1)</script>\n 0 0 4000 0\n"
                                         "ch 0 0 \"2.4,0\nch 4000 0 \"2.4,0\n"
                                         "ly2\nlyn<img src=x onerror=alert(2)>\n 0 0 0 3000\n"
                                         "ch 0 0 \"2.4,0\nch 0 3000 \"2.4,0\n"),
                &record);
    const TExportModel model = BuildExportModel(PolygonList, record.FaceOrigins, record.LayerNames,
                                                MaterialTable, BackgroundColor, 0.01);
    TWebPage facts;
    facts.Title = "<b>\xff</b>";
    facts.Faces = 2;
    facts.Eye = {100, 200, 300};
    facts.Target = {0, 100, -50};
    facts.FieldOfView = 48;
    facts.Light = {79000, 6000, 21000};
    facts.LightAttenuation = 0.000005;
    facts.MetresPerUnit = 0.01;
    const std::string page = WebPageBytes(model, facts);
    EXPECT_EQ(page, WebPageBytes(model, facts)); // nothing changes from one run to the next

    const std::string glb = Base64(GltfBytes(model, true));
    EXPECT_EQ(ScriptText(page, "id=\"model\">"), glb);
    EXPECT_LE(page.size() - glb.size(), 800u * 1024);
    // three.js comes with its licence.
    std::ifstream licence(std::string(getenv("KV_SOURCE_DIR")) + "/third_party/three/LICENSE");
    const std::string licenceText{std::istreambuf_iterator<char>(licence), std::istreambuf_iterator<char>()};
    EXPECT_FALSE(licenceText.empty());
    EXPECT_NE(page.find(licenceText), std::string::npos);

    const std::string text = ScriptText(page, "id=\"page-data\">");
    EXPECT_EQ(text.find('<'), std::string::npos) << text;
    const nlohmann::json data = nlohmann::json::parse(text);
    EXPECT_EQ(data["layers"],
              nlohmann::json({"</script><script>alert(1)</script>", "<img src=x onerror=alert(2)>"}));
    EXPECT_EQ(data["title"], "<b>\uFFFD</b>");
    EXPECT_EQ(data["faces"], 2);
    EXPECT_EQ(data["triangles"], 4);
    EXPECT_EQ(data["large"], false);
    // In the model's metres.
    EXPECT_EQ(data["eye"], nlohmann::json({1.0, 2.0, 3.0}));
    EXPECT_EQ(data["target"], nlohmann::json({0.0, 1.0, -0.5}));
    EXPECT_EQ(data["light"]["position"], nlohmann::json({790.0, 60.0, 210.0}));
    EXPECT_NEAR(data["light"]["attenuation"].get<double>(), 0.0005, 1e-12);
    // Only the page's own four script elements: no name opened or closed one.
    size_t scripts = 0;
    for (size_t at = page.find("</script"); at != std::string::npos; at = page.find("</script", at + 1))
        ++scripts;
    EXPECT_EQ(scripts, 4u);
}

TEST(WebPage, WarnsFromALargeModelOn)
{
    for (const int64_t triangles : {LargePageTriangles - 1, LargePageTriangles})
    {
        TExportModel model;
        model.Triangles = triangles;
        const nlohmann::json data =
            nlohmann::json::parse(ScriptText(WebPageBytes(model, TWebPage{}), "id=\"page-data\">"));
        EXPECT_EQ(data["large"], triangles >= LargePageTriangles) << triangles;
    }
}
