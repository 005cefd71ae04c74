// System-wide names: one name per device address and the Tarvik and Lusket
// I/O channel names, shared by all windows and kept in "SystemSet".
#pragma once
#include <cstddef>
#include <string>

const int kNameSize = 30;   // 29 characters and the terminator
typedef char SystemName[kNameSize];

const int kDeviceIndexCount = 17;   // IDs 0..15, and 16 for every other ID
const int kBankNameCount = 65;      // 8 banks of 8 IDs, and 64 for all devices
const int kTarvikIoChannels = 32;
const int kLusketIoChannels = 16;

// The last entry of each device-name table is " Any ", the name of the
// all-devices address; it is never stored.
extern SystemName DeviceIdNames[kDeviceIndexCount];
extern SystemName FennowBankNames[kBankNameCount];
extern SystemName OmbrelBankNames[kBankNameCount];
// Indexed [device index][channel].
extern SystemName TarvikIoNames[kDeviceIndexCount][kTarvikIoChannels];
extern SystemName LusketIoNames[kDeviceIndexCount][kLusketIoChannels];
// Bumped by a router view whenever it edits I/O names, so that other windows
// on the same device index repaint theirs. Never stored.
extern int IoNameChangeCounts[kDeviceIndexCount];

// Copies a text into a name slot, cut to 29 characters. Every writer of a
// slot goes through here, so no slot ever loses its terminator.
void SetSystemName(SystemName& slot, const char* text);

// The device index of a window: IDs outside 0..15 (all devices, and damaged
// values, negative ones included) share index 16.
int DeviceIndexOfId(int id);

// The name a Tarvik channel has until the user names it: entries 0..7 are
// the ADAT inputs, 8..15 the MADI inputs, 16..23 the MADI outputs and
// 24..31 the ADAT outputs.
void TarvikDefaultIoName(int channel, char* out, size_t size);
// A Lusket channel's: entries 0..7 the inputs, 8..15 the outputs.
void LusketDefaultIoName(int channel, char* out, size_t size);

// Start-up load and shut-down save of the tables above.
void LoadSystemNames();
void SaveDeviceNameTables();

// Every name of the tables and of the I/O name store is read and written
// through this pair, as a string value of the section "SystemSet". The
// default goes to the application's profile; tests put their own in to see
// which values are touched and in what order.
struct SystemSetAccess {
    std::string (*read)(const char* key, const char* fallback);
    void (*write)(const char* key, const char* text);
};
// Installs a pair (a null member keeps the profile for that direction) and
// returns the previous one.
SystemSetAccess SetSystemSetAccess(const SystemSetAccess& access);
std::string ReadSystemSetName(const char* key, const char* fallback);
void WriteSystemSetName(const char* key, const char* text);
