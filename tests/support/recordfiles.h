// Setup-record lines of one view written to and read from files of the
// temporary folder, for the tests of the device views' settings.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

class CObject;

namespace testing_support {

std::string TempPath(const char* name);
// The object's lines, stored to and loaded from the file as the setup-file
// reader does (the file's name decides whether an index line counts).
void StoreRecord(CObject& view, const std::string& path);
void LoadRecord(CObject& view, const std::string& path);
// The file's lines without their LF; writing ends each with LF.
std::vector<std::string> FileLines(const std::string& path);
void WriteLines(const std::string& path, const std::vector<std::string>& lines);

// Record files under a company key of the test's own; both are removed after.
class RecordFileTest : public ::testing::Test {
protected:
    explicit RecordFileTest(const char* company) : m_company(company) {}
    void SetUp() override;
    void TearDown() override;
    // A path in the temporary folder, deleted after the test.
    std::string File(const char* name);

    std::vector<std::string> m_files;
    const char* m_company;
};

}  // namespace testing_support
