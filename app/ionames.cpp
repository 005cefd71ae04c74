#include "app/ionames.h"

#include <cstdio>
#include <cstring>

namespace {

void quendaDefault(int c, char* out, size_t n) {
    // The 72 inputs (64 MADI, 8 AES) come first, then the 73 outputs
    // (64 MADI, 8 AES, phones).
    if (c < 64)
        std::snprintf(out, n, "MADI IN%2i", c + 1);
    else if (c < 72)
        std::snprintf(out, n, "AES IN %i", c - 63);
    else if (c < 136)
        std::snprintf(out, n, "MADIOUT%2i", c - 71);
    else if (c < 144)
        std::snprintf(out, n, "AES OUT%i", c - 135);
    else
        std::snprintf(out, n, "PHONES");
}

void fennowDefault(int c, char* out, size_t n) { std::snprintf(out, n, "Channel %1i ", c + 1); }

// Ombrel inputs and outputs both count 1..8; the Brisal has eight channels.
void channelOfEightDefault(int c, char* out, size_t n) { std::snprintf(out, n, "Channel %1i ", c % 8 + 1); }

struct Region {
    int key;
    int devices;
    int channels;
    int first;
    const char* valueName;   // "%i" device, "%i" channel
    void (*defaultText)(int channel, char* out, size_t n);
};

// In slot order, which is also the order of the shut-down save.
constexpr Region kRegions[] = {
    {IoKeyQuenda, 17, 145, 0, "Device%i_IoQuendaName%i", quendaDefault},
    {IoKeyFennow, 65, 8, 2465, "Device%i_IoFennowName%i", fennowDefault},
    {IoKeyOmbrel, 65, 16, 2985, "Device%i_IoOmbrelName%i", channelOfEightDefault},
    {IoKeyBrisal, 8, 8, 4025, "Device%i_IoBrisalName%i", channelOfEightDefault},
};

constexpr bool regionsTile() {
    int next = 0;
    for (const Region& r : kRegions) {
        if (r.first != next) return false;
        next += r.devices * r.channels;
    }
    return next == kIoNameSlots;
}
static_assert(regionsTile(), "the regions must fill the store without gaps or overlaps");

const Region* findRegion(int key) {
    for (const Region& r : kRegions)
        if (r.key == key) return &r;
    return nullptr;
}

bool inRange(const Region& r, int device, int channel) {
    return device >= 0 && device < r.devices && channel >= 0 && channel < r.channels;
}

}  // namespace

IoNameStore::IoNameStore() {
    std::memset(m_names, 0, sizeof(m_names));
    std::memset(m_loaded, 0, sizeof(m_loaded));
}

char* IoNameStore::GetIoName(int key, int device, int channel) {
    const Region* r = findRegion(key);
    if (!r) return nullptr;
    // Device indexes come from files and the registry; a damaged one must not
    // reach another model's slots or beyond the store.
    if (!inRange(*r, device, channel)) return m_names[r->first];
    int slot = r->first + device * r->channels + channel;
    if (!m_loaded[slot]) {
        char valueName[64], fallback[32];
        std::snprintf(valueName, sizeof(valueName), r->valueName, device, channel);
        r->defaultText(channel, fallback, sizeof(fallback));
        SetSystemName(m_names[slot], ReadSystemSetName(valueName, fallback).c_str());
        m_loaded[slot] = 1;
    }
    return m_names[slot];
}

void IoNameStore::SetIoName(int key, int device, int channel, const char* text) {
    const Region* r = findRegion(key);
    if (!r || !inRange(*r, device, channel)) return;
    SetSystemName(m_names[r->first + device * r->channels + channel], text);
}

void IoNameStore::SaveIoNames() {
    char valueName[64];
    for (const Region& r : kRegions) {
        for (int d = 0; d < r.devices; ++d) {
            for (int c = 0; c < r.channels; ++c) {
                int slot = r.first + d * r.channels + c;
                if (!m_loaded[slot]) continue;
                // Views write into the slots through the pointers they hold.
                m_names[slot][kNameSize - 1] = '\0';
                std::snprintf(valueName, sizeof(valueName), r.valueName, d, c);
                WriteSystemSetName(valueName, m_names[slot]);
            }
        }
    }
}
