#pragma once
#include "engine/components/Vector2.h"
#include "engine/core/EngineTypes.h"
#include "engine/core/IBehaviour.h"
#include "engine/core/IInspector.h"
#include "engine/core/ISerializable.h"

#include <string>

// Scene changes behind two sliding doors: the doors open when the scene starts, and a scene
// request closes them, loads the resource stage the destination needs and only then writes the
// pending scene. The door geometry lives in TransitionDoorGeometry.h. Published as
// TransitionScreenInstance from its Start on.
class bTransitionScreen : public IBehaviour, public ISerializable, public IInspector
{
public:
    static constexpr const char* ClassName = "bTransitionScreen";

    // DoorMode values.
    static constexpr int DoorsOpening = 0;
    static constexpr int DoorsClosing = 1;
    static constexpr int DoorsIdle = 2;

    // Withdraws TransitionScreenInstance when it points here.
    ~bTransitionScreen() override;

    // Scenes entered from the logo scene or from a cutscene open without the door animation.
    void Awake(Coordinator& coordinator) override;
    // Restores the camera saved by its behaviour, spawns the two doors, opens them (or hides them)
    // and publishes TransitionScreenInstance.
    void Start(Coordinator& coordinator) override;
    // Moves the doors of a running motion; a closing motion requests the scene in the first frame
    // after the doors have been shut 0.4 s.
    void Update(Coordinator& coordinator) override;
    void OnSceneUnload(Coordinator& coordinator) override;

    // "OpenAnim", "CloseAnim": optional, true only for the literal true.
    void Deserialize(const rapidjson::Value& object) override;
    // "OpenAnim", then "CloseAnim".
    void Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const override;
    void Inspect() override;

    // Starts a door motion: mode 1 closes the doors and then requests the destination, mode 0
    // opens them. Ignored while another motion runs or when mode is the current one; with
    // CloseAnim clear, mode 1 writes the pending scene at once.
    void Begin(Coordinator& coordinator, int mode, const std::string& destination);

    // The left door's Renderer scale when spawned: the door size at view height 1080.
    Vector2 DoorScale;
    // Seconds since the current door motion began.
    float DoorTimer = 0.0f;
    Entity RightDoor = 0;
    Entity LeftDoor = 0;
    int DoorMode = DoorsIdle;
    // The doors open when the scene starts.
    bool OpenAnim = true;
    // A scene request closes the doors first; when clear the request is written at once.
    bool CloseAnim = true;
    // True in every frame in which the doors move or are held closed; the input system allows
    // camera controls only while it is false.
    bool DoorsMoving = false;
    // The doors have been shut long enough; the request goes out in the next frame.
    bool SceneRequestDue = false;
    // The scene path to request (a copy).
    std::string Destination;
};
