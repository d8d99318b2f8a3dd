#include "game/flow/bFontBehaviour.h"

#include "engine/components/Font.h"
#include "engine/core/Coordinator.h"
#include "engine/core/Json.h"
#include "engine/systems/CameraView.h"
#include "engine/systems/sFontSystem.h"
#include "engine/systems/sRendererSystem.h"
#include "game/definitions/NameTableJson.h"
#include "game/flow/NameTableCombo.h"
#include "game/flow/ScreenElements.h"
#include "game/flow/TextFlash.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>

// The life of a text: start place, showing and hiding through system membership, following, the
// typewriter and the shared flash, pop-ups and the show timer. The figures it shows are in
// bFontBehaviourData.cpp.

namespace
{
// A typewriter types one character each time this much effect time has passed (15 a second at
// FXSpeed 1).
constexpr float TypewriterInterval = 1.0f / 15.0f;
// A pop-up rises 100 units a second.
constexpr float PopUpRisePerStep = 1.6666667f;

Vector2 WorldPosition(const Font& text)
{
    return {text.worldXPos, text.worldYPos};
}

void SetWorldPosition(Font& text, Vector2 position)
{
    text.worldXPos = position.x;
    text.worldYPos = position.y;
}
}

bFontBehaviour::~bFontBehaviour()
{
    ReleaseFlash();
}

// --- Life cycle -------------------------------------------------------------------------------

void bFontBehaviour::Awake(Coordinator& coordinator)
{
    Font* text = coordinator.GetComponent<Font>(entity);
    if (text == nullptr)
        return;
    // Every text goes back to where it stood when hidden, not only a pop-up: a plain text shown a
    // second time must not reappear at the world's origin.
    StartWorldPosition = WorldPosition(*text);
    if (BindToCamera)
    {
        cameraOffset = {text->worldXPos - ReferenceViewCentre.x, text->worldYPos - ReferenceViewCentre.y};
        StartCameraOffset = cameraOffset;
        const Vector2 camera = CameraPosition(coordinator);
        StartWorldPosition = Offset(camera, cameraOffset.x, cameraOffset.y);
        SetWorldPosition(*text, StartWorldPosition);
    }
}

void bFontBehaviour::Start(Coordinator& coordinator)
{
    Font* text = coordinator.GetComponent<Font>(entity);
    if (text != nullptr)
        std::copy(std::begin(text->color), std::end(text->color), SavedColour);
    if (!OnInitialScreen)
    {
        active = false;
        inSystems = false;
    }
    if (const Entity found = FindNamedEntity(coordinator, BindTo); found != NO_ENTITY)
        boundEntity = found;
    if (const Entity found = FindNamedEntity(coordinator, DataFromEntity); found != NO_ENTITY)
        DataEntity = found;
    if (const Entity found = FindNamedEntity(coordinator, QueueToEntity); found != NO_ENTITY)
        QueuedEntity = found;
    if (text == nullptr)
        return;

    if (FontFX == TextEffect::Typewriter)
    {
        FullText = text->message;
        text->message.clear();
    }
    else if (FontFX == TextEffect::Flashing && DataFXThreshold != 0.0f)
    {
        // The flash then runs only while the figure is low.
        StashedFX = TextEffect::Flashing;
        FontFX = TextEffect::NoFX;
    }
    Vector2 anchor;
    if (boundEntity != NO_ENTITY && PositionOf(coordinator, boundEntity, anchor))
        SetWorldPosition(*text, Offset(anchor, BindTo_Offset_X, BindTo_Offset_Y));
    RefreshBoundData(coordinator);
}

void bFontBehaviour::Update(Coordinator& coordinator)
{
    Font* text = coordinator.GetComponent<Font>(entity);
    if (text == nullptr)
        return;
    // Re-armed while not running, so every new showing lasts the full time.
    if (ShowTimer != 0.0f && ShowTimeLeft <= 0.0f)
        ShowTimeLeft = ShowTimer;
    if (active)
        UpdateShown(coordinator, *text);
    else if (inSystems)
        LeaveSystems(coordinator, *text);
}

void bFontBehaviour::OnSceneUnload(Coordinator&)
{
    ReleaseFlash();
}

void bFontBehaviour::UpdateShown(Coordinator& coordinator, Font& text)
{
    const int steps = coordinator.StepCount;
    if (!inSystems)
    {
        coordinator.AddEntityToSystem<sFontSystem>(entity);
        coordinator.AddEntityToSystem<sRendererSystem>(entity);
        inSystems = true;
    }
    if (boundEntity != NO_ENTITY)
    {
        Vector2 anchor;
        if (PositionOf(coordinator, boundEntity, anchor))
            SetWorldPosition(text, Offset(anchor, BindTo_Offset_X, BindTo_Offset_Y));
        // It hides with its anchor, from the next frame on.
        if (HasInactiveBehaviour(coordinator, boundEntity))
            active = false;
    }
    RefreshBoundData(coordinator);

    if (FontFX == TextEffect::Typewriter)
        TypeNextCharacter(text);
    else if (FontFX == TextEffect::Flashing)
        ShowFlashPhase(text);

    if (ShowTimer != 0.0f)
        ShowTimeLeft -= static_cast<float>(steps) * FixedStepSeconds;

    if (FontFX == TextEffect::Typewriter)
        AdvanceTypewriter(coordinator, steps);
    else if (FontFX == TextEffect::Flashing && FlashOwner() == entity)
        AdvanceFlashClock(steps);

    if (PopUp)
        cameraOffset.y += static_cast<float>(steps) * PopUpRisePerStep;
    // A text bound to a camera-bound element keeps the bound place.
    if (BindToCamera && !HasCameraBoundBehaviour(coordinator, boundEntity))
        SetWorldPosition(text, Offset(CameraPosition(coordinator), cameraOffset.x, cameraOffset.y));
    if (ShowTimer != 0.0f && ShowTimeLeft <= 0.0f && inSystems)
        active = false;
}

void bFontBehaviour::LeaveSystems(Coordinator& coordinator, Font& text)
{
    if (BindToCamera)
        cameraOffset = StartCameraOffset;
    else
        SetWorldPosition(text, StartWorldPosition);
    // Data may have left it out of either.
    if (IsInSystem<sFontSystem>(coordinator, entity))
        coordinator.SystemManager.RemoveEntityFromSystem(entity, TypeName<sFontSystem>());
    if (IsInSystem<sRendererSystem>(coordinator, entity))
        coordinator.RemoveEntityFromSystem<sRendererSystem>(entity);
    inSystems = false;
}

// --- Typewriter -------------------------------------------------------------------------------

void bFontBehaviour::TypeNextCharacter(Font& text)
{
    // The timer is tested before this frame's steps are added: at most one character a frame.
    if (TypewriterTimer < TypewriterInterval)
        return;
    TypewriterTimer = 0.0f;
    if (TypedCount < FullText.size())
    {
        TypedText.push_back(FullText[static_cast<std::size_t>(TypedCount)]);
        ++TypedCount;
    }
    text.message = TypedText;
}

void bFontBehaviour::AdvanceTypewriter(Coordinator& coordinator, int steps)
{
    if (TypedCount < FullText.size())
    {
        TypewriterTimer += static_cast<float>(steps) * FXSpeed / 60.0f;
        return;
    }
    // Typed out: the queued element is shown, and again whenever something hid it meanwhile.
    if (QueuedEntity != NO_ENTITY && HasInactiveBehaviour(coordinator, QueuedEntity))
        ActivateBehaviour(coordinator, QueuedEntity);
}

// --- Flash ------------------------------------------------------------------------------------

void bFontBehaviour::ShowFlashPhase(Font& text)
{
    if (FlashOwner() == NO_ENTITY)
        FlashOwner() = entity;
    const float* colour = FlashPhase() ? FlashColour : SavedColour;
    std::copy(colour, colour + 3, text.color);
}

void bFontBehaviour::AdvanceFlashClock(int steps)
{
    // Only the driver's FXSpeed sets the rate every flashing text follows.
    FlashClock() += static_cast<float>(steps) / 60.0f;
    if (FlashClock() >= 1.0f / FXSpeed)
    {
        FlashClock() = 0.0f;
        FlashPhase() = !FlashPhase();
    }
}

void bFontBehaviour::ReleaseFlash() const
{
    if (FlashOwner() == entity)
        FlashOwner() = NO_ENTITY;
}

// --- JSON and inspector -------------------------------------------------------------------------

void bFontBehaviour::Deserialize(const rapidjson::Value& object)
{
    OnInitialScreen = Json::Bool(object, "OnInitialScreen", OnInitialScreen);
    BindToCamera = Json::Bool(object, "BindToCamera", BindToCamera);
    BindTo = Json::String(object, "BindTo", BindTo);
    DataFromEntity = Json::String(object, "DataFromEntity", DataFromEntity);
    Data = Json::String(object, "Data", Data);
    BindTo_Offset_X = Json::Float(object, "BindTo_Offset_X", BindTo_Offset_X);
    BindTo_Offset_Y = Json::Float(object, "BindTo_Offset_Y", BindTo_Offset_Y);
    ShowTimer = Json::Float(object, "ShowTimer", ShowTimer);
    PopUp = Json::Bool(object, "PopUp", PopUp);
    ReadTableKey(object, "FontFX", TextEffects(), FontFX);
    QueueToEntity = Json::String(object, "QueueToEntity", QueueToEntity);
    FXSpeed = Json::Float(object, "FXSpeed", FXSpeed);
    DataFXThreshold = Json::Float(object, "DataFXThreshold", DataFXThreshold);
    if (const rapidjson::Value* colour = Json::OptionalArray(object, "FlashColour"); colour && colour->Size() >= 3)
        for (rapidjson::SizeType i = 0; i < 3; ++i)
            FlashColour[i] = Json::AsFloat((*colour)[i], "FlashColour");
}

void bFontBehaviour::Serialize(rapidjson::Value& object, rapidjson::Document::AllocatorType& allocator) const
{
    auto text = [&](const char* key, const std::string& value) { WriteKeyText(object, key, value, allocator); };
    auto number = [&](const char* key, float value) {
        object.AddMember(rapidjson::StringRef(key), static_cast<double>(value), allocator);
    };
    object.AddMember("OnInitialScreen", OnInitialScreen, allocator);
    object.AddMember("BindToCamera", BindToCamera, allocator);
    if (!BindTo.empty())
        text("BindTo", BindTo);
    if (!DataFromEntity.empty())
        text("DataFromEntity", DataFromEntity);
    if (!Data.empty())
        text("Data", Data);
    if (!BindTo.empty())
    {
        number("BindTo_Offset_X", BindTo_Offset_X);
        number("BindTo_Offset_Y", BindTo_Offset_Y);
    }
    if (ShowTimer != 0.0f)
        number("ShowTimer", ShowTimer);
    object.AddMember("PopUp", PopUp, allocator);
    if (FontFX != TextEffect::NoFX)
    {
        WriteTableKey(object, "FontFX", TextEffects(), FontFX, allocator);
        number("FXSpeed", FXSpeed);
    }
    if (!QueueToEntity.empty())
        text("QueueToEntity", QueueToEntity);
}

void bFontBehaviour::Inspect()
{
    if (!ImGui::CollapsingHeader("Font Behaviour"))
        return;
    ImGui::Checkbox("On Initial Screen##Font", &OnInitialScreen);
    ImGui::Checkbox("Bind To Camera##Font", &BindToCamera);
    ImGui::InputText("Bind To##Font", &BindTo);
    ImGui::InputText("Data From Entity##Font", &DataFromEntity);
    ImGui::InputText("Data##Font", &Data);
    ImGui::DragFloat("Bind Offset X##Font", &BindTo_Offset_X);
    ImGui::DragFloat("Bind Offset Y##Font", &BindTo_Offset_Y);
    ImGui::DragFloat("Show Timer##Font", &ShowTimer, 0.1f, 0.0f, 600.0f);
    ImGui::Checkbox("Pop Up##Font", &PopUp);
    NameTableCombo("Font FX##Font", TextEffects(), FontFX);
    ImGui::DragFloat("FX Speed##Font", &FXSpeed, 0.1f, 0.0f, 100.0f);
    ImGui::InputText("Queue To Entity##Font", &QueueToEntity);
}
