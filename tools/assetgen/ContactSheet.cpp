#include "ContactSheet.h"

#include "Catalogue.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace assetgen
{
namespace
{
constexpr int SheetWidth = 2000;
constexpr int Margin = 16;
constexpr int Thumb = 112;
constexpr int FrameThumb = 64;

struct Placed
{
    Image picture;
    std::string label;
    int x, y;
};

struct Heading
{
    std::string text;
    int y;
};

Image Fit(const Image& image, int longest)
{
    int w = image.Width(), h = image.Height();
    if (w <= longest && h <= longest)
        return image;
    float k = static_cast<float>(longest) / static_cast<float>(std::max(w, h));
    return image.Resized(std::max(1, static_cast<int>(w * k)), std::max(1, static_cast<int>(h * k)));
}

void Checker(Image& target, int x0, int y0, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            target.Set(x0 + x, y0 + y, ((x / 8) + (y / 8)) % 2 == 0 ? Hex(0x3A3A44) : Hex(0x4A4A56));
}

void Label(Image& target, Lettering& font, const std::string& text, int x, int y, int size, Color color)
{
    Image mask = font.Mask(text, size);
    for (int yy = 0; yy < mask.Height(); ++yy)
        for (int xx = 0; xx < mask.Width(); ++xx)
            target.Blend(x + xx, y + yy, color, mask.Get(xx, yy).a);
}

Image Render(const std::vector<Placed>& placed, const std::vector<Heading>& headings, int height, Lettering& labels)
{
    Image sheet(SheetWidth, height, Hex(0x1E1E24));
    for (const Heading& h : headings)
        Label(sheet, labels, h.text, Margin, h.y, 18, Hex(0xFFB060));
    for (const Placed& p : placed)
    {
        Checker(sheet, p.x, p.y, p.picture.Width(), p.picture.Height());
        sheet.Composite(p.picture, p.x, p.y);
        Label(sheet, labels, p.label, p.x, p.y + p.picture.Height() + 2, 11, Hex(0xDDDDDD));
    }
    return sheet;
}

Image ImagesPage(const std::vector<AssetRecord>& records, Lettering& labels)
{
    std::vector<Placed> placed;
    std::vector<Heading> headings;
    int y = Margin, x = Margin, rowHeight = 0;
    std::string section;
    auto newRow = [&]() {
        y += rowHeight;
        x = Margin;
        rowHeight = 0;
    };
    std::vector<const AssetRecord*> images = ImagesInScanOrder(records);
    for (size_t i = 0; i < images.size(); ++i)
    {
        const AssetRecord* r = images[i];
        std::string s = r->kind == AssetKind::EditorImage ? std::string("Editor_Resources")
                                                           : "images/" + r->group + "/" + r->subgroup;
        if (s != section)
        {
            newRow();
            headings.push_back({s + "   (stage " + std::to_string(ImageStage(i)) + ")", y + 8});
            y += 34;
            section = s;
        }
        Image t = Fit(r->thumbnail, Thumb);
        int cellW = std::max(t.Width(), 104) + 12, cellH = t.Height() + 22;
        if (x + cellW > SheetWidth - Margin)
            newRow();
        placed.push_back({t, r->key, x, y});
        x += cellW;
        rowHeight = std::max(rowHeight, cellH);
    }
    newRow();
    return Render(placed, headings, y + Margin, labels);
}

Image SheetsPage(const std::vector<AssetRecord>& records, Lettering& labels)
{
    std::vector<const AssetRecord*> sheets;
    for (const AssetRecord& r : records)
        if (r.kind == AssetKind::Sheet)
            sheets.push_back(&r);
    std::stable_sort(sheets.begin(), sheets.end(), [](const AssetRecord* a, const AssetRecord* b) {
        return a->group != b->group ? a->group < b->group : a->subgroup < b->subgroup;
    });
    std::vector<Placed> placed;
    std::vector<Heading> headings{{"animation (tag/state: frames x frame delay)", Margin}};
    const int column = SheetWidth / 2;
    int y[2] = {Margin + 34, Margin + 34};
    for (size_t i = 0; i < sheets.size(); ++i)
    {
        const AssetRecord& r = *sheets[i];
        int c = y[0] <= y[1] ? 0 : 1;
        int frame = std::min(FrameThumb, std::max(r.width, r.height));
        Image strip = r.thumbnail.Resized(std::max(1, r.frames * frame * r.width / std::max(r.width, r.height)),
                                          std::max(1, frame * r.height / std::max(r.width, r.height)));
        char timing[48];
        std::snprintf(timing, sizeof timing, " (%d x %.3gs)", r.frames, static_cast<double>(r.frameDelay));
        placed.push_back({strip, r.group + "/" + r.subgroup + timing, Margin + c * column, y[c]});
        y[c] += strip.Height() + 24;
    }
    return Render(placed, headings, std::max(y[0], y[1]) + Margin, labels);
}
}

std::vector<Image> ContactSheets(const std::vector<AssetRecord>& records, Lettering& labels)
{
    return {ImagesPage(records, labels), SheetsPage(records, labels)};
}
}
