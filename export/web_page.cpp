#include "export/web_page.h"

#include "export/gltf_file.h"
#include "export/web_page_template.h"

#include <nlohmann/json.hpp>

#include <stdexcept>

namespace
{

nlohmann::json Scaled(const std::array<double, 3>& point, double factor)
{
    return nlohmann::json::array({point[0] * factor, point[1] * factor, point[2] * factor});
}

// The page's data as JSON that cannot end the script element it stands in:
// every < is written \u003c, which only strings can hold. Bytes that are no
// UTF-8 (a folder name in another encoding) become U+FFFD.
std::string PageData(const TExportModel& model, const TWebPage& page)
{
    nlohmann::json layers = nlohmann::json::array();
    for (const TExportNode& node : model.Nodes)
        layers.push_back(node.Name);
    const double scale = page.MetresPerUnit;
    const nlohmann::json data = {
        {"title", page.Title},
        {"faces", page.Faces},
        {"triangles", model.Triangles},
        {"large", model.Triangles >= LargePageTriangles},
        {"background", {model.Background[0], model.Background[1], model.Background[2]}},
        {"eye", Scaled(page.Eye, scale)},
        {"target", Scaled(page.Target, scale)},
        {"fov", page.FieldOfView},
        {"light",
         {{"position", Scaled(page.Light, scale)},
          {"ambient", page.LightAmbient},
          {"diffuse", page.LightDiffuse},
          {"attenuation", page.LightAttenuation / scale}}},
        {"layers", layers},
    };
    const std::string text = data.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text)
        if (c == '<')
            escaped += "\\u003c";
        else
            escaped += c;
    return escaped;
}

// The template up to the place named, which must be there.
size_t PlaceOf(std::string_view name)
{
    const size_t place = WebPageTemplate.find(name);
    if (place == std::string_view::npos)
        throw std::logic_error("web page template without " + std::string(name));
    return place;
}

} // namespace

std::string Base64(std::string_view bytes)
{
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3)
    {
        const uint32_t group =
            uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 | uint8_t(bytes[i + 2]);
        text += Digits[group >> 18];
        text += Digits[(group >> 12) & 63];
        text += Digits[(group >> 6) & 63];
        text += Digits[group & 63];
    }
    if (i < bytes.size())
    {
        const bool two = i + 1 < bytes.size();
        const uint32_t group =
            uint32_t(uint8_t(bytes[i])) << 16 | (two ? uint32_t(uint8_t(bytes[i + 1])) << 8 : 0);
        text += Digits[group >> 18];
        text += Digits[(group >> 12) & 63];
        text += two ? Digits[(group >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

std::string WebPageBytes(const TExportModel& model, const TWebPage& page)
{
    static constexpr std::string_view DataPlace = "@PAGE_DATA@", ModelPlace = "@MODEL@";
    const size_t data = PlaceOf(DataPlace), glb = PlaceOf(ModelPlace);
    const std::string encoded = Base64(GltfBytes(model, true));
    std::string bytes;
    bytes.reserve(WebPageTemplate.size() + encoded.size() + 4096);
    bytes += WebPageTemplate.substr(0, data);
    bytes += PageData(model, page);
    bytes += WebPageTemplate.substr(data + DataPlace.size(), glb - data - DataPlace.size());
    bytes += encoded;
    bytes += WebPageTemplate.substr(glb + ModelPlace.size());
    return bytes;
}
