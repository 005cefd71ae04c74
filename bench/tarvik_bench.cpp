// Speed of the Tarvik routing matrix in its 481 x 448 window: 341 controls,
// 256 of them 13 x 10 crosspoints, measured as benchrouting.h describes.
#include "benchrouting.h"
#include "devices/routing/tarvikmview.h"
#include "sim/simtarvik.h"

int main() {
    // Output 13 goes between inputs 4 and 6. Selectors and replies count
    // inputs from 0, and 16 routes none.
    return bench::RunRoutingBench<CTarvikMView, sim::SimTarvik>({"Tarvik routing matrix", 12, 3, 5, 0});
}
