// One workspace with a window of every function, all on one MIDI port pair
// with a simulated device of every model behind it: each window opens its
// panel and comes online with its own device.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/functiontable.h"
#include "devices/panelview.h"
#include "sim/simbrisal.h"
#include "sim/simfennow.h"
#include "sim/simlusket.h"
#include "sim/simombrel.h"
#include "sim/simpelvo.h"
#include "sim/simquenda.h"
#include "sim/simsarnet.h"
#include "sim/simtarvik.h"
#include "support/devicewindow.h"
#include "support/recordfiles.h"

namespace {

class EveryFunction : public DeviceWindowTest {
protected:
    void TearDown() override { CloseDeviceWindows(); }
    sim::SimBrisal brisal{0};
};

// Online as the window shows it: its "Device State" control, or for the
// front views without one, the title.
bool Online(CMidiView* view, CFrameWnd* frame) {
    if (CPanelView* panel = dynamic_cast<CPanelView*>(view)) {
        PanelControlTable* t = panel->Table();
        for (int k = 0; k < t->count; ++k)
            if (std::string(t->controls[k].name) == "Device State") return t->controls[k].value == 2;
    }
    return frame->GetWindowText().find(" - online") != std::string::npos;
}

}  // namespace

TEST_F(EveryFunction, AWorkspaceOfTwelveWindowsTalksToTwelveDevices) {
    OpenDeviceWindow("VantorTestEveryFunction", 11, &brisal, "Rack", RECT{0, 0, 1100, 400});
    sim::SimTarvik tarvik;
    sim::SimLusket lusket;
    sim::SimQuenda quenda;
    sim::SimSarnet sarnet;
    sim::SimFennow fennow;
    sim::SimOmbrel ombrel;
    sim::SimPelvo pelvo[4] = {sim::SimPelvo(0), sim::SimPelvo(1), sim::SimPelvo(2), sim::SimPelvo(3)};
    std::vector<sim::SimDevice*> devices = {&tarvik, &lusket, &quenda, &sarnet, &fennow, &ombrel};
    for (sim::SimPelvo& p : pelvo) devices.push_back(&p);
    for (sim::SimDevice* d : devices) driver.Connect(d, out, in);

    std::string text;
    for (int f = 0; f < kFunctionCount; ++f) {
        char record[300];
        std::snprintf(record, sizeof(record),
                      "%s\r\nGeneral=%02i,%02i,%05i,%05i,%05i,%05i,00200,00400,00300,00400,1,1\r\n"
                      "MIDI In =Rack In\r\nMIDI Out=Rack Out\r\n\r\n\r\n",
                      FunctionTable[f].name, in, out, 20 * f, 20 * f + 700, 20 * f, 20 * f + 400);
        text += record;
    }
    const std::string path = testing_support::TempPath("every_function.vtw");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    ASSERT_EQ(theApp.LoadWorkspace(path.c_str()), kFunctionCount);
    std::remove(path.c_str());

    theApp.ForEachDocument(TRUE);
    RunPollTimer(true);
    auto allOnline = [&] {
        for (int i = 0; i < kFunctionCount; ++i)
            if (!Online(theApp.m_windows[i].document->GetMidiView(), theApp.m_windows[i].frame)) return false;
        return true;
    };
    for (int t = 0; t < 20000 && !allOnline(); t += 100) testing_support::PumpMessages(100);
    for (int i = 0; i < kFunctionCount; ++i) {
        CDigiDoc* d = theApp.m_windows[i].document;
        ASSERT_NE(d, nullptr) << i;
        EXPECT_EQ(d->m_nFunction, i);
        EXPECT_NE(dynamic_cast<CPanelView*>(d->GetMidiView()), nullptr) << "every function has its panel";
        EXPECT_TRUE(Online(d->GetMidiView(), theApp.m_windows[i].frame)) << FunctionTable[i].name;
    }
    for (sim::SimDevice* d : devices) EXPECT_GT(d->statusRequests, 0) << d->Model();
    EXPECT_GT(brisal.statusRequests + brisal.levelRequests, 0);
    theApp.ForEachDocument(FALSE);
}
