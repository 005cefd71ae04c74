#include <climits>
#include <cstring>
#include <string>

#include "app/digidoc.h"
#include "app/ionames.h"
#include "app/vantorapp.h"
#include "names_support.h"

namespace {

const std::string k40 = "0123456789012345678901234567890123456789";

// Whatever the tables held before, a load must replace all of it.
void scribbleOverTables() {
    std::memset(DeviceIdNames, 'x', sizeof(DeviceIdNames));
    std::memset(FennowBankNames, 'x', sizeof(FennowBankNames));
    std::memset(OmbrelBankNames, 'x', sizeof(OmbrelBankNames));
    std::memset(TarvikIoNames, 'x', sizeof(TarvikIoNames));
    std::memset(LusketIoNames, 'x', sizeof(LusketIoNames));
}

}  // namespace

using DeviceNames = NamesTest;

TEST_F(DeviceNames, EmptyRegistryGivesTheDefaults) {
    scribbleOverTables();
    LoadSystemNames();
    struct { const char* slot; const char* name; } cases[] = {
        {DeviceIdNames[0], "DEVICE_ID00"},        {DeviceIdNames[10], "DEVICE_ID0A"},
        {DeviceIdNames[16], " Any "},             {FennowBankNames[10], "DEVICE_B2_ID3 "},
        {FennowBankNames[63], "DEVICE_B8_ID8 "},  {FennowBankNames[64], " Any "},
        {OmbrelBankNames[0], "Ombrel_B1_ID1 "},   {OmbrelBankNames[64], " Any "},
        {TarvikIoNames[0][0], "ADAT IN 1"},       {TarvikIoNames[0][8], "MADI IN 1"},
        {TarvikIoNames[16][23], "MADI OUT8"},     {TarvikIoNames[16][24], "ADAT OUT1"},
        {LusketIoNames[0][7], "IN 8 "},           {LusketIoNames[16][8], "OUT 1"},
    };
    for (auto& c : cases) EXPECT_STREQ(c.slot, c.name);
}

TEST_F(DeviceNames, LoadAndSaveUseTheSameKeysInTheSameOrderAndSkipTheAnyEntries) {
    {
        SystemSetRecorder rec;
        LoadSystemNames();
        EXPECT_EQ(rec.reads, DeviceTableKeys());
    }
    SetSystemName(LusketIoNames[16][15], "Last");
    SystemSetRecorder rec;
    SaveDeviceNameTables();
    EXPECT_EQ(rec.WrittenKeys(), DeviceTableKeys());
    EXPECT_EQ(rec.writes.back().second, "Last");
    for (const char* any : {"Device16_NAME", "FennowDevice64_NAME", "OmbrelDevice64_NAME"}) EXPECT_FALSE(IsStored(any));
}

TEST_F(DeviceNames, NamesSurviveARestartAndOverlongOnesAreCut) {
    LoadSystemNames();
    SetSystemName(FennowBankNames[63], " Drums ");
    SetSystemName(TarvikIoNames[16][31], "Spare");
    SaveDeviceNameTables();
    Store("Device3_NAME", k40.c_str());
    Store("Device0_IoLusketName15", k40.c_str());

    scribbleOverTables();
    LoadSystemNames();
    EXPECT_STREQ(FennowBankNames[63], " Drums ");
    EXPECT_STREQ(TarvikIoNames[16][31], "Spare");
    EXPECT_EQ(std::string(DeviceIdNames[3]), k40.substr(0, 29));
    EXPECT_EQ(std::string(LusketIoNames[0][15]), k40.substr(0, 29));
    EXPECT_STREQ(OmbrelBankNames[64], " Any ");
}

TEST(DeviceNameSlots, WritesKeepTheTerminatorAndIdsOutsideTheRangeShareIndex16) {
    SystemName slot;
    SetSystemName(slot, k40.c_str());
    EXPECT_EQ(std::string(slot), k40.substr(0, 29));
    EXPECT_EQ(DeviceIndexOfId(0), 0);
    EXPECT_EQ(DeviceIndexOfId(15), 15);
    for (int id : {16, 127, -1, INT_MIN}) EXPECT_EQ(DeviceIndexOfId(id), 16) << id;
}

TEST_F(DeviceNames, ShutDownWritesTheTablesThenTheLoadedIoNames) {
    LoadSystemNames();
    CDigiDoc::IgnorePositionFlag = TRUE;
    SystemSetRecorder rec;
    theIoNames.GetIoName(IoKeyBrisal, 2, 3);
    theApp.SaveSystemSettings();
    CDigiDoc::IgnorePositionFlag = FALSE;
    std::vector<std::string> expected = DeviceTableKeys();
    expected.push_back("Device2_IoBrisalName3");
    EXPECT_EQ(rec.WrittenKeys(), expected);
    EXPECT_EQ(theApp.GetProfileInt("SystemSet", "IgnorePosition", -1), 1u);
}
