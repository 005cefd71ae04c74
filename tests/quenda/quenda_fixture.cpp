#include "quenda_fixture.h"

#include <cmath>

#include "app/functiontable.h"

namespace quendatest {

Bytes SetBlock(int device, const std::vector<std::pair<int, int>>& groups) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x62, BYTE(device), 0x20};
    for (auto& g : groups) {
        b.push_back(BYTE(g.first));
        b.push_back(BYTE(g.second));
    }
    b.push_back(0xF7);
    return b;
}

Bytes Reply(int length, const std::vector<std::pair<int, int>>& pairs) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x62, 0x00, 0x10};
    for (size_t k = 0; int(b.size()) < length - 1; ++k) {
        const auto& p = pairs[k / 2 % pairs.size()];
        b.push_back(BYTE(k % 2 ? p.second : p.first));
    }
    b.push_back(0xF7);
    return b;
}

::testing::AssertionResult AllInRange(CQuendaMView* view) {
    for (int id = 0; id < CQuendaMView::kControlCount; ++id) {
        const PanelControl* c = view->Control(id);
        if (!c) return ::testing::AssertionFailure() << "no control " << id;
        if (!(c->value >= c->min && c->value <= c->max))
            return ::testing::AssertionFailure() << c->name << " (" << id << ") holds " << c->value;
    }
    return ::testing::AssertionSuccess();
}

void QuendaWindow::SetUp() {
    theApp.SetRegistryKey(kCompany);
    testing_support::DeleteCompanyKey(kCompany);
    if (!theApp.m_pDocTemplate) {
        theApp.m_pDocTemplate = new CMultiDocTemplate(128, RUNTIME_CLASS(CDigiDoc), RUNTIME_CLASS(CMainFrame),
                                                      RUNTIME_CLASS(CMidiView));
        theApp.AddDocTemplate(theApp.m_pDocTemplate);
    }
    in = driver.AddInput("Quenda In");
    out = driver.AddOutput("Quenda Out");
    driver.Connect(&device, out, in);
    for (const char* section : {"Settings", kSection}) {
        theApp.WriteProfileString(section, "MidiInputName", "Quenda In");
        theApp.WriteProfileString(section, "MidiOutputName", "Quenda Out");
    }
    theApp.WriteProfileInt(kSection, "WinPos.left", 20);
    theApp.WriteProfileInt(kSection, "WinPos.top", 20);
    theApp.WriteProfileInt(kSection, "WinPos.right", 1000);
    theApp.WriteProfileInt(kSection, "WinPos.bottom", 900);
    theApp.WriteProfileInt(kSection, "SWType", 3);
    ASSERT_TRUE(theApp.OpenFrame(kSection, nullptr));
    doc = theApp.m_windows[0].document;
    frame = theApp.m_windows[0].frame;
    ASSERT_NE(doc, nullptr);
    CMidiView* v = doc->GetMidiView();
    ASSERT_TRUE(v && v->IsKindOf(RUNTIME_CLASS(CQuendaMView)));
    view = static_cast<CQuendaMView*>(v);
    // Tests decide when the device is asked.
    RunPollTimer(false);
    testing_support::PumpMessages(20);
}

void QuendaWindow::TearDown() {
    RunPollTimer(true);
    theApp.m_bWorkspaceSaved = 1;   // closing saves nothing
    for (int i = 0; i < kMaxWindows; ++i)
        if (theApp.m_windows[i].frame) theApp.m_windows[i].frame->DestroyWindow();
    for (CFrameWnd* f : std::vector<CFrameWnd*>(CFrameWnd::AllFrames())) f->DestroyWindow();
    testing_support::PumpMessages(20);
    for (WindowEntry& e : theApp.m_windows) e = WindowEntry{};
    theApp.m_bWorkspaceSaved = 0;
    theApp.m_pActiveFrame = nullptr;
    theApp.m_pMainWnd = nullptr;
    for (FunctionRow& row : FunctionTable) row.openWindows = 0;
    testing_support::DeleteCompanyKey(kCompany);
}

void QuendaWindow::RunPollTimer(bool on) {
    HWND callback = theMmeIn.GetCallbackWindow();
    if (!callback) return;
    if (on)
        SetTimer(callback, 1, 15, nullptr);
    else
        KillTimer(callback, 1);
}

void QuendaWindow::SizeClient(int w, int h) {
    frame->FitToClient(w, h, FALSE);
    for (int i = 0; i < 20; ++i) {
        view->UpdateWindow();
        testing_support::PumpMessages(5);
    }
    RECT client;
    view->GetClientRect(&client);
    ASSERT_EQ(client.right, w);
    ASSERT_EQ(client.bottom, h);
}

void QuendaWindow::StartMidi() {
    doc->StartStopMidi(TRUE);
    ASSERT_TRUE(doc->m_ports.open);
}

void QuendaWindow::Poll() {
    view->RequestDeviceData(FALSE);
    testing_support::PumpMessages(10);
}

void QuendaWindow::Mouse(UINT message, int x, int y, WPARAM keys) {
    MSG msg{};
    msg.hwnd = view->m_hWnd;
    msg.message = message;
    msg.wParam = keys;
    msg.lParam = MAKELPARAM(x, y);
    if (!theApp.PreTranslateMessage(&msg)) DispatchMessageA(&msg);
}

POINT QuendaWindow::CellCentre(int input, int output) {
    const PanelControl* c = view->Control(CQuendaMView::CrosspointId(input, output));
    return POINT{c->x + 6, c->y + 5};
}

void QuendaWindow::Click(int input, int output) {
    POINT p = CellCentre(input, output);
    Mouse(WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, p.x, p.y);
}

void QuendaWindow::Drag(int fromInput, int fromOutput, int toInput, int toOutput) {
    POINT a = CellCentre(fromInput, fromOutput), b = CellCentre(toInput, toOutput);
    Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, (a.x + b.x) / 2, (a.y + b.y) / 2, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, b.x, b.y);
}

void QuendaWindow::Command(UINT id) { ::SendMessageA(frame->m_hWnd, WM_COMMAND, id, 0); }

std::vector<Bytes> QuendaWindow::NewBlocks() {
    std::vector<Bytes> blocks;
    std::vector<Bytes> all = driver.SentTo(out);
    for (size_t k = seenBlocks; k < all.size(); ++k)
        if (all[k].size() > 6 && all[k][6] == 0x20) blocks.push_back(all[k]);
    seenBlocks = all.size();
    return blocks;
}

void QuendaRunning::SetUp() {
    QuendaWindow::SetUp();
    SizeClient(1100, 1000);
    StartMidi();
    Poll();
    ASSERT_EQ(view->Value(CQuendaMView::kEnableAdc), 0.0) << "the device's state was taken in";
    NewBlocks();
}

}  // namespace quendatest
