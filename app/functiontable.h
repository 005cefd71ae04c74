// The twelve functions a window can show. The row index is the function
// number used everywhere: the document, "SWType", the Function menu and the
// first line of a setup record.
#pragma once
#include <windows.h>

struct FunctionRow {
    char name[40];           // list and menu text; first line of a setup record
    char description[100];   // shown under the list of Function Select
    char profileKey[35];     // "Settings\<function key>"
    int minimumHeight;       // least window height when no position was saved
    int openWindows;         // windows showing this function now
    UINT menuCommand;        // the Function menu's command of this row
};

const int kFunctionCount = 12;
extern FunctionRow FunctionTable[kFunctionCount];

// Names of older setup files that still map to a function.
struct LegacyFunctionName {
    char name[32];
    int function;
};
extern const LegacyFunctionName LegacyFunctionNames[1];

// The row of a Function menu command, or -1.
int FunctionFromCommand(UINT command);

// Lowers a row's open-window count, never below 0; ignores rows out of range.
void ReleaseFunctionRow(int row);
void AcquireFunctionRow(int row);
