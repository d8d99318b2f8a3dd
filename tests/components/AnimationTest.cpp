#include "engine/components/Animation.h"

#include <gtest/gtest.h>

TEST(Animation, StateNames)
{
    const std::pair<int, const char*> rows[] = {
        {0, "Idle"},         {1, "Idle"},      {2, "RunDown"},           {5, "Shooting"},        {6, "blank"},
        {10, "Non_Hover"},   {11, "Hover"},    {12, "GreenBloodDamage"}, {13, "GreenBloodDeath"}, {15, "Sparks"},
        {19, "Melee"},       {20, "Idle"},     {-1, "Idle"},
    };
    for (const auto& [state, name] : rows)
    {
        Animation animation;
        animation.AnimationState = state;
        EXPECT_EQ(animation.GetStateName(), name) << state;
    }
}
