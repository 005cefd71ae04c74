// The Ombrel panel as built: its controls and strips, where the mouse hits
// them, the function that opens it, and the online display over time.
#include "app/functiontable.h"
#include "app/ionames.h"
#include "ombrel_fixture.h"
#include "resource.h"

using namespace ombreltest;

TEST(OmbrelView, AFreshViewAddressesAllDevicesWithTheNamesOfSlot64) {
    COmbrelView v;
    ASSERT_EQ(v.Table()->count, 175);
    EXPECT_EQ(v.GetDeviceId(), 127);
    EXPECT_EQ(v.GetNameIndex(), 64);
    EXPECT_EQ(v.Value(V::kBank), 8);
    EXPECT_EQ(v.Value(V::kId), 8);
    EXPECT_EQ(v.Value(V::kDeviceName), 64);
    EXPECT_STREQ(v.Control(V::kBank)->list + 8 * PANEL_LIST_ENTRY, "All ");
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(v.Control(V::StripId(c, V::kInputName))->list, theIoNames.GetIoName(IoKeyOmbrel, 64, c));
        EXPECT_EQ(v.Control(V::StripId(c, V::kOutputName))->list, theIoNames.GetIoName(IoKeyOmbrel, 64, c + 8));
    }
    // The momentary buttons start lit, as the device's panel does.
    EXPECT_EQ(v.Value(V::kRecallReference), 1);
    EXPECT_EQ(v.Value(V::kPeakHoldReset), 1);
    EXPECT_TRUE(v.GetEnableFast());
}

TEST(OmbrelView, StripsAreGeneratedPerChannelWithTheirKindsValuesAndPlaces) {
    COmbrelView v;
    struct Row {
        int channel, kind;
        const char* name;
        int type, bitmap, x, y, w, h;
        double value, min, max, step;
    };
    const Row rows[] = {
        {0, V::kStripBack, "Back 1", 36, 318, 0, 47, 97, 140, 0, 0, 1, 0},
        {2, V::kInputName, "Input Name 3", 7, 269, 206, 55, 74, 10, 0, 0, 12, 0},
        {7, V::kInputLevel, "Input Level 8", 10, 302, 707, 74, 20, 56, 0, 0, 7, 8},
        {7, V::kInputHold, "Input Level Hold 8", 11, 302, 707, 74, 20, 56, 0, 0, 7, 8},
        {1, V::kInputGainReduction, "Input Gain Reduction 2", 14, 317, 155, 82, 15, 48, 6, 0, 6, 8},
        {3, V::kInputTrim, "Gain Trim Input 4", 1, 269, 303, 149, 54, 10, 0, 0, 6, 0.5},
        {3, V::kInputSelect, "Gain Adjust Select Input 4", 3, 298, 365, 149, 13, 10, 0, 0, 1, 0},
        {4, V::kDownMix7, "Down Mix Input 5 to Output 7", 1, 269, 426, 138, 54, 10, -127, -127, 0, 1},
        {4, V::kDownMix8, "Down Mix Input 5 to Output 8", 1, 269, 426, 153, 54, 10, -127, -127, 0, 1},
        {5, V::kOutputBack, "Back Out 6", 36, 319, 485, 190, 97, 140, 0, 0, 1, 0},
        {5, V::kOutputLevel, "Output Level 6", 10, 302, 513, 217, 20, 56, 0, 0, 7, 8},
        {6, V::kMute, "Mute Output 7", 3, 300, 651, 232, 13, 10, 0, 0, 1, 0},
        {6, V::kOutputTrim, "Gain Trim Output 7", 1, 269, 594, 292, 54, 10, 0, -6, 6, 0.5},
        {0, V::kNumber, "Number 1", 36, 310, 68, 252, 17, 17, 0, 0, 1, 0},
        {6, V::kNumber, "Number 7", 36, 316, 650, 252, 17, 17, 0, 0, 1, 0},
        {7, V::kNumber, "Number 8", 36, 308, 747, 252, 17, 17, 0, 0, 1, 0},
    };
    for (const Row& r : rows) {
        const int id = V::StripId(r.channel, r.kind);
        const PanelControl& c = v.Controls()[39 + 17 * r.channel + r.kind];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(c.id, id);
        EXPECT_EQ(v.Control(id), &c);
        EXPECT_STREQ(c.name, r.name);
        EXPECT_EQ(c.type, r.type);
        EXPECT_EQ(c.bitmap, r.bitmap);
        EXPECT_EQ(c.x, r.x);
        EXPECT_EQ(c.y, r.y);
        EXPECT_EQ(c.w, r.w);
        EXPECT_EQ(c.h, r.h);
        EXPECT_EQ(c.value, r.value);
        EXPECT_EQ(c.min, r.min);
        EXPECT_EQ(c.max, r.max);
        EXPECT_EQ(c.step, r.step);
    }
    EXPECT_TRUE(v.Control(V::StripId(0, V::kDownMix7))->flags & PANEL_HIDDEN);
    EXPECT_EQ(v.Control(V::StripId(0, V::kInputLevel))->lastLength, -1);
    EXPECT_STREQ(v.Control(V::StripId(0, V::kInputTrim))->unit, "dB");
    // The volume list: -oo, then 4, 2 and 1 dB steps up to 0 dB.
    const char* volumes = v.Control(V::kAnalogOutputVolume)->list;
    const std::pair<int, const char*> entries[] = {{0, "-oo "},     {1, "-98 dB "},  {13, "-50 dB "}, {14, "-48 dB "},
                                                   {28, "-20 dB "}, {29, "-19 dB "}, {48, "0 dB "}};
    for (const auto& e : entries) EXPECT_STREQ(volumes + e.first * PANEL_LIST_ENTRY, e.second);
}

TEST_F(OmbrelWindow, Function6OpensTheConverterAndFitsTheFrameToItsPanel) {
    Command(ID_FUNCTION_ROW3);
    EXPECT_FALSE(doc->GetMidiView()->IsKindOf(RUNTIME_CLASS(COmbrelView)));
    Command(ID_FUNCTION_ROW6);
    ASSERT_TRUE(doc->GetMidiView()->IsKindOf(RUNTIME_CLASS(COmbrelView)));
    view = static_cast<COmbrelView*>(doc->GetMidiView());
    midiView = view;
    view->UpdateWindow();
    testing_support::PumpMessages(30);
    RECT client;
    view->GetClientRect(&client);
    EXPECT_EQ(client.right, 996);
    EXPECT_EQ(client.bottom, 312);
}

TEST_F(OmbrelRunning, ClicksHitTheStripControlsOfTheirChannel) {
    auto click = [this](int id) {
        const PanelControl* ctl = view->Control(id);
        const double before = ctl->value;
        Mouse(WM_LBUTTONDOWN, ctl->x + ctl->w / 2, ctl->y + ctl->h / 2, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, ctl->x + ctl->w / 2, ctl->y + ctl->h / 2);
        return ctl->value != before;
    };
    for (int c = 0; c < 8; ++c) {
        EXPECT_TRUE(click(V::StripId(c, V::kMute))) << c;
        // The gang selects go on and off again, so nothing is ganged below.
        for (int kind : {V::kInputSelect, V::kOutputSelect}) {
            EXPECT_TRUE(click(V::StripId(c, kind))) << c;
            EXPECT_TRUE(click(V::StripId(c, kind))) << c;
        }
    }
    // Every mute of the eight went out as the two mute bytes.
    const std::vector<Bytes> blocks = NewBlocks();
    int muteBlocks = 0;
    for (const Bytes& b : blocks)
        if (Groups(b) == Pairs({{0x18, 0x0F}, {0x19, 0x0F}})) ++muteBlocks;
    EXPECT_EQ(muteBlocks, 1) << "all eight muted by the last click";
    // A drag upwards on a trim raises it in half-dB steps, ten at a time with Shift.
    const PanelControl* trim = view->Control(V::StripId(2, V::kInputTrim));
    const int x = trim->x + 20, y = trim->y + 5;
    Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, x, y - 16, MK_LBUTTON);
    EXPECT_EQ(trim->value, 1.0);
    // Shift goes on from where the mouse is, then counts ten steps per 8 pixels.
    Mouse(WM_MOUSEMOVE, x, y - 24, MK_LBUTTON | MK_SHIFT);
    Mouse(WM_MOUSEMOVE, x, y - 32, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(trim->value, 6.0) << "clamped at +6 dB";
    Mouse(WM_LBUTTONUP, x, y - 32);
    const std::vector<Bytes> trims = NewBlocks();
    ASSERT_EQ(trims.size(), 2u);
    EXPECT_EQ(Groups(trims[0]), Pairs({{0x0B, 18}}));
    EXPECT_EQ(Groups(trims[1]), Pairs({{0x0B, 28}}));
}

TEST_F(OmbrelWindow, TheDeviceShowsOnlineNotRespondingAndOfflineWithTheTransportsPoll) {
    // The title never shows the state; the state control does.
    ExpectOnlineNoResponseOffline(device, [this] { return view->Value(V::kDeviceState); }, "Tesmer Ombrel Vantor");
    EXPECT_GT(device.levelRequests, 0) << "fast polling asked for levels too";
}
