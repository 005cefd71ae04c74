// Workspace files and the file commands: what a file does by its extension,
// loading into fewer and more windows, storing, and the two file dialogs.
#include "files_support.h"
#include "framework/archive.h"
#include "framework/recent.h"
#include "resource.h"

namespace {

std::string record(const char* function, RECT r) {
    char buf[300];
    std::snprintf(buf, sizeof(buf),
                  "%s\nGeneral=00,00,%05i,%05i,%05i,%05i,00200,00400,00300,00400,1,1\nMIDI In =\nMIDI Out=\n\n\n",
                  function, int(r.left), int(r.right), int(r.top), int(r.bottom));
    return buf;
}

// A top-level window of the test itself, to have something other than the
// program's windows in front.
HWND otherWindowInFront() {
    static HWND w = nullptr;
    if (!w || !IsWindow(w))
        w = CreateWindowExA(0, "STATIC", "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(w);
    testing_support::PumpMessages(20);
    return w;
}

struct FileDialogAnswer {
    static std::string path;
    static int calls;
    static BOOL open;
    static std::string defExt, filter;
    static DWORD flags;
    static INT_PTR Answer(CFileDialog& dlg, std::string& out) {
        ++calls;
        open = dlg.IsOpenDialog();
        defExt = dlg.GetDefaultExt();
        filter = dlg.GetFilter();
        flags = dlg.m_ofn.Flags;
        if (path.empty()) return IDCANCEL;
        out = path;
        return IDOK;
    }
};
std::string FileDialogAnswer::path;
int FileDialogAnswer::calls = 0;
BOOL FileDialogAnswer::open = FALSE;
std::string FileDialogAnswer::defExt;
std::string FileDialogAnswer::filter;
DWORD FileDialogAnswer::flags = 0;

class Workspace : public FileTest {
protected:
    void SetUp() override {
        FileTest::SetUp();
        theApp.LoadStdProfileSettings(8);
        oldHook = CFileDialog::SetHook(&FileDialogAnswer::Answer);
        FileDialogAnswer::path.clear();
        FileDialogAnswer::calls = 0;
    }
    void TearDown() override {
        CFileDialog::SetHook(oldHook);
        FileTest::TearDown();
    }
    static std::string Recent(int i) { return theApp.m_pRecentFileList->Get(i); }
    static std::vector<int> Functions() {
        std::vector<int> f;
        for (int i = 0; i < kMaxWindows; ++i)
            if (Doc(i)) f.push_back(Doc(i)->m_nFunction);
        return f;
    }
    CFileDialog::Hook oldHook = nullptr;
};

}  // namespace

TEST_F(Workspace, TheExtensionDecidesWhatAFileDoes) {
    testing_support::MessageBoxRecorder boxes;
    EXPECT_EQ(theApp.OpenDocumentFile("C:\\setups\\show.VTS"), nullptr);
    EXPECT_EQ(theApp.OpenDocumentFile("C:\\my.setups\\show"), nullptr);
    EXPECT_EQ(theApp.OpenDocumentFile("C:\\setups\\show"), nullptr);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[0].text, "File C:\\setups\\show.VTS has wrong file extension.");
    EXPECT_EQ(boxes.boxes[1].text, "File C:\\my.setups\\show has wrong file extension.");
    EXPECT_EQ(theApp.CountFrames(), 0);

    // Only four characters count: ".vtwx" is a workspace file.
    std::string path = Path("show.vtwx");
    WriteBytes(path, record("Brisal", RECT{100, 100, 900, 700}));
    CDocument* doc = theApp.OpenDocumentFile(path.c_str());
    EXPECT_EQ(boxes.boxes.size(), 3u);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc, Doc(0));
    EXPECT_EQ(Doc(0)->m_nFunction, 11);
    EXPECT_EQ(Recent(0), path);

    // A missing workspace says so and opens nothing.
    EXPECT_EQ(theApp.OpenDocumentFile(Path("gone.vtw").c_str()), nullptr);
    ASSERT_EQ(boxes.boxes.size(), 4u);
    EXPECT_NE(boxes.boxes[3].text.find("gone.vtw"), std::string::npos);
    EXPECT_EQ(theApp.CountFrames(), 1);
}

TEST_F(Workspace, LoadingFillsTheWindowsInOrderClosesTheRestAndOpensMore) {
    std::string two = Path("two.vtw");
    WriteBytes(two, CrLf(record("Ombrel", RECT{10, 10, 810, 610}) + record("Pelvo Alpha", RECT{50, 50, 850, 650})));
    for (int f : {4, 5, 11}) ASSERT_GE(OpenWindow(f, RECT{100, 100, 900, 700}), 0);
    EXPECT_EQ(theApp.LoadWorkspace(two.c_str()), 2);
    EXPECT_EQ(Functions(), (std::vector<int>{6, 9}));
    EXPECT_EQ(theApp.CountFrames(), 2);

    std::string four = Path("four.vtw");
    WriteBytes(four, record("Brisal", RECT{0, 0, 800, 600}) + record("Sarnet Front View", RECT{0, 0, 800, 600}) +
                         record("Pelvo Beta", RECT{0, 0, 800, 600}) + record("Quenda Matrix", RECT{0, 0, 900, 600}));
    EXPECT_EQ(theApp.LoadWorkspace(four.c_str()), 4);
    EXPECT_EQ(Functions(), (std::vector<int>{11, 4, 10, 3}));
    for (int i = 2; i < 4; ++i) EXPECT_TRUE(Frame(i)->IsWindowVisible());
}

TEST_F(Workspace, StoringSkipsFreeEntriesAndKeepsTableOrder) {
    ASSERT_EQ(OpenWindow(4, RECT{100, 100, 900, 700}), 0);
    ASSERT_EQ(OpenWindow(6, RECT{120, 120, 920, 720}), 1);
    ASSERT_EQ(OpenWindow(11, RECT{140, 140, 940, 740}), 2);
    Frame(1)->DestroyWindow();
    testing_support::PumpMessages();
    ASSERT_EQ(OpenWindow(9, RECT{160, 160, 960, 760}), 1) << "the free entry is taken again";
    ASSERT_EQ(OpenWindow(10, RECT{180, 180, 980, 780}), 3);

    std::string path = Path("four.vtw");
    EXPECT_EQ(theApp.StoreWorkspace(path.c_str()), 4);
    std::string bytes = ReadBytes(path);
    size_t a = bytes.find("Sarnet Front View\r\n"), b = bytes.find("Pelvo Alpha\r\n"), c = bytes.find("Brisal\r\n"),
           d = bytes.find("Pelvo Beta\r\n");
    ASSERT_NE(d, std::string::npos);
    EXPECT_TRUE(a == 0 && a < b && b < c && c < d) << bytes;

    CloseAllWindows();
    EXPECT_EQ(theApp.LoadWorkspace(path.c_str()), 4);
    EXPECT_EQ(Functions(), (std::vector<int>{4, 9, 11, 10}));
}

TEST_F(Workspace, AFailedStoreLeavesTheOldFile) {
    ASSERT_EQ(OpenWindow(4, RECT{100, 100, 900, 700}), 0);
    std::string path = Path("kept.vtw");
    WriteBytes(path, "the old workspace");
    // Another program holds the file: the new one cannot take its place.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    testing_support::MessageBoxRecorder boxes;
    EXPECT_EQ(theApp.StoreWorkspace(path.c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(path), "the old workspace");
    EXPECT_EQ(ReadBytes(path + ".tmp"), "<missing>");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("kept.vtw"), std::string::npos);
    // A folder that does not exist fails the same way.
    EXPECT_EQ(theApp.StoreWorkspace(Path("no such folder\\x.vtw").c_str()), 0);
    EXPECT_EQ(boxes.boxes.size(), 2u);
}

TEST_F(Workspace, AFileWithoutAReadableRecordClosesEveryWindowAndOpensNoMore) {
    ASSERT_EQ(OpenWindow(4, RECT{100, 100, 900, 700}), 0);
    std::string path = Path("bad.vtw");
    // The first line reads as nothing, so the only window closes; the program
    // is ending then and the record behind it must not open a window.
    WriteBytes(path, "garbage\n" + record("Brisal", RECT{0, 0, 800, 600}));
    EXPECT_EQ(theApp.LoadWorkspace(path.c_str()), 0);
    EXPECT_EQ(theApp.CountFrames(), 0);
    EXPECT_EQ(theApp.m_bWorkspaceSaved, 1);
    EXPECT_EQ(ProfileInt("Workspace", "NumOfWins"), 1);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program ends";
}

TEST_F(Workspace, ASetupFileGoesIntoTheWindowInFrontOrIntoANewOne) {
    std::string path = Path("brisal.vts");
    WriteBytes(path, CrLf(record("Brisal", RECT{100, 100, 900, 700})));
    ASSERT_EQ(OpenWindow(4, RECT{100, 100, 900, 700}), 0);
    ASSERT_EQ(OpenWindow(5, RECT{150, 150, 950, 750}), 1);

    Frame(1)->SetForegroundWindow();
    testing_support::PumpMessages(20);
    ASSERT_EQ(GetForegroundWindow(), Frame(1)->m_hWnd);
    EXPECT_EQ(theApp.OpenDocumentFile(path.c_str()), Doc(1));
    EXPECT_EQ(Functions(), (std::vector<int>{4, 11}));
    EXPECT_EQ(Recent(0), path);

    // From elsewhere it opens a window of its own, once.
    otherWindowInFront();
    CDocument* opened = theApp.OpenDocumentFile(path.c_str());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened, Doc(2));
    EXPECT_EQ(Functions(), (std::vector<int>{4, 11, 11}));
    EXPECT_EQ(opened->GetPathName(), path);
    otherWindowInFront();
    EXPECT_EQ(theApp.OpenDocumentFile(path.c_str()), opened);
    EXPECT_EQ(theApp.CountFrames(), 3);
    testing_support::PumpMessages(20);
    EXPECT_EQ(GetForegroundWindow(), Frame(2)->m_hWnd) << "the window of that file comes to the front";
    DestroyWindow(otherWindowInFront());
}

TEST_F(Workspace, ASetupFileOpensNothingWhenTheTableIsFull) {
    for (int i = 0; i < kMaxWindows; ++i) theApp.m_windows[i].inUse = TRUE;
    std::string path = Path("full.vts");
    WriteBytes(path, record("Brisal", RECT{100, 100, 900, 700}));
    otherWindowInFront();
    EXPECT_EQ(theApp.OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_TRUE(CFrameWnd::AllFrames().empty());
    for (WindowEntry& e : theApp.m_windows) e = WindowEntry{};
}

TEST_F(Workspace, TheWorkspaceCommandsAskForAFileAndRememberIt) {
    ASSERT_EQ(OpenWindow(4, RECT{100, 100, 900, 700}), 0);
    ASSERT_EQ(OpenWindow(6, RECT{100, 100, 900, 700}), 1);
    std::string path = Path("saved.vtw");
    FileDialogAnswer::path = path;
    Frame(0)->SendMessageA(WM_COMMAND, ID_SAVE_WORKSPACE, 0);
    EXPECT_FALSE(FileDialogAnswer::open);
    EXPECT_EQ(FileDialogAnswer::defExt, "vtw");
    const char saveFilter[] = "Vantor Workspace Files (*.vtw)\0*.vtw\0All Files (*.*)\0*.*\0";
    EXPECT_EQ(FileDialogAnswer::filter, std::string(saveFilter, sizeof(saveFilter)));
    EXPECT_EQ(FileDialogAnswer::flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_NE(ReadBytes(path).find("Ombrel\r\n"), std::string::npos);
    EXPECT_EQ(Recent(0), path);

    // Loading a setup file as a workspace: the first window takes it, the
    // other closes.
    std::string setup = Path("one.vts");
    WriteBytes(setup, record("Pelvo Delta", RECT{100, 100, 900, 700}));
    FileDialogAnswer::path = setup;
    Frame(0)->SendMessageA(WM_COMMAND, ID_LOAD_WORKSPACE, 0);
    EXPECT_TRUE(FileDialogAnswer::open);
    const char loadFilter[] =
        "Vantor Workspace Files (*.vtw)\0*.vtw\0Tesmer Vantor Setup Files (*.vts)\0*.vts\0All Files (*.*)\0*.*\0";
    EXPECT_EQ(FileDialogAnswer::filter, std::string(loadFilter, sizeof(loadFilter)));
    EXPECT_EQ(Functions(), (std::vector<int>{8}));
    EXPECT_EQ(Recent(0), setup);

    // Cancel does nothing.
    FileDialogAnswer::path.clear();
    Frame(0)->SendMessageA(WM_COMMAND, ID_LOAD_WORKSPACE, 0);
    EXPECT_EQ(Functions(), (std::vector<int>{8}));
    EXPECT_EQ(FileDialogAnswer::calls, 3);
}

TEST_F(Workspace, RecentFilesAndOpenSetupEndInTheSameDispatch) {
    ASSERT_EQ(OpenWindow(4, RECT{100, 100, 900, 700}), 0);
    std::string path = Path("recent.vtw");
    WriteBytes(path, record("Ombrel", RECT{100, 100, 900, 700}));
    theApp.AddToRecentFileList(path.c_str());
    Frame(0)->SendMessageA(WM_COMMAND, ID_FILE_MRU_FIRST, 0);
    EXPECT_EQ(Functions(), (std::vector<int>{6}));

    std::string setup = Path("open.vts");
    WriteBytes(setup, record("Brisal", RECT{100, 100, 900, 700}));
    FileDialogAnswer::path = setup;
    otherWindowInFront();
    Frame(0)->SendMessageA(WM_COMMAND, ID_FILE_OPEN, 0);
    EXPECT_TRUE(FileDialogAnswer::open);
    EXPECT_EQ(Functions(), (std::vector<int>{6, 11}));
    DestroyWindow(otherWindowInFront());
}

TEST_F(Workspace, AViewRecordCutShortDoesNotSwallowTheRecordsAfterIt) {
    // A routing-matrix record reads a fixed number of name lines; here it has
    // none, and the next window's record must still be found.
    std::string path = Path("cut.vtw");
    WriteBytes(path, record("Quenda Matrix", RECT{0, 0, 900, 600}) + record("Brisal", RECT{0, 0, 800, 600}) +
                         record("Ombrel", RECT{0, 0, 800, 600}));
    EXPECT_EQ(theApp.LoadWorkspace(path.c_str()), 3);
    EXPECT_EQ(Functions(), (std::vector<int>{3, 11, 6}));
}
