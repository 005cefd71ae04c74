// Dialogs and control ids of the device-name editor and the device-address
// dialogs (select device, program device ID, select baud rate).
#pragma once

// Edit Device Names
#define IDD_SYSTEM_SET              227
#define IDC_SET_DEFAULT_NAMES       1072
#define IDC_DEVICE_LIST             1076
#define IDC_DEVICE_NAME             1077
#define IDC_NAMES_HELP              1090
#define HELP_CONTEXT_DEVICE_NAMES   260

// Select Device and Program Device ID share their combo box id.
#define IDD_SELECT_DEVICE           163
#define IDD_PROGRAM_DEVICE_ID       167
#define IDC_DEVICE_ID_COMBO         1004

// Select Baud Rate
#define IDD_SELECT_BAUD_RATE        292
#define IDC_BAUD_RATE_LIST          1078
