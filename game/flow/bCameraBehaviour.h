#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"
#include "game/flow/CameraMove.h"

#include <cstddef>
#include <deque>

// The camera entity's behaviour: hands the scene's camera bounds to the engine, places the camera
// at the scene's start, and plays scripted motion: a queue of timed moves (linear or sine-eased,
// each optionally zooming) and one separate timed zoom-and-pan for the logo screen. It writes
// only the camera's position and the view height; the player's own camera input is the input
// system's.
class bCameraBehaviour : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bCameraBehaviour";

    // Camera bounds and largest view height to the Coordinator; the camera at its start position,
    // kept inside the bounds.
    void Awake(Coordinator& coordinator) override;
    // Remembers the view height and position; in a scene entered from the logo scene (other than
    // the main menu) starts the slow zoom to view height 900.
    void Start(Coordinator& coordinator) override;
    // Plays the current and queued moves per fixed step and the zoom-to per frame; nothing while
    // the level is paused. After moving, the view is kept in bounds and the cursor follows.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // Every key optional: "minX", "minY", "maxX", "maxY", "maxHeight" (numbers, missing keeps the
    // value), "centerX", "centerY" (missing gives 960 and 540).
    void Deserialize(const rapidjson::Value& object) override;
    // "minX", "minY", "maxX", "maxY", "centerX", "centerY", "maxHeight", in that order.
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Queues a linear move that reaches the target after the seconds, starting where the last
    // queued move ends (or at the camera when none is queued). Without time (seconds not above 0)
    // the queued move plays nothing.
    void QueueMove(Coordinator& coordinator, float seconds, const Vector2& target);
    // The same at a speed: the duration is the distance over the speed. Over no distance, or at
    // no speed, the queued move plays nothing.
    void QueueMoveAtSpeed(Coordinator& coordinator, const Vector2& target, float speed);
    // Replaces the current move at once (the queue stays) by an eased one that arrives on the
    // target, at the view height, after the seconds.
    void StartEasedMove(Coordinator& coordinator, float seconds, const Vector2& target, float viewHeight);
    // Starts the timed zoom-and-pan toward the view height; when it ends the view height snaps
    // back to the one saved here.
    void ZoomTo(Coordinator& coordinator, const Vector2& target, float viewHeight, float seconds);
    // The first queued move becomes the current one.
    void NextMove();

    // The input system counts the camera as busy while either of these is non-zero.
    float MoveTimeLeft() const { return CurrentMove.Duration - MoveElapsed; }
    std::size_t QueuedMoveCount() const { return Moves.size(); }

    // A zoom-to runs: seconds left, view-height units and world units (per second) it removes.
    bool ZoomActive = false;
    float ZoomTimer = 0.0f;
    float ZoomHeightRate = 0.0f;
    Vector2 ZoomVelocity;
    // The move being played and its elapsed seconds.
    CameraMove CurrentMove;
    float MoveElapsed = 0.0f;
    // Where the last queued move ends.
    Vector2 LastQueuedTarget;
    // Moves waiting to play, first in, first out.
    std::deque<CameraMove> Moves;
    // Camera position and view height remembered by Start and by the zoom-to; the transition
    // screen restores them.
    Vector2 SavedPosition;
    float SavedHeight = 0.0f;
    // The largest view height that the zoom input allows.
    float maxHeight = 2000.0f;
    // The camera bounds.
    float minX = 0.0f;
    float minY = 0.0f;
    float maxX = 0.0f;
    float maxY = 0.0f;
    // The camera's start position.
    float centerX = 0.0f;
    float centerY = 0.0f;

private:
    // Where a newly queued move starts: the end of the last queued move, or the camera itself
    // when nothing waits.
    Vector2 NextMoveStart(Coordinator& coordinator) const;
};
