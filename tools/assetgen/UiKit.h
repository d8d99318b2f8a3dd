#pragma once
#include "Color.h"
#include "Geometry.h"
#include "Image.h"
#include "Lettering.h"

#include <functional>
#include <string>
#include <vector>

namespace assetgen
{
// The interface's look: dark dusk-violet panels with an amber rim, warm off-white lettering in
// the game's face. Sizes are pixels of the 1920 x 1080 reference view.
namespace ui
{
Color Ink();
Color Text();
Color TextDim();
Color Amber();
Color AmberHot();
Color Danger();
Color PanelTop();
Color PanelBottom();

enum class Look
{
    Normal,
    Hover,
    Unavailable,
    Locked
};

// An icon painter: draws into the layer centred at c, about `size` pixels across, in `color`.
using IconFn = std::function<void(Image&, Vec2 c, float size, Color color)>;

// A panel of the given size (shadow included within it) with rounded corners.
Image Panel(int w, int h, float corner = 18.0f, Color rim = Amber());
// Draws a panel body into an existing picture.
void DrawPanel(Image& image, Vec2 centre, Vec2 half, float corner, Color rim);
// A lettered button in one of its looks.
Image Button(Lettering& font, int w, int h, const std::string& label, Look look, int textSize = 0);
// A square button with an icon and an optional caption under it.
Image IconButton(Lettering& font, int size, const IconFn& icon, Look look, const std::string& caption = "");
// Text centred on `centre` (ink bounds), with an optional rim and drop shadow.
void PutText(Image& image, Lettering& font, const std::string& text, int size, Vec2 centre, Color fill,
             Color rim = {0, 0, 0, 0}, float rimWidth = 0.0f, float shadow = 0.0f);
// Lines of text laid out from `topLeft` (left aligned) or centred on `centre.x` when centred.
void PutLines(Image& image, Lettering& font, const std::vector<std::string>& lines, int size, Vec2 anchor,
              Color fill, Align align, float leading = 1.15f);
// Text alone on a transparent picture, trimmed to its ink plus `pad`.
Image TextPicture(Lettering& font, const std::string& text, int size, Color fill, Color rim = {0, 0, 0, 0},
                  float rimWidth = 0.0f, int pad = 8);
// Shrinks a picture to the box holding its visible pixels, plus `pad`.
Image TrimToInk(const Image& image, int pad);
}
}
