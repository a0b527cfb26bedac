#include "start/start_sequence.h"

#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "model/model_tables.h"
#include "model/polygon.h"
#include "start/error_text.h"

namespace
{

// The input files are opened by bare name, in the current directory: the
// program's folder is only known once they have been read.
void LoadInputs(TBuildRecord* record)
{
    LoadMaterial("material.txt");
    LoadMaterial2("material2.txt");
    SceneLoader("temp.txt", record);
}

} // namespace

void RunStartSequence(TStartState& state, TBuildRecord* record, const TViewOverrides& overrides)
{
    state.Render.FlatShading = false;
    state.Render.Camera = TCamera{};
    PaintFramedWhite(state.Picture);
    ReleaseFaces();
    try
    {
        LoadInputs(record);
    }
    catch (const ProgramError& error)
    {
        state.StartError = ErrorDisplayText(error);
        return;
    }
    if (state.PrepareDrawing)
        BuildDrawList(PolygonList, state.Render.DrawList);
    DeriveView(ViewParameters, overrides, state.Render);
    state.View = ViewParameters;
    state.Render.BackColor = BackgroundColor;
    if (state.FirstRender)
        state.PictureDrawn = RenderView(state.Context, state.Picture, state.Render);
}
