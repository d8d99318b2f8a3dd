#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"
#include "Shapes.h"

#include <vector>

namespace assetgen
{
// Shared pieces of the top-down figures. Every figure is drawn in its own frame around an origin,
// facing +x, with its right-hand side towards +y.

// The rim colour that keeps silhouettes readable on any floor.
Color InkColor();
// A soft contact shadow on the ground.
void GroundShadow(Image& frame, Vec2 centre, Vec2 radii, float alpha);
// A puddle (blood, acid) with a ragged edge and a wet shine whose place turns with `shinePhase`
// (0 to 1, a full turn), so a clip that cycles the phase loops without a jump.
void Puddle(Image& frame, Vec2 centre, Vec2 radii, float angle, Color base, float shinePhase, unsigned seed);
// The figure layer with its ink rim, laid over the ground layer (shadows, puddles).
Image Compose(const Image& ground, const Image& figure, float rim = 2.0f);
// A limb: a capsule with a lit fill.
void Limb(Image& layer, Vec2 a, Vec2 b, float radius, Color color);
// A round shape shaded as a volume.
void Ball(Image& layer, Vec2 centre, float radius, Color color, float strength = 0.4f);
void Blob(Image& layer, Vec2 centre, Vec2 radii, float angle, Color color, float strength = 0.35f);
// Speed streaks behind a charging figure.
void Streaks(Image& layer, Vec2 origin, float length, float spread, int count, Color color, unsigned seed);
}

namespace assetgen
{
// Local coordinates of a figure: origin in the frame and a size unit, so poses are written once
// and figures of different bulk reuse them.
struct Rig
{
    Vec2 origin;
    float unit = 1.0f;
    float angle = 0.0f;

    Vec2 P(float x, float y) const;
    Vec2 P(Vec2 local) const;
    float R(float r) const;
};

// Inked parts: a thin dark line around each part keeps overlapping parts apart.
void InkedBall(Image& layer, Vec2 centre, float radius, Color color, float strength = 0.4f);
void InkedBlob(Image& layer, Vec2 centre, Vec2 radii, float angle, Color color, float strength = 0.35f);
void InkedLimb(Image& layer, Vec2 a, Vec2 b, float radius, Color color);
void InkedTaper(Image& layer, Vec2 a, Vec2 b, float ra, float rb, Color color);
void InkedBox(Image& layer, Vec2 centre, Vec2 half, float angle, float corner, Color color);
}

namespace assetgen
{
// The undead palette: grey-green skin, dull rags, dark green blood.
Color ZombieSkin();
Color ZombieBlood();
// A clawed hand pointing along `direction`.
void ClawHand(Image& layer, Vec2 centre, Vec2 direction, float size, Color skin);
// Dark stains scattered over a part (blood, grime), clipped to `within`.
void Stains(Image& layer, const Shape& within, int count, float size, Color color, unsigned seed);
}
