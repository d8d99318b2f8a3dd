#include "support/content/LevelLayoutContentRules.h"
#include "support/PathMap.h"

#include "engine/components/Identifier.h"
#include "engine/components/PhysicsCollision.h"
#include "engine/components/Transform.h"
#include "engine/core/Json.h"
#include "engine/platform/AssetScan.h"
#include "engine/systems/GridSpec.h"
#include "game/squad/bPlayerBehaviour.h"
#include "game/squad/bUniqueGrid.h"
#include "support/content/WorkingDirectory.h"
#include "support/content/EngineContentRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// The collision world of the entry (its broadphase rectangle).
constexpr float WorldMinX = -630.0f;
constexpr float WorldMinY = -700.0f;
constexpr float WorldMaxX = 3250.0f;
constexpr float WorldMaxY = 1440.0f;

const std::set<std::string> ZombieClasses = {"bZombieBehaviour", "bChargerZombie", "bSpitterZombie"};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string Number(float value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string BehaviourName(const DataEntity& entity)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    const rapidjson::Value* name = behaviour == nullptr ? nullptr : Json::Find(*behaviour, "NameOfThisBehaviour");
    return name != nullptr && name->IsString() ? name->GetString() : std::string();
}

// A member of the entity's "Behaviour" object, or null.
const rapidjson::Value* BehaviourMember(const DataEntity& entity, const char* key)
{
    const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour");
    return behaviour == nullptr ? nullptr : Json::Find(*behaviour, key);
}

float BehaviourNumber(const DataEntity& entity, const char* key, float otherwise)
{
    const rapidjson::Value* value = BehaviourMember(entity, key);
    return value != nullptr && value->IsNumber() ? value->GetFloat() : otherwise;
}

// A comma-separated list of names, as doors name their lights.
std::vector<std::string> BehaviourNames(const DataEntity& entity, const char* key)
{
    std::vector<std::string> names;
    const rapidjson::Value* value = BehaviourMember(entity, key);
    if (value == nullptr || !value->IsString())
        return names;
    std::string text = value->GetString();
    std::size_t from = 0;
    while (from <= text.size())
    {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        if (comma > from)
            names.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    return names;
}

bool IsZombie(const DataEntity& entity)
{
    return ZombieClasses.count(BehaviourName(entity)) != 0;
}

struct Box
{
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;

    bool Overlaps(const Box& other) const
    {
        return minX < other.maxX && other.minX < maxX && minY < other.maxY && other.minY < maxY;
    }
    bool Inside(float left, float bottom, float right, float top) const
    {
        return minX >= left && minY >= bottom && maxX <= right && maxY <= top;
    }
    std::string Text() const
    {
        return "(" + Number(minX) + ", " + Number(minY) + ") to (" + Number(maxX) + ", " + Number(maxY) + ")";
    }
};

// The collider's box as the engine places it: at the position plus the offset, with width and
// height exchanged at a quarter turn (unless the path grid's build already exchanged them).
std::optional<Box> ColliderBox(const DataEntity& entity)
{
    const Transform* transform = entity.Get<Transform>();
    const PhysicsCollision* collision = entity.Get<PhysicsCollision>();
    if (transform == nullptr || collision == nullptr)
        return std::nullopt;
    Vector2 size = collision->shapeData.size;
    const bool quarterTurn = transform->rotation == 1.5707964f || transform->rotation == 4.712389f;
    if (quarterTurn && !collision->extentsSwapped)
        std::swap(size.x, size.y);
    const float x = transform->position.x + collision->offset.x;
    const float y = transform->position.y + collision->offset.y;
    return Box{x - size.x * 0.5f, y - size.y * 0.5f, x + size.x * 0.5f, y + size.y * 0.5f};
}

bool IsObstacle(const DataEntity& entity)
{
    const PhysicsCollision* collision = entity.Get<PhysicsCollision>();
    return collision != nullptr && !collision->isTrigger && !collision->isMovable &&
           (entity.HasTag("WALL") || entity.HasTag("DOOR") || entity.HasTag("UNPATHABLE"));
}

// What a squad must be able to walk to: itself, the zombies, the pickups, the tutorial's trigger.
bool IsDestination(const DataEntity& entity)
{
    return BehaviourName(entity) == "bPlayerBehaviour" || IsZombie(entity) || entity.HasTag("ENEMY") ||
           entity.HasTag("PICKUP") || entity.HasTag("TUTOR9");
}

std::vector<const DataEntity*> Soldiers(const DataFile& scene)
{
    std::vector<const DataEntity*> soldiers;
    for (const DataEntity& entity : scene.entities)
        if (BehaviourName(entity) == "bPlayerBehaviour")
            soldiers.push_back(&entity);
    std::stable_sort(soldiers.begin(), soldiers.end(),
                     [](const DataEntity* a, const DataEntity* b) { return a->name < b->name; });
    return soldiers;
}

const DataEntity* Named(const DataFile& scene, const std::string& name)
{
    for (const DataEntity& entity : scene.entities)
        if (entity.name == name)
            return &entity;
    return nullptr;
}

// --- names ----------------------------------------------------------------------------------

void NamesRule(const DataFile& scene, ContentReport& report)
{
    std::map<std::string, int> count;
    for (const DataEntity& entity : scene.entities)
        ++count[entity.name];

    // The names the code finds entities by, each with who looks it up.
    std::vector<std::pair<std::string, const DataEntity*>> lookedUp = {{"Camera", nullptr}, {"PathfindingGrid", nullptr}};
    for (const DataEntity& entity : scene.entities)
    {
        if (BehaviourName(entity) == "bPlayerBehaviour")
            lookedUp.emplace_back(entity.name, nullptr);
        if (const Transform* transform = entity.Get<Transform>())
        {
            for (const std::string& child : transform->childNames)
                lookedUp.emplace_back(child, &entity);
            if (!transform->parentName.empty())
                lookedUp.emplace_back(transform->parentName, &entity);
        }
        if (BehaviourName(entity) == "bDoorBehaviour")
            for (const std::string& light : BehaviourNames(entity, "attachedLights"))
                lookedUp.emplace_back(light, &entity);
    }
    std::set<std::string> reported;
    for (const auto& [name, user] : lookedUp)
    {
        const int found = count[name];
        if (found == 0 && user != nullptr)
            report.Fault(*user, "names " + Quoted(name) + ", which no entity of the scene is called, so it is "
                                                          "silently skipped");
        else if (found > 1 && reported.insert(name).second)
            report.Fault(scene.label, "has " + std::to_string(found) + " entities named " + Quoted(name) +
                                          "; the code looks that name up and finds only one of them");
    }
}

// --- tags -----------------------------------------------------------------------------------

void WallTagsRule(const DataFile& scene, const std::string& registerTag, ContentReport& report)
{
    for (const DataEntity& entity : scene.entities)
    {
        if (entity.HasTag("WALL"))
        {
            const bool registered = registerTag.empty() || entity.HasTag(registerTag);
            if (!entity.HasTag("UNPATHABLE"))
                report.Fault(entity, std::string("is a wall without the tag \"UNPATHABLE\": thrown explosives pass "
                                                 "through it") +
                                         (registerTag == "UNPATHABLE" ? " and paths lead through it" : ""));
            if (!registered && registerTag != "UNPATHABLE")
                report.Fault(entity, "is a wall without the path grid's tag " + Quoted(registerTag) +
                                         ", so paths lead through it");
        }
        if (entity.HasTag("DOOR") && !registerTag.empty() && !entity.HasTag(registerTag))
            report.Fault(entity, "is a door without the path grid's tag " + Quoted(registerTag) +
                                     ", so paths lead through it while it is shut");
    }
}

// --- the throwing tutorial --------------------------------------------------------

void ThrowingTutorialRule(const DataFile& scene, ContentReport& report)
{
    bool throwing = false;
    for (const DataEntity& entity : scene.entities)
        throwing = throwing ||
                   (BehaviourName(entity) == "bTutorialLogic" && BehaviourNumber(entity, "TutorialLevel", 0.0f) == 2.0f);
    if (!throwing)
        return;
    for (const DataEntity& entity : scene.entities)
    {
        const rapidjson::Value* forbidden = BehaviourMember(entity, "NoExplosives");
        if (BehaviourName(entity) == "bGameLogic" && forbidden != nullptr && forbidden->IsTrue())
            report.Fault(entity, "forbids explosives in the throwing tutorial's level, whose steps need a throw");
        if (const std::shared_ptr<bPlayerBehaviour> soldier = entity.Behaviour<bPlayerBehaviour>();
            soldier && soldier->Grenades + soldier->Molotovs == 0)
            report.Fault(entity, "carries no grenade or molotov in the throwing tutorial's level, whose steps "
                                 "need a throw");
    }
}

// --- bounds ---------------------------------------------------------------------------------

void BoundsRule(const DataFile& scene, ContentReport& report)
{
    // The bounds as the camera reads them: every key optional, 0 when missing.
    const DataEntity* camera = Named(scene, "Camera");
    const bool bounded = camera != nullptr && BehaviourName(*camera) == "bCameraBehaviour";
    const float minX = bounded ? BehaviourNumber(*camera, "minX", 0.0f) : 0.0f;
    const float minY = bounded ? BehaviourNumber(*camera, "minY", 0.0f) : 0.0f;
    const float maxX = bounded ? BehaviourNumber(*camera, "maxX", 0.0f) : 0.0f;
    const float maxY = bounded ? BehaviourNumber(*camera, "maxY", 0.0f) : 0.0f;
    for (const DataEntity& entity : scene.entities)
    {
        const std::optional<Box> box = ColliderBox(entity);
        if (!box)
            continue;
        if (!box->Inside(WorldMinX, WorldMinY, WorldMaxX, WorldMaxY))
            report.Fault(entity, "has its collider at " + box->Text() +
                                     ", outside the collision world (-630, -700) to (3250, 1440)");
        if (bounded && !box->Inside(minX, minY, maxX, maxY))
            report.Fault(entity, "has its collider at " + box->Text() + ", outside the camera bounds (" +
                                     Number(minX) + ", " + Number(minY) + ") to (" + Number(maxX) + ", " +
                                     Number(maxY) + ")");
    }
}

// --- the path grid --------------------------------------------------------------------------

struct GridCells
{
    const bUniqueGrid& owner;
    int columns = 0;
    int rows = 0;
    float cellWidth = 0.0f;
    float cellHeight = 0.0f;

    explicit GridCells(const bUniqueGrid& grid)
        : owner(grid), columns(static_cast<int>(grid.Grid->columns)), rows(static_cast<int>(grid.Grid->rows)),
          cellWidth(static_cast<float>(grid.Grid->width / grid.Grid->columns)),
          cellHeight(static_cast<float>(grid.Grid->height / grid.Grid->rows))
    {
    }
    // The cell under a point, or none outside the grid.
    std::optional<int> CellAt(const Vector2& point) const
    {
        if (cellWidth <= 0.0f || cellHeight <= 0.0f)
            return std::nullopt;
        const float cx = std::floor((point.x - owner.Grid->originX) / cellWidth);
        const float cy = std::floor((point.y - owner.Grid->originY) / cellHeight);
        if (!(cx >= 0.0f && cy >= 0.0f && cx < static_cast<float>(columns) && cy < static_cast<float>(rows)))
            return std::nullopt;
        return static_cast<int>(cx) + columns * static_cast<int>(cy);
    }
    bool Blocked(int cell) const { return owner.OccupancyMap[static_cast<std::size_t>(cell)] == '1'; }
};

void SpawnRule(const DataFile& scene, const GridCells& cells, ContentReport& report)
{
    std::vector<std::pair<const DataEntity*, Box>> obstacles;
    for (const DataEntity& entity : scene.entities)
        if (IsObstacle(entity))
            if (const std::optional<Box> box = ColliderBox(entity))
                obstacles.emplace_back(&entity, *box);
    for (const DataEntity& entity : scene.entities)
    {
        if (!IsDestination(entity))
            continue;
        const Transform* transform = entity.Get<Transform>();
        if (transform == nullptr)
            continue;
        // A mover's whole body must be clear; a trigger (a pickup, a tutorial trigger laid across a
        // doorway) only its centre.
        const PhysicsCollision* collision = entity.Get<PhysicsCollision>();
        const bool mover = collision != nullptr && collision->isMovable;
        const Vector2 at = transform->position;
        const std::optional<Box> box = mover ? ColliderBox(entity) : Box{at.x, at.y, at.x, at.y};
        for (const auto& [obstacle, obstacleBox] : obstacles)
            if (obstacle != &entity && box &&
                (mover ? box->Overlaps(obstacleBox)
                       : at.x > obstacleBox.minX && at.x < obstacleBox.maxX && at.y > obstacleBox.minY &&
                             at.y < obstacleBox.maxY))
                report.Fault(entity, "stands inside " + obstacle->Label());
        const std::optional<int> cell = cells.CellAt(transform->position);
        if (!cell)
            report.Fault(entity, "stands outside the path grid, where no path leads");
        else if (cells.Blocked(*cell))
            report.Fault(entity, "stands on a cell the path grid blocks, where no path leads");
    }
}

void ReachRule(const DataFile& scene, const GridCells& cells, ContentReport& report)
{
    const std::vector<const DataEntity*> soldiers = Soldiers(scene);
    const Transform* start = soldiers.front()->Get<Transform>();
    const std::optional<int> startCell = start == nullptr ? std::nullopt : cells.CellAt(start->position);
    if (!startCell || cells.Blocked(*startCell))
        return; // the spawn rule has said why
    const PathMap walks(cells.owner, {start->position});
    for (const DataEntity& entity : scene.entities)
    {
        if (!IsDestination(entity))
            continue;
        const Transform* transform = entity.Get<Transform>();
        const std::optional<int> cell = transform == nullptr ? std::nullopt : cells.CellAt(transform->position);
        if (cell && !cells.Blocked(*cell) && walks.Steps(transform->position) < 0)
            report.Fault(entity, "cannot be reached on the path grid from " + Quoted(soldiers.front()->name) +
                                     ", even with every door breached");
    }
}

void GridRules(const DataFile& scene, ContentReport& report)
{
    const DataEntity* gridEntity = Named(scene, "PathfindingGrid");
    const std::shared_ptr<bUniqueGrid> owner =
        gridEntity == nullptr ? nullptr : gridEntity->Behaviour<bUniqueGrid>();
    if (!owner)
    {
        report.Fault(scene.label, "has soldiers but no path grid (an entity \"PathfindingGrid\" with bUniqueGrid)");
        return;
    }
    WallTagsRule(scene, owner->RegisterTag, report);
    // The grid as the level starts, with its doors shut: where nothing may stand.
    owner->Awake(*gridEntity->world);
    if (owner->Grid->width / owner->Grid->columns == 0 || owner->Grid->height / owner->Grid->rows == 0)
        return; // the soldiers' rules report a grid without cells
    const GridCells cells(*owner);
    SpawnRule(scene, cells, report);
    // Then every door breached: where a squad can go.
    for (const DataEntity& entity : scene.entities)
        if (BehaviourName(entity) == "bDoorBehaviour" && entity.Built())
            owner->Grid->Remove(entity.id);
    owner->BuildOccupancyMap();
    ReachRule(scene, cells, report);
}

// --- the credits ----------------------------------------------------------------------------

// The images and sounds of the first resource stage: the first 92 images and 10 sounds of the
// asset scan of the generated assets.
struct FirstStage
{
    std::set<std::string> images;
    std::set<std::string> sounds;
};

const FirstStage& FirstStageAssets()
{
    static const FirstStage stage = [] {
        FirstStage first;
        WorkingDirectory inRoot(GameContent().assetRoot);
        const std::vector<ImageRecord> images = ListResourceImages();
        for (std::size_t i = 0; i < std::min<std::size_t>(92, images.size()); ++i)
            first.images.insert(images[i].name);
        const std::vector<SoundRecord> sounds = ListResourceSounds();
        for (std::size_t i = 0; i < std::min<std::size_t>(10, sounds.size()); ++i)
            first.sounds.insert(sounds[i].id);
        return first;
    }();
    return stage;
}

bool IsCreditsScene(const DataFile& scene)
{
    std::string name = scene.label.substr(scene.label.find_last_of('/') + 1);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name == "credits.json";
}

// Every text member of a behaviour object (arrays included), where textures and sounds are named.
void BehaviourTexts(const rapidjson::Value& value, std::vector<std::string>& texts)
{
    if (value.IsString())
        texts.emplace_back(value.GetString());
    else if (value.IsArray())
        for (const rapidjson::Value& element : value.GetArray())
            BehaviourTexts(element, texts);
    else if (value.IsObject())
        for (const auto& member : value.GetObject())
            BehaviourTexts(member.value, texts);
}

// The credits are entered from the main menu without a transition that loads a stage, so what
// they show and play must be in the first stage: a later image draws as nothing, a later sound
// stays silent.
void CreditsStageRule(const DataFile& scene, ContentReport& report)
{
    const FirstStage& first = FirstStageAssets();
    const ContentNames& names = report.Names();
    for (const DataEntity& entity : scene.entities)
    {
        std::vector<std::string> texts;
        if (const rapidjson::Value* rendered = Json::Find(*entity.json, "Renderer"))
            if (const rapidjson::Value* texture = Json::Find(*rendered, "textureName"); texture && texture->IsString())
                texts.emplace_back(texture->GetString());
        if (const rapidjson::Value* behaviour = Json::Find(*entity.json, "Behaviour"))
            BehaviourTexts(*behaviour, texts);
        // the squad controller plays this music in the credits
        if (BehaviourName(entity) == "bGameController")
            texts.emplace_back("BGM1_true_gameBGM_");
        for (const std::string& text : texts)
        {
            if (names.textures.count(text) != 0 && first.images.count(text) == 0)
                report.Fault(entity, "shows the image " + Quoted(text) +
                                         ", which loads only in a later stage; the credits load no stage of their "
                                         "own, so it draws as nothing");
            if (names.sounds.count(text) != 0 && first.sounds.count(text) == 0)
                report.Fault(entity, "plays " + Quoted(text) +
                                         ", which loads only in a later stage; the credits load no stage of their "
                                         "own, so it stays silent");
        }
    }
}

void LevelRules(ContentReport& report)
{
    for (const DataFile* scene : report.Data().Scenes())
    {
        if (IsCreditsScene(*scene))
            CreditsStageRule(*scene, report);
        if (Soldiers(*scene).empty())
            continue;
        NamesRule(*scene, report);
        ThrowingTutorialRule(*scene, report);
        BoundsRule(*scene, report);
        GridRules(*scene, report);
    }
}
}

void AddLevelLayoutRules(ContentCheck& check)
{
    check.AddDataRule(LevelRules);
}
