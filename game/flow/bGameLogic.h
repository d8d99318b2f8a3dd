#pragma once
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "game/definitions/GameStates.h"
#include "game/definitions/LevelFiles.h"
#include "game/definitions/ObjectiveTypes.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// The level's rules: counts soldiers and enemies at load, plays the opening pan, keeps the
// GameState, measures progress toward the objective, decides win and loss, and on every state
// change freezes, resumes, hides and shows the scene and the HUD to suit it. Published as
// GameLogicInstance from its Awake on.
class bGameLogic : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bGameLogic";

    // Withdraws GameLogicInstance when it points here.
    ~bGameLogic() override;

    // Publishes GameLogicInstance, takes the census of soldiers, counts the enemies and looks the
    // scene being loaded up in LevelFiles.
    void Awake(Coordinator& coordinator) override;
    // Deploy with soldiers and enemies, else Menus (both current and previous state).
    void Start(Coordinator& coordinator) override;
    // Opening pan, marking of the last zombies, entry actions of a new state, end of the opening,
    // verdict, pause on focus loss.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // Every key optional: "GameObjective" (an ObjectiveTypes name), "NoExplosives" (true only for
    // the literal true), "PanToX", "PanToY", "PanDuration" (numbers).
    void Deserialize(const rapidjson::Value& object) override;
    // The same five keys in that order.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // A button's state request (never Previous): Paused is refused in Win and Lose; a different
    // state becomes current and the current one previous. Entry actions follow in the next Update.
    // A "Previous" request does not come here: its caller swaps CurrentState and PreviousState.
    void SetState(const GameState& state);
    // Through GameLogicInstance (which the caller has tested): one enemy fewer, progress toward
    // "Kill_All_Zombies", and the remaining zombies due for marking near the end.
    static void OnZombieKilled();
    // The level is won: state Win and the next level unlocked; a running tutorial ends. Music and
    // pop-up follow with the next Update's entry actions.
    void Win(Coordinator& coordinator);
    // The level is lost (after killing every census soldier when asked): "PlayerDie_false_SFX_"
    // and state Lose.
    void Lose(Coordinator& coordinator, bool killPlayers);
    // Shows the danger icon of every living zombie.
    static void MarkRemainingZombies(Coordinator& coordinator);

    ObjectiveType GameObjective = ObjectiveType::KillAllZombies;
    // The state now in force, the one whose entry actions last ran, and the one "Previous"
    // returns to.
    GameState CurrentState = GameState::Deploy;
    GameState LastSeenState = GameState::None;
    GameState PreviousState = GameState::None;
    int RemainingEnemies = 0;
    // Lowered by one by each soldier's death.
    int PlayersAlive = 0;
    int InitialEnemies = 0;
    // Percent toward the objective.
    float Progress = 0.0f;
    // The level forbids grenades and molotovs.
    bool NoExplosives = false;
    bool IntroStarted = false;
    bool TitlesStarted = false;
    LevelId Level = LevelId::None;
    // Every soldier at load, by its Identifier name (the first of equal names keeps the entry).
    std::map<std::string, Entity> PlayerCensus;
    // Seconds to wait before the opening pan, and waited so far.
    float IntroDelay = 3.5f;
    float IntroTimer = 0.0f;
    // Where the opening pan ends, and how long it takes.
    float PanToX = 0.0f;
    float PanToY = 0.0f;
    float PanDuration = 3.0f;
    // Seconds since the remaining zombies became due for marking (up to 90).
    float MarkTimer = 0.0f;
    bool MarkPending = false;
    bool MarkDone = false;

private:
    // Steps of Update.
    void PlayOpeningPan(Coordinator& coordinator);
    void MarkLastZombies(Coordinator& coordinator);
    void EnterState(Coordinator& coordinator);
    void EndOpening(Coordinator& coordinator);

    // Entry actions of the states.
    void EnterOpening(Coordinator& coordinator);
    void ResumeOpening(Coordinator& coordinator);
    void EnterPlaying(Coordinator& coordinator);
    void EnterPaused(Coordinator& coordinator);
    void EnterVerdict(Coordinator& coordinator, bool won);

    // Every named entity but this one, ascending.
    std::vector<Entity> Others(Coordinator& coordinator) const;
    void FreezeOthers(Coordinator& coordinator);
    // The scene-change doors keep working under the pause menu and the end pop-ups.
    void UnfreezeTransition(Coordinator& coordinator);
    // The HUD's pause button, bar, portraits, soldier panels and selection frames (nothing
    // without a HUD).
    void ForEachHudGroupMember(const std::function<void(Entity)>& action) const;
};
