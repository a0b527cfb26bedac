#include "start/plan_picture.h"

#include "model/records.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace
{

constexpr double Margin = 40;
constexpr double MarkerRadius = 10;

// Host coordinates (y up, as the drafter sees the plan) to picture pixels.
struct TPlanView
{
    double Scale = 1;
    double OffsetX = 0;
    double OffsetY = 0;
    int Height = 0;

    QPointF At(double hostX, double hostY) const
    {
        return {OffsetX + hostX * Scale, Height - (OffsetY + hostY * Scale)};
    }
};

TPlanView FitPlan(const TBuildRecord& record, const std::vector<TFinding>& findings, int width, int height)
{
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    auto take = [&](double x, double y)
    {
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    };
    for (const LayerSlot& slot : record.Slots)
        for (const SegmentRecord& s : slot.Segments)
        {
            take(s.X1, -double(s.Y1));
            take(s.X2, -double(s.Y2));
        }
    for (const TFinding& f : findings)
        take(f.X, f.Y);
    TPlanView view;
    view.Height = height;
    if (minX > maxX)
        return view;
    double w = maxX - minX, h = maxY - minY;
    double roomX = std::max(width - 2 * Margin, 1.0), roomY = std::max(height - 2 * Margin, 1.0);
    view.Scale = w > 0 || h > 0 ? std::min(w > 0 ? roomX / w : INFINITY, h > 0 ? roomY / h : INFINITY) : 1;
    view.OffsetX = width / 2.0 - (minX + w / 2) * view.Scale;
    view.OffsetY = height / 2.0 - (minY + h / 2) * view.Scale;
    return view;
}

QColor FaceColor(const float (&color)[3], int alpha)
{
    auto channel = [](float c) { return int(std::lround(std::clamp(double(c), 0.0, 1.0) * 255)); };
    return QColor(channel(color[0]), channel(color[1]), channel(color[2]), alpha);
}

void DrawSlabs(QPainter& painter, const TPlanView& view, const std::vector<TPGon>& faces,
               const std::vector<TFaceOrigin>& origins)
{
    painter.setPen(Qt::NoPen);
    for (size_t i = 0; i < faces.size() && i < origins.size(); ++i)
    {
        if (origins[i].Kind != TFaceKind::Slab)
            continue;
        const TPGon& face = faces[i];
        QPolygonF outline;
        bool finite = true;
        for (const TPtVertex& v : face.Vertices)
        {
            finite = finite && std::isfinite(v.X) && std::isfinite(v.Z);
            outline << view.At(v.X, -double(v.Z));
        }
        if (!finite)
            continue;
        painter.setBrush(FaceColor(face.Color, 40));
        painter.drawPolygon(outline);
    }
}

void DrawSegments(QPainter& painter, const TPlanView& view, const TBuildRecord& record,
                  const TMaterialTable& materials)
{
    QPen unbuilt(QColor(150, 150, 150), 1, Qt::DashLine);
    for (const LayerSlot& slot : record.Slots)
        for (const SegmentRecord& s : slot.Segments)
        {
            if (!std::isfinite(s.X1) || !std::isfinite(s.Y1) || !std::isfinite(s.X2) || !std::isfinite(s.Y2))
                continue;
            if (GivesWall(s))
            {
                const TMaterialEntry& entry = MaterialEntryFor(materials, s.Material);
                const float color[3] = {entry[0], entry[1], entry[2]};
                painter.setPen(QPen(FaceColor(color, 255), 2.5));
            }
            else
                painter.setPen(unbuilt);
            painter.drawLine(view.At(s.X1, -double(s.Y1)), view.At(s.X2, -double(s.Y2)));
        }
}

void DrawMarkers(QPainter& painter, const TPlanView& view, const std::vector<TFinding>& findings)
{
    QFont font("IPAGothic");
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    // Markers of findings at one place are set side by side.
    std::map<std::pair<float, float>, int> placed;
    for (size_t i = 0; i < findings.size(); ++i)
    {
        if (!std::isfinite(findings[i].X) || !std::isfinite(findings[i].Y))
            continue;
        int before = placed[{findings[i].X, findings[i].Y}]++;
        QPointF at = view.At(findings[i].X, findings[i].Y) + QPointF(2.2 * MarkerRadius * before, 0);
        painter.setPen(QPen(QColor(200, 0, 0), 1.5));
        painter.setBrush(QColor(255, 255, 255, 220));
        painter.drawEllipse(at, MarkerRadius, MarkerRadius);
        QRectF box(at.x() - 2 * MarkerRadius, at.y() - MarkerRadius, 4 * MarkerRadius, 2 * MarkerRadius);
        painter.drawText(box, Qt::AlignCenter, QString::number(i + 1));
    }
}

void Paint(QPainter& painter, const std::vector<TPGon>& faces, const TBuildRecord& record,
           const TMaterialTable& materials, const std::vector<TFinding>& findings, int width, int height)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    TPlanView view = FitPlan(record, findings, width, height);
    DrawSlabs(painter, view, faces, record.FaceOrigins);
    DrawSegments(painter, view, record, materials);
    DrawMarkers(painter, view, findings);
}

} // namespace

std::string DrawPlan(const std::vector<TPGon>& faces, const TBuildRecord& record,
                     const TMaterialTable& materials, const std::vector<TFinding>& findings, int width,
                     int height, bool svg)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (svg)
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(width, height));
        generator.setViewBox(QRect(0, 0, width, height));
        generator.setTitle("Kestrelview plan");
        QPainter painter(&generator);
        Paint(painter, faces, record, materials, findings, width, height);
    }
    else
    {
        QImage image(width, height, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            Paint(painter, faces, record, materials, findings, width, height);
        }
        image.save(&buffer, "PNG");
    }
    return buffer.data().toStdString();
}
