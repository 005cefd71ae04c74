#include <gtest/gtest.h>

#include <string>

#include "framework/archive.h"

namespace {

std::string tempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

void writeRaw(const std::string& path, const std::string& bytes) {
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    ASSERT_TRUE(f.Write(bytes.data(), UINT(bytes.size())));
    ASSERT_TRUE(f.Close());
}

std::string readRaw(const std::string& path) {
    CFile f;
    if (!f.Open(path.c_str(), CFile::modeRead)) return "<unreadable>";
    std::string out;
    char buf[256];
    UINT n;
    while ((n = f.Read(buf, sizeof(buf))) > 0) out.append(buf, n);
    return out;
}

std::vector<std::string> readLines(const std::string& path, UINT maxChars = 1000) {
    CFile f;
    EXPECT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load, 64);   // a small buffer crosses line ends often
    std::vector<std::string> lines;
    std::vector<char> buf(maxChars);
    while (ar.ReadString(buf.data(), maxChars)) lines.push_back(buf.data());
    EXPECT_STREQ(buf.data(), "") << "the buffer is empty after the end of the file";
    return lines;
}

}  // namespace

TEST(Archive, ReadsLfAndCrLfLinesAlike) {
    std::string p = tempPath("vantor_arch1.txt");
    writeRaw(p, "first\r\nsecond\nthird\r\n\r\nlast");
    std::vector<std::string> lines = readLines(p);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "first");
    EXPECT_EQ(lines[1], "second");
    EXPECT_EQ(lines[2], "third");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "last");
}

TEST(Archive, KeepsCarriageReturnsInsideALine) {
    std::string p = tempPath("vantor_arch2.txt");
    writeRaw(p, "a\rb\r\nc\r");
    std::vector<std::string> lines = readLines(p);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "a\rb");
    EXPECT_EQ(lines[1], "c");
}

TEST(Archive, OverlongLineIsCutAndItsRestDropped) {
    std::string p = tempPath("vantor_arch3.txt");
    std::string longLine(1500, 'x');
    longLine[998] = 'A';   // the last kept character
    longLine[999] = 'B';   // the first dropped one
    writeRaw(p, longLine + "\r\nnext\n");
    std::vector<std::string> lines = readLines(p, 1000);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 999u);
    EXPECT_EQ(lines[0].back(), 'A');
    EXPECT_EQ(lines[1], "next");
}

TEST(Archive, EmptyFileHasNoLines) {
    std::string p = tempPath("vantor_arch4.txt");
    writeRaw(p, "");
    EXPECT_TRUE(readLines(p).empty());
}

TEST(Archive, TextFileWritesCrLfAndPlainFileWritesLf) {
    std::string text = tempPath("vantor_arch5.txt");
    {
        CStdioFile f;
        ASSERT_TRUE(f.Open(text.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        CArchive ar(&f, CArchive::store, 8);
        ar.WriteString("one\ntwo\n\n");
        ar.Close();
        ASSERT_TRUE(f.Close());
    }
    EXPECT_EQ(readRaw(text), "one\r\ntwo\r\n\r\n");
    std::string plain = tempPath("vantor_arch6.txt");
    {
        CFile f;
        ASSERT_TRUE(f.Open(plain.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&f, CArchive::store);
        ar.WriteString("one\ntwo\n");
    }
    EXPECT_EQ(readRaw(plain), "one\ntwo\n");
    EXPECT_EQ(readLines(text), (std::vector<std::string>{"one", "two", ""}));
}

TEST(Archive, KnowsItsFilePath) {
    std::string p = tempPath("vantor_arch7.vts");
    writeRaw(p, "x\n");
    CFile f;
    ASSERT_TRUE(f.Open(p.c_str(), CFile::modeRead));
    CArchive ar(&f, CArchive::load);
    EXPECT_TRUE(ar.IsLoading());
    EXPECT_FALSE(ar.IsStoring());
    EXPECT_EQ(ar.GetFile()->GetFileName(), "vantor_arch7.vts");
}
