// Resource and command ids of the program shell (menus, commands, strings,
// icons, the shell's dialogs). Panel and device art have their own headers.
#pragma once

// Menus, accelerators, toolbar, icons, document strings
#define IDR_MAINFRAME               128
#define IDR_CONTEXT_MENUS           218
#define IDI_TRAY                    326

// Strings
#define IDS_APP_TITLE               57344
#define IDS_IDLE_MESSAGE            57345
#define IDS_INDICATOR_1             59143
#define IDS_INDICATOR_2             59145

// Commands of the class library's ranges
#define ID_FUNCTION_SELECT          57600   // the library's file-new command
#define ID_FILE_OPEN                57601
#define ID_FILE_CLOSE               57602
#define ID_FILE_SAVE                57603
#define ID_FILE_SAVE_AS             57604
#define ID_FILE_PRINT               57607
#define ID_FILE_PRINT_DIRECT        57608
#define ID_FILE_PRINT_PREVIEW       57609
#define ID_FILE_NEW_FRAME           57613
#define ID_FILE_MRU_FIRST           57616
#define ID_FILE_MRU_LAST            57623
#define ID_APP_ABOUT                57664
#define ID_APP_EXIT                 57665
#define ID_HELP_FINDER              57667
#define ID_CONTEXT_HELP             57669
#define ID_HELP                     57670
#define ID_DEFAULT_HELP             57671
#define ID_VIEW_TOOLBAR             59392
#define ID_VIEW_STATUS_BAR          59393
#define ID_PANE_FIRST               59648
#define ID_PANE_SECOND              59649

// Application commands
#define ID_LOAD_WORKSPACE           211
#define ID_SAVE_WORKSPACE           212
#define ID_PRESETS                  32815
#define ID_PRESET_FIRST             32805
#define ID_PRESET_LAST              32813

// Frame commands
#define ID_DEACTIVATE_SCREENSAVER   224
#define ID_ALWAYS_ON_TOP            32788

// Document commands
#define ID_MIDI_IO_SETUP            32773
#define ID_START_STOP_MIDI          32791
#define ID_SEND_SINGLE_SET_MENU     32798   // context-menu item without a handler
#define ID_SEND_SINGLE_SET          32799
#define ID_IGNORE_POSITION          32801
#define ID_RECEIVE_SINGLE_SET       32814

// Function menu, one command per function-table row
#define ID_FUNCTION_ROW0            283
#define ID_FUNCTION_ROW1            284
#define ID_FUNCTION_ROW2            285
#define ID_FUNCTION_ROW3            32817
#define ID_FUNCTION_ROW4            32819
#define ID_FUNCTION_ROW5            32823
#define ID_FUNCTION_ROW6            32828
#define ID_FUNCTION_ROW7            32835
#define ID_FUNCTION_ROW8            32833
#define ID_FUNCTION_ROW9            32836
#define ID_FUNCTION_ROW10           32834
#define ID_FUNCTION_ROW11           32837

// View commands
#define ID_SELECT_DEVICE            164
#define ID_PROGRAM_DEVICE_ID        165
#define ID_EDIT_DEVICE_NAMES        228
#define ID_VIEW_HELP                229
#define ID_HELP_CURRENT_FUNCTION    32797
#define ID_DEFAULT_IO_NAMES         32800
#define ID_SELECT_BAUD_RATE         32818
#define ID_FAST_METER_POLLING       32826

// Function Select dialog
#define IDD_FUNCTION_SELECT         178
#define IDC_FUNCTION_LIST           1017
#define IDC_FUNCTION_DESCRIPTION    1018

// Help contexts
#define HELP_CONTEXT_VIEW_BASE      200
#define HELP_CONTEXT_FUNCTION_SELECT 265
