#include "support/content/EngineContentRules.h"

#include "engine/components/Animation.h"
#include "engine/components/Font.h"
#include "engine/components/Renderer.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"

#include <cstdio>
#include <regex>
#include <sstream>

namespace
{
const char* const IdentifierSystem = "sIdentifierSystem";
const char* const AnimatedTag = "ANIMATED";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// Shortest form: 1000, 2.5.
std::string Number(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// --- Entity rules -------------------------------------------------------------------------------

void IdentifierRule(const DataEntity& entity, ContentReport& report)
{
    if (Json::Find(*entity.json, "Identifier") == nullptr)
        report.Fault(entity, "has no Identifier, so nothing can find it by name or tag");
    if (!entity.ListsSystem(IdentifierSystem))
        report.Fault(entity, std::string("\"Systems\" does not list ") + IdentifierSystem +
                                 ", so no lookup by name or tag finds it");
}

void MembersRule(const DataEntity& entity, ContentReport& report)
{
    for (const auto& member : entity.json->GetObject())
    {
        const std::string key = member.name.GetString();
        if (key != "Behaviour" && key != "Systems" && report.Names().components.count(key) == 0)
            report.Fault(entity, "member " + Quoted(key) +
                                     " is neither a component, \"Behaviour\" nor \"Systems\"; the engine ignores it");
    }
}

void SystemsRule(const DataEntity& entity, ContentReport& report)
{
    for (const std::string& system : entity.Systems())
    {
        auto known = report.Names().systems.find(system);
        if (known == report.Names().systems.end())
        {
            report.Fault(entity, "\"Systems\" names " + system + ", which the engine does not register");
            continue;
        }
        for (const std::string& component : known->second)
            if (Json::Find(*entity.json, component.c_str()) == nullptr)
                report.Fault(entity, "lists " + system + " but has no " + component +
                                         ", so the engine leaves it out of that system");
    }
}

void RendererRule(const DataEntity& entity, ContentReport& report)
{
    const Renderer* renderer = entity.Get<Renderer>();
    if (renderer == nullptr)
        return;
    report.ExpectShaderProgram(entity, renderer->shaderName, "Renderer shaderName");
    // An animated entity draws its sheet; its textureName only has to be non-empty.
    if (entity.HasTag(AnimatedTag))
    {
        if (renderer->textureName.empty())
            report.Fault(entity, "is animated but its Renderer textureName is empty, so nothing is drawn");
    }
    else if (!renderer->textureName.empty())
    {
        report.ExpectTexture(entity, renderer->textureName, "Renderer textureName");
    }
}

void AnimationRule(const DataEntity& entity, ContentReport& report)
{
    const Animation* animation = entity.Get<Animation>();
    if (animation == nullptr)
        return;
    const std::string& tag = animation->AnimationTag;
    if (report.Names().animationTags.count(tag) == 0)
        report.Fault(entity, "Animation AnimationTag " + Quoted(tag) + " has no spritesheets among the generated assets");
    else if (Json::Find(Json::Object(*entity.json, "Animation"), "AnimationState") != nullptr)
        report.ExpectSpritesheet(entity, tag, animation->GetStateName(), "Animation AnimationState");
    if (entity.Get<Renderer>() != nullptr && !entity.HasTag(AnimatedTag))
        report.Fault(entity, "has an Animation but no \"ANIMATED\" tag, so the renderer never draws its frames");
    if (!tag.empty() && !entity.HasTag(tag))
        report.Fault(entity, "does not carry its AnimationTag " + Quoted(tag) +
                                 " among its tags, so the animation system never finds its frame delay");
}

void FontRule(const DataEntity& entity, ContentReport& report)
{
    const Font* font = entity.Get<Font>();
    if (font == nullptr)
        return;
    report.ExpectFont(entity, font->type, "Font type");
    for (const char c : font->message)
    {
        if (c >= ' ' && c <= '~')
            continue;
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(c));
        report.Fault(entity, std::string("Font message holds the character ") + code +
                                 ", which no glyph covers (only ' ' to '~' are made)");
    }
}

// Sound ids are built from audio file names; any text of that form is meant to be one.
void SoundIdsIn(const DataEntity& entity, const rapidjson::Value& value, const std::string& where, ContentReport& report)
{
    static const std::regex SoundId("^.+_(true|false)_(SFX|gameBGM)_$");
    if (value.IsString())
    {
        const std::string text = value.GetString();
        std::size_t start = 0;
        while (start <= text.size())
        {
            const std::size_t comma = std::min(text.find(',', start), text.size());
            const std::string piece = text.substr(start, comma - start);
            if (std::regex_match(piece, SoundId))
                report.ExpectSound(entity, piece, where);
            start = comma + 1;
        }
    }
    else if (value.IsObject())
    {
        for (const auto& member : value.GetObject())
            SoundIdsIn(entity, member.value, where.empty() ? member.name.GetString() : where + " " + member.name.GetString(),
                       report);
    }
    else if (value.IsArray())
    {
        for (const rapidjson::Value& element : value.GetArray())
            SoundIdsIn(entity, element, where, report);
    }
}

void SoundRule(const DataEntity& entity, ContentReport& report)
{
    SoundIdsIn(entity, *entity.json, "", report);
}

// --- Data rules ---------------------------------------------------------------------------------

void StartingSceneRule(ContentReport& report)
{
    const std::string startingScene = Coordinator().StartingLevel;
    for (const DataFile* scene : report.Data().Scenes())
        if (scene->label == startingScene)
            return;
    report.Fault(startingScene, "is the settings' default starting scene, but there is no such scene file");
}

void CameraRule(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        if (!scene->world)
            continue; // not readable: reported already
        const DataEntity* camera = nullptr;
        for (const DataEntity& entity : scene->entities)
            if (camera == nullptr && entity.name == "Camera")
                camera = &entity;
        if (camera == nullptr)
            report.Fault(scene->label, "has no entity named \"Camera\"; drawing and input need one");
        else if (Json::Find(*camera->json, "Transform") == nullptr)
            report.Fault(*camera, "has no Transform; drawing and input read the camera's position from it");
    }
}

void CursorOnTopRule(ContentReport& report)
{
    const DataEntity* cursor = report.Data().FindPrefab("Cursor");
    const Renderer* cursorRenderer = cursor == nullptr ? nullptr : cursor->Get<Renderer>();
    if (cursorRenderer == nullptr)
        return; // the prefab rule reports it
    for (const DataEntity* entity : report.Data().Entities())
    {
        const Renderer* renderer = entity->Get<Renderer>();
        if (entity == cursor || renderer == nullptr || renderer->layer < cursorRenderer->layer)
            continue;
        report.Fault(*entity, "Renderer layer " + Number(renderer->layer) + " is not below the Cursor's layer " +
                                  Number(cursorRenderer->layer) + ", so the cursor would not draw on top");
    }
}

std::string ClipName(int state)
{
    Animation animation;
    animation.AnimationState = state;
    return animation.GetStateName();
}

void CheckSpawnedPrefab(const SpawnedPrefab& wanted, ContentReport& report)
{
    const DataEntity* prefab = report.Data().FindPrefab(wanted.name);
    if (prefab == nullptr)
    {
        const DataFile* file = report.Data().PrefabFile();
        report.Fault(file == nullptr ? "Prefab.json" : file->label,
                     "has no prefab " + Quoted(wanted.name) + ", which " + wanted.spawnedBy + " instantiates");
        return;
    }
    for (const std::string& component : wanted.components)
        if (Json::Find(*prefab->json, component.c_str()) == nullptr)
            report.Fault(*prefab, "has no " + component + ", which " + wanted.spawnedBy + " needs");
    if (!wanted.behaviour.empty())
    {
        const rapidjson::Value* behaviour = Json::Find(*prefab->json, "Behaviour");
        const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
        if (name == nullptr || !name->IsString() || name->GetString() != wanted.behaviour)
            report.Fault(*prefab, "needs the behaviour " + wanted.behaviour + " (" + wanted.spawnedBy + ")");
    }
    const Animation* animation = prefab->Get<Animation>();
    if (animation == nullptr)
        return;
    if (!wanted.animationTag.empty() && animation->AnimationTag != wanted.animationTag)
        report.Fault(*prefab, "Animation AnimationTag must be " + Quoted(wanted.animationTag) + " (" +
                                  wanted.spawnedBy + ")");
    if (!wanted.clip.empty())
        report.ExpectSpritesheet(*prefab, animation->AnimationTag, wanted.clip, wanted.spawnedBy);
}
}

void RequirePrefab(ContentCheck& check, SpawnedPrefab prefab)
{
    check.AddDataRule([prefab = std::move(prefab)](ContentReport& report) { CheckSpawnedPrefab(prefab, report); });
}

void AddEngineRules(ContentCheck& check)
{
    check.AddEntityRule(IdentifierRule);
    check.AddEntityRule(MembersRule);
    check.AddEntityRule(SystemsRule);
    check.AddEntityRule(RendererRule);
    check.AddEntityRule(AnimationRule);
    check.AddEntityRule(FontRule);
    check.AddEntityRule(SoundRule);
    check.AddDataRule(StartingSceneRule);
    check.AddDataRule(CameraRule);
    check.AddDataRule(CursorOnTopRule);

    // The input system moves it and scales its sprite with the zoom.
    RequirePrefab(check, {"Cursor", "the scene loader (after every scene load)", {"Transform", "Renderer"}, "", "", ""});
    // SpawnOneShot places the effect, starts the clip and draws it animated; bOneShot removes it
    // when the clip has ended, which only "ONESHOT" sheets report.
    const struct
    {
        const char* prefab;
        int state;
    } oneShots[] = {{"OneshotExplosion", 7}, {"OneshotEnemyDamage", 12}, {"OneshotEnemyDeath", 13}, {"OneshotSparks", 15}};
    for (const auto& oneShot : oneShots)
        RequirePrefab(check, {oneShot.prefab, "SpawnOneShot", {"Transform", "Renderer", "Animation"}, "bOneShot",
                              "ONESHOT", ClipName(oneShot.state)});
}

GameContentPaths GameContent()
{
    return {std::filesystem::path(DUSKVANE_SOURCE_DIR) / "Resources", std::filesystem::path(DUSKVANE_BUILD_DIR)};
}

ContentCheck EngineContentCheck(const std::filesystem::path& assetRoot)
{
    ContentCheck check(ReadContentNames(assetRoot));
    AddEngineRules(check);
    return check;
}
