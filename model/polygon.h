#pragma once

#include "model/material.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// One vertex of a face: plan x, height, plan y, and w (always 1).
struct TPtVertex
{
    float X = 0;
    float Y = 0;
    float Z = 0;
    float W = 1;
};

// The vertices of one face. Walls have 3 or 4 and make up most faces of a
// large plan, so up to 4 live inside the face itself; only a face with more
// (a slab) takes a heap block. One heap vector per face made allocation and
// page faults the main cost of building and releasing a large model.
class TPt
{
public:
    static constexpr size_t InlineCapacity = 4;

    TPt() = default;
    TPt(const TPt& other);
    TPt& operator=(const TPt& other);
    TPt(TPt&& other) noexcept;
    TPt& operator=(TPt&& other) noexcept;
    ~TPt() = default;

    size_t size() const { return Count; }
    TPtVertex* begin() { return Heap ? Heap.get() : Inline; }
    const TPtVertex* begin() const { return Heap ? Heap.get() : Inline; }
    TPtVertex* end() { return begin() + Count; }
    const TPtVertex* end() const { return begin() + Count; }
    TPtVertex& operator[](size_t i) { return begin()[i]; }
    const TPtVertex& operator[](size_t i) const { return begin()[i]; }
    TPtVertex& back() { return begin()[Count - 1]; }
    const TPtVertex& back() const { return begin()[Count - 1]; }

    void reserve(size_t count);
    // New vertices are (0, 0, 0, 1).
    void resize(size_t count);

private:
    TPtVertex Inline[InlineCapacity];
    std::unique_ptr<TPtVertex[]> Heap; // holds the vertices instead of Inline once set
    uint32_t Count = 0;
    uint32_t Capacity = InlineCapacity;
};

// One face of the model: its vertices in order and the values of the
// material entry that colours it.
class TPGon
{
public:
    TPt Vertices;
    int32_t VertexCount = 0;
    float Material4 = 0;
    float Material5 = 0;
    float Color[3] = {0, 0, 0};
    float Material6 = 0;
    float Material7 = 0;

    // Takes the seven entry values and starts the vertex list afresh.
    void SetMaterial(const TMaterialEntry& entry);
    void AddVertex(float x, float y, float z);
};

// Appends a new face coloured by entry and returns it for its vertices.
TPGon& AppendFace(const TMaterialEntry& entry);

// Releases every face, last to first.
void ReleaseFaces();
