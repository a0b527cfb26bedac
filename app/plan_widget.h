#pragma once

#include "check/finding.h"
#include "model/build_record.h"
#include "start/plan_picture.h"

#include <QPointF>
#include <QWidget>

#include <functional>
#include <vector>

// The window's plan view: the plan as the companion's --plan draws it, seen
// through Look. The wheel zooms about the pointer, a drag pans, a click on a
// finding picks it, and F or Home fit the whole plan again, as they frame
// the picture; other keys go on to the window.
class TPlanWidget : public QWidget
{
public:
    explicit TPlanWidget(QWidget* parent);

    // What it shows, kept by the window: the record of the model in the
    // module tables and its findings. Null until there is a drawing.
    const TBuildRecord* Record = nullptr;
    const std::vector<TFinding>* Findings = nullptr;
    TPlanLook Look;
    // Called with the finding a click lands on.
    std::function<void(size_t finding)> FindingClicked;

    // Zooms and pans so that the whole plan fits again, Look's layers and
    // pick kept.
    void FitWhole();
    // Rings the finding and brings it into view.
    void ShowFinding(size_t finding);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF DragAt;
    bool Dragged = false;
};
