#include "engine/systems/CellPairIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace
{
// Below this many places a scan is cheaper than the bins.
constexpr std::size_t BinnedFrom = 40;
// A box spanning more bins than this is kept apart and offered to every query.
constexpr int MostBinsPerBox = 16;
constexpr int MostBinsPerAxis = 256;
constexpr float Infinity = std::numeric_limits<float>::infinity();

bool Finite(const GridSpec::Box& box)
{
    return std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) && std::isfinite(box.maxY);
}
}

bool CellPairIndex::Meets(const Box& a, const Box& b)
{
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

void CellPairIndex::Begin(std::size_t places)
{
    count = places;
    words = (places + 63) / 64;
    if (boxes.size() < places)
    {
        boxes.resize(places);
        ranges.resize(places);
    }
    if (gathered.size() < words)
    {
        gathered.resize(words);
        everywhere.resize(words);
    }
}

void CellPairIndex::SetBox(std::size_t place, const Box& box)
{
    const bool nan = std::isnan(box.minX) || std::isnan(box.minY) || std::isnan(box.maxX) || std::isnan(box.maxY);
    boxes[place] = nan ? Box{-Infinity, -Infinity, Infinity, Infinity} : box;
}

int CellPairIndex::BinX(float x) const
{
    const float at = (x - originX) * inverseBinSize;
    if (!(at >= 0.0f))
        return 0;
    return at >= static_cast<float>(binsX) ? binsX - 1 : static_cast<int>(at);
}

int CellPairIndex::BinY(float y) const
{
    const float at = (y - originY) * inverseBinSize;
    if (!(at >= 0.0f))
        return 0;
    return at >= static_cast<float>(binsY) ? binsY - 1 : static_cast<int>(at);
}

CellPairIndex::BinRange CellPairIndex::RangeOf(const Box& box) const
{
    BinRange range;
    range.x0 = BinX(box.minX);
    range.x1 = BinX(box.maxX);
    range.y0 = BinY(box.minY);
    range.y1 = BinY(box.maxY);
    range.everywhere = !Finite(box) || (range.x1 - range.x0 + 1) * (range.y1 - range.y0 + 1) > MostBinsPerBox;
    return range;
}

void CellPairIndex::Enter(std::size_t place)
{
    const BinRange& range = ranges[place];
    const std::size_t word = place >> 6;
    const std::uint64_t bit = std::uint64_t{1} << (place & 63);
    if (range.everywhere)
    {
        everywhere[word] |= bit;
        return;
    }
    for (int y = range.y0; y <= range.y1; ++y)
        for (int x = range.x0; x <= range.x1; ++x)
            Bin(x, y)[word] |= bit;
}

void CellPairIndex::Leave(std::size_t place)
{
    const BinRange& range = ranges[place];
    const std::size_t word = place >> 6;
    const std::uint64_t bit = ~(std::uint64_t{1} << (place & 63));
    if (range.everywhere)
    {
        everywhere[word] &= bit;
        return;
    }
    for (int y = range.y0; y <= range.y1; ++y)
        for (int x = range.x0; x <= range.x1; ++x)
            Bin(x, y)[word] &= bit;
}

void CellPairIndex::Build()
{
    binned = count >= BinnedFrom;
    if (!binned)
        return;
    // The bins cover the finite boxes, about one typical box to a bin, and no more bins than
    // twice the places.
    float left = Infinity;
    float bottom = Infinity;
    float right = -Infinity;
    float top = -Infinity;
    double extents = 0.0;
    std::size_t finite = 0;
    for (std::size_t place = 0; place < count; ++place)
    {
        const Box& box = boxes[place];
        if (!Finite(box))
            continue;
        left = std::min(left, box.minX);
        bottom = std::min(bottom, box.minY);
        right = std::max(right, box.maxX);
        top = std::max(top, box.maxY);
        extents += 0.5 * (static_cast<double>(box.maxX) - box.minX + static_cast<double>(box.maxY) - box.minY);
        ++finite;
    }
    originX = finite > 0 ? left : 0.0f;
    originY = finite > 0 ? bottom : 0.0f;
    const double width = finite > 0 ? static_cast<double>(right) - left : 0.0;
    const double height = finite > 0 ? static_cast<double>(top) - bottom : 0.0;
    double size = finite > 0 ? std::max(extents / static_cast<double>(finite), 1.0e-3) : 1.0;
    const double most = static_cast<double>(2 * count);
    const double wanted = std::ceil(width / size) * std::ceil(height / size);
    if (wanted > most)
        size *= std::sqrt(wanted / most);
    binsX = static_cast<int>(std::clamp(std::ceil(width / size), 1.0, static_cast<double>(MostBinsPerAxis)));
    binsY = static_cast<int>(std::clamp(std::ceil(height / size), 1.0, static_cast<double>(MostBinsPerAxis)));
    inverseBinSize = static_cast<float>(1.0 / size);
    const std::size_t cells = static_cast<std::size_t>(binsX) * static_cast<std::size_t>(binsY) * words;
    if (bins.size() < cells)
        bins.resize(cells);
    std::fill(bins.begin(), bins.begin() + static_cast<std::ptrdiff_t>(cells), 0);
    std::fill(everywhere.begin(), everywhere.begin() + static_cast<std::ptrdiff_t>(words), 0);
    for (std::size_t place = 0; place < count; ++place)
    {
        ranges[place] = RangeOf(boxes[place]);
        Enter(place);
    }
}

void CellPairIndex::Update(std::size_t place, const Box& box)
{
    SetBox(place, box);
    if (!binned)
        return;
    const BinRange range = RangeOf(boxes[place]);
    const BinRange& old = ranges[place];
    if (range.everywhere == old.everywhere && range.x0 == old.x0 && range.x1 == old.x1 && range.y0 == old.y0 &&
        range.y1 == old.y1)
        return;
    Leave(place);
    ranges[place] = range;
    Enter(place);
}

void CellPairIndex::Gather(const Box& box)
{
    const bool nan = std::isnan(box.minX) || std::isnan(box.minY) || std::isnan(box.maxX) || std::isnan(box.maxY);
    query = nan ? Box{-Infinity, -Infinity, Infinity, Infinity} : box;
    queryEverywhere = !binned || !Finite(query);
    if (queryEverywhere)
        return;
    const BinRange range = RangeOf(query);
    // A query over most of the cell is cheaper as a scan.
    if (static_cast<std::size_t>(range.x1 - range.x0 + 1) * static_cast<std::size_t>(range.y1 - range.y0 + 1) > count)
    {
        queryEverywhere = true;
        return;
    }
    std::copy(everywhere.begin(), everywhere.begin() + static_cast<std::ptrdiff_t>(words), gathered.begin());
    for (int y = range.y0; y <= range.y1; ++y)
        for (int x = range.x0; x <= range.x1; ++x)
        {
            const std::uint64_t* bin = Bin(x, y);
            for (std::size_t w = 0; w < words; ++w)
                gathered[w] |= bin[w];
        }
}

std::size_t CellPairIndex::NextCandidate(std::size_t after) const
{
    std::size_t place = after == None ? 0 : after + 1;
    if (queryEverywhere)
    {
        for (; place < count; ++place)
            if (Meets(query, boxes[place]))
                return place;
        return None;
    }
    while (place < count)
    {
        std::size_t word = place >> 6;
        std::uint64_t bits = gathered[word] & (~std::uint64_t{0} << (place & 63));
        while (bits == 0)
        {
            if (++word >= words)
                return None;
            bits = gathered[word];
        }
        place = word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
        if (place >= count)
            return None;
        if (Meets(query, boxes[place]))
            return place;
        ++place;
    }
    return None;
}
