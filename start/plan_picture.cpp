#include "start/plan_picture.h"

#include "check/finding_text.h"
#include "check/readable_color.h"
#include "input/input_tables.h"
#include "model/model_tables.h"
#include "model/records.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace
{

constexpr double Margin = 40;
constexpr double MarkerRadius = 10;
constexpr double MarkRadius = 2.5; // of a finding that gets no number

// The key under the plan: lines of this height in columns as wide as its
// widest line, taking at most this share of the picture's height.
constexpr double KeyLine = 15;
constexpr double KeyShare = 1.0 / 3;
constexpr double KeyPadding = 8;

const TRgb Ground = {1, 1, 1};
const TRgb WarningRed = {0.8, 0, 0};
const TRgb HighlightBlue = {0, 0.45, 0.95};

// How far the window's plan view zooms in and out.
constexpr double SmallestZoom = 0.05;
constexpr double LargestZoom = 1000;

// The marks of the notes, one colour per kind.
TRgb NoteColor(TFindingKind kind)
{
    switch (kind)
    {
    case TFindingKind::LoneMark:
        return {0.1, 0.4, 0.9};
    case TFindingKind::NoWall:
        return {0.6, 0.2, 0.8};
    default:
        return {0.95, 0.5, 0};
    }
}

// A colour of a line or mark, made to stand out from the plan's ground.
QColor PlanColor(const TRgb& color)
{
    TRgb readable = ReadableColor(color, Ground);
    return QColor::fromRgbF(float(readable[0]), float(readable[1]), float(readable[2]));
}

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
               const std::vector<TFaceOrigin>& origins, const THiddenLayers& hidden)
{
    painter.setPen(Qt::NoPen);
    for (size_t i = 0; i < faces.size() && i < origins.size(); ++i)
    {
        if (origins[i].Kind != TFaceKind::Slab || hidden[origins[i].Slot])
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
                  const TMaterialTable& materials, const THiddenLayers& hidden)
{
    QPen unbuilt(PlanColor({0.6, 0.6, 0.6}), 1, Qt::DashLine);
    for (size_t slot = 0; slot < record.Slots.size(); ++slot)
    {
        if (hidden[slot])
            continue;
        for (const SegmentRecord& s : record.Slots[slot].Segments)
        {
            if (!std::isfinite(s.X1) || !std::isfinite(s.Y1) || !std::isfinite(s.X2) || !std::isfinite(s.Y2))
                continue;
            if (GivesWall(s))
            {
                const TMaterialEntry& entry = MaterialEntryFor(materials, s.Material);
                painter.setPen(QPen(PlanColor({entry[0], entry[1], entry[2]}), 2.5));
            }
            else
                painter.setPen(unbuilt);
            painter.drawLine(view.At(s.X1, -double(s.Y1)), view.At(s.X2, -double(s.Y2)));
        }
    }
}

// Which warnings the key lists by number, and how its lines are laid out.
struct TKey
{
    std::vector<TFindingKind> NoteKinds; // the first lines, one per kind, counted
    std::vector<size_t> Numbered;        // the warnings listed, by their place in findings
    std::vector<QString> Lines;
    double Top = 0;
    double Column = 0;
    int Rows = 0;
};

QString NumberedLine(const std::vector<TFinding>& findings, size_t i)
{
    return QString("%1  %2").arg(i + 1).arg(QString::fromStdString(FindingKeyText(findings[i])));
}

QString LeftOutLine(size_t count)
{
    return QString("%1 more warnings left out (--check lists all)").arg(count);
}

// The key's lines fill column after column under the plan; when they do not
// all fit, the last place tells how many warnings are left out. A picture
// too low for a line gets no key. Without the key every warning is numbered.
TKey LayOutKey(const std::vector<TFinding>& findings, const QFontMetricsF& metrics, int width, int height,
               bool withKey)
{
    TKey key;
    key.Top = height;
    std::array<int, FindingKindCount> counts = CountKinds(findings);
    std::vector<size_t> warnings;
    for (size_t i = 0; i < findings.size(); ++i)
        if (IsWarning(findings[i].Kind))
            warnings.push_back(i);
    if (!withKey)
    {
        key.Numbered = std::move(warnings);
        return key;
    }
    for (int k = 0; k < FindingKindCount; ++k)
        if (counts[k] > 0 && !IsWarning(TFindingKind(k)))
            key.NoteKinds.push_back(TFindingKind(k));

    int maxRows = int((height * KeyShare - 2 * KeyPadding) / KeyLine);
    if (maxRows < 1)
        return key;
    double widest = metrics.horizontalAdvance(LeftOutLine(warnings.size()));
    for (size_t i : warnings)
        widest = std::max(widest, metrics.horizontalAdvance(NumberedLine(findings, i)));
    key.Column = std::min(widest + 3 * KeyPadding, width - 2 * KeyPadding);
    size_t columns = std::max<size_t>(1, size_t((width - 2 * KeyPadding) / key.Column));
    size_t entries = std::max<size_t>(1, key.NoteKinds.size() + warnings.size());
    key.Rows = std::min(maxRows, int((entries + columns - 1) / columns));
    size_t places = size_t(key.Rows) * columns;
    size_t listed = warnings.size();
    if (key.NoteKinds.size() + warnings.size() > places)
        listed = places > key.NoteKinds.size() ? places - key.NoteKinds.size() - 1 : 0;
    key.Numbered.assign(warnings.begin(), warnings.begin() + std::ptrdiff_t(listed));
    key.Top = height - key.Rows * KeyLine - 2 * KeyPadding;

    for (TFindingKind kind : key.NoteKinds)
        key.Lines.push_back(QString("%1: %2 %3")
                                .arg(FindingKindName(kind))
                                .arg(counts[size_t(kind)])
                                .arg(counts[size_t(kind)] == 1 ? "note" : "notes"));
    for (size_t i : key.Numbered)
        key.Lines.push_back(NumberedLine(findings, i));
    if (listed < warnings.size())
        key.Lines.push_back(LeftOutLine(warnings.size() - listed));
    if (findings.empty())
        key.Lines.push_back("no findings");
    key.Lines.resize(std::min(key.Lines.size(), places));
    return key;
}

void DrawKey(QPainter& painter, const TKey& key, int width)
{
    if (key.Rows == 0)
        return;
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.drawLine(QPointF(KeyPadding, key.Top + 0.5), QPointF(width - KeyPadding, key.Top + 0.5));
    const size_t notes = key.NoteKinds.size();
    for (size_t i = 0; i < key.Lines.size(); ++i)
    {
        const size_t column = i / size_t(key.Rows);
        double x = KeyPadding + double(column) * key.Column;
        double y = key.Top + KeyPadding + double(i % size_t(key.Rows)) * KeyLine;
        double indent = 0;
        if (i < notes)
        {
            painter.setPen(Qt::NoPen);
            painter.setBrush(PlanColor(NoteColor(key.NoteKinds[i])));
            painter.drawEllipse(QPointF(x + MarkRadius + 1, y + KeyLine / 2), MarkRadius + 1, MarkRadius + 1);
            indent = 4 * MarkRadius;
        }
        bool numbered = i >= notes && i < notes + key.Numbered.size();
        painter.setPen(numbered ? PlanColor(WarningRed) : QColor(Qt::black));
        painter.drawText(QRectF(x + indent, y, key.Column - indent, KeyLine),
                         Qt::AlignLeft | Qt::AlignVCenter, key.Lines[i]);
    }
}

bool FinitePlace(const TFinding& f)
{
    return std::isfinite(f.X) && std::isfinite(f.Y);
}

// Findings without a number as small marks under the lines: notes in their
// kind's colour, warnings the key has no room for in red.
void DrawMarks(QPainter& painter, const TPlanView& view, const std::vector<TFinding>& findings,
               const TKey& key)
{
    painter.setPen(Qt::NoPen);
    size_t next = 0; // the next numbered warning
    for (size_t i = 0; i < findings.size(); ++i)
    {
        if (next < key.Numbered.size() && key.Numbered[next] == i)
        {
            ++next;
            continue;
        }
        if (!FinitePlace(findings[i]))
            continue;
        const TFindingKind kind = findings[i].Kind;
        painter.setBrush(PlanColor(IsWarning(kind) ? WarningRed : NoteColor(kind)));
        painter.drawEllipse(view.At(findings[i].X, findings[i].Y), MarkRadius, MarkRadius);
    }
}

// Where the numbered circles of the warnings the key lists go: on their
// finding, moved to the right past the circles placed before, so that no
// two overlap.
std::vector<std::pair<size_t, QPointF>> PlaceNumbers(const TPlanView& view,
                                                     const std::vector<TFinding>& findings, const TKey& key)
{
    std::vector<std::pair<size_t, QPointF>> places;
    for (size_t i : key.Numbered)
    {
        if (!FinitePlace(findings[i]))
            continue;
        QPointF at = view.At(findings[i].X, findings[i].Y);
        auto overlaps = [&](const std::pair<size_t, QPointF>& placed)
        {
            QPointF apart = placed.second - at;
            return QPointF::dotProduct(apart, apart) < 4 * MarkerRadius * MarkerRadius;
        };
        while (std::any_of(places.begin(), places.end(), overlaps))
            at.rx() += MarkerRadius / 2;
        places.emplace_back(i, at);
    }
    return places;
}

// The circles go under the lines and their numbers over them, so that the
// lines show.
void DrawCircles(QPainter& painter, const std::vector<std::pair<size_t, QPointF>>& places)
{
    painter.setPen(QPen(PlanColor(WarningRed), 1.5));
    painter.setBrush(QColor(255, 255, 255, 220));
    for (const auto& [i, at] : places)
        painter.drawEllipse(at, MarkerRadius, MarkerRadius);
}

// The numbers go over the lines, each with a white rim so that it reads
// where a line crosses it.
void DrawNumbers(QPainter& painter, const std::vector<std::pair<size_t, QPointF>>& places)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const auto& [i, at] : places)
    {
        const QString number = QString::number(i + 1);
        QPainterPath text;
        text.addText(at.x() - metrics.horizontalAdvance(number) / 2,
                     at.y() + (metrics.ascent() - metrics.descent()) / 2, painter.font(), number);
        painter.strokePath(text, QPen(Qt::white, 2.5));
        painter.fillPath(text, PlanColor(WarningRed));
    }
}

// A ring round the picked finding, over everything but the key: round its
// numbered circle, or round its mark.
void DrawHighlight(QPainter& painter, const TPlanView& view, const std::vector<TFinding>& findings,
                   const std::vector<std::pair<size_t, QPointF>>& numbers, std::optional<size_t> picked)
{
    if (!picked || *picked >= findings.size() || !FinitePlace(findings[*picked]))
        return;
    QPointF at = view.At(findings[*picked].X, findings[*picked].Y);
    double radius = MarkRadius + 4;
    for (const auto& [i, place] : numbers)
        if (i == *picked)
            at = place, radius = MarkerRadius + 4;
    painter.setPen(QPen(PlanColor(HighlightBlue), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, radius, radius);
}

// The plan as look shows it: fitted into the picture, then zoomed by
// look.Zoom and moved by look.Pan.
TPlanView Looked(TPlanView view, const TPlanLook& look)
{
    if (look.Zoom == 1 && look.PanX == 0 && look.PanY == 0)
        return view;
    view.Scale *= look.Zoom;
    view.OffsetX = view.OffsetX * look.Zoom + look.PanX;
    view.OffsetY = view.Height - view.Height * look.Zoom + view.OffsetY * look.Zoom - look.PanY;
    return view;
}

void Paint(QPainter& painter, const std::vector<TPGon>& faces, const TBuildRecord& record,
           const TMaterialTable& materials, const std::vector<TFinding>& findings, int width, int height,
           const TPlanLook& look, bool withKey)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    QFont font("IPAGothic");
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    TKey key = LayOutKey(findings, QFontMetricsF(font, painter.device()), width, height, withKey);
    TPlanView view = Looked(FitPlan(record, findings, width, int(key.Top)), look);
    std::vector<std::pair<size_t, QPointF>> numbers = PlaceNumbers(view, findings, key);
    DrawSlabs(painter, view, faces, record.FaceOrigins, look.Hidden);
    DrawMarks(painter, view, findings, key);
    DrawCircles(painter, numbers);
    DrawSegments(painter, view, record, materials, look.Hidden);
    DrawNumbers(painter, numbers);
    DrawHighlight(painter, view, findings, numbers, look.Picked);
    DrawKey(painter, key, width);
}

} // namespace

void PaintPlan(QPainter& painter, const std::vector<TPGon>& faces, const TBuildRecord& record,
               const TMaterialTable& materials, const std::vector<TFinding>& findings, int width, int height,
               const TPlanLook& look)
{
    Paint(painter, faces, record, materials, findings, width, height, look, false);
}

void PaintModelPlan(QPainter& painter, const TBuildRecord& record, const std::vector<TFinding>& findings,
                    int width, int height, const TPlanLook& look)
{
    PaintPlan(painter, PolygonList, record, MaterialTable, findings, width, height, look);
}

std::vector<QPointF> FindingPlaces(const TBuildRecord& record, const std::vector<TFinding>& findings,
                                   int width, int height, const TPlanLook& look)
{
    const TPlanView view = Looked(FitPlan(record, findings, width, height), look);
    std::vector<QPointF> places;
    places.reserve(findings.size());
    for (const TFinding& f : findings)
        places.push_back(FinitePlace(f) ? view.At(f.X, f.Y) : QPointF(NAN, NAN));
    return places;
}

void ZoomPlanAt(TPlanLook& look, double factor, QPointF at)
{
    const double zoom = std::clamp(look.Zoom * factor, SmallestZoom, LargestZoom);
    factor = zoom / look.Zoom;
    look.Zoom = zoom;
    look.PanX = (look.PanX - at.x()) * factor + at.x();
    look.PanY = (look.PanY - at.y()) * factor + at.y();
}

void BringIntoView(TPlanLook& look, const TBuildRecord& record, const std::vector<TFinding>& findings,
                   size_t finding, int width, int height)
{
    if (finding >= findings.size() || !FinitePlace(findings[finding]))
        return;
    const QPointF at =
        Looked(FitPlan(record, findings, width, height), look).At(findings[finding].X, findings[finding].Y);
    const QRectF inside = QRectF(0, 0, width, height).adjusted(Margin, Margin, -Margin, -Margin);
    if (inside.contains(at))
        return;
    look.PanX += width / 2.0 - at.x();
    look.PanY += height / 2.0 - at.y();
}

std::string DrawPlan(const std::vector<TPGon>& faces, const TBuildRecord& record,
                     const TMaterialTable& materials, const std::vector<TFinding>& findings, int width,
                     int height, bool svg, const THiddenLayers& hidden)
{
    TPlanLook look;
    look.Hidden = hidden;
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
        Paint(painter, faces, record, materials, findings, width, height, look, true);
    }
    else
    {
        QImage image(width, height, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            Paint(painter, faces, record, materials, findings, width, height, look, true);
        }
        image.save(&buffer, "PNG");
    }
    return buffer.data().toStdString();
}
