// Time of a whole asset generation run (images, spritesheets, sounds), as the build runs it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

// The generator sits beside the benchmarks in the build tree: build/tools/assetgen/assetgen.
fs::path Generator() { return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools/assetgen/assetgen"; }

void GenerateEverything(benchmark::State& state)
{
    fs::path out = fs::temp_directory_path() / ("duskvane_assetgen_bench_" + std::to_string(getpid()));
    std::string command = "'" + Generator().string() + "' --out '" + out.string() + "' > /dev/null";
    for (auto _ : state)
    {
        if (std::system(command.c_str()) != 0)
        {
            state.SkipWithError("assetgen failed");
            break;
        }
    }
    fs::remove_all(out);
}
BENCHMARK(GenerateEverything)->Unit(benchmark::kMillisecond)->Iterations(3);
}
