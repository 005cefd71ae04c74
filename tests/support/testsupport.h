// Helpers shared by the test programs.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace testing_support {

// Processes the thread's messages for about the given time.
void PumpMessages(int milliseconds = 0);

// Processes messages until done() holds or the time is up; returns done().
// A loaded machine runs timers late, so waits for something to happen use
// this with a generous limit instead of a fixed time.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000);

// Runs fn on the first dialog (or message box) window of this thread that
// appears while a modal loop is running, e.g. inside DoModal.
void WhenDialogAppears(std::function<void(HWND dialog)> fn, int timeoutMs = 5000);

// Finds a visible top-level dialog window of this thread, or none.
HWND FindThreadDialog();

// Answers message boxes without showing them; remembers what they said.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    struct Box {
        HWND owner;
        std::string text;
        std::string caption;
        UINT type;
    };
    std::vector<Box> boxes;
    int answer;
};

// Deletes HKCU\Software\<company> with everything below it.
void DeleteCompanyKey(const char* company);

// Colour of one pixel of a bitmap selected into no DC.
COLORREF PixelAt(HBITMAP bitmap, int x, int y);

// Hands `count` replies made from the good ones in turn to `receive`: bytes
// changed, cut, lengthened, model and device byte changed (a fixed seed).
// Each message ends where a page that cannot be read begins, so a read past
// it crashes the test.
void FeedMutatedReplies(const std::vector<std::vector<BYTE>>& good, int count, unsigned seed,
                        const std::function<void(const BYTE* data, int length)>& receive);

}  // namespace testing_support
