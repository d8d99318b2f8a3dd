#include "engine/systems/TextureCoverage.h"

#include <gtest/gtest.h>

#include <vector>

// A 48 by 32 picture, clear but for the texels given (any alpha counts, however faint).
static TextureCoverage Picture(const std::vector<std::pair<int, int>>& shown)
{
    std::vector<unsigned char> texels(48 * 32 * 4, 0);
    for (const auto& [x, y] : shown)
        texels[(static_cast<std::size_t>(y) * 48 + static_cast<std::size_t>(x)) * 4 + 3] = 1;
    return TextureCoverage(texels.data(), 48, 32);
}

TEST(TextureCoverageTest, ATexelShowsInItsCellAndInTheCellsItsNeighboursLieIn)
{
    // Cells are 16 texels square: three across, two up.
    const TextureCoverage middle = Picture({{24, 8}});
    EXPECT_FALSE(middle.ShowsNothing(16, 0, 31, 15));
    EXPECT_TRUE(middle.ShowsNothing(0, 0, 15, 31));
    EXPECT_TRUE(middle.ShowsNothing(32, 16, 47, 31));

    // A texel on a cell's edge reaches the cell beside it, where a filtered sample may take it in.
    const TextureCoverage edge = Picture({{16, 15}});
    EXPECT_FALSE(edge.ShowsNothing(0, 0, 15, 15)) << "the left neighbour's cell";
    EXPECT_FALSE(edge.ShowsNothing(16, 16, 31, 31)) << "the upper neighbour's cell";
    EXPECT_FALSE(edge.ShowsNothing(0, 16, 15, 31)) << "the diagonal neighbour's cell";
    EXPECT_TRUE(edge.ShowsNothing(32, 0, 47, 31));

    // Boxes beyond the picture are clamped to its edge texels.
    EXPECT_FALSE(Picture({{47, 31}}).ShowsNothing(60, 40, 90, 90));
    EXPECT_TRUE(Picture({}).ShowsNothing(-10, -10, 100, 100));
    EXPECT_FALSE(Picture({}).ShowsNothing(5, 5, 4, 4)) << "an empty box says nothing";
}

TEST(TextureCoverageTest, OnlyAPictureWithAClearCellOffersAnything)
{
    std::vector<std::pair<int, int>> everyCell;
    for (int y = 0; y < 32; y += 16)
        for (int x = 0; x < 48; x += 16)
            everyCell.emplace_back(x + 8, y + 8);
    EXPECT_FALSE(Picture(everyCell).HasEmptyCells());
    EXPECT_TRUE(Picture({{8, 8}}).HasEmptyCells());
    EXPECT_FALSE(TextureCoverage().HasEmptyCells());
    EXPECT_FALSE(TextureCoverage().ShowsNothing(0, 0, 1, 1)) << "no picture known";
}
