// What the Tarvik views keep: their lines of a setup record (the index rule
// of each, the old headerless front-view record) and their profile values.
#include <string>
#include <vector>

#include "app/devicenames.h"
#include "framework/archive.h"
#include "resource.h"
#include "support/recordfiles.h"
#include "tarvik_fixture.h"

using namespace tarviktest;
using testing_support::FileLines;
using testing_support::LoadRecord;
using testing_support::StoreRecord;
using testing_support::WriteLines;

namespace {

class TarvikRecord : public testing_support::RecordFileTest {
protected:
    TarvikRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST_F(TarvikRecord, TheMatrixWritesIndexNamesAndSettingsAndReadsThemBack) {
    CTarvikMView v;
    v.SetDeviceId(3);
    SetSystemName(TarvikIoNames[3][0], "Kik");
    SetSystemName(TarvikIoNames[3][31], "Monitor Left");
    PanelShowValue(7, M::kSelectorFirst + 4, v.Table());
    const std::string path = File("tarvik_matrix.txt");
    StoreRecord(v, path);
    const std::vector<std::string> lines = FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 32u + 24u + 2u);
    EXPECT_EQ(lines[0], "TarvikIndex=03");
    EXPECT_EQ(lines[1], "IN00_NAME=     Kik");
    EXPECT_EQ(lines[2].substr(0, 11), "OUT00_NAME=");
    EXPECT_EQ(lines[32], "OUT15_NAME=Monitor Left");
    EXPECT_EQ(lines[33], "Device ID=16.000000");
    EXPECT_EQ(lines[40], "Enable Routing Matrix=1.000000");
    EXPECT_EQ(lines[45], "Input Routing  5=7.000000");
    EXPECT_EQ(lines[56], "Input Routing 16=8.000000");
    EXPECT_EQ(lines[57], "");

    // The names come back with the blanks "%8s" gave them; the index line
    // only from a file that is no setup file.
    SetSystemName(TarvikIoNames[3][0], "x");
    CTarvikMView back;
    LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 3);
    EXPECT_STREQ(TarvikIoNames[3][0], "     Kik");
    EXPECT_EQ(back.Value(M::kSelectorFirst + 4), 7);
    EXPECT_EQ(back.Value(M::CrosspointId(7, 4)), 1);
    struct Case {
        const char* file;
        const char* index;
        int id;
    };
    const Case cases[] = {{"tarvik_a.vts", "TarvikIndex=07", 127}, {"tarvik_b.vtw", "TarvikIndex=07", 7},
                          {"tarvik_c.vtw", "TarvikIndex=7f", 127}, {"tarvik_d.vtw", "TarvikIndex=zz", 127},
                          {"tarvik_e.vtw", "TarvikIndex=9c", 127}, {"tarvik_f.vtw", "TarvikIndex=20", 0x20}};
    std::vector<std::string> record = lines;
    record[4] = "OUT01_NAME=" + std::string(80, 'n');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        record[0] = c.index;
        const std::string file = File(c.file);
        WriteLines(file, record);
        CTarvikMView v2;
        LoadRecord(v2, file);
        EXPECT_EQ(v2.GetDeviceId(), c.id);
        EXPECT_EQ(std::string(TarvikIoNames[v2.GetDeviceIndex()][16 + 1]), std::string(29, 'n')) << "cut to an entry";
    }
}

TEST_F(TarvikRecord, TheFrontViewWritesItsControlsAndTakesTheIndexFromAnyFile) {
    CmidiTarvikFView v;
    PanelShowValue(1, F::kOutputButtonFirst + 2, v.Table());
    const std::string path = File("tarvik_front.vts");
    StoreRecord(v, path);
    const std::vector<std::string> lines = FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 54u + 2u);
    EXPECT_EQ(lines[0], "TarvikIndex=7f");
    EXPECT_EQ(lines[1], "Input Select BNC=1.000000");
    EXPECT_EQ(lines[9], "Output MADI 3=1.000000");
    EXPECT_EQ(lines[54], "Input Routing 16=8.000000");
    std::vector<std::string> record = lines;
    record[0] = "TarvikIndex=04";
    WriteLines(path, record);
    CmidiTarvikFView back;
    LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 4) << "a setup file too";
    EXPECT_EQ(back.FindSelectedOutput(), 2);
}

TEST_F(TarvikRecord, ProfileValuesComeBackForTheMatrixAndOnlyTheIdForTheFrontView) {
    CTarvikMView m;
    m.SetDeviceId(9);
    PanelShowValue(3, M::kSelectorFirst, m.Table());
    m.SaveSettings("Default\\Settings\\tarvikm");
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\tarvikm", "TarvikID", -1), 9);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\tarvikm", "Input Routing  1", -1), 300);
    EXPECT_EQ(theApp.GetProfileInt("Default\\Settings\\tarvikm", "Input MADI 1", -1), -1) << "no crosspoint";
    CTarvikMView back;
    back.LoadSettings("Default\\Settings\\tarvikm");
    EXPECT_EQ(back.GetDeviceId(), 9);
    EXPECT_EQ(back.Value(M::CrosspointId(3, 0)), 1);
    for (int k = 0; k < back.Table()->count; ++k) EXPECT_FALSE(back.Table()->controls[k].flags & PANEL_CHANGED) << k;
    theApp.WriteProfileInt("Default\\Settings\\tarvikm", "TarvikID", -1);
    CTarvikMView damaged;
    damaged.LoadSettings("Default\\Settings\\tarvikm");
    EXPECT_EQ(damaged.GetDeviceIndex(), 16) << "no index outside the names";

    CmidiTarvikFView f;
    theApp.WriteProfileInt("Default\\Settings\\tarvikf", "TarvikID", 6);
    theApp.WriteProfileInt("Default\\Settings\\tarvikf", "Clock Source", 100);
    f.LoadSettings("Default\\Settings\\tarvikf");
    EXPECT_EQ(f.GetDeviceId(), 6);
    EXPECT_EQ(f.Value(tarvik::kClockSource), 3) << "the panel waits for the device";
}

TEST_F(TarvikFront, AGreyPanelSavesWhatItShowedAndTheOldHeaderlessRecordLoads) {
    Running();
    Edit(tarvik::kFrame96k, 1);
    view->UpdateStatus(-10, 0);
    ASSERT_TRUE(view->IsOffline());
    ASSERT_EQ(view->Value(tarvik::kEnableMatrix), 0);
    const std::string path = testing_support::TempPath("tarvik_grey.vts");
    StoreRecord(*view, path);
    const std::vector<std::string> lines = FileLines(path);
    EXPECT_EQ(lines[3], "96K Frame=1.000000");
    EXPECT_EQ(lines[6], "Enable Routing Matrix=1.000000") << "not the zeros of the grey panel";
    view->SaveSettings("Test\\Grey");
    EXPECT_EQ(theApp.GetProfileInt("Test\\Grey", "Enable Routing Matrix", -1), 100);
    EXPECT_EQ(view->Value(tarvik::kEnableMatrix), 0) << "the panel stays dark";

    // A record of old: the control lines alone. The reader takes the first
    // line; the view reads the next as its index line and passes it over.
    std::vector<std::string> old = {"Input Select BNC=0.000000", "Input Select OPT=1.000000", "96K Frame=3.000000",
                                    "Input Routing  1=11.000000", "", ""};
    WriteLines(path, old);
    doc->StartStopMidi(FALSE);
    Command(ID_FUNCTION_ROW1);
    ASSERT_TRUE(doc->OnOpenDocument(path.c_str()));
    DeleteFileA(path.c_str());
    auto* front = dynamic_cast<CmidiTarvikFView*>(doc->GetMidiView());
    ASSERT_NE(front, nullptr) << "the record switches the window to the front view";
    EXPECT_EQ(front->Value(tarvik::kFrame96k), 3);
    EXPECT_EQ(front->Value(F::kSelectorFirst), 11);
}
