// What one set of windows leaves behind: a setup file, a workspace file and
// the registry values of Exit, compared byte for byte with files kept in the
// source tree. The 32-bit and the 64-bit builds run this same test against the
// same files, so a width that slipped into a record (a pointer or a LONG_PTR
// printed, a size_t in a field) shows up as a difference here.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ionames.h"
#include "devices/routing/quendaview.h"
#include "files_support.h"
#include "resource.h"

namespace {

const char* const kExpected = "expected\\";

std::string Hex(const BYTE* data, DWORD size) {
    std::string out;
    char buf[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(buf, sizeof(buf), "%02x", data[i]);
        out += buf;
    }
    return out;
}

// Every key below `path` in name order, with its values in name order: one
// line per value, its type and its bytes, so any difference in width or
// encoding shows.
void DumpKey(HKEY root, const std::string& path, const std::string& shown, std::string& out) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    out += "[" + shown + "]\n";
    std::vector<std::string> lines;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[2048];
        DWORD nameLen = sizeof(name), size = sizeof(data), type = 0;
        if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        // Readable where the type allows, with every byte still accounted for:
        // a string's size includes its terminating zero.
        char head[300];
        std::snprintf(head, sizeof(head), "%s=type %lu, %lu bytes: ", name, static_cast<unsigned long>(type),
                      static_cast<unsigned long>(size));
        std::string shownData;
        if (type == REG_SZ && size > 0 && data[size - 1] == 0 && std::find(data, data + size - 1, 0) == data + size - 1)
            shownData = "\"" + std::string(reinterpret_cast<const char*>(data), size - 1) + "\"";
        else
            shownData = Hex(data, size);
        lines.push_back(head + shownData + "\n");
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& l : lines) out += l;
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD len = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    std::sort(subkeys.begin(), subkeys.end());
    for (const std::string& s : subkeys) DumpKey(root, path + "\\" + s, shown + "\\" + s, out);
}

}  // namespace

class SameFormats : public FileTest {
protected:
    // Compares with the kept file; a difference leaves the bytes written
    // here beside it as "<name>.actual" for a diff.
    void ExpectSameAs(const char* name, const std::string& actual) {
        const std::string expected = ReadBytes(std::string(kExpected) + name);
        if (expected != actual) WriteBytes(std::string(kExpected) + name + ".actual", actual);
        EXPECT_TRUE(expected == actual) << name << " differs from the kept file (" << expected.size() << " bytes kept, "
                                        << actual.size() << " written)";
    }
};

TEST_F(SameFormats, SetupWorkspaceAndRegistryMatchTheKeptFiles) {
    int a = OpenWindow(3, RECT{40, 50, 840, 650});
    int b = OpenWindow(3, RECT{300, 60, 1200, 760});
    ASSERT_EQ(a, 0);
    ASSERT_EQ(b, 1);
    auto* first = dynamic_cast<CQuendaMView*>(Doc(a)->GetMidiView());
    auto* second = dynamic_cast<CQuendaMView*>(Doc(b)->GetMidiView());
    ASSERT_TRUE(first && second);
    first->SetDeviceId(2);
    second->SetDeviceId(11);
    theIoNames.SetIoName(IoKeyQuenda, 2, 0, "Kick");
    theIoNames.SetIoName(IoKeyQuenda, 11, 144, "Cue Mix");
    PanelShowValue(12, CQuendaMView::kSelectorFirst + 3, first->Table());
    PanelShowValue(0, CQuendaMView::kClockSource, second->Table());
    Doc(a)->m_ports.inputId = 2;
    Doc(a)->m_ports.outputId = -1;
    SetPortName(Doc(a)->m_ports.inputName, "Desk In");
    Doc(b)->m_nBars[1] = 0;

    const std::string setup = Path("first.vts");
    ASSERT_TRUE(Doc(a)->OnSaveDocument(setup.c_str()));
    ExpectSameAs("quenda.vts", ReadBytes(setup));

    const std::string workspace = Path("two.vtw");
    ASSERT_EQ(theApp.StoreWorkspace(workspace.c_str()), 2);
    ExpectSameAs("quenda.vtw", ReadBytes(workspace));

    // Exit writes the windows, the system settings and the names.
    ::SendMessageA(Frame(a)->m_hWnd, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_EQ(theApp.CountFrames(), 0);
    std::string registry;
    DumpKey(HKEY_CURRENT_USER, theApp.GetAppRegistryPath(), "app", registry);
    ExpectSameAs("registry.txt", registry);
}
