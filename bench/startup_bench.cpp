// Measures how long a start of vantor.exe takes until its first window is
// shown and painted (the process then waits for input), under a warm Wine.
// Run: wine startup_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findFrame(HWND w, LPARAM p) {
    Search* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char title[200];
    if (pid == s->pid && IsWindowVisible(w) && GetWindowLongPtrA(w, GWLP_USERDATA) == 100 &&
        GetWindowTextA(w, title, sizeof(title)) > 0 && std::strstr(title, "Vantor")) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 6;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string dir(self);
    dir.erase(dir.find_last_of('\\'));
    std::string exe = dir.substr(0, dir.find_last_of('\\')) + "\\vantor.exe";
    std::vector<double> shown, idle;
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        std::string line = "\"" + exe + "\"";
        std::vector<char> buf(line.begin(), line.end());
        buf.push_back('\0');
        double t0 = nowMs();
        if (!CreateProcessA(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            std::printf("cannot start %s\n", exe.c_str());
            return 1;
        }
        Search s{pi.dwProcessId, nullptr};
        while (!s.found && nowMs() - t0 < 60000) {
            EnumWindows(findFrame, LPARAM(&s));
            if (!s.found) Sleep(1);
        }
        double t1 = nowMs();
        WaitForInputIdle(pi.hProcess, 60000);
        double t2 = nowMs();
        TerminateProcess(pi.hProcess, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        std::printf("run %d: window shown %.0f ms, painted and idle %.0f ms%s\n", i + 1, t1 - t0, t2 - t0,
                    i == 0 ? " (warm-up)" : "");
        if (i > 0) {
            shown.push_back(t1 - t0);
            idle.push_back(std::max(t1, t2) - t0);
        }
        Sleep(300);
    }
    if (!shown.empty()) {
        std::sort(shown.begin(), shown.end());
        std::sort(idle.begin(), idle.end());
        std::printf("median of %d warm runs: window shown %.0f ms, painted and idle %.0f ms\n", int(shown.size()),
                    shown[shown.size() / 2], idle[idle.size() / 2]);
    }
    return 0;
}
