// The I/O channel names of the Quenda, Fennow, Ombrel and Brisal models,
// loaded from "SystemSet" on first use and written back at shut-down.
#pragma once
#include "app/devicenames.h"

// Model keys of the store. Three are the models' System Exclusive model
// bytes; the Quenda key is a number of its own that no model byte uses.
const int IoKeyQuenda = 1;
const int IoKeyOmbrel = 65;    // 0x41
const int IoKeyFennow = 104;   // 0x68
const int IoKeyBrisal = 105;   // 0x69

const int kIoNameSlots = 4089;

class IoNameStore {
public:
    IoNameStore();
    IoNameStore(const IoNameStore&) = delete;
    IoNameStore& operator=(const IoNameStore&) = delete;

    // The name of one channel, read from the registry (or its default) the
    // first time it is asked for. The pointer stays valid for the life of the
    // store; views use it as the text of their name controls. A device or
    // channel outside the model's range gives the model's first slot, without
    // loading it; a key without a region gives null.
    char* GetIoName(int key, int device, int channel);

    // Copies a text (cut to 29 characters) into a slot without marking it
    // loaded. Out of range, or a key without a region, does nothing.
    void SetIoName(int key, int device, int channel, const char* text);

    // Writes every loaded name, model by model, device by device.
    void SaveIoNames();

private:
    SystemName m_names[kIoNameSlots];
    int m_loaded[kIoNameSlots];
};

extern IoNameStore theIoNames;
