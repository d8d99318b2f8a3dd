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
#include <atomic>
#include <exception>
#include <mutex>
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

using Family = void (*)(Kit&);

// Every family, longest first, so the threads finish together.
const Family Families[] = {MakeMenus,      MakePages,     MakeMusic,       MakeAmbience,  MakeCutscenes,
                           MakeSoldiers,   MakeLevelSelect, MakeScreens,   MakeTutorial,  MakeChargers,
                           MakeEffects,    MakeFloors,    MakeHud,         MakeSettings,  MakeSoundEffects,
                           MakeSpitters,   MakeProps,     MakeMonsterSounds, MakeItems,   MakeZombies,
                           MakeAtmosphere, MakeMarkers,   MakeStructures,  MakeEditorIcons};

// Runs the families on `threads` threads, each thread with its own lettering (FreeType faces are
// not shared between threads). The first failure is rethrown once all threads have stopped.
void MakeEverything(AssetWriter& writer, const std::string& fontPath, unsigned threads)
{
    std::atomic<size_t> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto work = [&]() {
        try
        {
            Lettering display(fontPath);
            Kit kit{writer, display};
            for (size_t i = next++; i < std::size(Families); i = next++)
                Families[i](kit);
        }
        catch (...)
        {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            next = std::size(Families);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(work);
    for (std::thread& t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
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
        // Families draw on several threads and PNG files are encoded on others; every file
        // depends only on its own inputs, so the output is the same however the work is shared.
        unsigned workers = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
        AssetWriter writer(options["--out"], workers);
        writer.Clear();
        fs::path dejavu = options["--dejavu"];
        writer.AddFont(options["--bebas"], "BebasNeue-Regular");
        writer.AddFont(dejavu / "DejaVuSans.ttf", "DejaVuSans");
        writer.AddFont(dejavu / "DejaVuSans-Bold.ttf", "DejaVuSans-Bold");
        writer.AddFont(dejavu / "DejaVuSansMono.ttf", "DejaVuSansMono");

        MakeEverything(writer, options["--bebas"], workers);
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
