#include "engine/systems/LightSets.h"
#include "engine/systems/BufferUpload.h"

#include <GL/glew.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace
{
constexpr GLuint AmbientBinding = 5;
constexpr GLuint SpotBinding = 6;
constexpr GLuint WallBinding = 7;
constexpr std::size_t WallBytes = sizeof(float) * 4;
// The shader's group marker: a wall entry whose first three coordinates are this value (the
// fourth counts the walls of the group).
constexpr float GroupMarker = 3.0e38f;

// Room around a region for the rounding of the fragments' world positions and of the shader's
// own tests: far more than either, far less than a pixel's worth of world.
float Room(float a, float b)
{
    return 0.5f + 1.0e-4f * std::max(std::abs(a), std::abs(b));
}

LightSets::Region Widened(const LightSets::Region& region)
{
    const float room = std::max(Room(region.minX, region.maxX), Room(region.minY, region.maxY));
    return {region.minX - room, region.minY - room, region.maxX + room, region.maxY + room};
}

float Cross(float ax, float ay, float bx, float by)
{
    return ax * by - ay * bx;
}

// The region's corners, counterclockwise from its lower left.
std::array<std::array<float, 2>, 4> CornersOf(const LightSets::Region& region)
{
    return {{{region.minX, region.minY}, {region.maxX, region.minY}, {region.maxX, region.maxY}, {region.minX, region.maxY}}};
}

std::size_t RoundUp(std::size_t value, std::size_t step)
{
    return (value + step - 1) / step * step;
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value)
{
    hash ^= value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    return hash;
}

// Finds the slot of a key in an open-addressed table (growing it to stay at most half full), or
// the empty slot where it belongs. `same(index)` tells whether the entry at index has the key.
template <class Same>
std::uint32_t& Slot(std::vector<std::uint32_t>& table, std::size_t entries, std::uint64_t hash, Same&& same,
                    std::uint64_t (*rehash)(std::uint32_t, const void*), const void* context)
{
    if (table.size() < 2 * (entries + 1))
    {
        // A power of two, so that the mask below reaches every slot.
        std::size_t size = 64;
        while (size < 4 * (entries + 1))
            size *= 2;
        std::vector<std::uint32_t> grown(size, 0);
        for (std::uint32_t entry : table)
            if (entry != 0)
            {
                std::size_t at = rehash(entry - 1, context) & (grown.size() - 1);
                while (grown[at] != 0)
                    at = (at + 1) & (grown.size() - 1);
                grown[at] = entry;
            }
        table.swap(grown);
    }
    std::size_t at = hash & (table.size() - 1);
    while (table[at] != 0 && !same(table[at] - 1))
        at = (at + 1) & (table.size() - 1);
    return table[at];
}
}

void LightSets::Create()
{
    GLint align = 16;
    glGetIntegerv(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT, &align);
    alignment = static_cast<std::size_t>(std::max(align, 16));
    GLuint buffers[3] = {0, 0, 0};
    glCreateBuffers(3, buffers);
    ambientBuffer = buffers[0];
    spotBuffer = buffers[1];
    wallBuffer = buffers[2];
}

void LightSets::Release()
{
    const GLuint buffers[3] = {ambientBuffer, spotBuffer, wallBuffer};
    glDeleteBuffers(3, buffers);
    ambientBuffer = spotBuffer = wallBuffer = 0;
    ambientCapacity = spotCapacity = wallCapacity = 0;
}

void LightSets::Begin(const AmbientLightBlock& ambientBlock, int ambientCount, const SpotLightBlock& spotBlock,
                      int spotCount, const WallBlock& wallBlock, int wallCount)
{
    ambient = &ambientBlock;
    spot = &spotBlock;
    walls = &wallBlock;
    ambientLights = std::clamp(ambientCount, 0, AmbientCapacity);
    const int spots = std::clamp(spotCount, 0, SpotCapacity);
    const int wallsInUse = std::clamp(wallCount, 0, WallCapacity);
    lights.clear();
    lightWalls.clear();
    auto add = [&](float x, float y, float radius) {
        Light light;
        light.x = x;
        light.y = y;
        light.radius = radius;
        light.firstWall = lightWalls.size();
        // Only a wall within the light's reach can stand between it and a fragment it reaches.
        for (int w = 0; w < wallsInUse; ++w)
        {
            const float* s = &walls->segments[static_cast<std::size_t>(4 * w)];
            const float ex = s[2] - s[0];
            const float ey = s[3] - s[1];
            const float length = ex * ex + ey * ey;
            float t = length > 0.0f ? ((x - s[0]) * ex + (y - s[1]) * ey) / length : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const float dx = s[0] + ex * t - x;
            const float dy = s[1] + ey * t - y;
            const float reach = radius + Room(x, y) + Room(s[0], s[1]);
            if (!(dx * dx + dy * dy > reach * reach))
                lightWalls.push_back(static_cast<std::uint16_t>(w));
        }
        light.wallCount = lightWalls.size() - light.firstWall;
        lights.push_back(light);
    };
    for (int i = 0; i < ambientLights; ++i)
        add(ambient->positions[static_cast<std::size_t>(4 * i)], ambient->positions[static_cast<std::size_t>(4 * i + 1)],
            ambient->radii[static_cast<std::size_t>(i)]);
    for (int i = 0; i < spots; ++i)
    {
        const float* packed = &spot->positionsAndDirections[static_cast<std::size_t>(4 * i)];
        add(packed[0], packed[1], spot->radii[static_cast<std::size_t>(i)]);
        lights.back().directionX = packed[2];
        lights.back().directionY = packed[3];
    }

    ambientData.clear();
    spotData.clear();
    wallData.clear();
    ambientMasks.clear();
    spotMasks.clear();
    runSequences.clear();
    runStarts.clear();
    runLengths.clear();
    wallRunOffsets.clear();
    sets.clear();
    std::fill(wallRunTable.begin(), wallRunTable.end(), 0);
    std::fill(setTable.begin(), setTable.end(), 0);
}

bool LightSets::Reaches(const Light& light, const Region& region) const
{
    // The shader skips a light at a fragment as far as its radius or farther (and one whose
    // radius or position is not a number).
    const float dx = std::max({region.minX - light.x, light.x - region.maxX, 0.0f});
    const float dy = std::max({region.minY - light.y, light.y - region.maxY, 0.0f});
    return dx * dx + dy * dy < light.radius * light.radius && light.radius > 0.0f;
}

std::array<float, 4> LightSets::SegmentOf(int wall) const
{
    const float* s = &walls->segments[static_cast<std::size_t>(4 * wall)];
    return {s[0], s[1], s[2], s[3]};
}

bool LightSets::FacesAway(const Light& light, const Region& region) const
{
    // The shader lights a fragment only where the cosine between the spot's direction and the way
    // to the fragment is above SpotConeOuter. That cone is the wedge between two lines through the
    // light; a region wholly beyond one of them, or behind the light, is left dark. The wedge is
    // taken a little wider, and the region a margin further, than the shader's rounding could
    // reach.
    constexpr float SpotConeOuter = 0.75f;
    const float length = std::sqrt(light.directionX * light.directionX + light.directionY * light.directionY);
    if (!(length > 0.0f) || !std::isfinite(length))
        return false;
    const float dx = light.directionX / length;
    const float dy = light.directionY / length;
    const float cosine = SpotConeOuter - 1.0e-3f;
    const float sine = std::sqrt(1.0f - cosine * cosine);
    // The wedge's edges: the direction turned each way by the cone's half angle.
    const float leftX = dx * cosine - dy * sine;
    const float leftY = dx * sine + dy * cosine;
    const float rightX = dx * cosine + dy * sine;
    const float rightY = -dx * sine + dy * cosine;
    const float margin = std::max({Room(region.minX, region.maxX), Room(region.minY, region.maxY), Room(light.x, light.y)});
    const auto corners = CornersOf(region);
    bool beyondLeft = true;
    bool beyondRight = true;
    bool behind = true;
    for (const auto& c : corners)
    {
        const float vx = c[0] - light.x;
        const float vy = c[1] - light.y;
        beyondLeft = beyondLeft && Cross(leftX, leftY, vx, vy) > margin;
        beyondRight = beyondRight && Cross(rightX, rightY, vx, vy) < -margin;
        behind = behind && dx * vx + dy * vy < -margin;
    }
    return beyondLeft || beyondRight || behind;
}

bool LightSets::MayShadow(int wall, const Region& region, const Light& light) const
{
    // The wall must meet the hull of the region and the light: every segment from a fragment of
    // the region to the light lies in it. Each test below finds a line separating the two.
    const auto [x0, y0, x1, y1] = SegmentOf(wall);
    if (std::max(x0, x1) < std::min(region.minX, light.x) || std::min(x0, x1) > std::max(region.maxX, light.x) ||
        std::max(y0, y1) < std::min(region.minY, light.y) || std::min(y0, y1) > std::max(region.maxY, light.y))
        return false;
    const auto corners = CornersOf(region);
    // The wall's own line, with the whole hull on one side of it.
    const float ex = x1 - x0;
    const float ey = y1 - y0;
    auto side = [&](float px, float py) { return Cross(ex, ey, px - x0, py - y0); };
    const float lightSide = side(light.x, light.y);
    bool allAbove = lightSide > 0.0f;
    bool allBelow = lightSide < 0.0f;
    for (const auto& c : corners)
    {
        const float at = side(c[0], c[1]);
        allAbove = allAbove && at > 0.0f;
        allBelow = allBelow && at < 0.0f;
    }
    if (allAbove || allBelow)
        return false;
    // A light outside the region sees it within a wedge; a wall wholly outside one of the wedge's
    // two sides misses the hull.
    const bool inside =
        light.x >= region.minX && light.x <= region.maxX && light.y >= region.minY && light.y <= region.maxY;
    if (inside)
        return true;
    int left = 0;
    int right = 0;
    for (int c = 1; c < 4; ++c)
    {
        if (Cross(corners[left][0] - light.x, corners[left][1] - light.y, corners[c][0] - light.x,
                  corners[c][1] - light.y) < 0.0f)
            left = c;
        if (Cross(corners[right][0] - light.x, corners[right][1] - light.y, corners[c][0] - light.x,
                  corners[c][1] - light.y) > 0.0f)
            right = c;
    }
    auto outside = [&](int corner, float sign) {
        const float cx = corners[corner][0] - light.x;
        const float cy = corners[corner][1] - light.y;
        return sign * Cross(cx, cy, x0 - light.x, y0 - light.y) < 0.0f &&
               sign * Cross(cx, cy, x1 - light.x, y1 - light.y) < 0.0f;
    };
    return !outside(left, 1.0f) && !outside(right, -1.0f);
}

bool LightSets::HidesWhole(int wall, const Region& region, const Light& light) const
{
    // Every fragment of the region is hidden when the wall's line parts the light from the whole
    // region and the region lies within the wedge the wall spans seen from the light: every segment
    // from a fragment to the light then crosses the wall inside both. Each test keeps a margin far
    // above the rounding of the shader's own crossing test.
    const auto [x0, y0, x1, y1] = SegmentOf(wall);
    const float ex = x1 - x0;
    const float ey = y1 - y0;
    const float length = std::sqrt(ex * ex + ey * ey);
    const float margin = std::max({Room(region.minX, region.maxX), Room(region.minY, region.maxY), Room(light.x, light.y),
                                   Room(x0, y0), Room(x1, y1)});
    if (!(length > margin))
        return false;
    const auto corners = CornersOf(region);
    // Distances from the wall's line, the light's side taken as positive.
    const float lightSide = Cross(ex, ey, light.x - x0, light.y - y0) / length;
    if (!(std::abs(lightSide) > margin))
        return false;
    const float towardLight = lightSide > 0.0f ? 1.0f : -1.0f;
    // The wedge's two sides, from the light through each end of the wall, turned so that the wall
    // lies on their positive side.
    const float ax = x0 - light.x;
    const float ay = y0 - light.y;
    const float bx = x1 - light.x;
    const float by = y1 - light.y;
    const float lengthA = std::sqrt(ax * ax + ay * ay);
    const float lengthB = std::sqrt(bx * bx + by * by);
    const float turn = Cross(ax, ay, bx, by) > 0.0f ? 1.0f : -1.0f;
    if (!(lengthA > margin) || !(lengthB > margin))
        return false;
    for (const auto& c : corners)
    {
        const float vx = c[0] - light.x;
        const float vy = c[1] - light.y;
        if (!(-towardLight * Cross(ex, ey, c[0] - x0, c[1] - y0) > margin * length) ||
            !(turn * Cross(ax, ay, vx, vy) > margin * lengthA) || !(turn * Cross(vx, vy, bx, by) > margin * lengthB))
            return false;
    }
    return true;
}

std::size_t LightSets::AmbientBlockFor(std::uint32_t mask)
{
    const std::size_t stride = RoundUp(sizeof(AmbientSetBlock), alignment);
    for (std::size_t i = 0; i < ambientMasks.size(); ++i)
        if (ambientMasks[i] == mask)
            return i * stride;
    AmbientSetBlock block;
    int slot = 0;
    for (int i = 0; i < ambientLights; ++i)
    {
        if ((mask & (1u << i)) == 0)
            continue;
        const std::size_t from = static_cast<std::size_t>(4 * i);
        float* to = &block.entries[static_cast<std::size_t>(8 * slot)];
        to[0] = ambient->positions[from];
        to[1] = ambient->positions[from + 1];
        to[2] = ambient->radii[static_cast<std::size_t>(i)];
        // The product the shader would form, rounded alike.
        for (std::size_t c = 0; c < 3; ++c)
            to[4 + c] = ambient->colours[from + c] * ambient->intensities[from + c];
        ++slot;
    }
    const std::size_t offset = ambientMasks.size() * stride;
    ambientMasks.push_back(mask);
    ambientData.resize(offset + stride);
    std::memcpy(&ambientData[offset], &block, sizeof block);
    return offset;
}

std::size_t LightSets::SpotBlockFor(std::uint32_t mask)
{
    const std::size_t stride = RoundUp(sizeof(SpotSetBlock), alignment);
    for (std::size_t i = 0; i < spotMasks.size(); ++i)
        if (spotMasks[i] == mask)
            return i * stride;
    SpotSetBlock block;
    int slot = 0;
    for (int i = 0; i < SpotCapacity; ++i)
    {
        if ((mask & (1u << i)) == 0)
            continue;
        const std::size_t from = static_cast<std::size_t>(4 * i);
        float* to = &block.entries[static_cast<std::size_t>(8 * slot)];
        std::copy_n(&spot->positionsAndDirections[from], 4, to);
        for (std::size_t c = 0; c < 3; ++c)
            to[4 + c] = spot->colours[from + c] * spot->intensities[from + c];
        to[7] = spot->radii[static_cast<std::size_t>(i)];
        ++slot;
    }
    const std::size_t offset = spotMasks.size() * stride;
    spotMasks.push_back(mask);
    spotData.resize(offset + stride);
    std::memcpy(&spotData[offset], &block, sizeof block);
    return offset;
}

std::size_t LightSets::WallRunFor(int& count)
{
    std::uint64_t hash = sequence.size();
    for (std::uint16_t entry : sequence)
        hash = Mix(hash, entry);
    auto rehash = [](std::uint32_t index, const void* context) {
        const auto* self = static_cast<const LightSets*>(context);
        std::uint64_t h = self->runLengths[index];
        for (std::size_t i = 0; i < self->runLengths[index]; ++i)
            h = Mix(h, self->runSequences[self->runStarts[index] + i]);
        return h;
    };
    auto same = [&](std::uint32_t index) {
        return runLengths[index] == sequence.size() &&
               std::equal(sequence.begin(), sequence.end(),
                          runSequences.begin() + static_cast<std::ptrdiff_t>(runStarts[index]));
    };
    count = static_cast<int>(sequence.size());
    std::uint32_t& slot = Slot(wallRunTable, runStarts.size(), hash, same, rehash, this);
    if (slot != 0)
        return wallRunOffsets[slot - 1];
    // A run starts where a range may start; its walls follow in the frame's order.
    const std::size_t offset = RoundUp(wallData.size(), alignment);
    wallData.resize(offset);
    for (std::size_t at = 0; at < sequence.size(); ++at)
    {
        float marker[4] = {GroupMarker, GroupMarker, GroupMarker, 0.0f};
        const float* from = &marker[0];
        if (sequence[at] == Marker)
        {
            // The marker tells how many walls of its light follow it.
            std::size_t end = at + 1;
            while (end < sequence.size() && sequence[end] != Marker)
                ++end;
            marker[3] = static_cast<float>(end - at - 1);
        }
        else
            from = &walls->segments[4 * static_cast<std::size_t>(sequence[at])];
        const auto* bytes = reinterpret_cast<const unsigned char*>(from);
        wallData.insert(wallData.end(), bytes, bytes + WallBytes);
    }
    slot = static_cast<std::uint32_t>(runStarts.size() + 1);
    runStarts.push_back(runSequences.size());
    runLengths.push_back(sequence.size());
    runSequences.insert(runSequences.end(), sequence.begin(), sequence.end());
    wallRunOffsets.push_back(offset);
    return offset;
}

int LightSets::SetFor(const Region& exact)
{
    const Region region = Widened(exact);
    std::uint32_t ambientMask = 0;
    std::uint32_t spotMask = 0;
    WallBits wallBits{};
    sequence.clear();
    for (std::size_t i = 0; i < lights.size(); ++i)
    {
        const Light& light = lights[i];
        if (!Reaches(light, region) || FacesAway(light, region))
            continue;
        // The light reaches only the part of the region within its radius: only a wall meeting
        // the hull of that part and the light can shadow a fragment it lights, and a wall hiding
        // the whole part (which meets the hull too) leaves the light nothing to add.
        const float reach = light.radius + Room(light.x, light.y);
        const Region lit{std::max(region.minX, light.x - reach), std::max(region.minY, light.y - reach),
                         std::min(region.maxX, light.x + reach), std::min(region.maxY, light.y + reach)};
        const std::size_t group = sequence.size();
        sequence.push_back(Marker);
        bool hidden = false;
        for (std::size_t k = 0; k < light.wallCount && !hidden; ++k)
        {
            const int wall = lightWalls[light.firstWall + k];
            if (!MayShadow(wall, lit, light))
                continue;
            hidden = HidesWhole(wall, lit, light);
            sequence.push_back(static_cast<std::uint16_t>(wall));
        }
        if (hidden)
        {
            sequence.resize(group);
            continue;
        }
        if (static_cast<int>(i) < ambientLights)
            ambientMask |= 1u << i;
        else
            spotMask |= 1u << (static_cast<int>(i) - ambientLights);
        for (std::size_t at = group + 1; at < sequence.size(); ++at)
            wallBits[sequence[at] / 64] |= std::uint64_t{1} << (sequence[at] % 64);
    }
    // Without a wall no light needs a group; groups that would not fit the block become one
    // list for every light.
    const bool anyWall = std::any_of(wallBits.begin(), wallBits.end(), [](std::uint64_t word) { return word != 0; });
    if (!anyWall)
        sequence.clear();
    else if (sequence.size() > static_cast<std::size_t>(WallCapacity))
    {
        sequence.clear();
        for (std::size_t word = 0; word < WallWords; ++word)
            for (std::uint64_t rest = wallBits[word]; rest != 0; rest &= rest - 1)
                sequence.push_back(static_cast<std::uint16_t>(word * 64 + static_cast<std::size_t>(__builtin_ctzll(rest))));
    }
    Set set;
    set.ambientCount = __builtin_popcount(ambientMask);
    set.spotCount = __builtin_popcount(spotMask);
    set.ambientOffset = AmbientBlockFor(ambientMask);
    set.spotOffset = SpotBlockFor(spotMask);
    set.wallOffset = WallRunFor(set.wallCount);

    // Runs of different lengths may start at one offset (an empty one takes no room): the counts
    // belong to the key.
    auto key = [](const Set& of) {
        return Mix(Mix(Mix(Mix(0, of.ambientOffset), of.spotOffset), of.wallOffset),
                   static_cast<std::uint64_t>(of.wallCount));
    };
    const std::uint64_t hash = key(set);
    auto same = [&](std::uint32_t index) {
        const Set& other = sets[index];
        return other.ambientOffset == set.ambientOffset && other.spotOffset == set.spotOffset &&
               other.wallOffset == set.wallOffset && other.ambientCount == set.ambientCount &&
               other.spotCount == set.spotCount && other.wallCount == set.wallCount;
    };
    auto rehash = [](std::uint32_t index, const void* context) {
        const Set& other = static_cast<const LightSets*>(context)->sets[index];
        return Mix(Mix(Mix(Mix(0, other.ambientOffset), other.spotOffset), other.wallOffset),
                   static_cast<std::uint64_t>(other.wallCount));
    };
    std::uint32_t& slot = Slot(setTable, sets.size(), hash, same, rehash, this);
    if (slot != 0)
        return static_cast<int>(slot - 1);
    slot = static_cast<std::uint32_t>(sets.size() + 1);
    sets.push_back(set);
    return static_cast<int>(sets.size() - 1);
}

void LightSets::Upload()
{
    if (sets.empty())
        return;
    // Each range is bound whole at the size of its block; the wall buffer's last run is followed
    // by room for a whole block.
    const std::size_t wallEnd = RoundUp(wallData.size(), alignment) + sizeof(WallBlock);
    wallData.resize(wallEnd);
    UploadGrowing(ambientBuffer, ambientCapacity, ambientData.data(), ambientData.size());
    UploadGrowing(spotBuffer, spotCapacity, spotData.data(), spotData.size());
    UploadGrowing(wallBuffer, wallCapacity, wallData.data(), wallData.size());
}

void LightSets::Bind(int id) const
{
    const Set& set = sets[static_cast<std::size_t>(id)];
    glBindBufferRange(GL_UNIFORM_BUFFER, AmbientBinding, ambientBuffer, static_cast<GLintptr>(set.ambientOffset),
                      sizeof(AmbientSetBlock));
    glBindBufferRange(GL_UNIFORM_BUFFER, SpotBinding, spotBuffer, static_cast<GLintptr>(set.spotOffset),
                      sizeof(SpotSetBlock));
    glBindBufferRange(GL_UNIFORM_BUFFER, WallBinding, wallBuffer, static_cast<GLintptr>(set.wallOffset),
                      sizeof(WallBlock));
}
