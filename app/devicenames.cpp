#include "app/devicenames.h"

#include <cstdio>

#include "app/vantorapp.h"

SystemName DeviceIdNames[17];
SystemName FennowBankNames[65];
SystemName OmbrelBankNames[65];
SystemName TarvikIoNames[17][32];
SystemName LusketIoNames[17][16];
int IoNameChangeCounts[17];

void SetSystemName(SystemName& slot, const char* text) { lstrcpynA(slot, text ? text : "", kNameSize); }

int DeviceIndexOfId(int id) { return (id >= 0 && id <= 15) ? id : 16; }

namespace {

void loadName(SystemName& slot, const char* key, const char* fallback) {
    SetSystemName(slot, theApp.GetProfileString("SystemSet", key, fallback).c_str());
}

void tarvikDefault(int c, char* out, size_t n) {
    if (c < 8)
        std::snprintf(out, n, "ADAT IN %i", c + 1);
    else if (c < 16)
        std::snprintf(out, n, "MADI IN %i", c - 7);
    else if (c < 24)
        std::snprintf(out, n, "MADI OUT%i", c - 15);
    else
        std::snprintf(out, n, "ADAT OUT%i", c - 23);
}

void lusketDefault(int c, char* out, size_t n) {
    if (c < 8)
        std::snprintf(out, n, "IN %i ", c + 1);
    else
        std::snprintf(out, n, "OUT %i", c - 7);
}

}  // namespace

void LoadSystemNames() {
    char key[64], fallback[64];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(key, sizeof(key), "Device%i_NAME", i);
        std::snprintf(fallback, sizeof(fallback), "DEVICE_ID%02X", i);
        loadName(DeviceIdNames[i], key, fallback);
    }
    for (int i = 0; i < 64; ++i) {
        std::snprintf(key, sizeof(key), "FennowDevice%i_NAME", i);
        std::snprintf(fallback, sizeof(fallback), "DEVICE_B%1i_ID%1i ", i / 8 + 1, i % 8 + 1);
        loadName(FennowBankNames[i], key, fallback);
    }
    SetSystemName(FennowBankNames[64], " Any ");
    for (int i = 0; i < 64; ++i) {
        std::snprintf(key, sizeof(key), "OmbrelDevice%i_NAME", i);
        std::snprintf(fallback, sizeof(fallback), "Ombrel_B%1i_ID%1i ", i / 8 + 1, i % 8 + 1);
        loadName(OmbrelBankNames[i], key, fallback);
    }
    SetSystemName(OmbrelBankNames[64], " Any ");
    for (int d = 0; d <= 16; ++d) {
        for (int c = 0; c < 32; ++c) {
            std::snprintf(key, sizeof(key), "Device%i_IoTarvikName%i", d, c);
            tarvikDefault(c, fallback, sizeof(fallback));
            loadName(TarvikIoNames[d][c], key, fallback);
        }
        for (int c = 0; c < 16; ++c) {
            std::snprintf(key, sizeof(key), "Device%i_IoLusketName%i", d, c);
            lusketDefault(c, fallback, sizeof(fallback));
            loadName(LusketIoNames[d][c], key, fallback);
        }
    }
    SetSystemName(DeviceIdNames[16], " Any ");
}

void SaveDeviceNameTables() {
    char key[64];
    for (int i = 0; i < 16; ++i) {
        std::snprintf(key, sizeof(key), "Device%i_NAME", i);
        theApp.WriteProfileString("SystemSet", key, DeviceIdNames[i]);
    }
    for (int i = 0; i < 64; ++i) {
        std::snprintf(key, sizeof(key), "FennowDevice%i_NAME", i);
        theApp.WriteProfileString("SystemSet", key, FennowBankNames[i]);
    }
    for (int i = 0; i < 64; ++i) {
        std::snprintf(key, sizeof(key), "OmbrelDevice%i_NAME", i);
        theApp.WriteProfileString("SystemSet", key, OmbrelBankNames[i]);
    }
    for (int d = 0; d <= 16; ++d) {
        for (int c = 0; c < 32; ++c) {
            std::snprintf(key, sizeof(key), "Device%i_IoTarvikName%i", d, c);
            theApp.WriteProfileString("SystemSet", key, TarvikIoNames[d][c]);
        }
        for (int c = 0; c < 16; ++c) {
            std::snprintf(key, sizeof(key), "Device%i_IoLusketName%i", d, c);
            theApp.WriteProfileString("SystemSet", key, LusketIoNames[d][c]);
        }
    }
}
