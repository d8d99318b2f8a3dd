#pragma once
#include <cstdint>
#include <vector>

// Where a picture shows anything at all: a coarse grid over its texels, each cell marked when a
// texel in it, or one texel around it, has any alpha. A draw sampling only texels of unmarked
// cells (even filtered between neighbours) comes out fully transparent, and the shader discards
// every fragment of it.
class TextureCoverage
{
public:
    static constexpr int CellTexels = 16;

    TextureCoverage() = default;
    // From RGBA texels, rows from the bottom as GL stores them.
    TextureCoverage(const unsigned char* texels, int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    // Whether any cell is unmarked: only then can a part of a draw be left out.
    bool HasEmptyCells() const { return emptyCells; }
    // Whether every texel of the box (inclusive, clamped to the picture) lies in unmarked cells.
    bool ShowsNothing(int minX, int minY, int maxX, int maxY) const;

private:
    int width = 0;
    int height = 0;
    int columns = 0;
    int rows = 0;
    bool emptyCells = false;
    std::vector<std::uint8_t> shows;
};
