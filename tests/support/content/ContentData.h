#pragma once
#include "support/content/ContentFinding.h"

#include "engine/core/Coordinator.h"

#include <rapidjson/document.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// One entity object of a data file, as written and as the engine builds it. Every file gets a
// world of its own, registered as the entry registers the game, in which its entities are built
// by the scene loader's own EntityFromJson (no behaviour is woken: nothing runs).
struct DataEntity
{
    std::string file;     // the file's label
    std::size_t index = 0; // position in the file's array
    std::string name;     // the Identifier "type"; empty when there is none
    const rapidjson::Value* json = nullptr;
    Coordinator* world = nullptr; // null when the engine could not build the entity
    Entity id = NO_ENTITY;

    bool Built() const { return world != nullptr; }
    // The built entity's component, or null (absent, or not built).
    template <class T>
    T* Get() const
    {
        return Built() ? world->GetComponent<T>(id) : nullptr;
    }
    // The built entity's behaviour when it is a T, else null.
    template <class T>
    std::shared_ptr<T> Behaviour() const
    {
        return Built() ? world->GetBehaviourAs<T>(id) : nullptr;
    }
    // The built entity's Identifier tags (none when not built).
    std::vector<std::string> Tags() const;
    bool HasTag(const std::string& tag) const;
    // The names listed in "Systems" (strings only).
    std::vector<std::string> Systems() const;
    bool ListsSystem(const std::string& system) const;
    // "entity \"<name>\"", or "entity <index>" for one without a name.
    std::string Label() const;
};

// One scene file or the prefab file.
struct DataFile
{
    std::string label; // "<folder>/<name>.json", as findings name it
    bool prefabFile = false;
    rapidjson::Document document;
    std::unique_ptr<Coordinator> world;
    std::vector<DataEntity> entities; // the well-formed entity objects, in file order
};

// The data under check: the scene files, then the prefab file.
struct ContentData
{
    std::vector<std::unique_ptr<DataFile>> files;

    std::vector<const DataFile*> Scenes() const;
    // Null when the prefab file could not be read.
    const DataFile* PrefabFile() const;
    // The first prefab of that name (the one the engine instantiates), or null.
    const DataEntity* FindPrefab(const std::string& name) const;
    // Every entity of every file.
    std::vector<const DataEntity*> Entities() const;
};

// "<folder>/<name>.json" of a path.
std::string DataFileLabel(const std::filesystem::path& path);

// Reads and builds the files. A file that cannot be read or parsed, a root without its array
// ("entities" for scenes, "prefab" for the prefab file), an element that is not an object, and
// an entity the engine cannot build (with the engine's complaint) are findings.
ContentData ReadContentData(const std::vector<std::filesystem::path>& scenes, const std::filesystem::path& prefabFile,
                            std::vector<ContentFinding>& findings);
