#include "tools/state_json.h"

#include "common/float_text.h"

#include <cmath>

using Json = nlohmann::ordered_json;

namespace
{

Json NonFinite(double value)
{
    if (std::isnan(value))
        return "NaN";
    return value > 0 ? "Infinity" : "-Infinity";
}

Json Real(double value)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    return value;
}

// A single-precision value goes through its shortest float text, so 0.1f is
// written 0.1 rather than the 0.10000000149011612 of its double widening.
Json Real(float value)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    return ShortestDouble(value);
}

template <typename T> Json Reals(std::initializer_list<T> values)
{
    Json list = Json::array();
    for (T value : values)
        list.push_back(Real(value));
    return list;
}

Json Colour(const std::array<int32_t, 3>& rgb)
{
    return Json::array({rgb[0], rgb[1], rgb[2]});
}

Json Materials(const TMaterialTable& materials)
{
    Json list = Json::array();
    for (const TMaterialEntry& entry : materials)
    {
        Json values = Json::array();
        for (float value : entry)
            values.push_back(Real(value));
        list.push_back(values);
    }
    return list;
}

Json View(const TViewParameters& view)
{
    Json json = Json::object();
    json["eye"] = Reals({view.EyeX, view.EyeHeight, view.EyeY});
    json["target"] = Reals({view.TargetX, view.TargetHeight, view.TargetY});
    json["fieldOfView"] = Real(view.FieldOfView);
    return json;
}

Json Lights(const std::vector<LightSource>& lights)
{
    Json list = Json::array();
    for (const LightSource& light : lights)
    {
        Json values = Reals({light.X, light.Height, light.Y, light.Unused, light.Red, light.Green, light.Blue,
                             light.Distance});
        values.push_back(light.Flag);
        list.push_back(values);
    }
    return list;
}

// The orthographic projection only when asked: the window's dump stays as it was.
Json Camera(const TRenderState& render)
{
    const TCamera& camera = render.Camera;
    Json json = Json::object();
    json["eyePoint"] = Reals({camera.EyePoint[0], camera.EyePoint[1], camera.EyePoint[2]});
    json["yaw"] = Real(camera.Yaw);
    json["pitch"] = Real(camera.Pitch);
    json["viewAngle"] = Real(camera.ViewAngle);
    if (render.Orthographic)
        json["orthographic"] = true;
    return json;
}

// Only a picture that is not the window's: the window's dump stays as it was.
Json Picture(const TStartState& state)
{
    Json json = Json::object();
    json["width"] = state.Picture.Width;
    json["height"] = state.Picture.Height;
    json["aspectRatio"] = Real(state.Render.AspectRatio);
    json["samples"] = state.Context.Samples;
    return json;
}

bool IsWindowPicture(const TStartState& state)
{
    return state.Picture.Width == TPicture::WindowWidth && state.Picture.Height == TPicture::WindowHeight &&
           state.Render.AspectRatio == 1.0 && state.Context.Samples == 1;
}

Json Faces(const std::vector<TPGon>& faces)
{
    Json list = Json::array();
    for (const TPGon& face : faces)
    {
        Json vertices = Json::array();
        for (const TPtVertex& vertex : face.Vertices)
            vertices.push_back(Reals({vertex.X, vertex.Y, vertex.Z}));
        Json json = Json::object();
        json["material"] = Reals({face.Color[0], face.Color[1], face.Color[2], face.Material4, face.Material5,
                                  face.Material6, face.Material7});
        json["vertices"] = vertices;
        list.push_back(json);
    }
    return list;
}

} // namespace

Json StateToJson(const TStartState& state, const TDumpedTables& tables)
{
    Json json = Json::object();
    json["error"] = state.StartError ? Json(*state.StartError) : Json(nullptr);
    json["backColor"] = Colour(state.Render.BackColor);
    json["backgroundColor"] = Colour(tables.Background);
    json["materials"] = Materials(tables.Materials);
    json["view"] = View(tables.View);
    json["ambientLight"] = Reals({tables.Ambient.Red, tables.Ambient.Green, tables.Ambient.Blue});
    json["lights"] = Lights(tables.Lights);
    json["camera"] = Camera(state.Render);
    if (!IsWindowPicture(state))
        json["picture"] = Picture(state);
    json["faces"] = Faces(tables.Faces);
    return json;
}
