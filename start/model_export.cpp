#include "start/model_export.h"

#include "export/export_file.h"
#include "export/export_options.h"
#include "input/input_tables.h"
#include "model/model_tables.h"

#include <filesystem>

TWebPage WebPageFor(const TRenderState& render, const TViewParameters& view, int64_t faces,
                    double metresPerUnit)
{
    TWebPage page;
    std::error_code error;
    page.Title = std::filesystem::current_path(error).filename().string();
    page.Faces = faces;
    const TCamera& camera = render.Camera;
    page.Eye = {camera.EyePoint[0], camera.EyePoint[1], camera.EyePoint[2]};
    page.Target = LookedAtPoint(camera, view);
    page.FieldOfView = camera.ViewAngle;
    page.Light = {SceneLight.Position[0], SceneLight.Position[1], SceneLight.Position[2]};
    page.LightAmbient = SceneLight.Ambient;
    page.LightDiffuse = SceneLight.Diffuse;
    page.LightAttenuation = SceneLight.LinearAttenuation;
    page.MetresPerUnit = metresPerUnit;
    return page;
}

TExportModel ShownExportModel(const TBuildRecord& record, const THiddenLayers& hidden, double metresPerUnit)
{
    return BuildExportModel(PolygonList, record.FaceOrigins, record.LayerNames, MaterialTable,
                            BackgroundColor, metresPerUnit, hidden);
}

void ExportShownModel(const TRenderState& render, const TViewParameters& view, const TBuildRecord& record,
                      const THiddenLayers& hidden, std::string_view unit, const std::string& name,
                      const std::string& path)
{
    const double metresPerUnit = MetresPerUnit(unit).value_or(0.001);
    WriteExportFile(ShownExportModel(record, hidden, metresPerUnit),
                    WebPageFor(render, view, ShownFaceCount(record, hidden), metresPerUnit), name, path);
}
