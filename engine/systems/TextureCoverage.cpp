#include "engine/systems/TextureCoverage.h"

#include <algorithm>

TextureCoverage::TextureCoverage(const unsigned char* texels, int width, int height)
    : width(width), height(height)
{
    if (width <= 0 || height <= 0)
        return;
    columns = (width + CellTexels - 1) / CellTexels;
    rows = (height + CellTexels - 1) / CellTexels;
    shows.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
    // A texel with any alpha marks its cell and the cells of its eight neighbours, which a
    // filtered sample in those cells may reach.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            if (texels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4 + 3] == 0)
                continue;
            for (int row = std::max(y - 1, 0) / CellTexels; row <= std::min(y + 1, height - 1) / CellTexels; ++row)
                for (int column = std::max(x - 1, 0) / CellTexels; column <= std::min(x + 1, width - 1) / CellTexels; ++column)
                    shows[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column)] = 1;
        }
    emptyCells = std::find(shows.begin(), shows.end(), 0) != shows.end();
}

bool TextureCoverage::ShowsNothing(int minX, int minY, int maxX, int maxY) const
{
    if (shows.empty() || minX > maxX || minY > maxY)
        return false;
    const int fromColumn = std::clamp(minX, 0, width - 1) / CellTexels;
    const int toColumn = std::clamp(maxX, 0, width - 1) / CellTexels;
    const int fromRow = std::clamp(minY, 0, height - 1) / CellTexels;
    const int toRow = std::clamp(maxY, 0, height - 1) / CellTexels;
    for (int row = fromRow; row <= toRow; ++row)
        for (int column = fromColumn; column <= toColumn; ++column)
            if (shows[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column)] != 0)
                return false;
    return true;
}
