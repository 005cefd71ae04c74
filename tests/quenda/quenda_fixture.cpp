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
    OpenDeviceWindow(kCompany, 3, &device, "Quenda", RECT{20, 20, 1000, 900});
    ASSERT_TRUE(midiView->IsKindOf(RUNTIME_CLASS(CQuendaMView)));
    view = static_cast<CQuendaMView*>(midiView);
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

void QuendaWindow::Poll() {
    view->RequestDeviceData(FALSE);
    testing_support::PumpMessages(10);
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

void QuendaRunning::SetUp() {
    QuendaWindow::SetUp();
    SizeClient(1100, 1000);
    StartMidi();
    Poll();
    ASSERT_EQ(view->Value(CQuendaMView::kEnableAdc), 0.0) << "the device's state was taken in";
    NewBlocks();
}

}  // namespace quendatest
