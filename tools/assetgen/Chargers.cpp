// Chargers: bulky zombies with one huge club arm. Aim is the coiled stalk (held), Shooting the
// charge, Block the arm raised as a shield, Melee the overhead smash.
#include "CharacterParts.h"
#include "Families.h"
#include "Paints.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int FrameSize = 160;
constexpr float Unit = 1.5f;

const Color Muscle = Hex(0x9A5A4C);
const Color Rags = Hex(0x4A4436);

struct Pose
{
    float breathe = 0;     // -1 to 1
    float shift = 0;       // whole body along x
    float lean = 0;
    Vec2 elbow{14, 19};
    Vec2 fist{27, 13};
    Vec2 smallHand{13, -15};
    float headForward = 0;
    bool streaks = false;
};

Image DrawCharger(const Pose& pose)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit};
    Image ground(FrameSize, FrameSize);
    GroundShadow(ground, rig.P(3, 4), {rig.R(20), rig.R(24)}, 0.55f);
    if (pose.streaks)
        Streaks(ground, rig.P(-14, 0), rig.R(30), rig.R(16), 7, Hex(0xD8C8B0), 5);
    Image figure(FrameSize, FrameSize);
    Color skin = Mix(ZombieSkin(), Hex(0x8A7A66), 0.25f);
    Rig body = rig;
    body.origin = rig.P(pose.shift, 0);
    body.angle = pose.lean;
    float k = 1.0f + 0.035f * pose.breathe;

    InkedLimb(figure, body.P(1, -11), body.P(pose.smallHand), body.R(2.6f), skin);
    ClawHand(figure, body.P(pose.smallHand), body.P(pose.smallHand) - body.P(1, -11), body.R(2.3f), skin);

    Shape back = Ragged(Ellipse(body.P(-2, 1), {body.R(12.5f * k), body.R(17 * k)}, pose.lean), body.R(0.8f), 0.2f, 3);
    DrawOutlined(figure, back, Lit(skin, body.P(-2, 1), body.R(17), 0.45f), InkColor(), 1.4f);
    // Rags over the hips and a ridge of spine knuckles.
    Shape rag = Intersect(back, Ragged(Box(body.P(-10, 1), {body.R(5), body.R(16)}, pose.lean), body.R(1.5f), 0.3f, 8));
    Draw(figure, rag, Lit(Rags, body.P(-10, 1), body.R(16), 0.3f));
    for (int i = 0; i < 4; ++i)
        InkedBall(figure, body.P(-9 + i * 3.5f, 1), body.R(1.4f), Shade(skin, 1.15f));
    Stains(figure, back, 5, body.R(3), Hex(0x5E2A20), 14);

    // The club arm: a knotted upper arm, a huge forearm and a fist like a boulder.
    Vec2 shoulder = body.P(2, 13);
    InkedTaper(figure, shoulder, body.P(pose.elbow), body.R(6.5f), body.R(5.5f), Muscle);
    InkedTaper(figure, body.P(pose.elbow), body.P(pose.fist), body.R(6), body.R(7.5f), Mix(Muscle, skin, 0.35f));
    InkedBall(figure, body.P(pose.fist), body.R(7.5f), Mix(Muscle, skin, 0.5f), 0.45f);
    Draw(figure, Ragged(Circle(body.P(pose.fist) + Vec2{body.R(2), -body.R(2)}, body.R(2.5f)), 1.0f, 0.4f, 5),
         Hex(0xC9B79A, 0.8f));
    InkedBall(figure, shoulder, body.R(6.0f), Mix(Muscle, skin, 0.3f));

    Vec2 head = body.P(9 + pose.headForward, -3);
    InkedBall(figure, head, body.R(5.4f), skin, 0.5f);
    Draw(figure, Circle(head + Vec2{body.R(2.5f), body.R(1.0f)}, body.R(1.6f)), Hex(0x2A0E0A));
    return Compose(ground, figure, 2.2f);
}

Image DrawChargerCorpse(float shinePhase)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit * 0.95f, 2.4f};
    Image ground(FrameSize, FrameSize);
    Puddle(ground, rig.P(0, 2), {rig.R(26), rig.R(21)}, 0.5f, ZombieBlood(), shinePhase, 29);
    Image figure(FrameSize, FrameSize);
    Color skin = Shade(Mix(ZombieSkin(), Hex(0x8A7A66), 0.25f), 0.85f);
    InkedLimb(figure, rig.P(1, -11), rig.P(10, -22), rig.R(2.6f), skin);
    Shape back = Ellipse(rig.P(-2, 1), {rig.R(12.5f), rig.R(17)}, rig.angle);
    DrawOutlined(figure, back, Lit(skin, rig.P(-2, 1), rig.R(17), 0.35f), InkColor(), 1.4f);
    Stains(figure, back, 6, rig.R(3), Hex(0x2E4A18), 33);
    InkedTaper(figure, rig.P(2, 13), rig.P(-4, 26), rig.R(6.5f), rig.R(5.5f), Shade(Muscle, 0.85f));
    InkedTaper(figure, rig.P(-4, 26), rig.P(-18, 22), rig.R(6), rig.R(7.5f), Shade(Muscle, 0.8f));
    InkedBall(figure, rig.P(-18, 22), rig.R(7.5f), Shade(Muscle, 0.8f));
    InkedBall(figure, rig.P(10, -2), rig.R(5.4f), skin);
    return Compose(ground, figure, 2.2f);
}
}

void MakeChargers(Kit& kit)
{
    std::vector<Image> frames;
    for (int i = 0; i < 8; ++i)
    {
        float t = TwoPi * i / 8.0f;
        Pose p;
        p.breathe = std::sin(t);
        p.fist = {27 + 1.5f * std::sin(t), 13 + 1.0f * std::cos(t)};
        p.smallHand = {13 + std::cos(t), -15};
        frames.push_back(DrawCharger(p));
    }
    kit.out.AddSheet("Charger", "Idle", frames, 0.12f);

    frames.clear();
    for (int i = 0; i < 4; ++i)
    {
        float s = i / 3.0f;
        Pose p;
        p.shift = -3 * s;
        p.headForward = -2 * s;
        p.elbow = {14 - 8 * s, 19 + 3 * s};
        p.fist = {27 - 19 * s, 13 + 12 * s};
        p.smallHand = {13 - 3 * s, -15 - 2 * s};
        p.breathe = s;
        frames.push_back(DrawCharger(p));
    }
    kit.out.AddSheet("Charger", "Aim", frames, 0.2f);

    frames.clear();
    for (int i = 0; i < 6; ++i)
    {
        float t = TwoPi * i / 6.0f;
        Pose p;
        p.shift = 5;
        p.lean = 0.06f * std::sin(t);
        p.elbow = {20, 13};
        p.fist = {33 + 1.5f * std::sin(t), 5};
        p.smallHand = {6 + 3 * std::sin(t), -17};
        p.headForward = 2;
        p.streaks = true;
        frames.push_back(DrawCharger(p));
    }
    kit.out.AddSheet("Charger", "Shooting", frames, 0.07f);

    frames.clear();
    for (int i = 0; i < 4; ++i)
    {
        float t = TwoPi * i / 4.0f;
        Pose p;
        p.shift = -2;
        p.elbow = {22, 15};
        p.fist = {23 + 0.8f * std::sin(t), -9};
        p.smallHand = {15, -12};
        p.headForward = -3;
        p.breathe = std::sin(t);
        frames.push_back(DrawCharger(p));
    }
    kit.out.AddSheet("Charger", "Block", frames, 0.1f);

    frames.clear();
    const float swing[6] = {2.2f, 1.7f, 1.0f, 0.3f, -0.2f, 1.2f};
    for (int i = 0; i < 6; ++i)
    {
        Pose p;
        Vec2 dir{std::cos(swing[i]), std::sin(swing[i])};
        p.elbow = Vec2{2, 13} + dir * 13.0f;
        p.fist = Vec2{2, 13} + dir * 26.0f;
        p.lean = 0.15f * (1.0f - swing[i]);
        p.headForward = i == 3 ? 2.0f : 0.0f;
        frames.push_back(DrawCharger(p));
    }
    kit.out.AddSheet("Charger", "Melee", frames, 0.08f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(DrawChargerCorpse(i / 8.0f));
    kit.out.AddSheet("Charger", "Death", frames, 0.15f);
}
}
