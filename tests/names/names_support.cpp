#include "names_support.h"

#include "app/vantorapp.h"
#include "support/testsupport.h"

namespace {
const char kCompany[] = "VantorTestNames";
SystemSetRecorder* g_recorder = nullptr;

std::string recordRead(const char* key, const char* fallback) {
    g_recorder->reads.push_back(key);
    return theApp.GetProfileString("SystemSet", key, fallback);
}

void recordWrite(const char* key, const char* text) {
    g_recorder->writes.emplace_back(key, text);
    theApp.WriteProfileString("SystemSet", key, text);
}
}  // namespace

void NamesTest::SetUp() {
    theApp.SetRegistryKey(kCompany);
    testing_support::DeleteCompanyKey(kCompany);
}

void NamesTest::TearDown() { testing_support::DeleteCompanyKey(kCompany); }

void NamesTest::Store(const char* key, const char* text) { theApp.WriteProfileString("SystemSet", key, text); }

bool NamesTest::IsStored(const char* key) { return theApp.GetProfileString("SystemSet", key, "?") != "?"; }

SystemSetRecorder::SystemSetRecorder() {
    g_recorder = this;
    previous = SetSystemSetAccess({recordRead, recordWrite});
}

SystemSetRecorder::~SystemSetRecorder() {
    SetSystemSetAccess(previous);
    g_recorder = nullptr;
}

std::vector<std::string> SystemSetRecorder::WrittenKeys() const {
    std::vector<std::string> keys;
    for (const auto& w : writes) keys.push_back(w.first);
    return keys;
}

std::vector<std::string> DeviceTableKeys() {
    std::vector<std::string> keys;
    for (int i = 0; i < 16; ++i) keys.push_back("Device" + std::to_string(i) + "_NAME");
    for (const char* model : {"Fennow", "Ombrel"})
        for (int i = 0; i < 64; ++i) keys.push_back(model + ("Device" + std::to_string(i)) + "_NAME");
    for (int d = 0; d <= 16; ++d) {
        std::string device = "Device" + std::to_string(d);
        for (int c = 0; c < 32; ++c) keys.push_back(device + "_IoTarvikName" + std::to_string(c));
        for (int c = 0; c < 16; ++c) keys.push_back(device + "_IoLusketName" + std::to_string(c));
    }
    return keys;
}
