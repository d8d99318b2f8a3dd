#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"

namespace assetgen
{
// Flat pictograms for buttons, the HUD and pages. Each draws centred at c, about `s` across.
namespace icon
{
void Reload(Image& l, Vec2 c, float s, Color k);
void Heal(Image& l, Vec2 c, float s, Color k);
void Breach(Image& l, Vec2 c, float s, Color k);
void Stop(Image& l, Vec2 c, float s, Color k);
void CentreCamera(Image& l, Vec2 c, float s, Color k);
void Pause(Image& l, Vec2 c, float s, Color k);
void Gear(Image& l, Vec2 c, float s, Color k);
void Plus(Image& l, Vec2 c, float s, Color k);
void Minus(Image& l, Vec2 c, float s, Color k);
void Reset(Image& l, Vec2 c, float s, Color k);
void Skull(Image& l, Vec2 c, float s, Color k);
void ZombieHead(Image& l, Vec2 c, float s, Color k);
void ArrowRight(Image& l, Vec2 c, float s, Color k);
void ArrowLeft(Image& l, Vec2 c, float s, Color k);
void ArrowDown(Image& l, Vec2 c, float s, Color k);
void Padlock(Image& l, Vec2 c, float s, Color k);
void Speaker(Image& l, Vec2 c, float s, Color k);
void Screen(Image& l, Vec2 c, float s, Color k);
void Check(Image& l, Vec2 c, float s, Color k);
void Cross(Image& l, Vec2 c, float s, Color k);
void Exclamation(Image& l, Vec2 c, float s, Color k);
void Mouse(Image& l, Vec2 c, float s, Color k, int button);
void Flag(Image& l, Vec2 c, float s, Color k);
}
}
