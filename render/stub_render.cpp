// Placeholder implementations until the renderer lands.
#include "render/camera.h"
#include "render/draw_list.h"
#include "render/render_view.h"

void PaintFramedWhite(TPicture&) {}
void DeriveCamera(TViewParameters&, TCamera&) {}
void TakeEyePoint(const TViewParameters&, TCamera&) {}
void BuildDrawList(const std::vector<TPGon>&, std::vector<DrawPolygon>&) {}
void TGLCanvasContext::BeginDraw(TPicture*) {}
void TGLCanvasContext::CreateContext(TPicture*, unsigned) {}
void TGLCanvasContext::ReleaseCurrent() {}
void TGLCanvasContext::DestroyContext() {}
void RenderView(TGLCanvasContext&, TPicture&, const TRenderState&) {}
