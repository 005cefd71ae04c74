// The setup record: one window written as text lines and read back, with the
// reader's rules for old, short and damaged records.
#include "devices/routing/quendaview.h"
#include "files_support.h"
#include "framework/archive.h"
#include "midi/mmein.h"
#include "resource.h"
#include "sim/simdriver.h"

namespace {

// The document's part of a Brisal window's record; the view's lines follow.
const std::string kRecordHead =
    "Brisal\n"
    "General=00,01,00120,00884,00080,00651,00200,00400,00300,00400,1,1\n"
    "MIDI In =USB MIDI In\n"
    "MIDI Out=USB MIDI Out\n"
    "KestBrisalIndex=00\n";

std::string general(const char* ids, RECT r) {
    char buf[200];
    std::snprintf(buf, sizeof(buf), "General=%s,%05i,%05i,%05i,%05i,00200,00400,00300,00400,1,1\n", ids, int(r.left),
                  int(r.right), int(r.top), int(r.bottom));
    return buf;
}

bool sameRect(RECT a, RECT b) { return EqualRect(&a, &b) != 0; }

}  // namespace

using SetupRecord = FileTest;

TEST_F(SetupRecord, SaveSetupWritesTheRecordWithLfAndAWorkspaceWithCrLf) {
    int i = OpenWindow(11, RECT{120, 80, 884, 651});
    ASSERT_GE(i, 0);
    ASSERT_TRUE(sameRect(FrameRect(i), RECT{120, 80, 884, 651}));
    CDigiDoc* doc = Doc(i);
    doc->m_ports.inputId = 0;
    doc->m_ports.outputId = 1;
    SetPortName(doc->m_ports.inputName, "USB MIDI In");
    SetPortName(doc->m_ports.outputName, "USB MIDI Out");

    // Save Setup As goes through the library's plain file: LF.
    static std::string setup;
    setup = Path("front.vts");
    CFileDialog::Hook old = CFileDialog::SetHook([](CFileDialog& dlg, std::string& path) -> INT_PTR {
        if (dlg.IsOpenDialog()) return IDCANCEL;
        path = setup;
        return IDOK;
    });
    Frame(i)->SendMessageA(WM_COMMAND, ID_FILE_SAVE_AS, 0);
    CFileDialog::SetHook(old);
    const std::string record = ReadBytes(setup);
    EXPECT_EQ(record.substr(0, kRecordHead.size()), kRecordHead);
    EXPECT_EQ(record.find('\r'), std::string::npos);
    EXPECT_EQ(record.substr(record.size() - 3), "\n\n\n") << "the view's empty lines end the record";
    EXPECT_EQ(doc->GetPathName(), setup);

    // A workspace is a text file: every line ends in CR LF.
    std::string workspace = Path("one.vtw");
    EXPECT_EQ(theApp.StoreWorkspace(workspace.c_str()), 1);
    EXPECT_EQ(ReadBytes(workspace), CrLf(record));
    EXPECT_EQ(ReadBytes(workspace + ".tmp"), "<missing>");

    // Numbers keep their minimum widths; wider or negative ones are written whole.
    Frame(i)->MoveWindow(-30, 5, 764, 571, TRUE);
    doc->m_ports.inputId = 123;
    ASSERT_EQ(theApp.StoreWorkspace(workspace.c_str()), 1);
    std::string bytes = ReadBytes(workspace);
    EXPECT_NE(bytes.find("General=123,01,-0030,00734,00005,00576,"), std::string::npos) << bytes;
}

TEST_F(SetupRecord, SaveSetupIsOfferedOnlyForAWindowWithAFunction) {
    int i = OpenWindow(6, RECT{100, 100, 700, 700});
    ASSERT_GE(i, 0);
    struct Recorder : CCmdUI {
        int enabled = -1;
        void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    } ui;
    ui.m_nID = ID_FILE_SAVE;
    Frame(i)->OnCmdMsg(ID_FILE_SAVE, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    EXPECT_EQ(ui.enabled, 1);
    Doc(i)->m_nFunction = -1;
    Frame(i)->OnCmdMsg(ID_FILE_SAVE, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    EXPECT_EQ(ui.enabled, 0);
    // Nor is such a window written into a workspace.
    EXPECT_EQ(theApp.StoreWorkspace(Path("none.vtw").c_str()), 0);
    EXPECT_EQ(ReadBytes(Path("none.vtw")), "");
    Doc(i)->m_nFunction = 6;
}

TEST_F(SetupRecord, AStoredWorkspaceReadsBackIntoTheSameWindows) {
    int a = OpenWindow(4, RECT{40, 50, 840, 650});
    int b = OpenWindow(3, RECT{300, 60, 1200, 760});
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);
    auto* quenda = dynamic_cast<CQuendaMView*>(Doc(b)->GetMidiView());
    ASSERT_NE(quenda, nullptr);
    quenda->SetDeviceId(5);
    Doc(a)->m_ports.inputId = 2;
    Doc(a)->m_ports.outputId = 3;
    SetPortName(Doc(a)->m_ports.inputName, "Desk In");
    SetPortName(Doc(a)->m_ports.outputName, "");
    Doc(b)->m_nBars[1] = 0;
    Doc(b)->SetWinPos = RECT{1, 2, 3, 4};
    RECT ra = FrameRect(a), rb = FrameRect(b);

    std::string path = Path("two.vtw");
    ASSERT_EQ(theApp.StoreWorkspace(path.c_str()), 2);
    CloseAllWindows();
    ASSERT_EQ(theApp.CountFrames(), 0);

    EXPECT_EQ(theApp.LoadWorkspace(path.c_str()), 2);
    ASSERT_EQ(theApp.CountFrames(), 2);
    EXPECT_EQ(Doc(0)->m_nFunction, 4);
    EXPECT_EQ(Doc(1)->m_nFunction, 3);
    EXPECT_TRUE(sameRect(FrameRect(0), ra));
    EXPECT_TRUE(sameRect(FrameRect(1), rb));
    EXPECT_EQ(Doc(0)->m_ports.inputId, 2);
    EXPECT_EQ(Doc(0)->m_ports.outputId, 3);
    EXPECT_STREQ(Doc(0)->m_ports.inputName, "Desk In");
    EXPECT_STREQ(Doc(0)->m_ports.outputName, "");
    EXPECT_EQ(Doc(0)->m_ports.open, 0);
    EXPECT_EQ(Doc(1)->m_nBars[1], 0);
    EXPECT_FALSE(Frame(1)->GetControlBar(0xE801)->IsWindowVisible());
    EXPECT_TRUE(sameRect(Doc(1)->SetWinPos, RECT{1, 2, 3, 4}));
    quenda = dynamic_cast<CQuendaMView*>(Doc(1)->GetMidiView());
    ASSERT_NE(quenda, nullptr);
    EXPECT_EQ(quenda->GetDeviceId(), 5);
}

TEST_F(SetupRecord, TheFirstLineChoosesTheFunctionOrRejectsTheRecord) {
    int i = OpenWindow(6, RECT{100, 100, 700, 700});
    CDigiDoc* doc = Doc(i);
    const std::string rest = general("00,00", RECT{100, 100, 700, 700}) + "MIDI In =\nMIDI Out=\n\n\n";

    EXPECT_TRUE(ReadInto(doc, "legacy.vts", "Tarvik Frontside\n" + rest));
    EXPECT_EQ(doc->m_nFunction, 0);
    EXPECT_TRUE(ReadInto(doc, "row.vts", "Brisal\n" + rest));
    EXPECT_EQ(doc->m_nFunction, 11);
    // A record of old without its header lines is a Tarvik front view.
    EXPECT_TRUE(ReadInto(doc, "headerless.vts", "Input Select BNC=1.000000\nClock Source=2.000000\n\n\n"));
    EXPECT_EQ(doc->m_nFunction, 0);
    // An editor's byte-order mark does not hide the name.
    EXPECT_TRUE(ReadInto(doc, "bom.vts", "\xEF\xBB\xBFOmbrel\n" + rest));
    EXPECT_EQ(doc->m_nFunction, 6);

    // Anything else leaves the window as it was.
    EXPECT_FALSE(ReadInto(doc, "unknown.vts", "Quenda matrix\n" + rest));
    EXPECT_FALSE(ReadInto(doc, "nogeneral.vts", "Brisal\nMIDI In =x\n"));
    EXPECT_FALSE(ReadInto(doc, "empty.vts", ""));
    std::string noise;
    for (int k = 0; k < 3000; ++k) noise += char((k * 7919 + 13) % 256);
    EXPECT_FALSE(ReadInto(doc, "noise.vts", noise));
    EXPECT_EQ(doc->m_nFunction, 6);

    // A record that ends early still gives its window a function.
    EXPECT_TRUE(ReadInto(doc, "early.vts", "Pelvo Beta\n" + general("00,00", RECT{100, 100, 700, 700})));
    EXPECT_EQ(doc->m_nFunction, 10);
}

TEST_F(SetupRecord, PortLinesAreOptionalAndBounded) {
    int i = OpenWindow(3, RECT{100, 100, 900, 700});
    CDigiDoc* doc = Doc(i);
    auto* quenda = dynamic_cast<CQuendaMView*>(doc->GetMidiView());
    ASSERT_NE(quenda, nullptr);
    const std::string head = "Quenda Matrix\n" + general("04,05", RECT{100, 100, 900, 700});

    // Without port lines the third line is the view's own.
    ASSERT_TRUE(ReadInto(doc, "noports.vtw", head + "QuendaIndex=0b\n\n\n"));
    EXPECT_EQ(quenda->GetDeviceId(), 11);
    EXPECT_EQ(doc->m_ports.inputId, 4);
    EXPECT_EQ(doc->m_ports.outputId, 5);
    EXPECT_STREQ(doc->m_ports.inputName, "");
    EXPECT_STREQ(doc->m_ports.outputName, "");

    // "MIDI In =" alone is an empty name; a line other than "MIDI Out=" after
    // it is used up and gives an empty output name.
    SetPortName(doc->m_ports.inputName, "old");
    SetPortName(doc->m_ports.outputName, "old");
    ASSERT_TRUE(ReadInto(doc, "emptyin.vtw", head + "MIDI In =\nQuendaIndex=03\n\n\n"));
    EXPECT_STREQ(doc->m_ports.inputName, "");
    EXPECT_STREQ(doc->m_ports.outputName, "");
    EXPECT_EQ(quenda->GetDeviceId(), 11) << "the index line was taken as the output line";

    // Names longer than a port name are cut; a line of more than 1000
    // characters is still one line, so the next one is read as it stands.
    std::string longIn(1500, 'i'), longOut(900, 'o');
    ASSERT_TRUE(
        ReadInto(doc, "long.vtw", head + "MIDI In =" + longIn + "\nMIDI Out=" + longOut + "\nQuendaIndex=07\n\n\n"));
    EXPECT_EQ(std::string(doc->m_ports.inputName), std::string(199, 'i'));
    EXPECT_EQ(std::string(doc->m_ports.outputName), std::string(199, 'o'));
    EXPECT_EQ(quenda->GetDeviceId(), 7);
}

TEST_F(SetupRecord, AShortOrDamagedGeneralLineKeepsWhatItDoesNotGive) {
    int i = OpenWindow(4, RECT{100, 100, 900, 700});
    CDigiDoc* doc = Doc(i);
    doc->m_ports.inputId = 6;
    doc->m_ports.outputId = 7;
    doc->SetWinPos = RECT{11, 12, 13, 14};
    RECT before = FrameRect(i);

    ASSERT_TRUE(ReadInto(doc, "short.vtw", "Sarnet Front View\nGeneral=03\nMIDI In =a\nMIDI Out=b\n\n\n"));
    EXPECT_EQ(doc->m_ports.inputId, 3);
    EXPECT_EQ(doc->m_ports.outputId, 7);
    EXPECT_TRUE(sameRect(FrameRect(i), before));
    EXPECT_TRUE(sameRect(doc->SetWinPos, RECT{11, 12, 13, 14}));
    EXPECT_EQ(doc->m_nBars[0], 1);

    // A rectangle of no size moves nothing; an id too wide ends the read.
    ASSERT_TRUE(ReadInto(doc, "flat.vtw",
                         "Sarnet Front View\nGeneral=01,02,00300,00300,00100,00600,1,1\nMIDI In =\nMIDI Out=\n\n\n"));
    EXPECT_TRUE(sameRect(FrameRect(i), before));
    ASSERT_TRUE(ReadInto(doc, "wide.vtw", "Sarnet Front View\n" + general("100,02", RECT{50, 50, 850, 650}) +
                                              "MIDI In =\nMIDI Out=\n\n\n"));
    EXPECT_EQ(doc->m_ports.inputId, 10);
    EXPECT_EQ(doc->m_ports.outputId, 2);
    EXPECT_TRUE(sameRect(FrameRect(i), before));

    // The bar flags are shown or hidden, whatever number stands there.
    ASSERT_TRUE(ReadInto(doc, "bars.vtw",
                         "Sarnet Front View\nGeneral=00,00,00100,00900,00100,00700,00001,00002,00003,00004,-5,7\n"
                         "MIDI In =\nMIDI Out=\n\n\n"));
    EXPECT_EQ(doc->m_nBars[0], 0);
    EXPECT_EQ(doc->m_nBars[1], 1);
    EXPECT_FALSE(Frame(i)->GetControlBar(0xE800)->IsWindowVisible());
    EXPECT_TRUE(sameRect(doc->SetWinPos, RECT{1, 3, 2, 4}));
}

TEST_F(SetupRecord, SetupFilesKeepTheWindowsPortsAndWorkspaceRecordsReplaceThem) {
    sim::SimMidiDriver driver;
    driver.AddInput("Desk In");
    driver.AddOutput("Desk Out");
    driver.AddInput("Other In");
    driver.AddOutput("Other Out");
    theApp.WriteProfileString("Settings", "MidiInputName", "Desk In");
    theApp.WriteProfileString("Settings", "MidiOutputName", "Desk Out");
    int i = OpenWindow(4, RECT{100, 100, 900, 700});
    CDigiDoc* doc = Doc(i);
    ASSERT_EQ(doc->StartStopMidi(TRUE), 1);
    ASSERT_EQ(doc->m_ports.open, 1);

    const std::string record = "Sarnet Front View\n" + general("01,01", RECT{100, 100, 900, 700}) +
                               "MIDI In =Other In\nMIDI Out=Other Out\n\n\n";
    ASSERT_TRUE(ReadInto(doc, "ports.vts", record));
    EXPECT_EQ(doc->m_ports.open, 1) << "a setup file leaves MIDI running";
    EXPECT_STREQ(doc->m_ports.inputName, "Desk In");

    // A name that only contains "vtw" is no workspace for the ports.
    ASSERT_TRUE(ReadInto(doc, "ports.vtw.vts", record));
    EXPECT_EQ(doc->m_ports.open, 1);
    EXPECT_STREQ(doc->m_ports.outputName, "Desk Out");

    ASSERT_TRUE(ReadInto(doc, "ports.vtw", record));
    EXPECT_EQ(doc->m_ports.open, 0) << "a workspace record leaves MIDI stopped";
    EXPECT_STREQ(doc->m_ports.inputName, "Other In");
    EXPECT_STREQ(doc->m_ports.outputName, "Other Out");
    testing_support::PumpMessages(30);
}

TEST_F(SetupRecord, IgnorePositionHoldsForSetupFilesButNotForWorkspaces) {
    int i = OpenWindow(4, RECT{100, 100, 900, 700});
    CDigiDoc* doc = Doc(i);
    const RECT there = {200, 150, 1000, 750};
    const std::string record = "Sarnet Front View\n" + general("00,00", there) + "MIDI In =\nMIDI Out=\n\n\n";

    ASSERT_TRUE(ReadInto(doc, "moves.vts", record));
    EXPECT_TRUE(sameRect(FrameRect(i), there)) << "without the option a setup file places the window";

    Frame(i)->MoveWindow(100, 100, 800, 600, TRUE);
    CDigiDoc::IgnorePositionFlag = TRUE;
    ASSERT_TRUE(ReadInto(doc, "stays.vts", record));
    EXPECT_TRUE(sameRect(FrameRect(i), RECT{100, 100, 900, 700}));
    ASSERT_TRUE(ReadInto(doc, "vtwnamed.vts", record));
    EXPECT_TRUE(sameRect(FrameRect(i), there)) << "a name containing vtw counts as a workspace here";
    Frame(i)->MoveWindow(100, 100, 800, 600, TRUE);
    ASSERT_TRUE(ReadInto(doc, "all.vtw", record));
    EXPECT_TRUE(sameRect(FrameRect(i), there));
}

TEST_F(SetupRecord, AnInvalidSetupFileOpenedInANewWindowSaysSoAndAsksForAFunction) {
    theApp.WriteProfileInt("Settings", "LastFunct", 5);
    std::string path = Path("bad.vts");
    WriteBytes(path, "not a record\n");
    testing_support::MessageBoxRecorder boxes;
    int selectedOnOpen = -2;
    testing_support::WhenDialogAppears([&](HWND dlg) {
        selectedOnOpen = int(SendDlgItemMessageA(dlg, IDC_FUNCTION_LIST, LB_GETCURSEL, 0, 0));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    CDocument* doc = theApp.OpenDocumentFile(path.c_str());
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "This is not a valid Vantor setup file");
    EXPECT_EQ(selectedOnOpen, 0);
    ASSERT_EQ(Doc(0), doc);
    EXPECT_EQ(Doc(0)->m_nFunction, 5) << "Cancel takes the last function used";
}
