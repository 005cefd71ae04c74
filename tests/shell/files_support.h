// Files for the setup-record and workspace tests: a scratch folder, whole-file
// reads and writes, and windows opened with a known function and place.
#pragma once
#include <string>

#include "shell_fixture.h"

class FileTest : public ShellTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path in this test's scratch folder.
    std::string Path(const std::string& name) const { return m_folder + "\\" + name; }
    static void WriteBytes(const std::string& path, const std::string& bytes);
    static std::string ReadBytes(const std::string& path);
    // Opens a window showing `function` at `pos`; returns its table index.
    static int OpenWindow(int function, RECT pos);
    // Reads one record of `content` from a file named `name` into `doc`, as a
    // text file the program opens itself.
    BOOL ReadInto(CDigiDoc* doc, const std::string& name, const std::string& content);
    static RECT FrameRect(int index);
    static std::string CrLf(const std::string& text);

    std::string m_folder;
};
