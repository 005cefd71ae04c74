// Dialogs and control ids of the preset dialogs and the About box.
#pragma once

// Presets: pick one of the nine presets
#define IDD_PRESETS                 245
#define IDC_PRESET_LIST             1075
#define IDC_SAVE_AS_PRESET          1083

// Save current workspace as preset
#define IDD_SAVE_PRESET             246
#define IDC_PRESET_NUMBER           1084
#define IDC_PRESET_NAME             1032
#define PRESET_NAME_MAX             254   // characters of a preset name

// About Vantor
#define IDD_ABOUTBOX                100
#define IDC_WEB_LINK                1053
#define IDC_ABOUT_ICON              328
