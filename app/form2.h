#pragma once

#include "app/plan_widget.h"
#include "app/side_panel.h"
#include "check/finding.h"
#include "model/build_record.h"
#include "render/drag_list.h"
#include "render/navigation.h"
#include "start/start_sequence.h"
#include "start/viewer.h"

#include <future>

#include <string>
#include <vector>

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPointF>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

// The main window. Creating it runs the whole start once (FormCreate);
// destroying it writes the empty result file (FormDestroy). The controls are
// declared holder first, so that each is destroyed before its holder.
class TForm2 : public QWidget
{
public:
    // prepared: the context the first render takes, made on another thread
    // while the window is built.
    explicit TForm2(std::future<OSMesaContext> prepared = {});
    ~TForm2() override;

    QFrame Panel1;
    QLabel StaticText17;
    QToolButton B_flat;
    QToolButton B_grad;
    QButtonGroup ShadingGroup; // group 1: exactly one of B_flat and B_grad is down
    QPushButton Button1;
    QPushButton Button2;
    QToolButton B_walk; // walk mode on and off
    QToolButton B_help; // shows the mouse and keys
    QScrollArea ScrollBox1;
    QLabel Image1;
    QStatusBar StatusBar1;
    QLabel ModeLabel;    // on the status line's right: orbit or walk, perspective or orthographic
    QToolButton B_panel; // beside the summary in the status line: the side panel on and off
    // Right of the picture, hidden until B_panel opens it; it widens the
    // window by its own width so that the picture keeps its size.
    TSidePanel SidePanel;
    TPlanWidget PlanView; // in the picture's place while the panel's B_plan is on
    QFileDialog SaveDialog1;
    // Below the save dialog's own controls: the picture's size and smoothing.
    QWidget SaveOptions;
    QLabel SaveSizeLabel;
    QSpinBox SaveWidth;
    QLabel SaveTimes;
    QSpinBox SaveHeight;
    QCheckBox SaveSmooth;

    TStartState State;
    // What the build kept of the drawing, for the plan check.
    TBuildRecord Record;
    std::vector<TFinding> Findings; // of Record, as the check lists them
    std::string ProgramFolder;      // empty until a start has succeeded
    bool LongHintHooked = false;    // set by the last step of a successful start

    TViewer Viewer;
    TModelExtent Extent; // of the model drawn, for the zoom's limits
    // The window has left its starting size: the picture then fills it, drawn
    // at its own size with true proportions at the screen's pixel ratio.
    bool Resized = false;
    // The lighter list drawn while the view of a large model moves, made on
    // a second thread after the start; until it is there the full list is.
    std::future<TDragList> DragListMaking;
    TDragList DragList;

    void FormCreate();
    void B_flatClick();
    void B_gradClick();
    void Button1Click();
    void Button2Click();
    void B_walkClick();
    void B_helpClick();
    void ShowLongHint(const QString& hint);
    void B_panelClick();
    void B_planClick();
    // Shows where the finding is: ringed in the plan view, and marked in
    // the picture, looked at from a sensible distance. A hidden layer it
    // lies on is shown again.
    void ShowFinding(size_t finding);
    void ClearFinding();
    void LayersChanged();
    void CutChanged();
    // Reads the three files again and shows the new drawing with the view,
    // layer choice and cut height kept; a drawing that does not read leaves
    // the model on screen and says why.
    void B_reloadClick();
    void B_exportClick();
    void FormDestroy();

    // The picture shown is the full one of the current view, none to follow.
    bool ShowsFullPicture() const;

protected:
    // Receives the status tips that hovered controls send up to the window.
    bool event(QEvent* event) override;
    // The picture's mouse, wheel and keys.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // One render per pass of the event loop, of the latest view: input that
    // comes while a render runs is taken before the next one.
    QTimer RenderTimer;
    // The full picture once the view has stopped moving.
    QTimer SettleTimer;
    bool MovingPending = false; // a render while the view moves is asked for
    bool FullPending = false;   // the full picture is asked for
    bool FullShown = true;      // the picture shown is the full one of the current view

    std::vector<DrawPolygon> FacesInDragView;

    bool Dragging = false;
    bool DragPans = false;
    QPointF DragAt;

    bool CanMove() const;
    void FinishStart();
    void ShowDrawing();
    void DrawListChanged();
    void StopDragList();
    int PanelSpace() const;
    const TDrawList& ModelList();
    bool HandleKey(QKeyEvent* event);
    void ViewChanged(bool moving);
    void RequestRender(bool moving);
    void RenderNow();
    void RenderFull();
    void RenderFullIfNeeded();
    void LayOut();
    void ShowPicture();
    void ShowModeLine();
    void CopyPicture();
    void CopyView();
    void WritePictureFile(const std::string& path);
};
