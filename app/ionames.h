// The I/O channel names of the Quenda, Fennow, Ombrel and Brisal models,
// loaded from "SystemSet" on first use and written back at shut-down.
#pragma once

class IoNameStore {
public:
    IoNameStore();
    // Writes every name that was loaded.
    void SaveIoNames();
};

extern IoNameStore theIoNames;
