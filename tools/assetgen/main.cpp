// assetgen: draws the game's images and spritesheets, synthesises its sounds and copies its
// fonts. Usage:
//   assetgen --out <root> [--contact-sheet <png>] [--catalogue <md>] [--bebas <otf>] [--dejavu <dir>]
// <root> is the game's working directory: Resources/... and Editor_Resources/ are written there.
// The contact sheet comes in two pages: <png> (images) and <png stem>_2.png (spritesheets).
#include "AssetWriter.h"
#include "Catalogue.h"
#include "ContactSheet.h"
#include "Families.h"
#include "Lettering.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using namespace assetgen;

const char* Usage = "usage: assetgen --out <root> [--contact-sheet <png>] [--catalogue <md>] "
                    "[--bebas <otf>] [--dejavu <dir>]\n";

void MakeEverything(Kit& kit)
{
    MakeSoldiers(kit);
    MakeZombies(kit);
    MakeChargers(kit);
    MakeSpitters(kit);
    MakeItems(kit);
    MakeEffects(kit);
    MakeFloors(kit);
    MakeStructures(kit);
    MakeProps(kit);
    MakeAtmosphere(kit);
    MakeMarkers(kit);
    MakeHud(kit);
    MakeMenus(kit);
    MakeSettings(kit);
    MakeScreens(kit);
    MakeLevelSelect(kit);
    MakeCutscenes(kit);
    MakeTutorial(kit);
    MakeEditorIcons(kit);
    MakeSoundEffects(kit);
    MakeMonsterSounds(kit);
    MakeMusic(kit);
}
}

int main(int argc, char** argv)
{
    std::map<std::string, std::string> options{
        {"--bebas", "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf"},
        {"--dejavu", "/usr/share/fonts/truetype/dejavu"},
    };
    for (int i = 1; i < argc; ++i)
    {
        std::string key = argv[i];
        if ((key != "--out" && key != "--contact-sheet" && key != "--catalogue" && key != "--bebas" &&
             key != "--dejavu") ||
            i + 1 >= argc)
        {
            std::fputs(Usage, stderr);
            return 2;
        }
        options[key] = argv[++i];
    }
    if (!options.count("--out"))
    {
        std::fputs(Usage, stderr);
        return 2;
    }
    try
    {
        // Encoding PNG files is the slow part; it runs beside the drawing on the other cores.
        unsigned workers = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
        AssetWriter writer(options["--out"], workers);
        writer.Clear();
        fs::path dejavu = options["--dejavu"];
        writer.AddFont(options["--bebas"], "BebasNeue-Regular");
        writer.AddFont(dejavu / "DejaVuSans.ttf", "DejaVuSans");
        writer.AddFont(dejavu / "DejaVuSans-Bold.ttf", "DejaVuSans-Bold");
        writer.AddFont(dejavu / "DejaVuSansMono.ttf", "DejaVuSansMono");

        Lettering display(options["--bebas"]);
        Kit kit{writer, display};
        MakeEverything(kit);
        if (options.count("--contact-sheet"))
        {
            Lettering labels((dejavu / "DejaVuSans.ttf").string());
            std::vector<Image> pages = ContactSheets(writer.Records(), labels);
            fs::path first = options["--contact-sheet"];
            for (size_t i = 0; i < pages.size(); ++i)
            {
                fs::path path = first;
                if (i > 0)
                    path.replace_filename(first.stem().string() + "_" + std::to_string(i + 1) + first.extension().string());
                writer.AddLoosePicture(path, std::move(pages[i]));
            }
        }
        writer.Finish();
        if (options.count("--catalogue"))
        {
            std::ofstream file(options["--catalogue"], std::ios::binary);
            file << CatalogueText(writer.Records());
            if (!file)
                throw std::runtime_error("Cannot write " + options["--catalogue"]);
        }
        int images = 0, sheets = 0, sounds = 0;
        for (const AssetRecord& r : writer.Records())
        {
            images += r.kind == AssetKind::Image || r.kind == AssetKind::EditorImage;
            sheets += r.kind == AssetKind::Sheet;
            sounds += r.kind == AssetKind::Sound;
        }
        std::printf("assetgen: %d images, %d spritesheets, %d sounds\n", images, sheets, sounds);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
