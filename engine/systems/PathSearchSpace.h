#pragma once
#include "engine/systems/PathSearch.h"

#include <cstdint>
#include <vector>

// The working arrays of the path searches over one grid, kept from search to search: once they
// have grown to the grid, a search allocates nothing but the cells of the path it returns.
//
// What a search knows of a cell is stamped with the search it belongs to, so nothing is cleared
// between searches. The open list is a row of buckets, one per f; within a bucket the nodes keep
// the order of the list the search is defined by (see FindPath): nodes that join in front of the
// list come first, newest batch first and each batch in the order it was found, and nodes whose f
// dropped come after them, in the order they dropped.
class PathSearchSpace
{
public:
    // The search FindPath describes, on a map of columns by rows cells; start and goal lie inside
    // and the goal is not blocked. Fills path (which the caller has emptied) or leaves it empty.
    void Run(const std::vector<char>& map, int columns, int rows, Cell start, Cell goal, Path& path);

private:
    enum : std::uint8_t
    {
        Open,
        Closed
    };
    // An open-list entry, linked to the next of its bucket's front or back part (-1 ends it).
    struct Entry
    {
        int cell;
        int key;
        int next;
    };
    // A bucket's front part is a stack (the newest joiners first), its back part a queue.
    struct Bucket
    {
        int front = -1;
        int back = -1;
        int backLast = -1;
    };
    struct Dropped
    {
        int oldF;
        int oldKey;
        int cell;
    };

    void Begin(std::size_t cells);
    bool Seen(int cell) const { return stamp[static_cast<std::size_t>(cell)] == search; }
    void Expand(int current);
    void Admit();
    void Push(int cell, int key, bool inFront);
    int PopOpen();

    const std::vector<char>* map = nullptr;
    int columns = 0;
    int rows = 0;
    Cell goal;

    std::uint32_t search = 0;
    std::vector<std::uint32_t> stamp;
    std::vector<std::uint8_t> state;
    std::vector<int> g;
    std::vector<int> h;
    std::vector<int> parent;
    std::vector<int> key;
    static constexpr std::size_t NoBucket = static_cast<std::size_t>(-1);
    std::vector<Entry> entries;
    std::vector<Bucket> buckets;
    // The first bucket that may hold an open node, and the range of buckets this search used.
    std::size_t lowest = NoBucket;
    std::size_t firstUsed = NoBucket;
    std::size_t lastUsed = 0;
    std::vector<int> joined;
    std::vector<Dropped> dropped;
    int lowestKey = 0;
    int highestKey = 1;
};
