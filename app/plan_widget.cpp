#include "app/plan_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <optional>

namespace
{

constexpr double WheelZoomStep = 1.25; // per notch
constexpr double ClickReach = 12;      // pixels from a finding's place

} // namespace

TPlanWidget::TPlanWidget(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(false);
    setCursor(Qt::OpenHandCursor);
}

void TPlanWidget::FitWhole()
{
    Look.Zoom = 1;
    Look.PanX = 0;
    Look.PanY = 0;
    update();
}

void TPlanWidget::ShowFinding(size_t finding)
{
    Look.Picked = finding;
    if (Record && Findings)
        BringIntoView(Look, *Record, *Findings, finding, width(), height());
    update();
}

void TPlanWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!Record || !Findings)
    {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    PaintModelPlan(painter, *Record, *Findings, width(), height(), Look);
}

void TPlanWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier ||
        (event->key() != Qt::Key_F && event->key() != Qt::Key_Home))
    {
        QWidget::keyPressEvent(event);
        return;
    }
    FitWhole();
}

void TPlanWidget::wheelEvent(QWheelEvent* event)
{
    ZoomPlanAt(Look, std::pow(WheelZoomStep, event->angleDelta().y() / 120.0), event->position());
    update();
}

void TPlanWidget::mousePressEvent(QMouseEvent* event)
{
    DragAt = event->position();
    Dragged = false;
    setCursor(Qt::ClosedHandCursor);
}

void TPlanWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF moved = event->position() - DragAt;
    if (!Dragged && moved.manhattanLength() < 3)
        return;
    Dragged = true;
    Look.PanX += moved.x();
    Look.PanY += moved.y();
    DragAt = event->position();
    update();
}

// A click that did not drag picks the nearest finding within reach.
void TPlanWidget::mouseReleaseEvent(QMouseEvent* event)
{
    setCursor(Qt::OpenHandCursor);
    if (Dragged || !Record || !Findings || !FindingClicked)
        return;
    const std::vector<QPointF> places = FindingPlaces(*Record, *Findings, width(), height(), Look);
    double nearest = ClickReach;
    std::optional<size_t> picked;
    for (size_t i = 0; i < places.size(); ++i)
    {
        const QPointF apart = places[i] - event->position();
        const double distance = std::hypot(apart.x(), apart.y());
        if (distance < nearest)
        {
            nearest = distance;
            picked = i;
        }
    }
    if (picked)
        FindingClicked(*picked);
}
