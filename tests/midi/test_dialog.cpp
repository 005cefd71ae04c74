// "MIDI I/O Setup" and SetupPorts.
#include "midifixture.h"

#include "midi/midiselect.h"
#include "midi_res.h"

namespace miditest {
namespace {

struct ListState {
    std::vector<std::string> items;
    int selection;
};

ListState readList(HWND dialog, int id) {
    ListState s;
    HWND combo = GetDlgItem(dialog, id);
    const int n = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[64] = "";
        SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        s.items.push_back(text);
    }
    s.selection = int(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    return s;
}

// Opens the dialog with the pair, looks at both lists, lets `act` work the
// dialog and returns DoModal's result.
INT_PTR runDialog(int* pair, ListState* input, ListState* output, std::function<void(HWND)> act) {
    testing_support::WhenDialogAppears([&](HWND dialog) {
        char caption[64] = "";
        GetWindowTextA(dialog, caption, sizeof(caption));
        EXPECT_STREQ("MIDI I/O Setup", caption);
        *input = readList(dialog, IDC_MIDI_INPUT_LIST);
        *output = readList(dialog, IDC_MIDI_OUTPUT_LIST);
        act(dialog);
    });
    CMidiSelect dialog;
    dialog.SetIdPair(pair);
    return dialog.DoModal();
}

void press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void choose(HWND dialog, int list, int index) { SendDlgItemMessageA(dialog, list, CB_SETCURSEL, WPARAM(index), 0); }

using DialogTest = MidiTest;

TEST_F(DialogTest, ListsThePortsInDeviceIdOrderAndReturnsTheChoice) {
    driver.AddInput("Zeta In");
    driver.AddInput("Alpha In");
    driver.AddOutput("Zeta Out");
    driver.AddOutput("Alpha Out");
    driver.AddOutput("Beta Out");
    int pair[2] = {1, 7};   // no output 7: that list shows no selection
    ListState in, out;
    INT_PTR result = runDialog(pair, &in, &out, [](HWND d) {
        choose(d, IDC_MIDI_INPUT_LIST, 0);
        choose(d, IDC_MIDI_OUTPUT_LIST, 2);
        press(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ((std::vector<std::string>{"Zeta In", "Alpha In"}), in.items);
    EXPECT_EQ((std::vector<std::string>{"Zeta Out", "Alpha Out", "Beta Out"}), out.items);
    EXPECT_EQ(1, in.selection);
    EXPECT_EQ(-1, out.selection);
    EXPECT_EQ(0, pair[0]);
    EXPECT_EQ(2, pair[1]);

    result = runDialog(pair, &in, &out, [](HWND d) {
        choose(d, IDC_MIDI_INPUT_LIST, 1);
        press(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(0, pair[0]) << "Cancel leaves the pair";
    EXPECT_EQ(2, pair[1]);
}

TEST_F(DialogTest, WithoutDevicesBothListsAreEmptyAndOkGivesNoIds) {
    int pair[2] = {0, -1};
    ListState in, out;
    EXPECT_EQ(IDOK, runDialog(pair, &in, &out, [](HWND d) { press(d, IDOK); }));
    EXPECT_TRUE(in.items.empty());
    EXPECT_TRUE(out.items.empty());
    EXPECT_EQ(-1, pair[0]);
    EXPECT_EQ(-1, pair[1]);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DialogTest, SetupPortsTakesTheChoiceOnOkOnly) {
    driver.AddInput("In A");
    driver.AddInput("In B");
    driver.AddOutput("Out A");
    driver.AddOutput("Out B");
    MidiPortSettings s = Ports("In B", "Out A");
    ListState in, out;
    testing_support::WhenDialogAppears([&](HWND d) {
        in = readList(d, IDC_MIDI_INPUT_LIST);
        out = readList(d, IDC_MIDI_OUTPUT_LIST);
        choose(d, IDC_MIDI_OUTPUT_LIST, 1);
        press(d, IDOK);
    });
    mme->SetupPorts(&s);
    EXPECT_EQ(1, in.selection) << "the stored names are looked up before the dialog";
    EXPECT_EQ(0, out.selection);
    EXPECT_EQ(1, s.setupConfirmed);
    EXPECT_EQ(1, s.inputId);
    EXPECT_EQ(1, s.outputId);
    EXPECT_STREQ("Out B", s.outputName);

    testing_support::WhenDialogAppears([](HWND d) {
        choose(d, IDC_MIDI_INPUT_LIST, 0);
        press(d, IDCANCEL);
    });
    mme->SetupPorts(&s);
    EXPECT_EQ(0, s.setupConfirmed);
    EXPECT_STREQ("In B", s.inputName);
    EXPECT_EQ(1, s.inputId);
}

}  // namespace
}  // namespace miditest
