// Control ids of the panel engine's value dialogs ("VALUEIN", "VALUEOUT",
// "SELECTIN"). The panel bitmaps are named by their numbers alone.
#pragma once

#define IDC_PANEL_RANGE             1026
#define IDC_PANEL_HELP              1090
#define IDC_PANEL_VALUE             1098
#define IDC_PANEL_UNIT              1100
#define IDC_PANEL_NAME              1101
#define IDC_PANEL_LIST              1114
