#include "model/polygon.h"

#include "model/model_tables.h"

#include <algorithm>
#include <iterator>
#include <utility>

TPt::TPt(const TPt& other)
{
    *this = other;
}

TPt& TPt::operator=(const TPt& other)
{
    if (this == &other)
        return *this;
    Count = 0;
    reserve(other.Count);
    std::copy(other.begin(), other.end(), begin());
    Count = other.Count;
    return *this;
}

TPt::TPt(TPt&& other) noexcept
{
    *this = std::move(other);
}

// Leaves other empty, with its inline room again.
TPt& TPt::operator=(TPt&& other) noexcept
{
    if (this == &other)
        return *this;
    std::copy(std::begin(other.Inline), std::end(other.Inline), Inline);
    Heap = std::move(other.Heap);
    Count = other.Count;
    Capacity = other.Capacity;
    other.Count = 0;
    other.Capacity = InlineCapacity;
    return *this;
}

void TPt::reserve(size_t count)
{
    if (count <= Capacity)
        return;
    std::unique_ptr<TPtVertex[]> larger = std::make_unique<TPtVertex[]>(count);
    std::copy(begin(), end(), larger.get());
    Heap = std::move(larger);
    Capacity = uint32_t(count);
}

void TPt::resize(size_t count)
{
    if (count > Capacity)
        reserve(std::max(count, 2 * size_t(Capacity)));
    std::fill(begin() + std::min(count, size_t(Count)), begin() + count, TPtVertex{});
    Count = uint32_t(count);
}

void TPGon::SetMaterial(const TMaterialEntry& entry)
{
    Color[0] = entry[0];
    Color[1] = entry[1];
    Color[2] = entry[2];
    Material4 = entry[3];
    Material5 = entry[4];
    Material6 = entry[5];
    Material7 = entry[6];
    VertexCount = 0;
}

void TPGon::AddVertex(float x, float y, float z)
{
    ++VertexCount;
    Vertices.resize(VertexCount);
    Vertices.back() = {x, y, z, 1.0f};
}

TPGon& AppendFace(const TMaterialEntry& entry)
{
    TPGon& face = PolygonList.emplace_back();
    face.SetMaterial(entry);
    return face;
}

void ReleaseFaces()
{
    while (!PolygonList.empty())
        PolygonList.pop_back();
    PolygonList.shrink_to_fit();
}
