#include "tools/export_command.h"

#include "common/errors.h"
#include "export/export_file.h"
#include "export/export_options.h"
#include "start/error_text.h"

#include <filesystem>
#include <iostream>

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

bool SaveExports(const std::vector<TOutputFile>& exports, const std::vector<TPGon>& faces,
                 const TBuildRecord& record, const TMaterialTable& materials,
                 const std::array<int32_t, 3>& background, const TWebPage& page, std::ostream& report)
{
    const TExportModel model = BuildExportModel(faces, record.FaceOrigins, record.LayerNames, materials,
                                                background, page.MetresPerUnit);
    report << "exported " << model.Triangles << " triangles (left out: " << model.WithoutArea
           << " without area, " << model.NonFinite << " with a corner that is no finite point)\n";
    bool saved = true;
    for (const TOutputFile& target : exports)
        try
        {
            const size_t size = WriteExportFile(model, page, target.Name, target.Path);
            if (ExportFormatFor(target.Name) == TExportFormat::Html)
                report << "web page " << target.Name << ": " << size << " bytes"
                       << (model.Triangles >= LargePageTriangles ? " (a large model: it may be slow to open)"
                                                                 : "")
                       << "\n";
        }
        catch (const ProgramError& error)
        {
            std::cerr << ErrorDisplayText(error) << "\n";
            saved = false;
        }
    return saved;
}
