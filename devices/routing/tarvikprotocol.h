// What the two Tarvik views (the routing matrix and the front view) share of
// their device, model 0x64: the controls of the input, clock and status
// section that both panels carry under the same ids, the parameters those
// controls send, the status reply, and programming a device ID.
#pragma once
#include <windows.h>

#include <functional>

#include "panel/panel.h"

class CMidiView;

namespace tarvik {

const int kModel = 0x64;
const int kOutputs = 16;
const int kNoInput = 16;   // a routing value: the output takes no input
const int kAllDevices = 0x7F;

// Control ids both panels use.
enum : int {
    kInputBnc = 1,
    kInputState = 2,
    kFrame96k = 3,
    kClockSource = 4,
    kClockFrequency = 5,
    kEnableMatrix = 6,
    kInputChannels = 7,
    kInputFrame = 8,
    kInputOpt = 9,
    kMadiAudioFirst = 11,   // 11..18
    kAdatSyncFirst = 21,    // 21..28
    kAdatAudioFirst = 31,   // 31..38
};

// Parameter addresses.
const int kInputSelect = 0x00;
const int kFrame96kParameter = 0x16;
const int kClock = 0x20;
const int kMatrixOn = 0x30;
const int kRoutingFirst = 0x40;
const int kProgramId = 0x60;

// The send pass of one of the shared controls (1, 9, 3, 4, 5, 6): adds its
// parameter to the open block. Returns true when the control counts as
// changed, so the next reply is skipped; false for every other id, and for
// an input button whose click leaves the pair as it was.
bool AddSharedParameter(CMidiView* view, PanelControlTable* table, int id, int deviceId);

// Decodes the (address, value) pairs of a status reply of `length` bytes
// from offset 7; a pair counts only when its value byte lies inside the
// message. The routing pairs go to `routing` (output, value).
void DecodeReply(const BYTE* data, int length, PanelControlTable* table,
                 const std::function<void(int output, int value)>& routing);

// A device ID from the registry, a record or a dialog: 0..127, else none.
inline bool IsDeviceId(int id) { return id >= 0 && id <= kAllDevices; }

}  // namespace tarvik
