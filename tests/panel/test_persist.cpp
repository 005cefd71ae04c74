// Control values in setup-file lines and in profile integers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/archive.h"
#include "framework/winapp.h"
#include "panel_test_util.h"
#include "support/testsupport.h"

namespace {

std::string TempFile() {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "vantor_panel_lines.vts";
}

PanelControl Named(const char* name, int type, double value, double min = -100, double max = 100) {
    PanelControl c = paneltest::Control(0, type, 0, 0, 10, 10);
    std::snprintf(c.name, sizeof(c.name), "%s", name);
    c.value = value, c.min = min, c.max = max;
    return c;
}

PanelControlTable Over(std::vector<PanelControl>& cs) { return {cs.data(), nullptr, int(cs.size()), 0, 0, 0}; }

std::string Save(std::vector<PanelControl>& cs) {
    CFile f;
    EXPECT_TRUE(f.Open(TempFile().c_str(), CFile::modeCreate | CFile::modeWrite));
    {
        CArchive ar(&f, CArchive::store);
        PanelControlTable t = Over(cs);
        PanelSave(&t, ar);
    }
    f.Close();
    EXPECT_TRUE(f.Open(TempFile().c_str(), CFile::modeRead));
    std::string bytes(4096, '\0');
    bytes.resize(f.Read(&bytes[0], UINT(bytes.size())));
    return bytes;
}

// Loads the block from the file text; returns the line after it, which the
// load must have left unread ("<eof>" at the end).
std::string Load(std::vector<PanelControl>& cs, const std::string& text) {
    CFile f;
    EXPECT_TRUE(f.Open(TempFile().c_str(), CFile::modeCreate | CFile::modeWrite));
    f.Write(text.data(), UINT(text.size()));
    f.Close();
    EXPECT_TRUE(f.Open(TempFile().c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    PanelControlTable t = Over(cs);
    PanelLoad(&t, ar);
    std::string next;
    return ar.ReadString(next) ? next : "<eof>";
}

TEST(PanelPersist, SaveWritesNamedNumbersSwitchesAndListsInArrayOrder) {
    std::vector<PanelControl> cs = {Named("Gain", PANEL_NUMBER, 12.5),      Named("Shown", PANEL_NUMBER_DISPLAY, 1),
                                    Named("Mute", PANEL_SWITCH, 1),        Named("State", PANEL_LIST_DISPLAY, 2),
                                    Named("Label", PANEL_TEXT_EDIT, 0),    Named("Clock", PANEL_LIST, 3),
                                    Named("Device ID", PANEL_LIST_WRAP, 16), Named("", PANEL_NUMBER, 4),
                                    Named("Third", PANEL_LIST_WRAP, 2.0 / 3), Named("Bar", PANEL_BAR, 7)};
    cs[6].flags = PANEL_NOT_SAVED;
    EXPECT_EQ(Save(cs), "Gain=12.500000\nMute=1.000000\nClock=3.000000\nThird=0.666667\n");
}

TEST(PanelPersist, LoadMatchesWholeNamesClampsWithoutQuantisingAndStopsAtTheEmptyLine) {
    std::vector<PanelControl> cs = {Named("Out", PANEL_NUMBER, 0),         Named("Out 1", PANEL_NUMBER, 0),
                                    Named("Level", PANEL_NUMBER, 1, 0, 5), Named("Odd", PANEL_NUMBER, 1, 1, 9),
                                    Named("Same", PANEL_NUMBER, 2),        Named("Trim", PANEL_NUMBER, 0)};
    cs[3].step = 2;
    // CR LF lines, and a line too long for the buffer: its rest is no line of its own.
    std::string longLine = "Level=7" + std::string(1500, ' ') + "Trim=9";
    EXPECT_EQ(Load(cs, "Out 1=4.000000\r\n" + longLine + "\r\nOdd=3.000000\nSame=2.000000\n\nTrim=1\n"), "Trim=1");
    EXPECT_EQ(cs[0].value, 0.0);
    EXPECT_EQ(cs[0].flags, 0);
    EXPECT_EQ(cs[1].value, 4.0);
    EXPECT_EQ(cs[1].flags, PANEL_MARK_CHANGED);
    EXPECT_EQ(cs[2].value, 5.0) << "clamped";
    EXPECT_EQ(cs[3].value, 3.0) << "no step grid on load";
    EXPECT_EQ(cs[4].flags, 0) << "an unchanged value is not marked";
    EXPECT_EQ(cs[5].value, 0.0);
}

TEST(PanelPersist, LoadSkipsWhatItCannotUseAndEndsAtTheEndOfTheFile) {
    std::vector<PanelControl> cs = {Named("Gain", PANEL_NUMBER, 1), Named("Address", PANEL_LIST_WRAP, 3),
                                    Named("Temperature", PANEL_NUMBER_DISPLAY, 20), Named("", PANEL_NUMBER, 6),
                                    Named("Trim", PANEL_NUMBER, 0)};
    cs[1].flags = PANEL_NOT_SAVED;
    EXPECT_EQ(Load(cs, "Gain=abc\nAddress=5\nUnknown=1\n=2\nGain=nan\nGain=inf\nGain=-1e999\nTemperature=30\nTrim=-2.5"),
              "<eof>");
    EXPECT_EQ(cs[0].value, 1.0) << "no number, nan or inf: unchanged";
    EXPECT_EQ(cs[0].flags, 0);
    EXPECT_EQ(cs[1].value, 3.0);
    EXPECT_EQ(cs[2].value, 30.0) << "the reader sets any named control";
    EXPECT_EQ(cs[3].value, 6.0) << "an empty name matches no line";
    EXPECT_EQ(cs[4].value, -2.5) << "the last line, without a line end";
}

TEST(PanelPersist, ProfileHoldsHundredthsTruncatedTowardZero) {
    CWinApp& app = paneltest::App();
    testing_support::DeleteCompanyKey("Vantor Panel Tests");
    std::vector<PanelControl> cs = {Named("Gain", PANEL_NUMBER, 12.5),      Named("Trim", PANEL_NUMBER, -0.25),
                                    Named("Fine", PANEL_NUMBER, 0.29),      Named("Neg", PANEL_NUMBER, -6.509),
                                    Named("Shown", PANEL_NUMBER_DISPLAY, 3), Named("Fixed", PANEL_NUMBER, 4)};
    cs[5].flags = PANEL_NOT_SAVED;
    PanelControlTable t = Over(cs);
    PanelProfileSave(&t, "Default\\Test");
    const int stored[] = {1250, -25, 28, -650, 123456, 123456};
    for (size_t i = 0; i < cs.size(); ++i)
        EXPECT_EQ(int(app.GetProfileInt("Default\\Test", cs[i].name, 123456)), stored[i]) << cs[i].name;

    app.WriteProfileInt("Default\\Test", "Gain", 900);
    app.WriteProfileInt("Default\\Test", "Shown", 500);
    cs = {Named("Gain", PANEL_NUMBER, 0, 0, 5), Named("Trim", PANEL_NUMBER, 0, -1, 1), Named("Missing", PANEL_NUMBER, 0.29),
          Named("Shown", PANEL_NUMBER_DISPLAY, 1), Named("Neg", PANEL_NUMBER, -6.5)};
    cs[1].step = 2;
    t = Over(cs);
    PanelProfileLoad(&t, "Default\\Test");
    EXPECT_EQ(cs[0].value, 5.0) << "clamped";
    EXPECT_EQ(cs[0].flags, PANEL_MARK_CHANGED);
    EXPECT_EQ(cs[1].value, -0.25) << "negative, and not quantised";
    EXPECT_DOUBLE_EQ(cs[2].value, 0.28) << "a missing value falls back to the truncated current one";
    EXPECT_EQ(cs[3].value, 1.0) << "display numbers are not read";
    EXPECT_EQ(cs[4].flags, 0) << "-650 is the value already held";
    testing_support::DeleteCompanyKey("Vantor Panel Tests");
}

}  // namespace
