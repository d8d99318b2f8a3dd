#include "tests/support/ZombieCrowd.h"

#include <benchmark/benchmark.h>

namespace
{
// Every zombie's Update in the zombies' worst frame (see ZombieCrowd): sixty zombies around four
// soldiers they cannot see, chargers whose soldier is out of reach and spitters with nowhere to
// hide, frame after frame.
void SixtyZombiesAroundFourSoldiers(benchmark::State& state)
{
    ZombieCrowd crowd;
    for (int frame = 0; frame < 10; ++frame)
        crowd.Frame();
    for (auto _ : state)
        crowd.Frame();
    int searching = 0;
    int hiding = 0;
    for (const auto& charger : crowd.chargers)
        searching += charger->ChargerState == bChargerZombie::StateSearching && charger->Path.empty();
    for (const auto& spitter : crowd.spitters)
        hiding += spitter->Threat != NO_ENTITY && !spitter->HidingSpotFound;
    state.counters["chargersWithoutPath"] = searching;
    state.counters["spittersWithoutSpot"] = hiding;
    state.counters["walls"] = crowd.walls;
}
BENCHMARK(SixtyZombiesAroundFourSoldiers)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
}
