#include "ombrel_fixture.h"

namespace ombreltest {

Bytes StatusReply(const Pairs& pairs) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x41, 0x00, 0x30};
    for (const auto& p : pairs) {
        b.push_back(BYTE(p.first));
        b.push_back(BYTE(p.second));
    }
    while (b.size() < 95) {
        b.push_back(0x7E);
        b.push_back(0x00);
    }
    b.push_back(0xF7);
    return b;
}

Bytes LevelReply(const std::vector<int>& inputs, const std::vector<int>& outputs) {
    Bytes b = {0xF0, 0x00, 0x7E, 0x31, 0x41, 0x00, 0x31};
    for (int c = 0; c < 8; ++c) b.push_back(BYTE(c < int(inputs.size()) ? inputs[size_t(c)] : 0));
    for (int c = 0; c < 8; ++c) b.push_back(BYTE(c < int(outputs.size()) ? outputs[size_t(c)] : 0));
    b.push_back(0xF7);
    return b;
}

::testing::AssertionResult AllInRange(COmbrelView* view) {
    for (int k = 0; k < V::kControlCount; ++k) {
        const PanelControl& c = view->Controls()[k];
        if (!(c.value >= c.min && c.value <= c.max))
            return ::testing::AssertionFailure() << c.name << " (" << c.id << ") holds " << c.value;
    }
    return ::testing::AssertionSuccess();
}

CtrlHeld::CtrlHeld() {
    GetKeyboardState(m_saved);
    BYTE state[256];
    std::copy(m_saved, m_saved + 256, state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
}

CtrlHeld::~CtrlHeld() { SetKeyboardState(m_saved); }

void OmbrelWindow::SetUp() {
    OpenDeviceWindow(kCompany, 6, &device, "Ombrel", RECT{20, 20, 1100, 420});
    ASSERT_TRUE(midiView->IsKindOf(RUNTIME_CLASS(COmbrelView)));
    view = static_cast<COmbrelView*>(midiView);
}

void OmbrelRunning::SetUp() {
    OmbrelWindow::SetUp();
    StartMidi();
    Poll();
    ASSERT_EQ(view->Value(V::kDeviceState), 2.0) << "the device's state was taken in";
    NewBlocks();
}

}  // namespace ombreltest
