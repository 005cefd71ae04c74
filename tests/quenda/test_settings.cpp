// What the Quenda view keeps: its lines of a setup record, its profile
// values, and the routing and scroll position across a function switch.
#include <cstdio>
#include <string>
#include <vector>

#include "app/ionames.h"
#include "framework/archive.h"
#include "support/recordfiles.h"
#include "quenda_fixture.h"
#include "resource.h"

using namespace quendatest;
using V = CQuendaMView;

namespace {

// A record with an index line and the 145 name lines, as the view writes it.
std::vector<std::string> Record(const std::string& index) {
    std::vector<std::string> lines = {index};
    char buf[64];
    for (int i = 0; i < 72; ++i) {
        std::snprintf(buf, sizeof(buf), "IN%02i_NAME=  In %02i", i, i);
        lines.push_back(buf);
    }
    for (int o = 0; o < 73; ++o) {
        std::snprintf(buf, sizeof(buf), "OUT%02i_NAME= Out %02i", o, o);
        lines.push_back(buf);
    }
    return lines;
}

class QuendaRecord : public testing_support::RecordFileTest {
protected:
    QuendaRecord() : RecordFileTest(kCompany) {}
};

}  // namespace

TEST_F(QuendaRecord, TheViewsLinesAreWrittenInOrderAndReadBack) {
    CQuendaMView v;
    v.SetDeviceId(5);
    theIoNames.SetIoName(IoKeyQuenda, 5, 0, "Kick");
    theIoNames.SetIoName(IoKeyQuenda, 5, 144, "Cue Mix");
    theIoNames.SetIoName(IoKeyQuenda, 5, 80, "Stage Left Wedge");
    theIoNames.SetIoName(IoKeyQuenda, 5, 71, "AES IN 8");
    theIoNames.SetIoName(IoKeyQuenda, 5, 72, "MADIOUT 1");
    PanelShowValue(12, V::kSelectorFirst + 3, v.Table());
    PanelShowValue(0, V::kClockSource, v.Table());
    const std::string path = File("quenda_record.txt");
    testing_support::StoreRecord(v, path);

    std::vector<std::string> lines = testing_support::FileLines(path);
    ASSERT_EQ(lines.size(), 1u + 145u + 13u + 73u + 2u);
    EXPECT_EQ(lines[0], "QuendaIndex=05");
    EXPECT_EQ(lines[1], "IN00_NAME=    Kick");
    EXPECT_EQ(lines[72], "IN71_NAME=AES IN 8");
    EXPECT_EQ(lines[73], "OUT00_NAME=MADIOUT 1");
    EXPECT_EQ(lines[81], "OUT08_NAME=Stage Left Wedge");
    EXPECT_EQ(lines[145], "OUT72_NAME= Cue Mix");
    // The saved controls in the order of the array: switches and lists of the
    // panel, then the selectors.
    EXPECT_EQ(lines[146], "Device ID=16.000000");
    EXPECT_EQ(lines[148], "Lock State KEYS=0.000000");
    EXPECT_EQ(lines[151], "Outut Format Channels=1.000000");
    EXPECT_EQ(lines[153], "Clock Source=0.000000");
    EXPECT_EQ(lines[154], "Int. Clock Frequency =1.000000");
    EXPECT_EQ(lines[158], "ADC Auto=1.000000");
    EXPECT_EQ(lines[159], "Routing 01=0.000000");
    EXPECT_EQ(lines[162], "Routing 04=12.000000");
    EXPECT_EQ(lines[231], "Routing 73=72.000000");
    EXPECT_EQ(lines[232], "");
    EXPECT_EQ(lines[233], "");

    CQuendaMView back;
    testing_support::LoadRecord(back, path);
    EXPECT_EQ(back.GetDeviceId(), 5);
    EXPECT_EQ(back.Value(V::kSelectorFirst + 3), 12);
    EXPECT_EQ(back.Value(V::kClockSource), 0);
    EXPECT_STREQ(back.Control(V::kInputLabelFirst)->list, "    Kick") << "kept as the line holds it";
    EXPECT_STREQ(back.Control(V::kOutputLabelFirst + 72)->list, " Cue Mix");
}

TEST_F(QuendaRecord, TheIndexLineSetsTheDeviceOnlyFromWorkspacesAndOnlyWhenItIsOne) {
    CQuendaMView v;
    const std::string setup = File("quenda.vts"), workspace = File("quenda.vtw");
    testing_support::WriteLines(setup, Record("QuendaIndex=05"));
    testing_support::LoadRecord(v, setup);
    EXPECT_EQ(v.GetDeviceId(), 127) << "a setup file keeps the window's device";
    testing_support::WriteLines(workspace, Record("QuendaIndex=05"));
    testing_support::LoadRecord(v, workspace);
    EXPECT_EQ(v.GetDeviceId(), 5);
    for (const char* bad : {"QuendaIndex=zz", "QuendaIndex=20", "QuendaIndex=-1", "QuendaIndex=", "Index=03"}) {
        testing_support::WriteLines(workspace, Record(bad));
        testing_support::LoadRecord(v, workspace);
        EXPECT_EQ(v.GetDeviceId(), 5) << bad;
    }
    testing_support::WriteLines(workspace, Record("QuendaIndex=7f"));
    testing_support::LoadRecord(v, workspace);
    EXPECT_EQ(v.GetDeviceId(), 127);
    const std::string out = File("quenda_all.txt");
    testing_support::StoreRecord(v, out);
    EXPECT_EQ(testing_support::FileLines(out)[0], "QuendaIndex=7f");
}

TEST_F(QuendaRecord, NameLinesOutOfPlaceArePassedOverAndLongOnesCut) {
    CQuendaMView v;
    v.SetDeviceId(6);
    theIoNames.SetIoName(IoKeyQuenda, 6, 3, "keep");
    theIoNames.SetIoName(IoKeyQuenda, 6, 5, "keep too");
    std::vector<std::string> lines = Record("QuendaIndex=06");
    lines[4] = "IN05_NAME=wrong place";   // where input 3 belongs
    lines[6] = "garbage";                 // where input 5 belongs
    lines[1] = "IN00_NAME=" + std::string(40, 'x');
    const std::string path = File("quenda_names.vtw");
    testing_support::WriteLines(path, lines);
    testing_support::LoadRecord(v, path);
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 6, 3), "keep");
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 6, 5), "keep too");
    EXPECT_EQ(std::string(theIoNames.GetIoName(IoKeyQuenda, 6, 0)), std::string(29, 'x'));
    EXPECT_STREQ(theIoNames.GetIoName(IoKeyQuenda, 6, 73), " Out 01");
}

TEST_F(QuendaRecord, ProfileValuesAreWrittenAndReadBackWithoutSendingAnything) {
    const char* section = "Default\\Settings\\quendam";
    CQuendaMView v;
    v.SetDeviceId(11);
    PanelShowValue(40, V::kSelectorFirst + 30, v.Table());
    PanelShowValue(1, V::kSampleRateRange, v.Table());
    PanelShowValue(5, V::kAdcNumber, v.Table());
    PanelShowValue(0, V::kEnableAdc, v.Table());   // no ADC lock over the grid
    v.SaveSettings(section);
    EXPECT_EQ(int(theApp.GetProfileInt(section, "Routing 31", -1)), 4000);
    EXPECT_EQ(int(theApp.GetProfileInt(section, "Sample Rate Range", -1)), 100);
    EXPECT_EQ(int(theApp.GetProfileInt(section, "QuendaID", -1)), 11);
    EXPECT_EQ(int(theApp.GetProfileInt(section, "SCROLLHOR", -1)), 0);
    EXPECT_EQ(int(theApp.GetProfileInt(section, "ADC Number", -1)), -1) << "a display is not saved";
    EXPECT_EQ(int(theApp.GetProfileInt(section, "Input Name 1", -1)), -1);

    theApp.WriteProfileInt(section, "SCROLLVER", 17);
    CQuendaMView back;
    back.LoadSettings(section);
    EXPECT_EQ(back.GetDeviceId(), 11);
    EXPECT_EQ(back.Value(V::kSelectorFirst + 30), 40);
    EXPECT_EQ(back.Value(V::kSampleRateRange), 1);
    EXPECT_EQ(back.GetScrollVer(), 17);
    for (int id = 0; id < V::kControlCount; ++id) ASSERT_FALSE(back.Control(id)->flags & PANEL_CHANGED) << id;
    EXPECT_TRUE(back.Control(V::CrosspointId(40, 30))->value > 0.5) << "the grid shows the loaded routing";

    for (int bad : {-1, 16, 200, 0x7E}) {
        theApp.WriteProfileInt(section, "QuendaID", bad);
        back.LoadSettings(section);
        EXPECT_EQ(back.GetDeviceId(), 11) << bad;
    }
}

TEST_F(QuendaRunning, ALoadedRecordSendsWhatItChanged) {
    const std::string path = testing_support::TempPath("quenda_send.vtw");
    std::vector<std::string> lines = Record("QuendaIndex=7f");
    lines.push_back("Clock Source=0.000000");
    lines.push_back("Routing 04=12.000000");
    lines.push_back("Routing 05=4.000000");   // as it is
    lines.push_back("");
    testing_support::WriteLines(path, lines);
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        view->Serialize(ar);
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(NewBlocks(), (std::vector<Bytes>{SetBlock(0x7F, {{0x50, 0x59}, {3, 12}})}));
    EXPECT_EQ(device.route[3], 12);
    EXPECT_TRUE(view->Control(V::CrosspointId(12, 3))->value > 0.5);
}

TEST_F(QuendaRunning, SwitchingToAnotherFunctionAndBackKeepsRoutingAndScrollPosition) {
    SizeClient(900, 600);
    Click(30, 20);
    NewBlocks();
    view->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 6), LPARAM(view->VertBar()->m_hWnd));
    view->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), LPARAM(view->HorzBar()->m_hWnd));
    ASSERT_EQ(view->GetScrollVer(), 6);
    Command(ID_FUNCTION_ROW4);
    Command(ID_FUNCTION_ROW3);
    CMidiView* again = doc->GetMidiView();
    ASSERT_TRUE(again->IsKindOf(RUNTIME_CLASS(CQuendaMView)));
    view = static_cast<CQuendaMView*>(again);
    EXPECT_EQ(view->Value(V::kSelectorFirst + 20), 30);
    EXPECT_EQ(view->GetScrollVer(), 6);
    EXPECT_EQ(view->GetScrollHor(), 2);
    testing_support::PumpMessages(50);
    EXPECT_EQ(view->Control(V::kInputLabelFirst + 6)->y, 153) << "shown from where it was left";
    EXPECT_TRUE(view->Control(V::CrosspointId(30, 20))->value > 0.5);
    EXPECT_TRUE(doc->m_ports.open);
    EXPECT_TRUE(NewBlocks().empty()) << "coming back sends nothing";
}
