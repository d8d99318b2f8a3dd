// Spitters: thin, hunched, carrying a glowing acid sac. Shooting is the spit (held on its last
// frame), Explosion the sac swelling before it bursts (held).
#include "CharacterParts.h"
#include "Families.h"
#include "Paints.h"
#include "Rng.h"

#include <cmath>

namespace assetgen
{
namespace
{
constexpr int FrameSize = 160;
constexpr float Unit = 1.3f;

const Color Acid = Hex(0xB6D636);
const Color AcidDeep = Hex(0x5F8A1C);

struct Pose
{
    float sac = 1.0f;       // sac size factor
    float glow = 0.0f;      // 0 to 1
    float headX = 13;
    float sway = 0;
    bool spit = false;
    float cracks = 0;       // 0 to 1
};

void Sac(Image& figure, Image& glowLayer, Vec2 c, float r, const Pose& pose, unsigned seed)
{
    Shape sac = Ragged(Circle(c, r), r * 0.05f, 0.15f, seed);
    Draw(glowLayer, Circle(c, r * 1.35f), WithAlpha(Acid, 0.25f + 0.35f * pose.glow), r * 0.6f);
    DrawOutlined(figure, sac, Radial(c + Vec2{-r * 0.2f, -r * 0.25f}, r * 1.2f, Mix(Acid, Hex(0xF4FFB0), 0.3f + 0.4f * pose.glow), AcidDeep),
                 InkColor(), 1.3f);
    // Veins over the sac.
    Rng rng(seed);
    for (int i = 0; i < 6; ++i)
    {
        float a = rng.Range(0, TwoPi);
        Vec2 from = c + Vec2{std::cos(a), std::sin(a)} * (r * 0.95f);
        Vec2 to = c + Vec2{std::cos(a + 0.4f), std::sin(a + 0.4f)} * (r * 0.35f);
        Draw(figure, Intersect(Taper(from, to, 1.3f, 0.4f), sac), WithAlpha(Hex(0x3E5A14), 0.7f));
    }
    if (pose.cracks > 0)
    {
        for (int i = 0; i < 5; ++i)
        {
            float a = rng.Range(0, TwoPi);
            Vec2 from = c + Vec2{std::cos(a), std::sin(a)} * (r * 0.9f * pose.cracks);
            Vec2 mid = c + Vec2{std::cos(a + 0.3f), std::sin(a + 0.3f)} * (r * 0.45f);
            Draw(figure, Intersect(Capsule(from, mid, 1.2f), sac), Hex(0xFBFFD0));
        }
    }
}

Image DrawSpitter(const Pose& pose)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit};
    Image ground(FrameSize, FrameSize);
    GroundShadow(ground, rig.P(0, 3), {rig.R(18 * pose.sac), rig.R(20 * pose.sac)}, 0.5f);
    Image glow(FrameSize, FrameSize);
    Image figure(FrameSize, FrameSize);
    Color skin = Mix(ZombieSkin(), Hex(0x9AA27A), 0.3f);
    Rig body = rig;
    body.origin = rig.P(0, pose.sway);

    // Long thin arms hang forward.
    InkedLimb(figure, body.P(1, -8), body.P(17, -13), body.R(2.0f), skin);
    InkedLimb(figure, body.P(1, 8), body.P(17, 13), body.R(2.0f), skin);
    ClawHand(figure, body.P(17, -13), {1, -0.2f}, body.R(2.2f), skin);
    ClawHand(figure, body.P(17, 13), {1, 0.2f}, body.R(2.2f), skin);
    InkedBlob(figure, body.P(2, 0), {body.R(7.5f), body.R(11)}, 0, Hex(0x4E4A3C));
    Sac(figure, glow, body.P(-8, 0), body.R(11.5f * pose.sac), pose, 17);
    // A long neck leads to a head thrust forward.
    InkedTaper(figure, body.P(4, 0), body.P(pose.headX, 0), body.R(3), body.R(2.6f), skin);
    Vec2 head = body.P(pose.headX, 0);
    InkedBlob(figure, head, {body.R(6), body.R(4.8f)}, 0, skin, 0.45f);
    Draw(figure, Ellipse(head + Vec2{body.R(3.5f), 0}, {body.R(2.2f), body.R(2.6f)}), Hex(0x2A3A10));
    Draw(figure, Capsule(head + Vec2{body.R(4.5f), body.R(1)}, head + Vec2{body.R(7), body.R(2.5f)}, 1.2f), Acid);

    Image frame = ground;
    frame.Composite(glow, 0, 0);
    frame.Composite(Compose(Image(FrameSize, FrameSize), figure), 0, 0);
    if (pose.spit)
    {
        Vec2 mouth = head + Vec2{body.R(6), 0};
        Draw(frame, Circle(mouth + Vec2{body.R(9), 0}, body.R(5.5f)), WithAlpha(Acid, 0.35f), 6.0f);
        for (int i = 0; i < 6; ++i)
        {
            float a = (i - 2.5f) * 0.16f;
            Vec2 tip = mouth + Vec2{std::cos(a), std::sin(a)} * body.R(12.0f + (i % 3) * 3.0f);
            Draw(frame, Taper(mouth, tip, body.R(1.6f), body.R(0.5f)), Mix(Acid, Hex(0xFFFFFF), 0.2f));
        }
        DrawOutlined(frame, Circle(mouth + Vec2{body.R(9), 0}, body.R(3.5f)),
                     Radial(mouth + Vec2{body.R(8), -body.R(1)}, body.R(4), Hex(0xE8FF9A), AcidDeep), InkColor(), 1.2f);
    }
    return frame;
}

Image DrawSpitterRemains(float shinePhase)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit, 0.7f};
    Image ground(FrameSize, FrameSize);
    Puddle(ground, rig.P(-2, 0), {rig.R(31), rig.R(26)}, 0.2f, Hex(0x8AB224), shinePhase, 37);
    Image figure(FrameSize, FrameSize);
    Color skin = Shade(Mix(ZombieSkin(), Hex(0x9AA27A), 0.3f), 0.8f);
    InkedLimb(figure, rig.P(0, -7), rig.P(-8, -22), rig.R(2.0f), skin);
    InkedLimb(figure, rig.P(0, 7), rig.P(12, 18), rig.R(2.0f), skin);
    InkedBlob(figure, rig.P(1, 0), {rig.R(7.5f), rig.R(10)}, rig.angle, Hex(0x3E3A30));
    // Torn flaps of the burst sac.
    for (int i = 0; i < 5; ++i)
    {
        float a = TwoPi * i / 5.0f + 0.3f;
        Vec2 c = rig.P(-8, 0) + Vec2{std::cos(a), std::sin(a)} * rig.R(8);
        InkedTaper(figure, c, c + Vec2{std::cos(a), std::sin(a)} * rig.R(7), rig.R(3), rig.R(0.8f), AcidDeep);
    }
    InkedBlob(figure, rig.P(12, 0), {rig.R(5.5f), rig.R(4.5f)}, rig.angle, skin);
    return Compose(ground, figure);
}
}

void MakeSpitters(Kit& kit)
{
    std::vector<Image> frames;
    for (int i = 0; i < 8; ++i)
    {
        float t = TwoPi * i / 8.0f;
        Pose p;
        p.sac = 1.0f + 0.05f * std::sin(t);
        p.glow = 0.3f + 0.2f * std::sin(t);
        p.headX = 13 + 1.2f * std::sin(t + 1.0f);
        p.sway = 1.2f * std::sin(t);
        frames.push_back(DrawSpitter(p));
    }
    kit.out.AddSheet("Spitter", "Idle", frames, 0.12f);

    frames.clear();
    const float headX[6] = {12, 9, 7, 15, 19, 19};
    const float glow[6] = {0.4f, 0.6f, 0.9f, 1.0f, 0.5f, 0.3f};
    const float sac[6] = {1.0f, 1.04f, 1.1f, 1.0f, 0.9f, 0.88f};
    for (int i = 0; i < 6; ++i)
    {
        Pose p;
        p.headX = headX[i];
        p.glow = glow[i];
        p.sac = sac[i];
        p.spit = i >= 4;
        frames.push_back(DrawSpitter(p));
    }
    kit.out.AddSheet("Spitter", "Shooting", frames, 0.1f);

    frames.clear();
    for (int i = 0; i < 6; ++i)
    {
        float s = i / 5.0f;
        Pose p;
        p.sac = 1.0f + 0.75f * s;
        p.glow = 0.4f + 0.6f * s;
        p.cracks = s > 0.3f ? s : 0.0f;
        p.headX = 13 - 3 * s;
        p.sway = (i % 2 == 0 ? 1.0f : -1.0f) * 1.5f * s;
        frames.push_back(DrawSpitter(p));
    }
    kit.out.AddSheet("Spitter", "Explosion", frames, 0.12f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(DrawSpitterRemains(i / 8.0f));
    kit.out.AddSheet("Spitter", "Death", frames, 0.15f);
}
}
