#include "support/content/ContentData.h"

#include "engine/components/Identifier.h"
#include "engine/core/Assert.h"
#include "engine/core/GameStartUp.h"
#include "engine/core/Json.h"
#include "engine/platform/SceneFile.h"

#include <gtest/gtest.h>
#include <rapidjson/error/en.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
std::string LastLine(const std::string& text)
{
    std::istringstream lines(text);
    std::string line;
    std::string last;
    while (std::getline(lines, line))
        if (!line.empty())
            last = line;
    return last;
}

// Builds the entity as the scene loader does. The engine's complaint is an assert (the JSON
// error names the file and key on stderr only); it becomes the finding's text.
bool Build(DataFile& file, DataEntity& entity, std::vector<ContentFinding>& findings)
{
    const bool errorFlag = ErrorFlag();
    std::string complaint;
    testing::internal::CaptureStderr();
    try
    {
        JsonFileScope scope(file.label);
        entity.id = EntityFromJson(*file.world, *entity.json);
    }
    catch (const std::exception& error)
    {
        complaint = error.what();
    }
    const std::string stderrText = testing::internal::GetCapturedStderr();
    // A complaint found here is a finding, not the end of the program.
    ErrorFlag() = errorFlag;
    if (complaint.empty())
    {
        entity.world = file.world.get();
        return true;
    }
    const std::string detail = LastLine(stderrText);
    findings.push_back({file.label, entity.Label(),
                        "the engine cannot build it: " + complaint + (detail.empty() ? "" : " (" + detail + ")")});
    return false;
}

std::string NameInJson(const rapidjson::Value& object)
{
    const rapidjson::Value* identifier = Json::Find(object, "Identifier");
    const rapidjson::Value* type = identifier == nullptr ? nullptr : Json::Find(*identifier, "type");
    return type != nullptr && type->IsString() ? type->GetString() : "";
}

std::unique_ptr<DataFile> ReadFile(const fs::path& path, bool prefabFile, std::vector<ContentFinding>& findings)
{
    auto file = std::make_unique<DataFile>();
    file->label = DataFileLabel(path);
    file->prefabFile = prefabFile;
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
    {
        findings.push_back({file->label, "", "cannot be opened"});
        return file;
    }
    std::stringstream text;
    text << stream.rdbuf();
    file->document.Parse(text.str().c_str());
    if (file->document.HasParseError())
    {
        findings.push_back({file->label, "",
                            std::string("does not parse: ") + rapidjson::GetParseError_En(file->document.GetParseError()) +
                                " at offset " + std::to_string(file->document.GetErrorOffset())});
        return file;
    }
    const char* arrayKey = prefabFile ? "prefab" : "entities";
    const rapidjson::Value* entities = Json::Find(file->document, arrayKey);
    if (entities == nullptr || !entities->IsArray())
    {
        findings.push_back({file->label, "", std::string("has no \"") + arrayKey + "\" array"});
        return file;
    }
    file->world = std::make_unique<Coordinator>();
    RegisterEngine(*file->world);
    for (rapidjson::SizeType i = 0; i < entities->Size(); ++i)
    {
        DataEntity entity;
        entity.file = file->label;
        entity.index = i;
        entity.json = &(*entities)[i];
        if (!entity.json->IsObject())
        {
            findings.push_back({file->label, entity.Label(), std::string("\"") + arrayKey + "\" element is not an object"});
            continue;
        }
        entity.name = NameInJson(*entity.json);
        Build(*file, entity, findings);
        file->entities.push_back(entity);
    }
    return file;
}
}

std::vector<std::string> DataEntity::Tags() const
{
    const Identifier* identifier = Get<Identifier>();
    return identifier == nullptr ? std::vector<std::string>{} : identifier->tags;
}

bool DataEntity::HasTag(const std::string& tag) const
{
    const std::vector<std::string> tags = Tags();
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

std::vector<std::string> DataEntity::Systems() const
{
    std::vector<std::string> names;
    const rapidjson::Value* systems = Json::Find(*json, "Systems");
    if (systems == nullptr || !systems->IsArray())
        return names;
    for (const rapidjson::Value& name : systems->GetArray())
        if (name.IsString())
            names.emplace_back(name.GetString());
    return names;
}

bool DataEntity::ListsSystem(const std::string& system) const
{
    const std::vector<std::string> names = Systems();
    return std::find(names.begin(), names.end(), system) != names.end();
}

std::string DataEntity::Label() const
{
    return name.empty() ? "entity " + std::to_string(index) : "entity \"" + name + "\"";
}

std::vector<const DataFile*> ContentData::Scenes() const
{
    std::vector<const DataFile*> scenes;
    for (const auto& file : files)
        if (!file->prefabFile)
            scenes.push_back(file.get());
    return scenes;
}

const DataFile* ContentData::PrefabFile() const
{
    for (const auto& file : files)
        if (file->prefabFile)
            return file.get();
    return nullptr;
}

const DataEntity* ContentData::FindPrefab(const std::string& name) const
{
    const DataFile* prefabs = PrefabFile();
    if (prefabs == nullptr)
        return nullptr;
    for (const DataEntity& entity : prefabs->entities)
        if (entity.name == name)
            return &entity;
    return nullptr;
}

std::vector<const DataEntity*> ContentData::Entities() const
{
    std::vector<const DataEntity*> entities;
    for (const auto& file : files)
        for (const DataEntity& entity : file->entities)
            entities.push_back(&entity);
    return entities;
}

std::string DataFileLabel(const fs::path& path)
{
    return (path.parent_path().filename() / path.filename()).generic_string();
}

ContentData ReadContentData(const std::vector<fs::path>& scenes, const fs::path& prefabFile,
                            std::vector<ContentFinding>& findings)
{
    ContentData data;
    for (const fs::path& scene : scenes)
        data.files.push_back(ReadFile(scene, false, findings));
    data.files.push_back(ReadFile(prefabFile, true, findings));
    return data;
}
