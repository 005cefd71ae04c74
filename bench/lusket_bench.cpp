// Speed of the Lusket router in its 253 x 317 window: 97 controls, 64 of
// them 13 x 10 crosspoints, measured as benchrouting.h describes.
#include "benchrouting.h"
#include "devices/routing/lusketview.h"
#include "sim/simlusket.h"

int main() {
    // Output 6 goes between inputs 2 and 7, both off the diagonal the
    // panel draws with its own lamp. Selectors and replies count inputs
    // from 1, and 0 routes none.
    return bench::RunRoutingBench<CLusketView, sim::SimLusket>({"Lusket router", 5, 1, 6, 1});
}
