// A second start of the real program hands its file to the running one and
// ends without a window of its own.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <shlobj.h>

#include "app/vantorapp.h"
#include "support/testsupport.h"
#include <gtest/gtest.h>

namespace {

std::string programPath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self);
    dir.erase(dir.find_last_of('\\'));            // ...\tests
    return dir.substr(0, dir.find_last_of('\\')) + "\\vantor.exe";
}

struct Found {
    DWORD pid;
    std::vector<HWND> windows;
    bool dialogsOnly;
};

BOOL CALLBACK collect(HWND w, LPARAM p) {
    Found* f = reinterpret_cast<Found*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != f->pid || !IsWindowVisible(w)) return TRUE;
    char cls[32];
    GetClassNameA(w, cls, sizeof(cls));
    bool dialog = lstrcmpA(cls, "#32770") == 0;
    if (dialog == f->dialogsOnly) f->windows.push_back(w);
    return TRUE;
}

std::string describe(const std::vector<HWND>& windows) {
    std::string text;
    for (HWND w : windows) {
        char cls[64] = "", title[128] = "";
        GetClassNameA(w, cls, sizeof(cls));
        GetWindowTextA(w, title, sizeof(title));
        text += std::string("[") + cls + " \"" + title + "\"] ";
    }
    return text;
}

std::vector<HWND> windowsOf(DWORD pid, bool dialogs) {
    Found f{pid, {}, dialogs};
    EnumWindows(collect, LPARAM(&f));
    return f.windows;
}

template <class Pred>
bool waitFor(Pred pred, int ms) {
    DWORD end = GetTickCount() + DWORD(ms);
    while (int(end - GetTickCount()) > 0) {
        if (pred()) return true;
        testing_support::PumpMessages(50);
    }
    return pred();
}

PROCESS_INFORMATION start(const std::string& args, const std::string& folder) {
    std::string line = "\"" + programPath() + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::vector<char> buf(line.begin(), line.end());
    buf.push_back('\0');
    CreateProcessA(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi);
    return pi;
}

std::string handedOverFile() {
    char value[1024] = "<none>";
    DWORD size = sizeof(value);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tesmer\\Tesmer Vantor\\Temp", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, "OpenFile", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
    }
    return value;
}

void closeDialog(HWND dlg) { PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

const char* const kProgramKey = "Software\\Tesmer\\Tesmer Vantor";

int programInt(const std::string& section, const char* entry) {
    DWORD value = 0xDEADBEEF, size = sizeof(value);
    HKEY key;
    std::string path = std::string(kProgramKey) + "\\" + section;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -99999;
    RegQueryValueExA(key, entry, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return int(value);
}

bool programKeyExists(const std::string& section) {
    HKEY key;
    std::string path = std::string(kProgramKey) + "\\" + section;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void writeFile(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string record(const char* function, int left) {
    char buf[300];
    std::snprintf(buf, sizeof(buf),
                  "%s\r\nGeneral=00,00,%05i,%05i,00040,00640,00200,00400,00300,00400,1,1\r\nMIDI In =\r\n"
                  "MIDI Out=\r\n\r\n\r\n",
                  function, left, left + 800);
    return buf;
}

// A program left running by a failed check would hold the display and the
// registry for the tests after it.
struct KillOnExit {
    HANDLE process = nullptr;
    explicit KillOnExit(const PROCESS_INFORMATION& p) {
        DuplicateHandle(GetCurrentProcess(), p.hProcess, GetCurrentProcess(), &process, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    }
    ~KillOnExit() {
        if (!process) return;
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
        CloseHandle(process);
    }
};

bool endsCleanly(PROCESS_INFORMATION& p) {
    DWORD code = 99;
    bool ended = WaitForSingleObject(p.hProcess, 30000) == WAIT_OBJECT_0 && GetExitCodeProcess(p.hProcess, &code);
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
    return ended && code == 0;
}

// The real program under the real registry key of this Wine prefix, started
// from a scratch folder.
class HandOver : public ::testing::Test {
protected:
    void SetUp() override {
        HWND already = nullptr;
        EnumWindows(CVantorApp::FindRunningInstanceProc, LPARAM(&already));
        ASSERT_EQ(already, nullptr) << "another Vantor runs on this display";
        testing_support::DeleteCompanyKey("Tesmer");
    }
    void TearDown() override { testing_support::DeleteCompanyKey("Tesmer"); }
    static std::string ScratchFolder(const char* name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        std::string folder = std::string(temp) + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }
};

}  // namespace

TEST_F(HandOver, SecondStartsPassTheirFileToTheFirstAndEnd) {
    std::string folder = ScratchFolder("vantor_handover");

    PROCESS_INFORMATION first = start("", folder);
    ASSERT_NE(first.hProcess, nullptr) << programPath();
    ASSERT_TRUE(waitFor([&] { return !windowsOf(first.dwProcessId, false).empty(); }, 60000))
        << "the first start shows its window";
    HWND running = nullptr;
    EnumWindows(CVantorApp::FindRunningInstanceProc, LPARAM(&running));
    ASSERT_NE(running, nullptr) << "the window carries the mark";

    // A second start with a relative file name: it ends at once, without a
    // window, and leaves the absolute name for the first.
    PROCESS_INFORMATION second = start("sub\\show.vts", folder);
    ASSERT_EQ(WaitForSingleObject(second.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(handedOverFile(), folder + "\\sub\\show.vts");
    // The first instance reacts: there is no such file, and it says so.
    EXPECT_TRUE(waitFor([&] { return !windowsOf(first.dwProcessId, true).empty(); }, 15000));

    // A start without a file asks the first for a new window; under the open
    // message box that waits until the box is closed.
    PROCESS_INFORMATION third = start("", folder);
    ASSERT_EQ(WaitForSingleObject(third.hProcess, 30000), WAIT_OBJECT_0);
    EXPECT_EQ(handedOverFile(), "");
    testing_support::PumpMessages(600);
    std::vector<HWND> boxes = windowsOf(first.dwProcessId, true);
    ASSERT_EQ(boxes.size(), 1u) << "still only the message box";
    closeDialog(boxes[0]);
    ASSERT_TRUE(waitFor(
        [&] {
            std::vector<HWND> d = windowsOf(first.dwProcessId, true);
            if (d.size() != 1 || d[0] == boxes[0]) return false;
            char title[64] = "";
            GetWindowTextA(d[0], title, sizeof(title));
            return std::string(title) == "Function Select";
        },
        15000))
        << "the new window asks for its function";

    TerminateProcess(first.hProcess, 0);
    WaitForSingleObject(first.hProcess, 10000);
    for (PROCESS_INFORMATION* p : {&first, &second, &third}) {
        CloseHandle(p->hProcess);
        CloseHandle(p->hThread);
    }
}

TEST_F(HandOver, AWorkspaceGivenAtStartComesBackAfterExit) {
    std::string folder = ScratchFolder("vantor_restart");
    const std::string workspace =
        record("Sarnet Front View", 10) + record("Pelvo Alpha", 60) + record("Brisal", 110);
    writeFile(folder + "\\three.vtw", workspace);
    writeFile(folder + "\\one.vts", record("Ombrel", 160));

    PROCESS_INFORMATION first = start("three.vtw", folder);
    ASSERT_NE(first.hProcess, nullptr) << programPath();
    KillOnExit firstGuard(first);
    ASSERT_TRUE(waitFor([&] { return windowsOf(first.dwProcessId, false).size() == 3; }, 60000))
        << "one window per record: " << describe(windowsOf(first.dwProcessId, false))
        << describe(windowsOf(first.dwProcessId, true));
    EXPECT_TRUE(windowsOf(first.dwProcessId, true).empty()) << "no message";

    // A setup file handed over while another program is in front opens a
    // window of its own.
    HWND mine = CreateWindowExA(0, "STATIC", "in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    // The program may still be activating its windows: take the front until
    // it stays ours.
    ASSERT_TRUE(waitFor(
        [&] {
            if (GetForegroundWindow() != mine) SetForegroundWindow(mine);
            testing_support::PumpMessages(100);
            return GetForegroundWindow() == mine;
        },
        10000));
    PROCESS_INFORMATION second = start("one.vts", folder);
    KillOnExit secondGuard(second);
    EXPECT_TRUE(endsCleanly(second));
    EXPECT_TRUE(waitFor([&] { return windowsOf(first.dwProcessId, false).size() == 4; }, 15000));
    DestroyWindow(mine);

    // Exit saves every window and the system settings, and ends the program.
    std::vector<HWND> frames = windowsOf(first.dwProcessId, false);
    ASSERT_FALSE(frames.empty());
    // The Brisal window has fitted itself to its panel: its place then is
    // the one to keep.
    RECT brisal{};
    ASSERT_TRUE(waitFor(
        [&] {
            for (HWND f : windowsOf(first.dwProcessId, false)) {
                char title[64] = "";
                GetWindowTextA(f, title, sizeof(title));
                if (std::string(title) == "Tesmer Brisal Vantor") return GetWindowRect(f, &brisal) != 0;
            }
            testing_support::PumpMessages(100);
            return false;
        },
        10000));
    PostMessageA(frames[0], WM_COMMAND, 57665 /* Exit */, 0);
    ASSERT_TRUE(endsCleanly(first)) << "Exit ends the program";
    EXPECT_EQ(programInt("Workspace", "NumOfWins"), 4);
    EXPECT_EQ(programInt("Workspace\\Frame0", "SWType"), 4);
    EXPECT_EQ(programInt("Workspace\\Frame1", "SWType"), 9);
    EXPECT_EQ(programInt("Workspace\\Frame2", "SWType"), 11);
    EXPECT_EQ(programInt("Workspace\\Frame3", "SWType"), 6);
    EXPECT_EQ(programInt("Workspace\\Frame2", "WinPos.left"), brisal.left);
    EXPECT_EQ(programInt("SystemSet", "IgnorePosition"), 0);
    EXPECT_FALSE(programKeyExists("Temp")) << "the run's temporary state is gone";
    EXPECT_TRUE(programKeyExists("Recent File List"));

    // On disk: the data folder was made, and the workspace file is untouched.
    char local[MAX_PATH] = "";
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local))) {
        DWORD attributes = GetFileAttributesA((std::string(local) + "\\Tesmer Vantor").c_str());
        EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    HANDLE h = CreateFileA((folder + "\\three.vtw").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(h, nullptr), DWORD(workspace.size()));
    CloseHandle(h);

    // The next start brings the same four windows back.
    PROCESS_INFORMATION again = start("", folder);
    KillOnExit againGuard(again);
    ASSERT_TRUE(waitFor([&] { return windowsOf(again.dwProcessId, false).size() == 4; }, 60000));
    frames = windowsOf(again.dwProcessId, false);
    PostMessageA(frames[0], WM_COMMAND, 57665, 0);
    ASSERT_TRUE(endsCleanly(again));
    EXPECT_EQ(programInt("Workspace", "NumOfWins"), 4);
    EXPECT_EQ(programInt("Workspace\\Frame3", "SWType"), 6);

    DeleteFileA((folder + "\\three.vtw").c_str());
    DeleteFileA((folder + "\\one.vts").c_str());
    RemoveDirectoryA(folder.c_str());
}
