#include "game/flow/ScreenElements.h"
#include "game/flow/bFontBehaviour.h"
#include "game/flow/bImageBehaviour.h"
#include "game/flow/bUIButtonBehaviour.h"
#include "support/AssertCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <rapidjson/document.h>

using testing::ElementsAre;

// The keys of the three screen elements as scene files and prefabs give them: read through the
// checked accessors, words looked up in their name tables, and written back in their order.

namespace
{
rapidjson::Document Parse(const char* text)
{
    rapidjson::Document document;
    document.Parse(text);
    EXPECT_FALSE(document.HasParseError()) << text;
    return document;
}

template <class Behaviour>
std::string Written(const Behaviour& behaviour)
{
    rapidjson::Document document(rapidjson::kObjectType);
    behaviour.Serialize(document, document.GetAllocator());
    std::string keys;
    for (const auto& member : document.GetObject())
        keys += std::string(keys.empty() ? "" : ",") + member.name.GetString();
    return keys;
}
}

TEST(ScreenElementData, ATextReadsEveryKey)
{
    bFontBehaviour text;
    text.Deserialize(Parse(R"({"NameOfThisBehaviour": "bFontBehaviour", "OnInitialScreen": true,
        "BindToCamera": true, "BindTo": "Panel", "DataFromEntity": "Player_2", "Data": "Ammo_Clip",
        "BindTo_Offset_X": 12, "BindTo_Offset_Y": -4.5, "ShowTimer": 2, "PopUp": true, "FontFX": "Flashing",
        "QueueToEntity": "Next", "FXSpeed": 3, "DataFXThreshold": 5, "FlashColour": [1, 0.5, 0.25, 9]})"));
    EXPECT_TRUE(text.OnInitialScreen && text.BindToCamera && text.PopUp);
    EXPECT_EQ(text.BindTo, "Panel");
    EXPECT_EQ(text.DataFromEntity, "Player_2");
    EXPECT_EQ(text.Data, "Ammo_Clip");
    EXPECT_FLOAT_EQ(text.BindTo_Offset_X, 12.0f);
    EXPECT_FLOAT_EQ(text.BindTo_Offset_Y, -4.5f);
    EXPECT_FLOAT_EQ(text.ShowTimer, 2.0f);
    EXPECT_EQ(text.FontFX, TextEffect::Flashing);
    EXPECT_EQ(text.QueueToEntity, "Next");
    EXPECT_FLOAT_EQ(text.FXSpeed, 3.0f);
    EXPECT_FLOAT_EQ(text.DataFXThreshold, 5.0f);
    EXPECT_THAT(text.FlashColour, ElementsAre(1.0f, 0.5f, 0.25f));
    EXPECT_EQ(Written(text), "OnInitialScreen,BindToCamera,BindTo,DataFromEntity,Data,BindTo_Offset_X,"
                             "BindTo_Offset_Y,ShowTimer,PopUp,FontFX,FXSpeed,QueueToEntity");

    // Unknown words, and a colour of fewer than three numbers, leave what was there.
    text.Deserialize(Parse(R"({"FontFX": "flashing", "FlashColour": [0, 0], "OnInitialScreen": 1})"));
    EXPECT_EQ(text.FontFX, TextEffect::Flashing);
    EXPECT_THAT(text.FlashColour, ElementsAre(1.0f, 0.5f, 0.25f));
    EXPECT_FALSE(text.OnInitialScreen) << "a flag is true only for the literal true";
    text.Deserialize(Parse(R"({"FontFX": ""})"));
    EXPECT_EQ(text.FontFX, TextEffect::Flashing) << "the empty text is no effect's word";
}

TEST(ScreenElementData, AnImageReadsEveryKey)
{
    bImageBehaviour image;
    EXPECT_TRUE(image.OnInitialScreen);
    image.Deserialize(Parse(R"({"OnInitialScreen": false, "BindToCamera": true, "ShowTimer": 3,
        "RotationForce": 90, "BindTo": "Zombie", "BindTo_Offset_X": 1, "BindTo_Offset_Y": 40,
        "PrimaryTexture": "Icon_A", "SecondaryTexture": "Icon_B", "ImageFX": "FadeTo", "FXDuration": 1000,
        "FXSpeed": 2, "FXLimits": 0.5, "QueueToEntity": "A,B", "DeleteWhenHide": true, "RotateWithBindTo": true,
        "QueueToFX": ["FadeTo", "Fade_To", "Flicker"], "QueueToFXDuration": [2, 1], "QueueToFXLimits": [1]})"));
    EXPECT_FALSE(image.OnInitialScreen);
    EXPECT_TRUE(image.BindToCamera && image.DeleteWhenHide && image.RotateWithBindTo);
    EXPECT_FLOAT_EQ(image.ShowTimer, 3.0f);
    EXPECT_FLOAT_EQ(image.ShowTimerRemaining, 3.0f);
    EXPECT_FLOAT_EQ(image.RotationForce, 1.5707964f) << "degrees in the file";
    EXPECT_EQ(image.BindTo, "Zombie");
    EXPECT_FLOAT_EQ(image.BindTo_Offset_Y, 40.0f);
    EXPECT_EQ(image.PrimaryTexture, "Icon_A");
    EXPECT_EQ(image.SecondaryTexture, "Icon_B");
    EXPECT_EQ(image.ImageFX, ImageEffect::FadeTo);
    EXPECT_EQ(image.FXDuration, EndlessEffect) << "1000 or more never runs out";
    EXPECT_EQ(image.FXRemaining, EndlessEffect);
    EXPECT_FLOAT_EQ(image.FXSpeed, 2.0f);
    EXPECT_FLOAT_EQ(image.FXLimits, 0.5f);
    EXPECT_EQ(image.QueueToEntity, "A,B");
    EXPECT_THAT(image.QueueToFX, ElementsAre(ImageEffect::FadeTo, ImageEffect::Flicker));
    EXPECT_THAT(image.QueueToFXDuration, ElementsAre(2.0f, 1.0f));
    EXPECT_THAT(image.QueueToFXLimits, ElementsAre(1.0f));
    EXPECT_EQ(Written(image), "OnInitialScreen,BindToCamera,ShowTimer,RotationForce,BindTo,BindTo_Offset_X,"
                              "BindTo_Offset_Y,PrimaryTexture,SecondaryTexture,ImageFX,FXDuration,FXSpeed,"
                              "FXLimits,QueueToEntity,DeleteWhenHide,RotateWithBindTo");
    rapidjson::Document written(rapidjson::kObjectType);
    image.Serialize(written, written.GetAllocator());
    EXPECT_FLOAT_EQ(static_cast<float>(written["RotationForce"].GetDouble()), 90.0f) << "written back in degrees";

    image.Deserialize(Parse(R"({"ImageFX": "Fadeto", "FXDuration": 999})"));
    EXPECT_EQ(image.ImageFX, ImageEffect::FadeTo) << "an unknown word keeps the effect";
    EXPECT_FLOAT_EQ(image.FXDuration, 999.0f);
}

TEST(ScreenElementData, AButtonReadsEveryKey)
{
    bUIButtonBehaviour button;
    button.Deserialize(Parse(R"({"NonHoverTexture": "MM_Quit", "HoverTexture": "MM_Quit_Hover",
        "UnavailableTexture": "Btn_No", "LevelToTarget": "EXIT", "MainScreen": "Menu", "SubScreen": "Confirm,Yes",
        "OnInitialScreen": true, "BindToCamera": true, "UniqueBehaviour": "Deactivate BindTo Entity",
        "SliderBehaviour": "MusicVolume", "SliderType": "Horizontal", "MinPosX": -200, "MinPosY": 10,
        "MaxPosX": 200, "MaxPosY": 11, "AffectSliders": "Knob", "BindTo": "Panel", "BindTo_Offset_X": 5,
        "BindTo_Offset_Y": 6, "ChangeGameState": "Previous", "AffectEntity": "Player_1", "ReclickDelay": 0.5,
        "ImageFX": "FadeTo", "FXDuration": 2000, "FXSpeed": 3, "FXLimits": 1, "QueueToEntity": "Next",
        "IsInvisible": true, "ToggleTextureFalse": "Toggle_Off", "ToggleTextureTrue": "Toggle_On"})"));
    EXPECT_EQ(button.NonHoverTexture, "MM_Quit");
    EXPECT_EQ(button.HoverTexture, "MM_Quit_Hover");
    EXPECT_EQ(button.UnavailableTexture, "Btn_No");
    EXPECT_EQ(button.LevelToTarget, "EXIT");
    EXPECT_EQ(button.MainScreen, "Menu");
    EXPECT_EQ(button.SubScreen, "Confirm,Yes");
    EXPECT_TRUE(button.OnInitialScreen && button.BindToCamera && button.IsInvisible);
    EXPECT_EQ(button.UniqueBehaviour, ButtonAction::DeactivateBindToEntity);
    EXPECT_EQ(button.SliderBehaviour, SettingKey::MusicVolume);
    EXPECT_EQ(button.SliderType, Orientation::Horizontal);
    EXPECT_FLOAT_EQ(button.MinPosX, -200.0f);
    EXPECT_FLOAT_EQ(button.MaxPosY, 11.0f);
    EXPECT_EQ(button.AffectSliders, "Knob");
    EXPECT_EQ(button.BindTo, "Panel");
    EXPECT_FLOAT_EQ(button.BindTo_Offset_Y, 6.0f);
    EXPECT_EQ(button.ChangeGameState, GameState::Previous);
    EXPECT_EQ(button.AffectEntity, "Player_1");
    EXPECT_FLOAT_EQ(button.ReclickDelay, 0.5f);
    EXPECT_EQ(button.ImageFX, ImageEffect::FadeTo);
    EXPECT_EQ(button.FXDuration, EndlessEffect);
    EXPECT_FLOAT_EQ(button.FXRemaining, 0.0f) << "taken at Start";
    EXPECT_FLOAT_EQ(button.FXSpeed, 3.0f);
    EXPECT_FLOAT_EQ(button.FXLimits, 1.0f);
    EXPECT_EQ(button.QueueToEntity, "Next");
    EXPECT_EQ(button.ToggleTextureFalse, "Toggle_Off");
    EXPECT_EQ(button.ToggleTextureTrue, "Toggle_On");
    EXPECT_EQ(Written(button),
              "NonHoverTexture,HoverTexture,UnavailableTexture,LevelToTarget,MainScreen,SubScreen,OnInitialScreen,"
              "BindToCamera,UniqueBehaviour,SliderType,SliderBehaviour,MinPosX,MinPosY,MaxPosX,MaxPosY,AffectSliders,"
              "BindTo,BindTo_Offset_X,BindTo_Offset_Y,ChangeGameState,AffectEntity,ReclickDelay,ImageFX,FXDuration,"
              "FXSpeed,FXLimits,QueueToEntity,IsInvisible,ToggleTextureFalse,ToggleTextureTrue");

    // Words their tables lack keep the field; the empty word is action, direction and setting none.
    button.Deserialize(Parse(R"({"UniqueBehaviour": "DeactivateBindToEntity", "ChangeGameState": "paused",
        "SliderType": "horizontal", "ImageFX": "Fade"})"));
    EXPECT_EQ(button.UniqueBehaviour, ButtonAction::DeactivateBindToEntity);
    EXPECT_EQ(button.ChangeGameState, GameState::Previous);
    EXPECT_EQ(button.SliderType, Orientation::Horizontal);
    EXPECT_EQ(button.ImageFX, ImageEffect::FadeTo);
    button.Deserialize(Parse(R"({"UniqueBehaviour": "", "SliderType": "", "SliderBehaviour": ""})"));
    EXPECT_EQ(button.UniqueBehaviour, ButtonAction::None);
    EXPECT_EQ(button.SliderType, Orientation::None);
    EXPECT_EQ(button.SliderBehaviour, SettingKey::None);
}

TEST(ScreenElementData, AKeyOfTheWrongTypeIsTheJsonErrorNamingIt)
{
    const struct
    {
        const char* json;
        const char* key;
    } cases[] = {
        {R"({"ShowTimer": "long"})", "ShowTimer"},
        {R"({"BindTo": 3})", "BindTo"},
        {R"({"FontFX": 2})", "FontFX"},
        {R"({"QueueToFX": "FadeTo"})", "QueueToFX"},
        {R"({"QueueToFXDuration": [1, "two"]})", "QueueToFXDuration"},
        {R"({"FlashColour": 1})", "FlashColour"},
        {R"({"UniqueBehaviour": ["Reload"]})", "UniqueBehaviour"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.json);
        const rapidjson::Document data = Parse(c.json);
        bFontBehaviour text;
        bImageBehaviour image;
        bUIButtonBehaviour button;
        testing::internal::CaptureStderr();
        const std::string message = AssertMessageOf([&] {
            text.Deserialize(data);
            image.Deserialize(data);
            button.Deserialize(data);
        });
        const std::string reported = testing::internal::GetCapturedStderr();
        EXPECT_EQ(message, "JSON ERROR");
        EXPECT_THAT(reported, testing::HasSubstr(std::string("\"") + c.key + "\""));
    }
}
