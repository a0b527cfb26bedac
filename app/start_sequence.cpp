#include "app/start_sequence.h"

#include "app/error_text.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "input/scene_state.h"
#include "model/polygon.h"

#include <QString>

namespace
{

// The input files are opened by bare name, in the current directory: the
// program's folder is only known once they have been read.
void LoadInputs(const std::string& folder)
{
    LoadMaterial(folder + "material.txt");
    LoadMaterial2(folder + "material2.txt");
    SceneLoader(folder + "temp.txt");
}

} // namespace

void RunStartSequence(TWindowState& state)
{
    state.Render.FlatShading = false;
    state.Render.Camera = TCamera{};
    PaintFramedWhite(state.Picture);
    ReleaseFaces();
    try
    {
        LoadInputs(state.ProgramFolder);
    }
    catch (const ProgramError& error)
    {
        state.StartError = ErrorDisplayText(error);
        return;
    }
    DeriveCamera(ViewParameters, state.Render.Camera);
    BuildDrawList(PolygonList, state.Render.DrawList);
    TakeEyePoint(ViewParameters, state.Render.Camera);
    state.Render.BackColor = BackgroundColor;
    RenderView(state.Context, state.Picture, state.Render);
}
