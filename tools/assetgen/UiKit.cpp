#include "UiKit.h"

#include "Filters.h"
#include "Noise.h"
#include "Paints.h"
#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace assetgen
{
namespace ui
{
Color Ink() { return Hex(0x120E18); }
Color Text() { return Hex(0xF3E7D3); }
Color TextDim() { return Hex(0x8A8290); }
Color Amber() { return Hex(0xE29A3E); }
Color AmberHot() { return Hex(0xFFC468); }
Color Danger() { return Hex(0xD8432F); }
Color PanelTop() { return Hex(0x3A2E4A); }
Color PanelBottom() { return Hex(0x1A1524); }

Image TrimToInk(const Image& image, int pad)
{
    int x0 = image.Width(), y0 = image.Height(), x1 = -1, y1 = -1;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (image.Get(x, y).a > 0.01f)
            {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return Image(1 + 2 * pad, 1 + 2 * pad);
    return image.Cropped(x0 - pad, y0 - pad, x1 - x0 + 1 + 2 * pad, y1 - y0 + 1 + 2 * pad);
}

namespace
{
Image Coloured(const Image& mask, Color fill)
{
    Image out(mask.Width(), mask.Height());
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x)
        {
            float a = mask.Get(x, y).a;
            if (a > 0)
                out.Set(x, y, WithAlpha(fill, a * fill.a));
        }
    return out;
}

Image Styled(Lettering& font, const std::string& text, int size, Color fill, Color rim, float rimWidth, float shadow)
{
    int pad = static_cast<int>(std::ceil(rimWidth + shadow)) + 3;
    Image ink = TrimToInk(font.Mask(text, size), pad);
    Image body = Coloured(ink, fill);
    if (rimWidth > 0)
        body = WithOutline(body, rimWidth, rim);
    if (shadow > 0)
    {
        Image out = SilhouetteShadow(body, {shadow * 0.6f, shadow}, static_cast<int>(shadow), Hex(0x000000, 0.6f));
        out.Composite(body, 0, 0);
        return out;
    }
    return body;
}
}

void PutText(Image& image, Lettering& font, const std::string& text, int size, Vec2 centre, Color fill, Color rim,
             float rimWidth, float shadow)
{
    Image t = Styled(font, text, size, fill, rim, rimWidth, shadow);
    image.Composite(t, static_cast<int>(std::lround(centre.x - t.Width() * 0.5f)),
                    static_cast<int>(std::lround(centre.y - t.Height() * 0.5f)));
}

void PutLines(Image& image, Lettering& font, const std::vector<std::string>& lines, int size, Vec2 anchor,
              Color fill, Align align, float leading)
{
    Image mask = font.Mask(lines, size, align, leading);
    Image body = Coloured(mask, fill);
    Image shadowed = SilhouetteShadow(body, {1, 2}, 2, Hex(0x000000, 0.55f));
    shadowed.Composite(body, 0, 0);
    int x = static_cast<int>(anchor.x);
    if (align == Align::Centre)
        x = static_cast<int>(std::lround(anchor.x - mask.Width() * 0.5f));
    else if (align == Align::Right)
        x = static_cast<int>(std::lround(anchor.x - mask.Width()));
    image.Composite(shadowed, x, static_cast<int>(anchor.y));
}

Image TextPicture(Lettering& font, const std::string& text, int size, Color fill, Color rim, float rimWidth, int pad)
{
    Image t = Styled(font, text, size, fill, rim, rimWidth, 3.0f);
    Image out(t.Width() + 2 * pad, t.Height() + 2 * pad);
    out.Composite(t, pad, pad);
    return out;
}

namespace
{
// Signed distance to a rounded box centred at the origin.
float RoundBoxDistance(float x, float y, Vec2 half, float corner)
{
    float dx = std::fabs(x) - (half.x - corner), dy = std::fabs(y) - (half.y - corner);
    float outside = std::sqrt(std::max(dx, 0.0f) * std::max(dx, 0.0f) + std::max(dy, 0.0f) * std::max(dy, 0.0f));
    return outside + std::min(std::max(dx, dy), 0.0f) - corner;
}
}

// Panels are large, so the whole look (shadow, ink rim, fill, amber edge, sheen) is worked out
// in one pass from one distance per pixel.
void DrawPanel(Image& image, Vec2 c, Vec2 half, float corner, Color rim)
{
    int x0 = std::max(0, static_cast<int>(c.x - half.x - 4)), x1 = std::min(image.Width() - 1, static_cast<int>(c.x + half.x + 20));
    int y0 = std::max(0, static_cast<int>(c.y - half.y - 4)), y1 = std::min(image.Height() - 1, static_cast<int>(c.y + half.y + 22));
    Color shadow = Hex(0x05030A, 0.55f), ink = Ink(), sheen = Hex(0xFFB070);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            float px = x + 0.5f - c.x, py = y + 0.5f - c.y;
            Color out = image.Get(x, y);
            float ds = RoundBoxDistance(px - 4, py - 7, half, corner);
            out = Over(out, shadow, Clamp01(0.5f - ds / 10.0f));
            float d = RoundBoxDistance(px, py, half, corner);
            out = Over(out, ink, Clamp01(0.5f - (d - 2.0f)));
            float inside = Clamp01(0.5f - d);
            if (inside > 0)
            {
                float t = Clamp01((py + half.y) / (2 * half.y));
                Color fill = WithAlpha(Mix(PanelTop(), PanelBottom(), t), 0.95f);
                // The amber edge three pixels in, and a warm sheen along the top.
                float edge = Clamp01(0.5f - (std::fabs(d + 4.25f) - 1.25f));
                fill = Over(fill, rim, edge);
                float top = py + half.y;
                if (top < 22)
                    fill = Over(fill, sheen, 0.08f * Clamp01((22 - top) / 16.0f) * Clamp01(-d - 5));
                out = Over(out, fill, inside);
            }
            image.Set(x, y, out);
        }
}

Image Panel(int w, int h, float corner, Color rim)
{
    Image img(w, h);
    DrawPanel(img, {w * 0.5f - 3, h * 0.5f - 4}, {w * 0.5f - 12, h * 0.5f - 12}, corner, rim);
    return img;
}

Image Button(Lettering& font, int w, int h, const std::string& label, Look look, int textSize)
{
    Image img(w, h);
    Vec2 c{w * 0.5f - 2, h * 0.5f - 3};
    Vec2 half{w * 0.5f - 8, h * 0.5f - 8};
    float corner = std::min(14.0f, half.y * 0.6f);
    Color top = PanelTop(), bottom = PanelBottom(), rim = Amber(), text = Text();
    switch (look)
    {
    case Look::Normal:
        break;
    case Look::Hover:
        top = Hex(0xB8642A);
        bottom = Hex(0x5A2A22);
        rim = AmberHot();
        text = Hex(0xFFF6E4);
        break;
    case Look::Unavailable:
        top = Hex(0x35333A);
        bottom = Hex(0x222126);
        rim = Hex(0x5A5660);
        text = TextDim();
        break;
    case Look::Locked:
        top = Hex(0x2A2630);
        bottom = Hex(0x16141A);
        rim = Hex(0x6A5A4A);
        text = Hex(0x6A6470);
        break;
    }
    if (look == Look::Hover)
        Draw(img, Box(c, half + Vec2{3, 3}, 0, corner + 3), WithAlpha(AmberHot(), 0.55f), 8.0f);
    Draw(img, Box(c + Vec2{3, 5}, half, 0, corner), Hex(0x05030A, 0.5f), 6.0f);
    Shape body = Box(c, half, 0, corner);
    Draw(img, Expanded(body, 2.0f), Ink());
    Draw(img, body, Linear({c.x, c.y - half.y}, {c.x, c.y + half.y}, top, bottom));
    Draw(img, Subtract(Box(c, half - Vec2{2.5f, 2.5f}, 0, corner - 2), Box(c, half - Vec2{4.5f, 4.5f}, 0, corner - 3)),
         rim);
    Draw(img, Intersect(body, Box({c.x, c.y - half.y * 0.55f}, {half.x, half.y * 0.45f})), Hex(0xFFFFFF, 0.05f));
    if (!label.empty())
    {
        int size = textSize > 0 ? textSize : static_cast<int>(h * 0.5f);
        size = font.FitSize(label, size, half.x * 2 - 24, 1.5f);
        PutText(img, font, label, size, c + Vec2{0, 1}, text, Ink(), 1.5f, 0.0f);
    }
    if (look == Look::Locked)
    {
        Draw(img, body, Hex(0x000000, 0.35f));
    }
    return img;
}

Image IconButton(Lettering& font, int size, const IconFn& icon, Look look, const std::string& caption)
{
    Image img = Button(font, size, size, "", look);
    Color iconColor = look == Look::Unavailable ? TextDim() : (look == Look::Hover ? Hex(0xFFF6E4) : Text());
    Vec2 c{size * 0.5f - 2, size * 0.5f - 3};
    float iconSize = size * (caption.empty() ? 0.5f : 0.42f);
    Vec2 at = caption.empty() ? c : c - Vec2{0, size * 0.1f};
    Image layer(size, size);
    icon(layer, at, iconSize, iconColor);
    img.Composite(WithOutline(layer, 1.5f, Ink()), 0, 0);
    if (!caption.empty())
    {
        int ts = font.FitSize(caption, static_cast<int>(size * 0.2f), size - 20.0f, 1.0f);
        PutText(img, font, caption, ts, c + Vec2{0, size * 0.3f}, iconColor, Ink(), 1.2f);
    }
    if (look == Look::Unavailable)
        MapPixels(img, [](Color p, int, int) { return Desaturate(p, 0.7f); });
    return img;
}
}
}
