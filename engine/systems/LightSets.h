#pragma once
#include "engine/systems/LightPacking.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// For each lit draw of a frame, the part of the frame's packed lights and walls that can matter
// to it: the lights whose reach meets the draw's region, and for each of them only the walls that
// can stand between it and the region, grouped by light behind the shader's group markers (or,
// when the groups would not fit the block, all of them in one list for every light). The shader's
// light loop and wall loops then run over those alone. A set keeps the frame's order of lights and walls, so every fragment adds up the same
// light, in the same order, as it would with all of them: a light left out would have been
// skipped as out of reach, a wall left out could not have blocked.
//
// Sets are laid out as the lit programs' uniform blocks (a whole ambient block, a whole spot block,
// and a run of walls) in three buffers uploaded once per frame, and bound by range for each draw.
// Equal blocks and runs are shared. After the first frames nothing here allocates.
class LightSets
{
public:
    // A set's lights as the lit programs read them, two vec4 a light: an ambient light's x, y and
    // radius, then its colour times its intensity; a spot light's position and direction, then
    // its colour times its intensity and its radius.
    struct AmbientSetBlock
    {
        std::array<float, 8 * AmbientLightBlock::Capacity> entries{};
    };
    struct SpotSetBlock
    {
        std::array<float, 8 * SpotLightBlock::Capacity> entries{};
    };

    // A rectangle in the space the draw's vertices are in (the shader's world position).
    struct Region
    {
        float minX = 0.0f;
        float minY = 0.0f;
        float maxX = 0.0f;
        float maxY = 0.0f;
    };
    struct Set
    {
        std::size_t ambientOffset = 0;
        std::size_t spotOffset = 0;
        std::size_t wallOffset = 0;
        int ambientCount = 0;
        int spotCount = 0;
        int wallCount = 0;
    };

    // With the GL context current: the three buffers and the range alignment.
    void Create();
    void Release();

    // Starts a frame with the lights and walls packed for it.
    void Begin(const AmbientLightBlock& ambient, int ambientCount, const SpotLightBlock& spot, int spotCount,
               const WallBlock& walls, int wallCount);
    // The set of what can light the region (its id in this frame).
    int SetFor(const Region& region);
    const Set& operator[](int id) const { return sets[static_cast<std::size_t>(id)]; }
    std::size_t Count() const { return sets.size(); }

    // Uploads the frame's sets; then Bind binds one set's ranges at the uniform block bindings of
    // the lit programs (those of the light buffers' storage blocks: 5, 6 and 7).
    void Upload();
    void Bind(int id) const;

private:
    static constexpr int AmbientCapacity = AmbientLightBlock::Capacity;
    static constexpr int SpotCapacity = SpotLightBlock::Capacity;
    static constexpr int WallCapacity = WallBlock::Capacity;
    static constexpr std::size_t WallWords = (WallCapacity + 63) / 64;
    using WallBits = std::array<std::uint64_t, WallWords>;

    struct Light
    {
        float x = 0.0f;
        float y = 0.0f;
        float radius = 0.0f;
        // A spot light's direction (as packed; zero for an ambient light, which lights all round).
        float directionX = 0.0f;
        float directionY = 0.0f;
        // Where its walls start in `lightWalls`, and how many.
        std::size_t firstWall = 0;
        std::size_t wallCount = 0;
    };

    bool Reaches(const Light& light, const Region& region) const;
    // Whether a spot light's cone leaves the whole region dark.
    bool FacesAway(const Light& light, const Region& region) const;
    // A wall's ends: x0, y0, x1, y1.
    std::array<float, 4> SegmentOf(int wall) const;
    bool MayShadow(int wall, const Region& region, const Light& light) const;
    bool HidesWhole(int wall, const Region& region, const Light& light) const;
    std::size_t AmbientBlockFor(std::uint32_t mask);
    std::size_t SpotBlockFor(std::uint32_t mask);
    // The run of walls for the sequence in `sequence` (wall indices, Marker for a group marker),
    // shared with an equal one made before; its length in entries goes to count.
    std::size_t WallRunFor(int& count);

    std::size_t alignment = 16;
    std::uint32_t ambientBuffer = 0;
    std::uint32_t spotBuffer = 0;
    std::uint32_t wallBuffer = 0;
    std::size_t ambientCapacity = 0;
    std::size_t spotCapacity = 0;
    std::size_t wallCapacity = 0;

    // The frame's packed lights (ambient first, then spot) and walls.
    const AmbientLightBlock* ambient = nullptr;
    const SpotLightBlock* spot = nullptr;
    const WallBlock* walls = nullptr;
    std::vector<Light> lights;
    int ambientLights = 0;
    std::vector<std::uint16_t> lightWalls;

    // This frame's blocks and sets; the masks and runs they were made for, to share equal ones.
    std::vector<unsigned char> ambientData;
    std::vector<unsigned char> spotData;
    std::vector<unsigned char> wallData;
    std::vector<std::uint32_t> ambientMasks;
    std::vector<std::uint32_t> spotMasks;
    static constexpr std::uint16_t Marker = 0xFFFF;
    std::vector<std::uint16_t> sequence;
    // Every run's sequence end to end; a run is its start and length there, and its place in the
    // wall buffer.
    std::vector<std::uint16_t> runSequences;
    std::vector<std::size_t> runStarts;
    std::vector<std::size_t> runLengths;
    std::vector<std::size_t> wallRunOffsets;
    std::vector<Set> sets;
    // Open-addressed tables of equal runs and equal sets: a slot holds an index + 1, 0 is empty.
    std::vector<std::uint32_t> wallRunTable;
    std::vector<std::uint32_t> setTable;
};
