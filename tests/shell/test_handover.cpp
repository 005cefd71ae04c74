// A second start of the real program hands its file to the running one and
// ends without a window of its own.
#include <string>
#include <vector>

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

}  // namespace

TEST(HandOver, SecondStartsPassTheirFileToTheFirstAndEnd) {
    HWND already = nullptr;
    EnumWindows(CVantorApp::FindRunningInstanceProc, LPARAM(&already));
    ASSERT_EQ(already, nullptr) << "another Vantor runs on this display";

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "vantor_handover";
    CreateDirectoryA(folder.c_str(), nullptr);

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
    // The first instance reacts: it cannot read setup files yet and says so.
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
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tesmer\\Tesmer Vantor\\Temp", 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "OpenFile");
        RegCloseKey(key);
    }
}
