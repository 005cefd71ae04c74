#include "support/devicewindow.h"

#include "app/functiontable.h"
#include "devices/panelview.h"
#include "midi/mmein.h"

namespace {
const char* const kSection = "Workspace\\Frame0";
}

Pairs Groups(const sim::Bytes& block) {
    Pairs groups;
    for (size_t k = 7; k + 2 < block.size(); k += 2) groups.push_back({block[k], block[k + 1]});
    return groups;
}

Pairs GroupsOf(const std::vector<sim::Bytes>& blocks) {
    Pairs groups;
    for (const sim::Bytes& b : blocks) {
        const Pairs one = Groups(b);
        groups.insert(groups.end(), one.begin(), one.end());
    }
    return groups;
}

void DeviceWindowTest::OpenDeviceWindow(const char* company, int function, sim::SimDevice* device,
                                        const std::string& port, RECT place) {
    m_company = company;
    theApp.SetRegistryKey(company);
    testing_support::DeleteCompanyKey(company);
    if (!theApp.m_pDocTemplate) {
        theApp.m_pDocTemplate = new CMultiDocTemplate(128, RUNTIME_CLASS(CDigiDoc), RUNTIME_CLASS(CMainFrame),
                                                      RUNTIME_CLASS(CMidiView));
        theApp.AddDocTemplate(theApp.m_pDocTemplate);
    }
    in = driver.AddInput(port + " In");
    out = driver.AddOutput(port + " Out");
    driver.Connect(device, out, in);
    for (const char* section : {"Settings", kSection}) {
        theApp.WriteProfileString(section, "MidiInputName", (port + " In").c_str());
        theApp.WriteProfileString(section, "MidiOutputName", (port + " Out").c_str());
    }
    theApp.WriteProfileInt(kSection, "WinPos.left", place.left);
    theApp.WriteProfileInt(kSection, "WinPos.top", place.top);
    theApp.WriteProfileInt(kSection, "WinPos.right", place.right);
    theApp.WriteProfileInt(kSection, "WinPos.bottom", place.bottom);
    theApp.WriteProfileInt(kSection, "SWType", function);
    ASSERT_TRUE(theApp.OpenFrame(kSection, nullptr));
    doc = theApp.m_windows[0].document;
    frame = theApp.m_windows[0].frame;
    ASSERT_NE(doc, nullptr);
    midiView = doc->GetMidiView();
    ASSERT_NE(midiView, nullptr);
    panelView = dynamic_cast<CPanelView*>(midiView);
    // Tests decide when the device is asked.
    RunPollTimer(false);
    testing_support::PumpMessages(20);
}

void DeviceWindowTest::CloseDeviceWindows() {
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
    if (m_company) testing_support::DeleteCompanyKey(m_company);
}

void DeviceWindowTest::RunPollTimer(bool on) {
    HWND callback = theMmeIn.GetCallbackWindow();
    if (!callback) return;
    if (on)
        SetTimer(callback, 1, 15, nullptr);
    else
        KillTimer(callback, 1);
}

void DeviceWindowTest::StartMidi() {
    doc->StartStopMidi(TRUE);
    ASSERT_TRUE(doc->m_ports.open);
}

void DeviceWindowTest::Mouse(UINT message, int x, int y, WPARAM keys) {
    MSG msg{};
    msg.hwnd = midiView->m_hWnd;
    msg.message = message;
    msg.wParam = keys;
    msg.lParam = MAKELPARAM(x, y);
    if (!theApp.PreTranslateMessage(&msg)) DispatchMessageA(&msg);
}

void DeviceWindowTest::Command(UINT id) { ::SendMessageA(frame->m_hWnd, WM_COMMAND, id, 0); }

std::vector<sim::Bytes> DeviceWindowTest::NewBlocks() {
    std::vector<sim::Bytes> blocks;
    std::vector<sim::Bytes> all = driver.SentTo(out);
    for (size_t k = seenBlocks; k < all.size(); ++k)
        if (all[k].size() > 6 && all[k][6] == 0x20) blocks.push_back(all[k]);
    seenBlocks = all.size();
    return blocks;
}

void DeviceWindowTest::ExpectOnlineNoResponseOffline(sim::SimDevice& device, const std::function<double()>& state,
                                                     const char* title) {
    RunPollTimer(true);
    StartMidi();
    auto waitFor = [&](double value, int ms) {
        for (int t = 0; t < ms && state() != value; t += 50) testing_support::PumpMessages(50);
        return state();
    };
    EXPECT_EQ(waitFor(2, 3000), 2.0) << "Online";
    EXPECT_GT(device.statusRequests, 0);
    EXPECT_EQ(frame->GetWindowText(), title);
    device.SetAnswer(sim::SimDevice::Answer::Silent);
    EXPECT_EQ(waitFor(1, 8000), 1.0) << "No Response";
    EXPECT_EQ(frame->GetWindowText(), title);
    doc->StartStopMidi(FALSE);
    EXPECT_EQ(state(), 0.0) << "Offline";
    device.SetAnswer(sim::SimDevice::Answer::Normal);
    StartMidi();
    EXPECT_EQ(waitFor(2, 3000), 2.0) << "Online again";
}

void DeviceWindowTest::Poll() {
    midiView->RequestDeviceData(FALSE);
    testing_support::PumpMessages(10);
}

void DeviceWindowTest::Running() {
    StartMidi();
    midiView->RequestDeviceData(TRUE);
    testing_support::PumpMessages(10);
    NewBlocks();
}

std::vector<sim::Bytes> DeviceWindowTest::Edit(int id, double value) {
    PanelSetValue(value, id, panelView->Table());
    PanelMarkChanged(id, panelView->Table());
    midiView->SendChangedParameters(FALSE, FALSE, FALSE);
    return NewBlocks();
}

void DeviceWindowTest::Click(int id) {
    const PanelControl* c = panelView->Control(id);
    Mouse(WM_LBUTTONDOWN, c->x + c->w / 2, c->y + c->h / 2, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, c->x + c->w / 2, c->y + c->h / 2);
}
