#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "framework/winapp.h"

namespace testing_support {

void PumpMessages(int milliseconds) {
    DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds > 0) Sleep(1);
    } while (int(end - GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const DWORD end = GetTickCount() + DWORD(milliseconds);
    while (!done()) {
        if (int(end - GetTickCount()) <= 0) return done();
        PumpMessages(10);
    }
    return true;
}

static BOOL CALLBACK findDialog(HWND hwnd, LPARAM out) {
    char cls[32];
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hwnd)) {
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, LPARAM(&found));
    return found;
}

namespace {
struct PendingDialogAction {
    std::function<void(HWND)> fn;
    DWORD deadline;
    UINT_PTR timer;
};
std::vector<PendingDialogAction*> g_pending;

void CALLBACK dialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (size_t i = 0; i < g_pending.size(); ++i) {
        PendingDialogAction* a = g_pending[i];
        if (a->timer != id) continue;
        HWND dlg = FindThreadDialog();
        bool expired = int(GetTickCount() - a->deadline) > 0;
        if (!dlg && !expired) return;
        KillTimer(nullptr, id);
        g_pending.erase(g_pending.begin() + long(i));
        if (dlg) {
            a->fn(dlg);
        } else {
            ADD_FAILURE() << "no dialog appeared";
        }
        delete a;
        return;
    }
}
}  // namespace

void WhenDialogAppears(std::function<void(HWND)> fn, int timeoutMs) {
    auto* a = new PendingDialogAction{std::move(fn), GetTickCount() + DWORD(timeoutMs), 0};
    a->timer = SetTimer(nullptr, 0, 20, dialogTimer);
    g_pending.push_back(a);
}

namespace {
MessageBoxRecorder* g_recorder = nullptr;
int recordBox(HWND owner, const char* text, const char* caption, UINT type) {
    g_recorder->boxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    return g_recorder->answer;
}
}  // namespace

MessageBoxRecorder::MessageBoxRecorder(int a) : answer(a) {
    g_recorder = this;
    AfxSetMessageBoxHook(recordBox);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    AfxSetMessageBoxHook(nullptr);
    g_recorder = nullptr;
}

void DeleteCompanyKey(const char* company) {
    CWinApp::DelRegTree(HKEY_CURRENT_USER, std::string("Software\\") + company);
}

COLORREF PixelAt(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

void FeedMutatedReplies(const std::vector<std::vector<BYTE>>& good, int count, unsigned seed,
                        const std::function<void(const BYTE* data, int length)>& receive) {
    const size_t page = 4096;
    BYTE* pages = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD oldProtection = 0;
    if (!pages || !VirtualProtect(pages + page, page, PAGE_NOACCESS, &oldProtection)) {
        ADD_FAILURE() << "no guarded page";
        return;
    }
    std::mt19937 random(seed);
    for (int n = 0; n < count && !good.empty(); ++n) {
        std::vector<BYTE> r = good[size_t(n) % good.size()];
        switch (random() % 4) {
        case 0: r.resize(random() % (r.size() + 1)); break;
        case 1:
            if (!r.empty()) r.insert(r.end() - 1, random() % 40, BYTE(random()));
            break;
        case 2:
            if (r.size() > 5) r[4 + random() % 2] = BYTE(random());
            break;
        default: break;
        }
        for (int k = int(random() % 6); k > 0 && !r.empty(); --k) r[random() % r.size()] = BYTE(random());
        if (r.size() > page) r.resize(page);
        BYTE* message = pages + page - r.size();
        std::copy(r.begin(), r.end(), message);
        receive(message, int(r.size()));
    }
    VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace testing_support

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
