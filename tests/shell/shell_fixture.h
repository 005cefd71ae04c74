// Shared set-up of the shell tests: the application object under a test
// registry key, the document template, and helpers to open and close windows.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "app/digidoc.h"
#include "app/functiontable.h"
#include "app/mainframe.h"
#include "app/vantorapp.h"
#include "framework/framework.h"
#include "midi/midiview.h"
#include "support/testsupport.h"

const char* const kShellTestCompany = "VantorTestShell";

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Closes every window without the shut-down saves and resets the table.
    static void CloseAllWindows();
    // Writes a minimal state set for a window into a section.
    static void WriteStateSet(const char* section, int function, RECT pos, int toolBar = 1, int statusBar = 1);
    // Opens a window from a section; returns its table index or -1.
    static int OpenFromSection(const char* section);
    static CDigiDoc* Doc(int index) { return theApp.m_windows[index].document; }
    static CMainFrame* Frame(int index) { return theApp.m_windows[index].frame; }
    static int ProfileInt(const char* section, const char* entry, int def = -12345) {
        return int(theApp.GetProfileInt(section, entry, def));
    }
    static std::string ProfileString(const char* section, const char* entry) {
        return theApp.GetProfileString(section, entry, "<none>");
    }
    static bool SectionExists(const std::string& section);
};
