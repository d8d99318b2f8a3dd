// Plain zombies: a shambling walk (their Idle clip), a two-armed swipe (Shooting) and a corpse.
#include "CharacterParts.h"
#include "Families.h"
#include "Paints.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int FrameSize = 160;
constexpr float Unit = 1.3f;

const Color Rags = Hex(0x555747);
const Color Shirt = Hex(0x4C5A6A);
const Color Hair = Hex(0x2E2A22);

struct Pose
{
    float step = 0;
    float lean = 0;        // body turn in radians
    Vec2 leftHand{24, -9};
    Vec2 rightHand{24, 9};
    float headForward = 0;
};

Image DrawZombie(const Pose& pose, unsigned seed)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit};
    Image ground(FrameSize, FrameSize);
    GroundShadow(ground, rig.P(2, 3), {rig.R(18), rig.R(22)}, 0.5f);
    Image figure(FrameSize, FrameSize);
    Color skin = ZombieSkin();
    Rig body = rig;
    body.angle = pose.lean;

    InkedBlob(figure, rig.P(6 * pose.step + 3, -6.5f), {rig.R(5.5f), rig.R(3.4f)}, 0.15f, Hex(0x3A3630));
    InkedBlob(figure, rig.P(-6 * pose.step + 3, 6.5f), {rig.R(5.5f), rig.R(3.4f)}, -0.15f, Hex(0x4A463C));

    Vec2 leftShoulder = body.P(1, -11), rightShoulder = body.P(1, 11);
    InkedLimb(figure, leftShoulder, rig.P(pose.leftHand), rig.R(3.0f), skin);
    Shape torso = Ragged(Ellipse(body.P(0, 0), {body.R(10), body.R(15.5f)}, pose.lean), body.R(1.2f), 0.25f, seed);
    DrawOutlined(figure, torso, Lit(Shirt, body.P(0, 0), body.R(15), 0.35f), InkColor(), 1.3f);
    Stains(figure, torso, 5, body.R(3.2f), Hex(0x2F3A20), seed + 3);
    Stains(figure, torso, 3, body.R(2.2f), Hex(0x5A1A14), seed + 5);
    Draw(figure, Intersect(Ragged(Circle(body.P(-4, 8), body.R(4.5f)), body.R(1), 0.3f, seed + 9), torso),
         Shade(skin, 0.9f));
    InkedLimb(figure, rightShoulder, rig.P(pose.rightHand), rig.R(3.0f), skin);
    ClawHand(figure, rig.P(pose.leftHand), rig.P(pose.leftHand) - leftShoulder, rig.R(2.8f), skin);
    ClawHand(figure, rig.P(pose.rightHand), rig.P(pose.rightHand) - rightShoulder, rig.R(2.8f), skin);

    Vec2 head = body.P(3 + pose.headForward, 0.5f);
    InkedBall(figure, head, body.R(7.2f), skin, 0.45f);
    Shape scalp = Intersect(Circle(head, body.R(7.2f)), Ragged(Circle(head + Vec2{-body.R(3.5f), 0}, body.R(6)),
                                                              body.R(1.5f), 0.4f, seed + 11));
    Draw(figure, scalp, Hair);
    Draw(figure, Ragged(Circle(head + Vec2{body.R(2), body.R(-2.5f)}, body.R(2.2f)), body.R(0.6f), 0.5f, seed + 13),
         Hex(0x6A2018));
    return Compose(ground, figure);
}

Image DrawZombieCorpse(float shinePhase)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit * 0.95f, -1.9f};
    Image ground(FrameSize, FrameSize);
    Puddle(ground, rig.P(0, 2), {rig.R(27), rig.R(20)}, -0.4f, ZombieBlood(), shinePhase, 23);
    Image figure(FrameSize, FrameSize);
    Color skin = Shade(ZombieSkin(), 0.85f);
    InkedLimb(figure, rig.P(-2, -5), rig.P(-18, -9), rig.R(3.6f), Hex(0x3F3C34));
    InkedLimb(figure, rig.P(-2, 5), rig.P(-17, 10), rig.R(3.6f), Hex(0x3F3C34));
    Shape torso = Ragged(Ellipse(rig.P(0, 0), {rig.R(10), rig.R(15)}, rig.angle), rig.R(1.2f), 0.25f, 4);
    DrawOutlined(figure, torso, Lit(Shade(Shirt, 0.85f), rig.P(0, 0), rig.R(15), 0.3f), InkColor(), 1.3f);
    Stains(figure, torso, 6, rig.R(3.0f), Hex(0x2F3A20), 41);
    InkedLimb(figure, rig.P(3, -11), rig.P(16, -24), rig.R(3.0f), skin);
    InkedLimb(figure, rig.P(3, 11), rig.P(1, 27), rig.R(3.0f), skin);
    ClawHand(figure, rig.P(16, -24), rig.P(16, -24) - rig.P(3, -11), rig.R(2.6f), skin);
    ClawHand(figure, rig.P(1, 27), rig.P(1, 27) - rig.P(3, 11), rig.R(2.6f), skin);
    Vec2 head = rig.P(13, 3);
    InkedBall(figure, head, rig.R(7), skin);
    Draw(figure, Intersect(Circle(head, rig.R(7)), Circle(head + Vec2{rig.R(3), rig.R(2)}, rig.R(5))), Hair);
    return Compose(ground, figure);
}
}

void MakeZombies(Kit& kit)
{
    std::vector<Image> frames;
    for (int i = 0; i < 8; ++i)
    {
        float t = TwoPi * i / 8.0f;
        Pose p;
        p.step = std::sin(t);
        p.lean = 0.12f * std::sin(t);
        p.leftHand = {24 + 4 * std::sin(t), -9 - 1.5f * std::cos(t)};
        p.rightHand = {24 - 4 * std::sin(t), 9 + 1.5f * std::cos(t)};
        p.headForward = 1.0f * std::cos(t * 2);
        frames.push_back(DrawZombie(p, 7));
    }
    kit.out.AddSheet("Zombie", "Idle", frames, 0.11f);

    frames.clear();
    const Vec2 left[5] = {{14, -19}, {8, -22}, {22, -14}, {30, -4}, {22, -9}};
    const Vec2 right[5] = {{14, 19}, {8, 22}, {22, 14}, {30, 4}, {22, 9}};
    const float head[5] = {0, -1.5f, 2, 4, 1};
    for (int i = 0; i < 5; ++i)
    {
        Pose p;
        p.leftHand = left[i];
        p.rightHand = right[i];
        p.headForward = head[i];
        frames.push_back(DrawZombie(p, 7));
    }
    kit.out.AddSheet("Zombie", "Shooting", frames, 0.08f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(DrawZombieCorpse(i / 8.0f));
    kit.out.AddSheet("Zombie", "Death", frames, 0.15f);
}
}
