#include "engine/platform/PrefabFile.h"

#include "engine/core/Assert.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/platform/SceneFile.h"
#include "engine/platform/native/CaseInsensitivePath.h"
#include "engine/systems/sIdentifierSystem.h"

#include <fstream>
#include <sstream>

namespace
{
struct PrefabCache
{
    std::string path;
    std::string text;
    rapidjson::Document document;
    std::string problem;
    bool parsed = false;
};

PrefabCache& Cache()
{
    static PrefabCache cache;
    return cache;
}

// The cached file, read and parsed at the first call.
PrefabCache& LoadedCache(Coordinator& coordinator)
{
    PrefabCache& cache = Cache();
    if (!cache.parsed)
    {
        if (cache.text.empty())
            LoadPrefabFile(coordinator.PrefabPath);
        cache.problem = Json::ParseText(cache.text, cache.document);
        cache.parsed = true;
    }
    return cache;
}

// The "prefab" array; the caller holds the file's JsonFileScope.
const rapidjson::Value& Entries(const PrefabCache& cache)
{
    if (!cache.problem.empty())
        JsonAssertFail(cache.problem);
    return Json::Array(cache.document, "prefab");
}

std::string PrefabName(const rapidjson::Value& entry)
{
    if (!entry.IsObject())
        Json::Error("prefab", "entries must be objects");
    return Json::String(Json::Object(entry, "Identifier"), "type");
}
}

Entity InstantiatePrefab(Coordinator& coordinator, const std::string& name)
{
    PrefabCache& cache = LoadedCache(coordinator);
    {
        JsonFileScope scope(cache.path);
        for (const rapidjson::Value& entry : Entries(cache).GetArray())
        {
            if (PrefabName(entry) != name)
                continue;
            const Entity entity = EntityFromJson(coordinator, entry);
            coordinator.GetSystem<sIdentifierSystem>()->MakeNamesUnique(coordinator);
            return entity;
        }
    }
    Assert("PREFAB " + name + "NOT FOUND");
}

std::vector<std::string> GetPrefabNames(Coordinator& coordinator)
{
    PrefabCache& cache = LoadedCache(coordinator);
    JsonFileScope scope(cache.path);
    std::vector<std::string> names;
    for (const rapidjson::Value& entry : Entries(cache).GetArray())
        names.push_back(PrefabName(entry));
    return names;
}

void LoadPrefabFile(const std::string& path)
{
    PrefabCache& cache = Cache();
    cache.path = ResolvePathIgnoringCase(path);
    std::ifstream file(cache.path, std::ios::binary);
    if (!file)
    {
        JsonFileScope scope(cache.path);
        JsonAssertFail("cannot be opened");
    }
    std::stringstream text;
    text << file.rdbuf();
    cache.text = text.str();
}

void ResetPrefabCache()
{
    PrefabCache& cache = Cache();
    cache.path.clear();
    cache.text.clear();
    cache.document = rapidjson::Document();
    cache.problem.clear();
    cache.parsed = false;
}
