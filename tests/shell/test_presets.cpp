// The preset table, its dialogs, and the commands that activate and store presets.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/presetdlg.h"
#include "app/presets.h"
#include "dialogs_res.h"
#include "resource.h"
#include "shell_fixture.h"

namespace {

void click(HWND dlg, int id) { ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dlg, id))); }

std::string itemText(HWND dlg, int id) {
    char buf[512] = "";
    GetDlgItemTextA(dlg, id, buf, sizeof(buf));
    return buf;
}

bool g_nameHadFocus = false;

// Answers the Presets dialog with a line and a button; a name answers the
// save dialog that follows, where `shown` gets what it offered.
void answerPresets(int line, int button, const char* name = nullptr, int saveButton = IDOK, std::string* shown = nullptr) {
    const bool answerSave = name != nullptr;
    const std::string text = name ? name : "";
    testing_support::WhenDialogAppears([=](HWND dlg) {
        if (answerSave) {
            testing_support::WhenDialogAppears([=](HWND save) {
                if (shown) *shown = itemText(save, IDC_PRESET_NUMBER) + "|" + itemText(save, IDC_PRESET_NAME);
                g_nameHadFocus = GetFocus() == GetDlgItem(save, IDC_PRESET_NAME);
                SetDlgItemTextA(save, IDC_PRESET_NAME, text.c_str());
                click(save, saveButton);
            });
        }
        SendDlgItemMessageA(dlg, IDC_PRESET_LIST, LB_SETCURSEL, WPARAM(line), 0);
        click(dlg, button);
    });
}

}  // namespace

class Presets : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        m_savedFolder = theApp.m_szDataFolder;
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        CreateDirectoryA((m_folder = std::string(temp) + "vantor_preset_test").c_str(), nullptr);
        for (int n = 1; n <= 9; ++n) DeleteFileA(file(n).c_str());
        lstrcpynA(theApp.m_szDataFolder, m_folder.c_str(), sizeof(theApp.m_szDataFolder));
        thePresets = PresetTable{};
    }
    void TearDown() override {
        thePresets = PresetTable{};
        lstrcpynA(theApp.m_szDataFolder, m_savedFolder.c_str(), sizeof(theApp.m_szDataFolder));
        ShellTest::TearDown();
        for (int n = 1; n <= 9; ++n) DeleteFileA(file(n).c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    std::string file(int number) const { return m_folder + "\\preset" + std::to_string(number) + ".vtw"; }
    std::string contents(int number) const {
        std::stringstream s;
        s << std::ifstream(file(number), std::ios::binary).rdbuf();
        return s.str();
    }
    static void openWindow(int function) {
        WriteStateSet("Workspace\\Frame20", function, RECT{60, 40, 560, 580});
        ASSERT_EQ(OpenFromSection("Workspace\\Frame20"), 0);
    }
    std::string m_folder, m_savedFolder;
};

TEST_F(Presets, TableLabelsNamesAndLoadChoices) {
    thePresets.names[2] = "Live";
    EXPECT_EQ(thePresets.GetPresetLabel(2, FALSE), "Live");
    EXPECT_EQ(thePresets.GetPresetLabel(0, FALSE), "<Empty>");
    EXPECT_EQ(thePresets.GetPresetLabel(0, TRUE), "");
    EXPECT_EQ(thePresets.GetPresetLabel(9, FALSE), "");
    EXPECT_EQ(thePresets.GetPresetLabel(-1, FALSE), "");

    std::string load = "stale", save = "stale";
    thePresets.SetSelectedPresetName("Nobody");   // nothing selected: no effect
    EXPECT_EQ(std::count(std::begin(thePresets.names), std::end(thePresets.names), "Nobody"), 0);
    EXPECT_FALSE(thePresets.ChoosePresetFile(&load, &save));
    EXPECT_EQ(load + save, "");
    thePresets.SelectPreset(2, 0);
    EXPECT_TRUE(thePresets.ChoosePresetFile(&load, &save));
    EXPECT_EQ(load, "preset3.vtw");
    EXPECT_EQ(save, "");
    EXPECT_TRUE(thePresets.ChoosePresetFile(nullptr, nullptr));
    thePresets.SelectPreset(3, 0);
    EXPECT_FALSE(thePresets.ChoosePresetFile(&load, nullptr)) << "an empty preset has nothing to load";

    thePresets.SetSelectedPresetName(std::string(254, 'y') + "overflow");
    EXPECT_EQ(thePresets.names[3], std::string(254, 'y'));
    theApp.WriteProfileString("SystemSet", "PresetName4", std::string(600, 'n').c_str());
    thePresets.LoadPresetNames();
    EXPECT_EQ(thePresets.names[4], std::string(254, 'n')) << "registry names are cut as well";
}

TEST_F(Presets, ListShowsNumberedNamesAndOpensOnTheLastPreset) {
    thePresets.names[2] = "Live";
    std::vector<std::string> lines;
    std::vector<int> selections;
    LONG style = 0;
    for (int selected : {-1, 6}) {
        thePresets.SelectPreset(selected, 0);
        testing_support::WhenDialogAppears([&](HWND dlg) {
            HWND list = GetDlgItem(dlg, IDC_PRESET_LIST);
            char buf[300];
            lines.clear();
            for (int i = 0; i < int(::SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
                ::SendMessageA(list, LB_GETTEXT, i, LPARAM(buf));
                lines.push_back(buf);
            }
            selections.push_back(int(::SendMessageA(list, LB_GETCURSEL, 0, 0)));
            style = GetWindowLongA(list, GWL_STYLE);
            click(dlg, IDCANCEL);
        });
        CSelPreset dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "1 - <Empty>");
    EXPECT_EQ(lines[2], "3 - Live");
    EXPECT_EQ(lines[8], "9 - <Empty>");
    EXPECT_EQ(selections, (std::vector<int>{0, 6}));
    EXPECT_FALSE(style & LBS_SORT);
    EXPECT_TRUE(style & LBS_NOTIFY) << "double-clicks must reach the dialog";
    EXPECT_EQ(thePresets.selected, 6) << "Cancel changes nothing";
}

TEST_F(Presets, ActivateDoubleClickAndSaveButtonChooseTheListedPreset) {
    struct Case { int line, action, selected, mode; };   // action 0: double-click
    for (const Case& c : {Case{4, IDOK, 4, 0}, Case{7, 0, 7, 0}, Case{2, IDC_SAVE_AS_PRESET, 2, 1}, Case{-1, IDOK, -1, 0}}) {
        thePresets.SelectPreset(0, 1);
        testing_support::WhenDialogAppears([&](HWND dlg) {
            SendDlgItemMessageA(dlg, IDC_PRESET_LIST, LB_SETCURSEL, WPARAM(c.line), 0);
            if (c.action) click(dlg, c.action);
            else ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_PRESET_LIST, LBN_DBLCLK), LPARAM(GetDlgItem(dlg, IDC_PRESET_LIST)));
        });
        CSelPreset dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.line;
        EXPECT_EQ(thePresets.selected, c.selected) << c.line;
        EXPECT_EQ(thePresets.saveMode, c.mode) << c.line;
    }
}

TEST_F(Presets, StoringWritesThePresetFileAndAnEmptyNameKeepsTheOldOne) {
    openWindow(2);
    std::string shown;
    answerPresets(4, IDC_SAVE_AS_PRESET, "Stage", IDOK, &shown);
    theApp.OnPresets();
    EXPECT_EQ(shown, "5|") << "number, and an empty preset's empty name";
    EXPECT_TRUE(g_nameHadFocus) << "the name can be typed at once";
    EXPECT_EQ(thePresets.names[4], "Stage");
    const std::string stored = contents(5);
    EXPECT_NE(stored, "") << "the open window's record";
    EXPECT_EQ(GetFileAttributesA(file(4).c_str()), INVALID_FILE_ATTRIBUTES);

    Doc(0)->SwitchFunction(3, nullptr);
    answerPresets(4, IDC_SAVE_AS_PRESET, "Other", IDCANCEL, &shown);
    theApp.OnPresets();
    EXPECT_EQ(shown, "5|Stage");
    EXPECT_EQ(thePresets.names[4], "Stage") << "Cancel keeps the name";
    answerPresets(4, IDC_SAVE_AS_PRESET, "");
    theApp.OnPresets();
    EXPECT_EQ(thePresets.GetPresetLabel(4, FALSE), "<Empty>");
    EXPECT_EQ(contents(5), stored) << "no file written under an empty name";

    // The name typed in the save dialog is cut, whatever reached the edit.
    answerPresets(4, IDC_SAVE_AS_PRESET, (std::string(254, 'k') + "tail").c_str());
    theApp.OnPresets();
    EXPECT_EQ(thePresets.names[4], std::string(254, 'k'));
}

TEST_F(Presets, ActivatingLoadsNamedPresetsOnly) {
    openWindow(2);
    theApp.StoreWorkspace(file(2).c_str());
    theApp.StoreWorkspace(file(4).c_str());
    Doc(0)->SwitchFunction(3, nullptr);
    testing_support::MessageBoxRecorder boxes;

    theApp.LoadPreset(1);   // empty, though a file is left behind
    EXPECT_EQ(Doc(0)->m_nFunction, 3);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(thePresets.selected, 1) << "the dialog opens on it next time";

    thePresets.names[3] = "Rehearsal";
    answerPresets(3, IDOK);
    theApp.OnPresets();
    EXPECT_EQ(Doc(0)->m_nFunction, 2) << "the window took the stored record";

    thePresets.names[8] = "Gone";   // named, without a file: reported with its path
    EXPECT_TRUE(theApp.OnCmdMsg(ID_PRESET_LAST, CN_COMMAND, nullptr, nullptr));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find(file(9)), std::string::npos) << boxes.boxes[0].text;
    theApp.LoadPreset(9);
    EXPECT_EQ(thePresets.selected, 8) << "outside the nine: ignored";
}
