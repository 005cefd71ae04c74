// What the Ombrel view keeps: its lines of a setup record, read back also
// inside a workspace between other records, and its profile values.
#include <cstdio>
#include <string>
#include <vector>

#include "app/ionames.h"
#include "framework/archive.h"
#include "support/recordfiles.h"
#include "devices/routing/quendaview.h"
#include "ombrel_fixture.h"
#include "resource.h"

using namespace ombreltest;

namespace {

class OmbrelRecord : public testing_support::RecordFileTest {
protected:
    OmbrelRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST_F(OmbrelRecord, TheViewsLinesAreWrittenInOrderAndReadBack) {
    COmbrelView v;
    v.SetDeviceId(0x25);
    theIoNames.SetIoName(IoKeyOmbrel, 21, 0, "Kick");
    theIoNames.SetIoName(IoKeyOmbrel, 21, 15, "Stage Left Wedge");
    PanelShowValue(1.5, V::StripId(2, V::kInputTrim), v.Table());
    PanelShowValue(-3.0, V::StripId(7, V::kOutputTrim), v.Table());
    PanelShowValue(-20, V::StripId(1, V::kDownMix8), v.Table());
    const std::string path = File("ombrel_record.txt");
    testing_support::StoreRecord(v, path);

    const std::vector<std::string> lines = testing_support::FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 16u + 80u + 2u);
    EXPECT_EQ(lines[0], "KestOmbrelIndex=25");
    EXPECT_EQ(lines[1], "IN00_NAME=    Kick");
    EXPECT_EQ(lines[2], "OUT00_NAME=Channel 1 ");
    EXPECT_EQ(lines[16], "OUT07_NAME=Stage Left Wedge");
    // The saved controls in the order of the array: the settings, then seven
    // per channel.
    EXPECT_EQ(lines[17], "Output Volume Reference=48.000000");
    EXPECT_EQ(lines[27], "Input Source=0.000000");
    EXPECT_EQ(lines[40], "Digital Input Select=0.000000");
    EXPECT_EQ(lines[41], "Gain Trim Input 1=0.000000");
    EXPECT_EQ(lines[55], "Gain Trim Input 3=1.500000");
    EXPECT_EQ(lines[51], "Down Mix Input 2 to Output 8=-20.000000");
    EXPECT_EQ(lines[96], "Gain Adjust Select Output 8=0.000000");
    EXPECT_EQ(lines[95], "Gain Trim Output 8=-3.000000");
    EXPECT_EQ(lines[97], "");
    EXPECT_EQ(lines[98], "");

    // Read from a record that is no setup file, the address comes along.
    COmbrelView back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 0x25);
    EXPECT_STREQ(back.Control(V::StripId(0, V::kInputName))->list, "    Kick") << "kept as the line holds it";
    EXPECT_EQ(back.Value(V::StripId(2, V::kInputTrim)), 1.5);
    EXPECT_EQ(back.Control(V::StripId(2, V::kInputTrim))->lastLength, 30) << "the loaded trim counts as sent";
    EXPECT_EQ(back.Control(V::StripId(7, V::kOutputTrim))->lastLength, -60);
    EXPECT_EQ(back.Value(V::StripId(1, V::kDownMix8)), -20);
}

TEST_F(OmbrelRecord, TheIndexLineSetsTheAddressOnlyFromWorkspacesAndOnlyWhenItIsOne) {
    std::vector<std::string> record = {"KestOmbrelIndex=7f"};
    for (int c = 0; c < 8; ++c) {
        char line[64];
        std::snprintf(line, sizeof(line), "IN%02i_NAME=  In %i", c, c + 1);
        record.push_back(line);
        std::snprintf(line, sizeof(line), "OUT%02i_NAME=Out %i", c, c + 1);
        record.push_back(line);
    }
    struct Case {
        const char* file;
        const char* index;
        int address;   // the window's address after reading, from 0x15
    };
    const Case cases[] = {
        {"ombrel_a.vtw", "KestOmbrelIndex=7f", 127},  {"ombrel_b.vts", "KestOmbrelIndex=7f", 0x15},
        {"ombrel_c.vtw", "KestOmbrelIndex=37", 0x37}, {"ombrel_d.vtw", "KestOmbrelIndex=zz", 0x15},
        {"ombrel_e.vtw", "KestOmbrelIndex=0a", 0x15}, {"ombrel_f.vtw", "KestOmbrelIndex=99", 0x15},
        {"ombrel_g.vtw", "QuendaIndex=05", 0x15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        record[0] = c.index;
        const std::string path = File(c.file);
        testing_support::WriteLines(path, record);
        COmbrelView v;
        v.SetDeviceId(0x15);
        testing_support::LoadRecord(v, path);
        EXPECT_EQ(v.GetDeviceId(), c.address);
        EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, v.GetNameIndex(), 0), "  In 1") << "leading blanks kept";
        EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, v.GetNameIndex(), 15), "Out 8");
    }
    // Lines out of place are passed over; a long name is cut to what a slot holds.
    record[0] = "KestOmbrelIndex=00";
    record[1] = "OUT00_NAME=misplaced";
    record[4] = "OUT01_NAME=" + std::string(300, 'x');
    const std::string path = File("ombrel_h.vtw");
    testing_support::WriteLines(path, record);
    COmbrelView v;
    theIoNames.GetIoName(IoKeyOmbrel, 0, 0);   // loaded, so the next line is not overwritten by the default
    theIoNames.SetIoName(IoKeyOmbrel, 0, 0, "Before");
    testing_support::LoadRecord(v, path);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, 0, 0), "Before");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, 0, 9), std::string(29, 'x').c_str());
}

TEST_F(OmbrelRecord, ProfileValuesAreWrittenAndReadBackWithoutSendingAnything) {
    COmbrelView v;
    v.SetDeviceId(0x52);
    v.SetEnableFast(FALSE);
    PanelShowValue(2.5, V::StripId(4, V::kInputTrim), v.Table());
    PanelShowValue(3, V::kClockSource, v.Table());
    PanelShowValue(1, V::StripId(6, V::kMute), v.Table());
    v.SaveSettings("Default\\Settings\\ombrelf");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\ombrelf", "KestOmbrelID", -1), 0x52);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\ombrelf", "EnableFast", -1), 0);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\ombrelf", "Gain Trim Input 5", -1), 250);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\ombrelf", "Device Bank Number", -1), -1) << "not saved";

    COmbrelView back;
    back.LoadSettings("Default\\Settings\\ombrelf");
    EXPECT_EQ(back.GetDeviceId(), 0x52);
    EXPECT_EQ(back.GetNameIndex(), 42);
    EXPECT_FALSE(back.GetEnableFast());
    EXPECT_EQ(back.Value(V::StripId(4, V::kInputTrim)), 2.5);
    EXPECT_EQ(back.Control(V::StripId(4, V::kInputTrim))->lastLength, 50);
    EXPECT_EQ(back.Value(V::StripId(6, V::kMute)), 1);
    EXPECT_TRUE(back.Control(V::kClockFrequency)->flags & PANEL_GREYED);
    for (int k = 0; k < V::kControlCount; ++k) EXPECT_FALSE(back.Controls()[k].flags & PANEL_CHANGED) << k;
    // An address no device has, from a damaged registry, changes nothing.
    theApp.WriteProfileInt("Default\\Settings\\ombrelf", "KestOmbrelID", 0xFF);
    COmbrelView damaged;
    damaged.LoadSettings("Default\\Settings\\ombrelf");
    EXPECT_EQ(damaged.GetDeviceId(), 127);
}

TEST_F(OmbrelRunning, ALoadedRecordSendsWhatItChangedAndKeepsTheWindowsAddress) {
    COmbrelView source;
    PanelShowValue(1, V::StripId(3, V::kMute), source.Table());
    PanelShowValue(-2.0, V::StripId(0, V::kOutputTrim), source.Table());
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "ombrel_running.vts";
    testing_support::StoreRecord(source, path);
    view->SetDeviceId(0x00);
    NewBlocks();
    testing_support::LoadRecord(*view, path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(view->GetDeviceId(), 0x00);
    const std::vector<Bytes> blocks = NewBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    const Pairs groups = Groups(blocks[0]);
    EXPECT_NE(std::find(groups.begin(), groups.end(), std::make_pair(0x18, 0x08)), groups.end());
    EXPECT_NE(std::find(groups.begin(), groups.end(), std::make_pair(0x01, 12)), groups.end());
    EXPECT_EQ(device.reg[0x18], 0x08);
}

TEST_F(OmbrelWindow, ARecordBetweenOthersInAWorkspaceKeepsItsLinesAndLeavesTheirs) {
    Command(ID_FUNCTION_ROW3);   // window 0 shows a Quenda matrix
    for (int function : {6, 3}) {
        const char* section = "Test\\Another";
        theApp.WriteProfileInt(section, "WinPos.left", 40);
        theApp.WriteProfileInt(section, "WinPos.top", 40);
        theApp.WriteProfileInt(section, "WinPos.right", 1100);
        theApp.WriteProfileInt(section, "WinPos.bottom", 500);
        theApp.WriteProfileInt(section, "SWType", function);
        ASSERT_TRUE(theApp.OpenFrame(section, nullptr));
    }
    auto ombrelIn = [](int window) { return dynamic_cast<COmbrelView*>(theApp.m_windows[window].document->GetMidiView()); };
    auto quendaIn = [](int window) { return dynamic_cast<CQuendaMView*>(theApp.m_windows[window].document->GetMidiView()); };
    ASSERT_TRUE(quendaIn(0) && ombrelIn(1) && quendaIn(2));
    ombrelIn(1)->SetDeviceId(0x33);
    PanelShowValue(1, V::StripId(2, V::kMute), ombrelIn(1)->Table());
    theIoNames.SetIoName(IoKeyOmbrel, 27, 8, "Vocal");
    quendaIn(2)->SetDeviceId(9);
    const std::string path = testing_support::TempPath("ombrel_between.vtw");
    ASSERT_EQ(theApp.StoreWorkspace(path.c_str()), 3);

    ombrelIn(1)->SetDeviceId(0x11);
    PanelShowValue(0, V::StripId(2, V::kMute), ombrelIn(1)->Table());
    theIoNames.SetIoName(IoKeyOmbrel, 27, 8, "Other");
    quendaIn(2)->SetDeviceId(2);
    EXPECT_EQ(theApp.LoadWorkspace(path.c_str()), 3);
    DeleteFileA(path.c_str());
    ASSERT_TRUE(quendaIn(0) && ombrelIn(1) && quendaIn(2));
    EXPECT_EQ(ombrelIn(1)->GetDeviceId(), 0x33);
    EXPECT_EQ(ombrelIn(1)->Value(V::StripId(2, V::kMute)), 1);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyOmbrel, 27, 8), "   Vocal");
    EXPECT_EQ(quendaIn(2)->GetDeviceId(), 9);
}
