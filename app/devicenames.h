// System-wide names: one name per device address and the Tarvik and Lusket
// I/O channel names, shared by all windows and kept in "SystemSet".
#pragma once

const int kNameSize = 30;   // 29 characters and the terminator
typedef char SystemName[kNameSize];

extern SystemName DeviceIdNames[17];
extern SystemName FennowBankNames[65];
extern SystemName OmbrelBankNames[65];
extern SystemName TarvikIoNames[17][32];
extern SystemName LusketIoNames[17][16];
extern int IoNameChangeCounts[17];

// Copies a text into a name slot, cut to 29 characters.
void SetSystemName(SystemName& slot, const char* text);

// The device index of a window: IDs outside 0..15 (all devices, damaged
// values) share index 16.
int DeviceIndexOfId(int id);

// Start-up load and shut-down save of the tables above.
void LoadSystemNames();
void SaveDeviceNameTables();
