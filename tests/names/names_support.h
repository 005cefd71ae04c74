// Shared by the name tests: an empty registry of their own for every test,
// and a record of the "SystemSet" names read and written.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/devicenames.h"

class NamesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static void Store(const char* key, const char* text);
    static bool IsStored(const char* key);
};

// While it lives, names are read and written through it (and on to the
// registry), in order.
struct SystemSetRecorder {
    SystemSetRecorder();
    ~SystemSetRecorder();
    std::vector<std::string> reads;
    std::vector<std::pair<std::string, std::string>> writes;
    std::vector<std::string> WrittenKeys() const;
    SystemSetAccess previous;
};

// The keys of the five name tables in start-up (and shut-down) order.
std::vector<std::string> DeviceTableKeys();
