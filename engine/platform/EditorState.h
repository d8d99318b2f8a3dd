#pragma once
#include "engine/core/EngineTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class Coordinator;

// One line of the editor's outliner: an entity by name, with the names of its children.
struct HierarchyRecord
{
    std::string name;
    Entity entity = 0;
    std::uint8_t flags = 0;
    std::vector<std::string> children;
    bool isChild = false;
};

// What an in-game editor keeps about the scene (only the parts the engine's hooks touch).
// The game never creates one, so the hooks that test for it stay dormant.
struct EditorState
{
    Coordinator* coordinator = nullptr;
    std::vector<HierarchyRecord> hierarchy;
};

// The editor of this run, or null (always null in the game).
EditorState*& EditorStateInstance();
