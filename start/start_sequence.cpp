#include "start/start_sequence.h"

#include "input/input_tables.h"
#include "input/material_files.h"
#include "input/scene_loader.h"
#include "input/scene_tables.h"
#include "model/model_tables.h"
#include "model/polygon.h"
#include "start/error_text.h"

#include <utility>

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

void RebuildDrawList(TStartState& state, const TBuildRecord* record)
{
    if (record)
        BuildDrawList(PolygonList, record->FaceOrigins, state.HiddenLayers, state.Render.DrawList);
    else
        BuildDrawList(PolygonList, state.Render.DrawList);
}

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
        RebuildDrawList(state, record);
    DeriveView(ViewParameters, overrides, state.Render);
    state.View = ViewParameters;
    state.Render.BackColor = BackgroundColor;
    if (state.FirstRender)
        state.PictureDrawn = RenderView(state.Context, state.Picture, state.Render);
}

std::optional<std::string> ReloadDrawing(TStartState& state, TBuildRecord& record)
{
    TSceneTables shown; // the model on screen, while the files are read
    SwapSceneTables(shown);
    TBuildRecord fresh;
    try
    {
        LoadInputs(&fresh);
    }
    catch (const ProgramError& error)
    {
        SwapSceneTables(shown);
        return ErrorDisplayText(error);
    }
    record = std::move(fresh);
    if (state.PrepareDrawing)
        RebuildDrawList(state, &record);
    // The new drawing's own view, its field of view clamped as the start
    // clamps it.
    TCamera unused;
    DeriveCamera(ViewParameters, unused);
    state.View = ViewParameters;
    state.Render.BackColor = BackgroundColor;
    state.StartError.reset();
    return std::nullopt;
}
