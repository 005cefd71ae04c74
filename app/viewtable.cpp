#include "app/viewtable.h"

#include "devices/preamp/brisalview.h"
#include "devices/preamp/fennowview.h"
#include "devices/preamp/ombrelview.h"
#include "devices/preamp/pelvoview.h"
#include "devices/routing/lusketview.h"
#include "devices/routing/quendaview.h"
#include "devices/routing/sarnetview.h"
#include "devices/routing/tarvikfview.h"
#include "devices/routing/tarvikmview.h"
#include "midi/midiview.h"

const CRuntimeClass* ViewClassForFunction(int function) {
    // Each device view takes its row here when it is built.
    switch (function) {
    case 0: return RUNTIME_CLASS(CmidiTarvikFView);
    case 1: return RUNTIME_CLASS(CTarvikMView);
    case 2: return RUNTIME_CLASS(CLusketView);
    case 3: return RUNTIME_CLASS(CQuendaMView);
    case 4: return RUNTIME_CLASS(CmidiSarnetFView);
    case 5: return RUNTIME_CLASS(CFennowView);
    case 6: return RUNTIME_CLASS(COmbrelView);
    case 7:
    case 8:
    case 9:
    case 10: return RUNTIME_CLASS(CPelvoSeriesFView);
    case 11: return RUNTIME_CLASS(CBrisalView);
    default: return RUNTIME_CLASS(CMidiView);
    }
}

int SubModelForFunction(int function) {
    // The four Pelvo rows share one view; the variant tells them apart.
    switch (function) {
    case 7: return 2;
    case 8: return 3;
    case 9: return 0;
    case 10: return 1;
    default: return 0;
    }
}
