#include "export/gltf_file.h"

#include "common/float_text.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <sstream>
#include <stdexcept>

// The buffer is filled with the machine's own floats and integers.
static_assert(std::endian::native == std::endian::little, "glTF buffers are little-endian");

namespace
{

// Positions, normals and indices each fill one buffer view; every primitive
// takes its stretch of each.
enum TViewKind
{
    PositionView,
    NormalView,
    IndexView,
    ViewCount,
};

tinygltf::Value Numbers(const std::array<float, 3>& values)
{
    return tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(ShortestDouble(values[0])),
                                                  tinygltf::Value(ShortestDouble(values[1])),
                                                  tinygltf::Value(ShortestDouble(values[2]))});
}

int AddAccessor(tinygltf::Model& gltf, int view, size_t byteOffset, size_t count, int componentType, int type)
{
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.byteOffset = byteOffset;
    accessor.count = count;
    accessor.componentType = componentType;
    accessor.type = type;
    gltf.accessors.push_back(std::move(accessor));
    return static_cast<int>(gltf.accessors.size()) - 1;
}

void AddMaterials(const TExportModel& model, tinygltf::Model& gltf)
{
    for (const TExportMaterial& entry : model.Materials)
    {
        tinygltf::Material material;
        material.name = entry.Name;
        material.pbrMetallicRoughness.baseColorFactor = {ShortestDouble(entry.Color[0]),
                                                         ShortestDouble(entry.Color[1]),
                                                         ShortestDouble(entry.Color[2]), 1.0};
        material.pbrMetallicRoughness.metallicFactor = 0;
        material.pbrMetallicRoughness.roughnessFactor = 1;
        // Faces carry no orientation: both sides are seen.
        material.doubleSided = true;
        gltf.materials.push_back(std::move(material));
    }
}

// Where the next primitive's stretch of each view begins, in bytes from the
// start of the buffer.
struct TViewCursor
{
    size_t Offset[ViewCount] = {};
};

void Copy(std::vector<unsigned char>& data, size_t& offset, const void* values, size_t bytes)
{
    if (bytes > 0)
        std::memcpy(&data[offset], values, bytes);
    offset += bytes;
}

// One primitive's vertices and indices, copied into its stretch of each view.
tinygltf::Primitive AddPrimitive(const TExportPrimitive& primitive, tinygltf::Model& gltf,
                                 TViewCursor& cursor)
{
    const size_t vertexCount = primitive.Positions.size() / 3;
    std::vector<unsigned char>& data = gltf.buffers[0].data;
    tinygltf::Primitive result;
    result.mode = TINYGLTF_MODE_TRIANGLES;
    result.material = primitive.Material;
    result.extras = tinygltf::Value(tinygltf::Value::Object{
        {"kind", tinygltf::Value(std::string(primitive.Kind == TFaceKind::Wall ? "wall" : "slab"))}});
    auto start = [&](int view) { return cursor.Offset[view] - gltf.bufferViews[view].byteOffset; };

    const int position = AddAccessor(gltf, PositionView, start(PositionView), vertexCount,
                                     TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3);
    std::vector<double> low(3, std::numeric_limits<double>::infinity());
    std::vector<double> high(3, -std::numeric_limits<double>::infinity());
    for (size_t i = 0; i < primitive.Positions.size(); ++i)
    {
        low[i % 3] = std::min(low[i % 3], static_cast<double>(primitive.Positions[i]));
        high[i % 3] = std::max(high[i % 3], static_cast<double>(primitive.Positions[i]));
    }
    gltf.accessors[position].minValues = low;
    gltf.accessors[position].maxValues = high;
    result.attributes["POSITION"] = position;
    result.attributes["NORMAL"] = AddAccessor(gltf, NormalView, start(NormalView), vertexCount,
                                              TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3);
    result.indices = AddAccessor(gltf, IndexView, start(IndexView), primitive.Indices.size(),
                                 TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT, TINYGLTF_TYPE_SCALAR);
    Copy(data, cursor.Offset[PositionView], primitive.Positions.data(),
         primitive.Positions.size() * sizeof(float));
    Copy(data, cursor.Offset[NormalView], primitive.Normals.data(), primitive.Normals.size() * sizeof(float));
    Copy(data, cursor.Offset[IndexView], primitive.Indices.data(),
         primitive.Indices.size() * sizeof(uint32_t));
    return result;
}

// One buffer of three views, one after the other: positions, normals and
// indices.
void AddBuffer(const TExportModel& model, tinygltf::Model& gltf)
{
    size_t vertices = 0;
    size_t indices = 0;
    for (const TExportNode& node : model.Nodes)
        for (const TExportPrimitive& primitive : node.Primitives)
        {
            vertices += primitive.Positions.size() / 3;
            indices += primitive.Indices.size();
        }
    const size_t viewBytes[ViewCount] = {vertices * 3 * sizeof(float), vertices * 3 * sizeof(float),
                                         indices * sizeof(uint32_t)};
    size_t offset = 0;
    for (int kind = 0; kind < ViewCount; ++kind)
    {
        tinygltf::BufferView view;
        view.buffer = 0;
        view.byteOffset = offset;
        view.byteLength = viewBytes[kind];
        // Several accessors share each vertex view, which then needs its stride.
        view.byteStride = kind == IndexView ? 0 : 3 * sizeof(float);
        view.target = kind == IndexView ? TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER : TINYGLTF_TARGET_ARRAY_BUFFER;
        gltf.bufferViews.push_back(view);
        offset += viewBytes[kind];
    }
    gltf.buffers.emplace_back().data.resize(offset);
}

// The bytes of the whole file, written into a string with room for them all
// so that they are not copied while it grows.
std::string Serialize(const tinygltf::Model& gltf, bool binary)
{
    const size_t dataBytes = gltf.buffers.empty() ? 0 : gltf.buffers[0].data.size();
    std::string reserved;
    // A data URI takes 4 characters for 3 bytes; the JSON around is small.
    reserved.reserve((binary ? dataBytes : dataBytes / 3 * 4) + 65536 + 1024 * gltf.accessors.size());
    std::ostringstream stream(std::move(reserved));
    tinygltf::TinyGLTF writer;
    if (!writer.WriteGltfSceneToStream(&gltf, stream, !binary, binary))
        throw std::runtime_error("the glTF writer failed");
    return std::move(stream).str();
}

} // namespace

std::string GltfBytes(const TExportModel& model, bool binary)
{
    tinygltf::Model gltf;
    gltf.asset.version = "2.0";
    gltf.asset.generator = "Kestrelview";
    gltf.asset.extras =
        tinygltf::Value(tinygltf::Value::Object{{"backgroundColor", Numbers(model.Background)}});
    AddMaterials(model, gltf);
    // A model without triangles is a file with no buffer and no scene: an
    // empty scene would not be valid.
    if (model.Nodes.empty())
        return Serialize(gltf, binary);

    AddBuffer(model, gltf);
    TViewCursor cursor;
    for (int view = 0; view < ViewCount; ++view)
        cursor.Offset[view] = gltf.bufferViews[view].byteOffset;
    tinygltf::Scene scene;
    for (const TExportNode& exportNode : model.Nodes)
    {
        tinygltf::Mesh mesh;
        mesh.name = exportNode.Name;
        for (const TExportPrimitive& primitive : exportNode.Primitives)
            mesh.primitives.push_back(AddPrimitive(primitive, gltf, cursor));
        gltf.meshes.push_back(std::move(mesh));
        tinygltf::Node node;
        node.name = exportNode.Name;
        node.mesh = static_cast<int>(gltf.meshes.size()) - 1;
        gltf.nodes.push_back(std::move(node));
        scene.nodes.push_back(static_cast<int>(gltf.nodes.size()) - 1);
    }
    gltf.scenes.push_back(std::move(scene));
    gltf.defaultScene = 0;
    return Serialize(gltf, binary);
}
