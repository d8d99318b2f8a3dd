#pragma once
#include <ostream>
#include <string>

// One fault in the game's data: where it is and what is wrong.
struct ContentFinding
{
    std::string file;    // the data file, as "<folder>/<name>.json"
    std::string entity;  // "entity \"Logo\"", "entity 3" for one without a name, or empty
    std::string problem; // what is missing or wrong

    // "<file>, <entity>: <problem>" (the entity part only when there is one).
    std::string Text() const;
};

// GoogleTest prints findings through this.
std::ostream& operator<<(std::ostream& out, const ContentFinding& finding);
