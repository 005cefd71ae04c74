// Reading a device view's own lines of a setup record: its index line, its
// name lines and, after them, the control lines the panel engine reads.
#pragma once
#include <string>

class CArchive;
struct PanelControlTable;

// Writing them: "<key>%02x", then "IN%02i_NAME=%8s" or "OUT%02i_NAME=%8s"
// lines (names shorter than 8 characters right-aligned; with one digit
// where `twoDigits` is false), then the control lines and the two empty
// lines that end the view's part.
namespace viewrecord {
void WriteIndex(CArchive& ar, const char* key, int address);
std::string NameKey(bool output, int channel, bool twoDigits = true);
void WriteName(CArchive& ar, bool output, int channel, const char* name, bool twoDigits = true);
void WriteControls(CArchive& ar, PanelControlTable* table);
}  // namespace viewrecord

class ViewRecordReader {
public:
    explicit ViewRecordReader(CArchive& ar) : m_ar(ar) {}
    ViewRecordReader(const ViewRecordReader&) = delete;
    ViewRecordReader& operator=(const ViewRecordReader&) = delete;

    // The next line of the view's part. An empty line ends the part and is
    // left for the control block, so that a damaged record that lacks lines
    // never takes the records after it as its own.
    bool Next();
    const char* Line() const { return m_line; }
    // The rest of the line after `key` when the line begins with it.
    const char* After(const char* key) const;
    // The address of an index line "<key>%2x". A setup file opened on its own
    // keeps the window's device, so only a workspace or preset record (a file
    // whose name has no "vts") gives one.
    bool IndexAddress(const char* key, int* address) const;
    // The "%2x" number after `key`, whatever the file.
    bool HexAfter(const char* key, int* value) const;

private:
    CArchive& m_ar;
    char m_line[1000] = "";
};
