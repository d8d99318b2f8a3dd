#pragma once
#include "engine/core/Coordinator.h"
#include "engine/core/FrameClock.h"
#include "support/ScriptedPlatform.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class sInputSystem;
class sSoundSystem;

// The game built exactly as the entry builds it (RegisterEngine, StartGame), on the scripted
// platform, without a window of its own (it draws into the test process's GL context), with the
// audio mixer stepped by hand and a settings file of its own in a temporary folder. The settings
// name the starting scene and the prefab file; the destructor shuts the game down (writing the
// settings) and puts every process-wide value back.
class TestGame
{
public:
    // A fixture file's absolute path (tests/fixtures/<name>).
    static std::string Fixture(const std::string& name);
    // Settings text with the defaults of a first run, but naming this scene and prefab file and
    // opening windowed.
    static std::string SettingsFor(const std::string& scene, const std::string& prefabFile = Fixture("Prefab.json"));

    // Runs after the engine's registrations and before the starting scene loads: registers the
    // test's own behaviours (TestCharacter, ...) so fixture scenes can name them.
    using BeforeStart = std::function<void(Coordinator&)>;

    // Starts with settings naming this starting scene and prefab file.
    explicit TestGame(const std::string& scene, const std::string& prefabFile = Fixture("Prefab.json"),
                      const BeforeStart& beforeStart = {});
    // Starts with this settings text, written as the settings file first.
    static std::unique_ptr<TestGame> WithSettings(const std::string& settingsText, const BeforeStart& beforeStart = {});
    ~TestGame();
    TestGame(const TestGame&) = delete;
    TestGame& operator=(const TestGame&) = delete;

    // Frames as the entry runs them: the clock (one 1/60 s frame per reading), then the
    // coordinator's update.
    void RunFrames(int count = 1);
    // Runs frames, one at a time, until the condition holds after one: the frame on which it
    // first held (1 for the first), or -1 when it did not within the limit.
    int RunFramesUntil(const std::function<bool()>& done, int limit);
    // The key (Windows virtual-key code) down for one frame; it is up again afterwards.
    void Press(int key);
    // Puts the cursor at the window pixel (y down) and presses the left button for one frame.
    // A button acts on the completed press, two frames later: see ClickAndSettle.
    void Click(long x, long y);

    // --- Input as a player gives it (window pixels, y down; at 1920 by 1080 these are the
    // reference view's coordinates with y flipped) ---------------------------------------------
    // Moves the cursor without a frame.
    void MoveCursor(long x, long y) { platform.SetCursor(x, y); }
    // Holds or lets go of a key or mouse button; the state changes with the next frame.
    void Hold(int key) { platform.SetKeyDown(key, true); }
    void Release(int key) { platform.SetKeyDown(key, false); }
    // Press for one frame, then the two frames that take the key to its completed state (4).
    void Tap(int key);
    // Click(x, y), then the two frames after it: a button under the cursor has taken the click.
    void ClickAndSettle(long x, long y);
    // A short right click at the pixel, settled as ClickAndSettle.
    void RightClick(long x, long y);
    // Presses the mouse button at one pixel, moves to the other over `steps` held frames, lets
    // go there and runs the two settling frames.
    void Drag(int button, long fromX, long fromY, long toX, long toY, int steps = 10);
    // The window pixel (y down) at which a world point shows with the current camera and zoom.
    CursorPoint WindowPointOf(float worldX, float worldY) const;
    // Ends the game as the entry does after its loop; true when every step succeeded. The
    // destructor does it when a test has not.
    bool ShutDown();
    // For runs of many thousand frames: the game keeps its 1920 by 1080 window coordinates, but
    // its frames are rasterised into a sixteenth of them, so every draw call still runs at a
    // fraction of the software renderer's cost; each frame is finished where the game would swap
    // (the driver's queue does not grow). The destructor gives the context its full viewport back.
    void RasteriseSmall();

    // --- Readers ----------------------------------------------------------------------------
    int KeyState(int key) const { return coordinator->GetKeyState(key); }
    // The entity of that name in the identifier system; NO_ENTITY when none.
    Entity Find(const std::string& name) const;
    // The behaviour of the named entity when it is a T, else null.
    template <class T>
    std::shared_ptr<T> Behaviour(const std::string& name) const
    {
        const Entity entity = Find(name);
        return entity == NO_ENTITY ? nullptr : coordinator->GetBehaviourAs<T>(entity);
    }
    // The component of the named entity, or null.
    template <class T>
    T* Component(const std::string& name) const
    {
        const Entity entity = Find(name);
        return entity == NO_ENTITY ? nullptr : coordinator->GetComponent<T>(entity);
    }
    sInputSystem& Input() const;
    sSoundSystem& Sound() const;
    const std::filesystem::path& SettingsFile() const { return settingsFile; }
    std::string SettingsText() const;

    std::unique_ptr<Coordinator> coordinator;
    ScriptedPlatform& platform;
    // Runs after every frame, where the entry swaps the buffers: a long run finishes its drawing
    // there, as a swap would, so the driver's queue does not grow across thousands of frames.
    std::function<void()> afterFrame;

private:
    struct SettingsTextTag
    {
    };
    TestGame(SettingsTextTag, const std::string& settingsText, const BeforeStart& beforeStart = {});

    std::filesystem::path folder;
    std::filesystem::path settingsFile;
    FrameClock clock;
    bool rasterisedSmall = false;
};
