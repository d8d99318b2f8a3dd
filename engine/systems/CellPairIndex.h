#pragma once
#include "engine/systems/GridSpec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The colliders of one broadphase cell, by their place in the cell's list, each with the box it
// can be met in during this step. A mover asks for the places whose boxes meet the box its own
// motion sweeps, and gets them in ascending order, so that pairs are tested in the order a full
// walk of the cell would test them. A few colliders are simply scanned; many are sorted into a
// grid of bins fitted to the cell, so that a crowd is not tested pair by pair.
//
// A box with a NaN corner meets everything. Storage grows to the largest cell seen and is then
// reused: building and querying allocate nothing after that.
class CellPairIndex
{
public:
    using Box = GridSpec::Box;
    static constexpr std::size_t None = static_cast<std::size_t>(-1);

    // Starts a cell of count places; their boxes are set next, then Build.
    void Begin(std::size_t count);
    void SetBox(std::size_t place, const Box& box);
    void Build();
    // Moves one place's box (its collider's velocity or shape changed).
    void Update(std::size_t place, const Box& box);

    // Gathers the places whose boxes may meet the query; NextCandidate then walks them.
    void Gather(const Box& query);
    // The first gathered place after `after` (None to start) whose box meets the query, or None.
    std::size_t NextCandidate(std::size_t after) const;

private:
    struct BinRange
    {
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        bool everywhere = false;
    };

    static bool Meets(const Box& a, const Box& b);
    int BinX(float x) const;
    int BinY(float y) const;
    BinRange RangeOf(const Box& box) const;
    void Enter(std::size_t place);
    void Leave(std::size_t place);
    std::uint64_t* Bin(int x, int y) { return &bins[(static_cast<std::size_t>(y) * binsX + static_cast<std::size_t>(x)) * words]; }
    const std::uint64_t* Bin(int x, int y) const
    {
        return &bins[(static_cast<std::size_t>(y) * binsX + static_cast<std::size_t>(x)) * words];
    }

    std::size_t count = 0;
    std::size_t words = 0;
    std::vector<Box> boxes;
    bool binned = false;
    // The bin grid: binsX by binsY bins of binSize units from (originX, originY); the outer bins
    // also hold everything beyond them.
    float originX = 0.0f;
    float originY = 0.0f;
    float inverseBinSize = 0.0f;
    int binsX = 0;
    int binsY = 0;
    std::vector<std::uint64_t> bins;
    std::vector<std::uint64_t> everywhere;
    std::vector<BinRange> ranges;
    // The last query and the places gathered for it.
    Box query;
    bool queryEverywhere = false;
    std::vector<std::uint64_t> gathered;
};
