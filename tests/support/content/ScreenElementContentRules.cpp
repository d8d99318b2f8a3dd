#include "support/content/ScreenElementContentRules.h"

#include "engine/core/Json.h"
#include "game/definitions/ButtonActions.h"
#include "game/definitions/GameStates.h"
#include "game/definitions/ImageEffects.h"
#include "game/definitions/ObjectiveTypes.h"
#include "game/definitions/Orientations.h"
#include "game/definitions/SettingKeys.h"
#include "game/definitions/TextEffects.h"
#include "game/definitions/WeaponTypes.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"

#include <algorithm>
#include <map>

namespace
{
const std::string TextClass = "bFontBehaviour";
const std::string ImageClass = "bImageBehaviour";
const std::string ButtonClass = "bUIButtonBehaviour";
const std::string RendererSystem = "sRendererSystem";
const std::string FontSystem = "sFontSystem";
const std::string CollisionSystem = "sPhysicsCollision";
const std::string MovementSystem = "sPhysicsMovement";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

const rapidjson::Value* BehaviourData(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    return behaviour != nullptr && behaviour->IsObject() ? behaviour : nullptr;
}

std::string BehaviourClass(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = BehaviourData(entity);
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : "";
}

// --- Words of the name tables -----------------------------------------------------------------------

template <class Code>
bool InTable(const NameTable<Code>& table, const std::string& word)
{
    return table.Find(word).has_value();
}

// The figures a text can show ("Data"); the empty text shows none.
bool IsFigure(const std::string& word)
{
    static const std::set<std::string> figures = {"",          "Health_Packs",  "Ammo_Clip",   "Ammo_Total",
                                                  "Grenade_Count", "Molotov_Count", "Zombie_Count"};
    return figures.count(word) != 0;
}

struct NamedKey
{
    const char* behaviour;
    const char* key;
    const char* words; // what the words are, for the message
    bool (*known)(const std::string& word);
};

const NamedKey NamedKeys[] = {
    {"bFontBehaviour", "FontFX", "TextEffects", [](const std::string& w) { return InTable(TextEffects(), w); }},
    {"bFontBehaviour", "Data", "figures a text shows", IsFigure},
    {"bImageBehaviour", "ImageFX", "ImageEffects", [](const std::string& w) { return InTable(ImageEffects(), w); }},
    {"bImageBehaviour", "QueueToFX", "ImageEffects", [](const std::string& w) { return InTable(ImageEffects(), w); }},
    {"bUIButtonBehaviour", "ImageFX", "ImageEffects", [](const std::string& w) { return InTable(ImageEffects(), w); }},
    {"bUIButtonBehaviour", "UniqueBehaviour", "ButtonActions",
     [](const std::string& w) { return InTable(ButtonActions(), w); }},
    {"bUIButtonBehaviour", "ChangeGameState", "GameStates", [](const std::string& w) { return InTable(GameStates(), w); }},
    {"bUIButtonBehaviour", "SliderType", "Orientations", [](const std::string& w) { return InTable(Orientations(), w); }},
    {"bUIButtonBehaviour", "SliderBehaviour", "SettingKeys", [](const std::string& w) { return InTable(SettingKeys(), w); }},
    {"bPlayerBehaviour", "Weapon", "WeaponTypes", [](const std::string& w) { return InTable(WeaponTypes(), w); }},
    {"bGameLogic", "GameObjective", "ObjectiveTypes", [](const std::string& w) { return InTable(ObjectiveTypes(), w); }},
};

void CheckWord(const DataEntity& entity, const NamedKey& named, const rapidjson::Value& word, ContentReport& report)
{
    // Other types are the JSON error, reported when the entity was built.
    if (!word.IsString() || named.known(word.GetString()))
        return;
    report.Fault(entity, std::string("Behaviour ") + Quoted(named.key) + " names " + Quoted(word.GetString()) +
                             ", which is not one of the " + named.words + ", so the game ignores it");
}

void NamedKeysRule(const DataEntity& entity, ContentReport& report)
{
    const rapidjson::Value* behaviour = BehaviourData(entity);
    if (behaviour == nullptr)
        return;
    const std::string behaviourClass = BehaviourClass(entity);
    for (const NamedKey& named : NamedKeys)
    {
        const rapidjson::Value* value = Json::Find(*behaviour, named.key);
        if (behaviourClass != named.behaviour || value == nullptr)
            continue;
        if (value->IsArray())
            for (const rapidjson::Value& word : value->GetArray())
                CheckWord(entity, named, word, report);
        else
            CheckWord(entity, named, *value, report);
    }
}

// --- Components -------------------------------------------------------------------------------------

// The systems the element joins when it is shown.
std::vector<std::string> SystemsWhenShown(const DataEntity& entity)
{
    if (entity.Behaviour<bFontBehaviour>())
        return {FontSystem, RendererSystem};
    if (const auto image = entity.Behaviour<bImageBehaviour>())
        return image->RotationForce != 0.0f ? std::vector<std::string>{RendererSystem, MovementSystem}
                                            : std::vector<std::string>{RendererSystem};
    if (const auto button = entity.Behaviour<bUIButtonBehaviour>())
        return button->IsInvisible ? std::vector<std::string>{CollisionSystem}
                                   : std::vector<std::string>{RendererSystem, CollisionSystem};
    return {};
}

void ComponentsRule(const DataEntity& entity, ContentReport& report)
{
    for (const std::string& system : SystemsWhenShown(entity))
    {
        const auto needs = report.Names().systems.find(system);
        if (needs == report.Names().systems.end())
            continue;
        for (const std::string& component : needs->second)
            if (Json::Find(*entity.json, component.c_str()) == nullptr)
                report.Fault(entity, "has a " + BehaviourClass(entity) + ", which joins " + system +
                                         " when shown, but no " + component);
    }
    if (entity.Behaviour<bUIButtonBehaviour>() && !entity.HasTag("UIBUTTON"))
        report.Fault(entity, "has a bUIButtonBehaviour but no \"UIBUTTON\" tag, so the cursor never picks it");
}

// --- Spawned during play ----------------------------------------------------------------------------

// Every prefab spawned during play by name: the code's list, then those the data names.
std::map<std::string, PlaySpawnedPrefab> DuringPlay(const std::vector<PlaySpawnedPrefab>& listed, const ContentData& data)
{
    std::map<std::string, PlaySpawnedPrefab> spawned;
    for (const PlaySpawnedPrefab& prefab : listed)
        spawned.emplace(prefab.name, prefab);
    auto add = [&](const rapidjson::Value& name, const std::string& spawnedBy) {
        if (name.IsString())
            spawned.emplace(name.GetString(), PlaySpawnedPrefab{name.GetString(), spawnedBy, {}});
    };
    for (const DataEntity* entity : data.Entities())
    {
        const rapidjson::Value* behaviour = BehaviourData(*entity);
        if (behaviour == nullptr)
            continue;
        const std::string behaviourClass = BehaviourClass(*entity);
        const std::string where = entity->Label() + " of " + entity->file;
        const rapidjson::Value* onDestroy = Json::Find(*behaviour, "OnDestroy");
        if (onDestroy != nullptr && behaviourClass == "bTargetableObjects" && onDestroy->IsArray())
            for (const rapidjson::Value& name : onDestroy->GetArray())
                add(name, "the destruction of " + where);
        if (onDestroy != nullptr && behaviourClass == "bExplosives")
            add(*onDestroy, "the explosion of " + where);
        const rapidjson::Value* changeType = Json::Find(*behaviour, "ChangeType");
        const rapidjson::Value* changeTarget = Json::Find(*behaviour, "ChangeTarget");
        if (behaviourClass == "bLogoDisplay" && changeType != nullptr && changeType->IsInt() &&
            changeType->GetInt() == 1 && changeTarget != nullptr)
            add(*changeTarget, "the logo display of " + where);
    }
    return spawned;
}

bool IsTrue(const rapidjson::Value& value, const rapidjson::Value&)
{
    return value.IsTrue();
}

bool IsNotTrue(const rapidjson::Value& value, const rapidjson::Value&)
{
    return !value.IsTrue();
}

bool IsNonEmptyText(const rapidjson::Value& value, const rapidjson::Value&)
{
    return value.IsString() && value.GetStringLength() != 0;
}

bool IsNonZeroNumber(const rapidjson::Value& value, const rapidjson::Value&)
{
    return value.IsNumber() && value.GetDouble() != 0.0;
}

// An image effect that Start prepares (base position, fade speed, slide speed and limit, base
// scale).
bool IsPreparedImageEffect(const rapidjson::Value& value, const rapidjson::Value&)
{
    static const std::set<std::string> prepared = {"UpAndDown", "FadeTo", "VerticalSlide", "ZoomInAndOut"};
    return value.IsString() && prepared.count(value.GetString()) != 0;
}

bool IsFade(const rapidjson::Value& value, const rapidjson::Value&)
{
    return value.IsString() && std::string(value.GetString()) == "FadeTo";
}

// A typewriter takes its full text at Start; a flash bound to a low figure is stashed there.
bool IsPreparedTextEffect(const rapidjson::Value& value, const rapidjson::Value& behaviour)
{
    if (!value.IsString())
        return false;
    const std::string effect = value.GetString();
    const rapidjson::Value* threshold = Json::Find(behaviour, "DataFXThreshold");
    return effect == "Typewriter" ||
           (effect == "Flashing" && threshold != nullptr && threshold->IsNumber() && threshold->GetDouble() != 0.0);
}

struct StartTimeKey
{
    const std::string& behaviour;
    const char* key;
    const char* usedBy; // "Awake" or "Start"
    bool (*acts)(const rapidjson::Value& value, const rapidjson::Value& behaviour);
};

// Keys whose value would change what Awake or Start do (values equal to the default change
// nothing and are not flagged).
const StartTimeKey StartTimeKeys[] = {
    {TextClass, "OnInitialScreen", "Start", IsTrue},
    {TextClass, "BindToCamera", "Awake", IsTrue},
    {TextClass, "BindTo", "Start", IsNonEmptyText},
    {TextClass, "DataFromEntity", "Start", IsNonEmptyText},
    {TextClass, "QueueToEntity", "Start", IsNonEmptyText},
    {TextClass, "FontFX", "Start", IsPreparedTextEffect},
    {ImageClass, "OnInitialScreen", "Start", IsNotTrue},
    {ImageClass, "BindToCamera", "Awake", IsTrue},
    {ImageClass, "BindTo", "Start", IsNonEmptyText},
    {ImageClass, "QueueToEntity", "Start", IsNonEmptyText},
    {ImageClass, "ImageFX", "Start", IsPreparedImageEffect},
    {ImageClass, "RotationForce", "Start", IsNonZeroNumber},
    {ButtonClass, "OnInitialScreen", "Start", IsTrue},
    {ButtonClass, "BindToCamera", "Awake", IsTrue},
    {ButtonClass, "MainScreen", "Start", IsNonEmptyText},
    {ButtonClass, "SubScreen", "Start", IsNonEmptyText},
    {ButtonClass, "BindTo", "Start", IsNonEmptyText},
    {ButtonClass, "AffectEntity", "Start", IsNonEmptyText},
    {ButtonClass, "QueueToEntity", "Start", IsNonEmptyText},
    {ButtonClass, "AffectSliders", "Start", IsNonEmptyText},
    {ButtonClass, "ImageFX", "Start", IsFade},
    {ButtonClass, "FXDuration", "Start", IsNonZeroNumber},
};

void StartTimeKeysOf(const PlaySpawnedPrefab& spawned, const DataEntity& prefab, ContentReport& report)
{
    const rapidjson::Value* behaviour = BehaviourData(prefab);
    if (behaviour == nullptr)
        return;
    const std::string behaviourClass = BehaviourClass(prefab);
    for (const StartTimeKey& startKey : StartTimeKeys)
    {
        const rapidjson::Value* value = Json::Find(*behaviour, startKey.key);
        if (behaviourClass != startKey.behaviour || value == nullptr || !startKey.acts(*value, *behaviour) ||
            spawned.keysTheSpawnerApplies.count(startKey.key) != 0)
            continue;
        report.Fault(prefab, "is spawned during play by " + spawned.spawnedBy +
                                 ": its behaviour wakes and starts before its data is read, so Behaviour " +
                                 Quoted(startKey.key) + " (used by " + startKey.usedBy + ") does nothing");
    }
}

// --- Hidden at start --------------------------------------------------------------------------------

// Whether the element starts hidden. An element spawned during play starts with its class's
// own default, whatever its data says.
bool StartsHidden(const DataEntity& entity, bool spawnedDuringPlay)
{
    if (const auto text = entity.Behaviour<bFontBehaviour>())
        return spawnedDuringPlay ? !bFontBehaviour().OnInitialScreen : !text->OnInitialScreen;
    if (const auto image = entity.Behaviour<bImageBehaviour>())
        return spawnedDuringPlay ? !bImageBehaviour().OnInitialScreen : !image->OnInitialScreen;
    if (const auto button = entity.Behaviour<bUIButtonBehaviour>())
        return spawnedDuringPlay ? !bUIButtonBehaviour().OnInitialScreen : !button->OnInitialScreen;
    return false;
}

void HiddenAtStartRule(const DataEntity& entity, bool spawnedDuringPlay, ContentReport& report)
{
    if (!StartsHidden(entity, spawnedDuringPlay))
        return;
    const std::string why = spawnedDuringPlay ? "is spawned during play, so it starts hidden whatever its "
                                                "\"OnInitialScreen\" says,"
                                              : "starts hidden (\"OnInitialScreen\" is not true)";
    for (const std::string& system : {RendererSystem, FontSystem})
        if (entity.ListsSystem(system))
            report.Fault(entity, why + " but \"Systems\" lists " + system +
                                     ", so it is drawn while hidden until it is first shown");
}

void SpawnedElementsRule(const std::vector<PlaySpawnedPrefab>& listed, ContentReport& report)
{
    const std::map<std::string, PlaySpawnedPrefab> duringPlay = DuringPlay(listed, report.Data());
    for (const DataEntity* entity : report.Data().Entities())
    {
        const DataFile* prefabs = report.Data().PrefabFile();
        const bool isPrefab = prefabs != nullptr && entity->file == prefabs->label;
        // The engine spawns the first prefab of a name.
        const auto spawned = duringPlay.find(entity->name);
        const bool spawnedDuringPlay =
            isPrefab && spawned != duringPlay.end() && report.Data().FindPrefab(entity->name) == entity;
        HiddenAtStartRule(*entity, spawnedDuringPlay, report);
        if (spawnedDuringPlay)
            StartTimeKeysOf(spawned->second, *entity, report);
    }
}
}

const std::vector<PlaySpawnedPrefab>& PrefabsSpawnedDuringPlay()
{
    static const std::vector<PlaySpawnedPrefab> prefabs = {
        // The character binds the icon to itself.
        {"Danger_Icon", "bCharacterBehaviour::ShowDangerIcon", {"BindTo"}},
        // The soldier binds the icon to itself.
        {"Plus_Icon", "a soldier's heal or health pickup", {"BindTo"}},
        // The area repeats the image's effect set-up for the marker's place.
        {"Fire_AOE_Indicator", "a burning damage area", {"ImageFX"}},
        {"Grenade", "a soldier's throw", {}},
        {"Molotov", "a soldier's throw", {}},
        {"Spit_Puddle", "a spitting zombie", {}},
        {"SpitterExplosion", "a spitting zombie's death", {}},
        {"ExplosionLight", "an explosion", {}},
        {"Ammo_Drop", "a death's drops", {}},
        {"Health_Pack", "a death's drops", {}},
        {"Grenade_Pickup", "a soldier's death", {}},
        {"Molotov_Pickup", "a soldier's death", {}},
        {"OneshotExplosion", "SpawnOneShot", {}},
        {"OneshotEnemyDamage", "SpawnOneShot", {}},
        {"OneshotEnemyDeath", "SpawnOneShot", {}},
        {"OneshotSparks", "SpawnOneShot", {}},
        // Instantiated after the scene's Awake and Start have run.
        {"Cursor", "the scene loader", {}},
    };
    return prefabs;
}

void AddScreenElementRules(ContentCheck& check, std::vector<PlaySpawnedPrefab> spawnedDuringPlay)
{
    check.AddEntityRule(NamedKeysRule);
    check.AddEntityRule(ComponentsRule);
    check.AddDataRule([listed = std::move(spawnedDuringPlay)](ContentReport& report) {
        SpawnedElementsRule(listed, report);
    });
}
