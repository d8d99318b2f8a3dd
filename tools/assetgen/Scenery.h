#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"

namespace assetgen
{
// Painted dusk landscapes for the menus and cutscenes: layers drawn back to front, each in
// silhouette, lighter and warmer towards the horizon.
namespace scenery
{
// Sky from `top` through `middle` to `horizon` at row `horizonY`, with a soft glow around `sunAt`.
void Sky(Image& img, Color top, Color middle, Color horizon, float horizonY);
void Sun(Image& img, Vec2 centre, float radius, Color inner, Color outer);
void Stars(Image& img, float belowY, int count, unsigned seed);
void Clouds(Image& img, float y0, float y1, Color color, float coverage, unsigned seed);
// A rolling ridge whose top lies around `baseY`.
void Hills(Image& img, float baseY, float amplitude, float scale, Color color, unsigned seed);
void Ground(Image& img, float fromY, Color color);
void House(Image& img, float x, float baseY, float w, float h, Color color, bool broken);
void Barn(Image& img, float x, float baseY, float w, float h, Color color);
void Windmill(Image& img, float x, float baseY, float h, Color color, float turn);
void Warehouse(Image& img, float x, float baseY, float w, float h, Color color);
void Crane(Image& img, float x, float baseY, float h, Color color);
void TownHall(Image& img, float x, float baseY, float w, float h, Color color);
void Tree(Image& img, float x, float baseY, float h, Color color, unsigned seed);
void Fence(Image& img, float x0, float x1, float baseY, float h, Color color);
void Weathervane(Image& img, Vec2 top, float size, Color color);
// A figure standing (soldier) or shambling (zombie), `h` tall, feet at (x, baseY).
void Soldier(Image& img, float x, float baseY, float h, Color color, bool facingRight);
void Zombie(Image& img, float x, float baseY, float h, Color color, float lean, unsigned seed);
void SmokeColumn(Image& img, Vec2 base, float height, float width, Color color, unsigned seed);
void Fire(Image& img, Vec2 base, float width, float height, unsigned seed);
void Fog(Image& img, float y0, float y1, Color color, float density, unsigned seed);
// Lit windows: small warm rectangles.
void Window(Image& img, Vec2 centre, Vec2 half, Color glow);
// Grain and vignette over the finished painting.
void Finish(Image& img, float vignette, unsigned seed);
}
}
