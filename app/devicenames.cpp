#include "app/devicenames.h"

#include <cstdio>

#include "app/vantorapp.h"

SystemName DeviceIdNames[kDeviceIndexCount];
SystemName FennowBankNames[kBankNameCount];
SystemName OmbrelBankNames[kBankNameCount];
SystemName TarvikIoNames[kDeviceIndexCount][kTarvikIoChannels];
SystemName LusketIoNames[kDeviceIndexCount][kLusketIoChannels];
int IoNameChangeCounts[kDeviceIndexCount];

void SetSystemName(SystemName& slot, const char* text) { lstrcpynA(slot, text ? text : "", kNameSize); }

int DeviceIndexOfId(int id) { return (id >= 0 && id <= 15) ? id : 16; }

// ---------------------------------------------------------------- profile access

namespace {

std::string readProfile(const char* key, const char* fallback) {
    return theApp.GetProfileString("SystemSet", key, fallback);
}

void writeProfile(const char* key, const char* text) { theApp.WriteProfileString("SystemSet", key, text); }

SystemSetAccess g_access = {readProfile, writeProfile};

}  // namespace

SystemSetAccess SetSystemSetAccess(const SystemSetAccess& access) {
    SystemSetAccess previous = g_access;
    g_access.read = access.read ? access.read : readProfile;
    g_access.write = access.write ? access.write : writeProfile;
    return previous;
}

std::string ReadSystemSetName(const char* key, const char* fallback) { return g_access.read(key, fallback); }

void WriteSystemSetName(const char* key, const char* text) { g_access.write(key, text); }

// ---------------------------------------------------------------- load and save

namespace {

const char kAnyName[] = " Any ";

}  // namespace

void TarvikDefaultIoName(int c, char* out, size_t n) {
    if (c < 8)
        std::snprintf(out, n, "ADAT IN %i", c + 1);
    else if (c < 16)
        std::snprintf(out, n, "MADI IN %i", c - 7);
    else if (c < 24)
        std::snprintf(out, n, "MADI OUT%i", c - 15);
    else
        std::snprintf(out, n, "ADAT OUT%i", c - 23);
}

void LusketDefaultIoName(int c, char* out, size_t n) {
    if (c < 8)
        std::snprintf(out, n, "IN %i ", c + 1);
    else
        std::snprintf(out, n, "OUT %i", c - 7);
}

namespace {

// Visits every stored name with its value name and start-up default, in the
// one order that both the load and the save use. The " Any " entries are not
// stored and not visited.
template <typename Visit>
void forEachStoredName(Visit visit) {
    char key[64], fallback[64];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(key, sizeof(key), "Device%i_NAME", i);
        std::snprintf(fallback, sizeof(fallback), "DEVICE_ID%02X", i);
        visit(DeviceIdNames[i], key, fallback);
    }
    for (int i = 0; i < 64; ++i) {
        std::snprintf(key, sizeof(key), "FennowDevice%i_NAME", i);
        std::snprintf(fallback, sizeof(fallback), "DEVICE_B%1i_ID%1i ", i / 8 + 1, i % 8 + 1);
        visit(FennowBankNames[i], key, fallback);
    }
    for (int i = 0; i < 64; ++i) {
        std::snprintf(key, sizeof(key), "OmbrelDevice%i_NAME", i);
        std::snprintf(fallback, sizeof(fallback), "Ombrel_B%1i_ID%1i ", i / 8 + 1, i % 8 + 1);
        visit(OmbrelBankNames[i], key, fallback);
    }
    for (int d = 0; d < kDeviceIndexCount; ++d) {
        for (int c = 0; c < kTarvikIoChannels; ++c) {
            std::snprintf(key, sizeof(key), "Device%i_IoTarvikName%i", d, c);
            TarvikDefaultIoName(c, fallback, sizeof(fallback));
            visit(TarvikIoNames[d][c], key, fallback);
        }
        for (int c = 0; c < kLusketIoChannels; ++c) {
            std::snprintf(key, sizeof(key), "Device%i_IoLusketName%i", d, c);
            LusketDefaultIoName(c, fallback, sizeof(fallback));
            visit(LusketIoNames[d][c], key, fallback);
        }
    }
}

}  // namespace

void LoadSystemNames() {
    forEachStoredName([](SystemName& slot, const char* key, const char* fallback) {
        SetSystemName(slot, ReadSystemSetName(key, fallback).c_str());
    });
    SetSystemName(FennowBankNames[kBankNameCount - 1], kAnyName);
    SetSystemName(OmbrelBankNames[kBankNameCount - 1], kAnyName);
    SetSystemName(DeviceIdNames[kDeviceIndexCount - 1], kAnyName);
}

void SaveDeviceNameTables() {
    forEachStoredName([](SystemName& slot, const char* key, const char*) {
        // The views write some slots themselves; a slot that lost its
        // terminator must not carry its neighbour into the registry.
        slot[kNameSize - 1] = '\0';
        WriteSystemSetName(key, slot);
    });
}
