// The program's global objects, in the order they must be built (and the
// reverse order they are destroyed): the transport first, the application last.
#include "app/ionames.h"
#include "app/presets.h"
#include "app/vantorapp.h"
#include "midi/mmein.h"

CMmeIn theMmeIn;
PresetTable thePresets;
IoNameStore theIoNames;
CVantorApp theApp;
