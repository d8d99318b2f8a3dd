// The four soldiers, top-down, facing +x. Each wears its own colour and carries its own weapon.
#include "CharacterParts.h"
#include "Families.h"
#include "Paints.h"

#include <cmath>
#include <string>

namespace assetgen
{
namespace
{
constexpr int FrameSize = 160;
constexpr float Unit = 1.3f;

enum class Weapon
{
    Rifle,
    LongRifle,
    Carbine,
    Pistol
};

struct SoldierLook
{
    std::string tag;
    Color uniform;
    Weapon weapon;
};

struct Pose
{
    float step = 0;         // -1 to 1: which foot is forward
    float sway = 0;         // sideways shift of the upper body
    float weaponAngle = 0;  // radians around the shoulder pivot; + swings the muzzle to the right
    float recoil = 0;       // pulled back along the weapon
    float flash = 0;        // muzzle flash strength
    bool throwing = false;  // the right arm is free and throws
    Vec2 throwHand{};       // right hand while throwing
    bool grenadeInHand = false;
};

const Color Boots = Hex(0x2B2622);
const Color Gloves = Hex(0x2E2A25);
const Color Gear = Hex(0x565443);
const Color Metal = Hex(0x33363B);
const Color Wood = Hex(0x82502C);

struct Grip
{
    Vec2 rearHand, frontHand, muzzle;
    float angle;
};

// Draws the weapon held at `pivot` (local units) and returns where the hands go.
Grip DrawWeapon(Image& layer, const Rig& rig, Vec2 pivot, float angle, float recoil, Weapon weapon)
{
    auto P = [&](float x, float y) { return rig.P(pivot + Rotated({x - recoil, y}, angle)); };
    auto Part = [&](float x0, float x1, float halfWidth, Color c, float y = 0) {
        InkedBox(layer, (P(x0, y) + P(x1, y)) * 0.5f, {rig.R((x1 - x0) * 0.5f), rig.R(halfWidth)},
                 angle + rig.angle, rig.R(0.8f), c);
    };
    Grip g{};
    g.angle = angle + rig.angle;
    switch (weapon)
    {
    case Weapon::Rifle:
        Part(-4, 9, 2.6f, Metal);
        Part(20, 25, 1.6f, Metal, 3.6f);
        Part(8, 36, 2.5f, Hex(0x40444A));
        Part(36, 46, 1.2f, Metal);
        Part(13, 22, 1.5f, Hex(0x1C1D20), -2.4f);
        g = {P(13, 1.5f), P(29, 0), P(47, 0), g.angle};
        break;
    case Weapon::LongRifle:
        Part(-6, 10, 2.9f, Hex(0x393C41));
        Part(10, 40, 2.7f, Hex(0x4A4E54));
        Part(40, 53, 1.4f, Metal);
        Part(52, 56, 2.0f, Metal);
        Part(13, 27, 2.0f, Hex(0x17181B), -2.9f);
        g = {P(13, 1.5f), P(32, 0), P(57, 0), g.angle};
        break;
    case Weapon::Carbine:
        Part(-4, 10, 2.7f, Wood);
        Part(18, 23, 1.7f, Metal, 4.2f);
        Part(10, 23, 2.3f, Metal);
        Part(23, 34, 2.5f, Wood);
        Part(34, 44, 1.2f, Metal);
        g = {P(12, 1.5f), P(28, 0), P(45, 0), g.angle};
        break;
    case Weapon::Pistol:
        Part(19, 30, 2.2f, Hex(0x2A2C30));
        g = {P(19, 2.2f), P(21, -2.2f), P(31, 0), g.angle};
        break;
    }
    return g;
}

void MuzzleFlash(Image& layer, Vec2 muzzle, float angle, float strength)
{
    if (strength <= 0)
        return;
    float len = 15.0f * strength;
    Vec2 ahead = Rotated({1, 0}, angle);
    Draw(layer, Circle(muzzle + ahead * (len * 0.4f), 11.0f * strength), Hex(0xFFB347, 0.4f), 7.0f);
    std::vector<Vec2> star;
    for (int i = 0; i < 10; ++i)
    {
        float a = angle + TwoPi * i / 10.0f;
        float r = (i % 2 == 0) ? len * (i == 0 ? 1.0f : 0.45f) : len * 0.18f;
        star.push_back(muzzle + Vec2{std::cos(a) * r, std::sin(a) * r} + ahead * (len * 0.15f));
    }
    Draw(layer, Polygon(star), Hex(0xFFC45A));
    Draw(layer, Circle(muzzle + ahead * (len * 0.2f), 3.5f * strength), Hex(0xFFF6D8));
}

Image DrawSoldier(const SoldierLook& look, const Pose& pose)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit};
    Image ground(FrameSize, FrameSize);
    GroundShadow(ground, rig.P(2, 3), {rig.R(19), rig.R(23)}, 0.5f);
    Image figure(FrameSize, FrameSize);
    Color uniform = look.uniform;
    Color sleeve = Shade(uniform, 0.82f);
    Color helmet = Mix(Shade(uniform, 0.55f), Hex(0x3A3F33), 0.3f);
    Rig body = rig;
    body.origin = rig.P(0, pose.sway);

    // Boots peek out ahead of and behind the body as the soldier walks.
    InkedBlob(figure, rig.P(7 * pose.step + 4, -7), {rig.R(6.5f), rig.R(3.8f)}, 0, Boots);
    InkedBlob(figure, rig.P(-7 * pose.step + 4, 7), {rig.R(6.5f), rig.R(3.8f)}, 0, Boots);

    Image gunLayer(FrameSize, FrameSize);
    Grip grip{};
    if (pose.throwing)
    {
        // The weapon rides slung across the back while both arms are free.
        float slung = look.weapon == Weapon::Pistol ? 0.0f : 2.45f;
        Vec2 at = look.weapon == Weapon::Pistol ? Vec2{-30, 16} : Vec2{8, -4};
        if (look.weapon != Weapon::Pistol)
            DrawWeapon(figure, body, at, slung, 0, look.weapon);
    }

    InkedBox(figure, body.P(-11, 0), {body.R(6), body.R(10)}, 0, body.R(3), Gear);
    InkedBlob(figure, body.P(0, 0), {body.R(11), body.R(17)}, 0, uniform, 0.4f);
    InkedBox(figure, body.P(2.5f, 0), {body.R(5.5f), body.R(9.5f)}, 0, body.R(3), Shade(Mix(uniform, Gear, 0.6f), 0.85f));

    Vec2 leftShoulder = body.P(2, -12.5f), rightShoulder = body.P(2, 12.5f);
    if (pose.throwing)
    {
        // The free left arm reaches forward for balance; the pistol stays in that hand.
        Vec2 left = body.P(14, -15);
        InkedLimb(figure, leftShoulder, left, body.R(3.6f), sleeve);
        if (look.weapon == Weapon::Pistol)
            DrawWeapon(figure, body, {-6, -15}, 0.2f, 0, look.weapon);
        InkedBall(figure, left, body.R(3.0f), Gloves);
        Vec2 hand = body.P(pose.throwHand);
        InkedLimb(figure, rightShoulder, hand, body.R(3.8f), sleeve);
        InkedBall(figure, hand, body.R(3.2f), Gloves);
        if (pose.grenadeInHand)
        {
            InkedBall(figure, hand + Vec2{body.R(2), 0}, body.R(3.4f), Hex(0x55683A));
            InkedBox(figure, hand + Vec2{body.R(5), 0}, {body.R(1.2f), body.R(1.8f)}, 0, 0.5f, Metal);
        }
    }
    else
    {
        Vec2 pivot = look.weapon == Weapon::Pistol ? Vec2{2, 0} : Vec2{3, 5};
        grip = DrawWeapon(gunLayer, body, pivot, pose.weaponAngle, pose.recoil, look.weapon);
        InkedLimb(figure, leftShoulder, grip.frontHand, body.R(3.6f), sleeve);
        figure.Composite(gunLayer, 0, 0);
        InkedLimb(figure, rightShoulder, grip.rearHand, body.R(3.8f), sleeve);
        InkedBall(figure, grip.frontHand, body.R(3.0f), Gloves);
        InkedBall(figure, grip.rearHand, body.R(3.2f), Gloves);
    }

    Vec2 head = body.P(2.5f, 0);
    InkedBall(figure, head, body.R(8.6f), helmet, 0.5f);
    Draw(figure, Circle(head + Vec2{-body.R(2.6f), -body.R(3)}, body.R(2.6f)), WithAlpha(Hex(0xFFE2B8), 0.4f), 3.0f);

    Image frame = Compose(ground, figure);
    if (!pose.throwing)
        MuzzleFlash(frame, grip.muzzle, grip.angle, pose.flash);
    return frame;
}

Image DrawFallenSoldier(const SoldierLook& look, float shinePhase)
{
    Rig rig{{FrameSize * 0.5f, FrameSize * 0.5f}, Unit * 0.95f, 1.35f};
    Image ground(FrameSize, FrameSize);
    Puddle(ground, rig.P(3, 3), {rig.R(27), rig.R(19)}, 0.3f, Hex(0x6A1014), shinePhase, 11);
    Image figure(FrameSize, FrameSize);
    Color uniform = Shade(Desaturate(look.uniform, 0.25f), 0.8f);
    Color helmet = Mix(Shade(uniform, 0.55f), Hex(0x3A3F33), 0.3f);
    // On the back, turned across the frame, arms flung out; the weapon lies beside.
    InkedLimb(figure, rig.P(-2, -6), rig.P(-18, -10), rig.R(4.0f), Shade(uniform, 0.7f));
    InkedLimb(figure, rig.P(-2, 6), rig.P(-19, 8), rig.R(4.0f), Shade(uniform, 0.7f));
    InkedBall(figure, rig.P(-21, -11), rig.R(3.6f), Boots);
    InkedBall(figure, rig.P(-22, 9), rig.R(3.6f), Boots);
    InkedBox(figure, rig.P(-6, -24), {rig.R(15), rig.R(2.3f)}, rig.angle + 0.5f, 1, Metal);
    InkedBlob(figure, rig.P(0, 0), {rig.R(11), rig.R(16)}, rig.angle, uniform);
    InkedLimb(figure, rig.P(4, -12), rig.P(8, -26), rig.R(3.5f), Shade(uniform, 0.85f));
    InkedLimb(figure, rig.P(4, 12), rig.P(16, 23), rig.R(3.5f), Shade(uniform, 0.85f));
    InkedBall(figure, rig.P(8, -27), rig.R(3.0f), Gloves);
    InkedBall(figure, rig.P(17, 24), rig.R(3.0f), Gloves);
    InkedBall(figure, rig.P(13, 2), rig.R(8.4f), helmet);
    return Compose(ground, figure);
}

void MakeSoldier(Kit& kit, const SoldierLook& look)
{
    std::vector<Image> frames;
    for (int i = 0; i < 8; ++i)
    {
        float t = TwoPi * i / 8.0f;
        Pose p;
        p.step = std::sin(t);
        p.sway = 0.7f * std::sin(t + 0.8f);
        p.weaponAngle = 0.03f * std::sin(t * 2.0f);
        p.recoil = 0.5f * (1 + std::cos(t * 2.0f));
        frames.push_back(DrawSoldier(look, p));
    }
    kit.out.AddSheet(look.tag, "Idle", frames, 0.1f);

    frames.clear();
    const float recoil[4] = {2.6f, 1.4f, 0.5f, 0.0f};
    const float flash[4] = {1.0f, 0.45f, 0.0f, 0.0f};
    for (int i = 0; i < 4; ++i)
    {
        Pose p;
        p.recoil = recoil[i];
        p.flash = flash[i];
        frames.push_back(DrawSoldier(look, p));
    }
    kit.out.AddSheet(look.tag, "Shooting", frames, 0.05f);

    frames.clear();
    const float raise[4] = {0.6f, 0.38f, 0.16f, 0.0f};
    for (int i = 0; i < 4; ++i)
    {
        Pose p;
        p.weaponAngle = raise[i];
        p.recoil = 2.0f * raise[i];
        frames.push_back(DrawSoldier(look, p));
    }
    kit.out.AddSheet(look.tag, "Aim", frames, 0.07f);

    frames.clear();
    const Vec2 hand[6] = {{-10, 18}, {-5, 21}, {5, 22}, {16, 18}, {26, 11}, {29, 7}};
    for (int i = 0; i < 6; ++i)
    {
        Pose p;
        p.throwing = true;
        p.throwHand = hand[i];
        p.grenadeInHand = i < 4;
        frames.push_back(DrawSoldier(look, p));
    }
    kit.out.AddSheet(look.tag, "Throwing", frames, 0.07f);

    frames.clear();
    for (int i = 0; i < 8; ++i)
        frames.push_back(DrawFallenSoldier(look, i / 8.0f));
    kit.out.AddSheet(look.tag, "Death", frames, 0.15f);
}
}

void MakeSoldiers(Kit& kit)
{
    const SoldierLook looks[4] = {
        {"Soldier1", Hex(0x3E74D6), Weapon::Rifle},
        {"Soldier2", Hex(0xCC4432), Weapon::LongRifle},
        {"Soldier3", Hex(0xE2A72A), Weapon::Carbine},
        {"Soldier4", Hex(0x9356CC), Weapon::Pistol},
    };
    for (const SoldierLook& look : looks)
        MakeSoldier(kit, look);
}
}
