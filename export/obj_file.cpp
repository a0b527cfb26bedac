#include "export/obj_file.h"

#include "common/float_text.h"

#include <charconv>

namespace
{

void AppendWhole(std::string& text, size_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    text.append(buffer, result.ptr);
}

void AppendTriple(std::string& text, const char* keyword, const float* values)
{
    text += keyword;
    for (int i = 0; i < 3; ++i)
    {
        text += ' ';
        text += ShortestFixedText(values[i]); // some readers take no exponent
    }
    text += '\n';
}

// OBJ names end at a blank: blanks and control characters become "_".
std::string ObjName(std::string_view name)
{
    std::string result(name);
    for (char& c : result)
        if (static_cast<unsigned char>(c) <= ' ')
            c = '_';
    return result;
}

} // namespace

std::string ObjText(const TExportModel& model, std::string_view materialLibrary)
{
    // About 100 bytes a triangle: its share of vertices and normals, and its face line.
    std::string text;
    text.reserve(static_cast<size_t>(model.Triangles) * 100 + 4096);
    text += "# Kestrelview: " + std::to_string(model.Triangles) + " triangles, in metres\n";
    text += "mtllib ";
    text += materialLibrary;
    text += '\n';
    size_t first = 1; // OBJ counts vertices from 1, through the whole file
    for (const TExportNode& node : model.Nodes)
    {
        const std::string name = ObjName(node.Name);
        text += "o " + name + "\n";
        const TExportPrimitive* previous = nullptr;
        for (const TExportPrimitive& primitive : node.Primitives)
        {
            if (!previous || previous->Kind != primitive.Kind)
                text += "g " + name + (primitive.Kind == TFaceKind::Wall ? "-walls\n" : "-slabs\n");
            previous = &primitive;
            text += "usemtl " + ObjName(model.Materials[primitive.Material].Name) + "\n";
            for (size_t i = 0; i < primitive.Positions.size(); i += 3)
                AppendTriple(text, "v", &primitive.Positions[i]);
            for (size_t i = 0; i < primitive.Normals.size(); i += 3)
                AppendTriple(text, "vn", &primitive.Normals[i]);
            // Each vertex has its own normal, of the same number.
            for (size_t i = 0; i < primitive.Indices.size(); ++i)
            {
                text += i % 3 == 0 ? "f " : " ";
                const size_t vertex = first + primitive.Indices[i];
                AppendWhole(text, vertex);
                text += "//";
                AppendWhole(text, vertex);
                if (i % 3 == 2)
                    text += '\n';
            }
            first += primitive.Positions.size() / 3;
        }
    }
    return text;
}

std::string MtlText(const TExportModel& model)
{
    std::string text = "# Kestrelview: one material per line type and colour\n";
    for (const TExportMaterial& material : model.Materials)
    {
        text += "\nnewmtl " + ObjName(material.Name) + "\n";
        AppendTriple(text, "Kd", material.Color.data());
        text += "Ks 0 0 0\nd 1\nillum 1\n";
    }
    return text;
}

std::string MaterialLibraryName(std::string_view objName)
{
    const size_t slash = objName.rfind('/');
    const size_t dot = objName.rfind('.');
    const size_t stem = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)
                            ? dot
                            : objName.size();
    return std::string(objName.substr(0, stem)) + ".mtl";
}
