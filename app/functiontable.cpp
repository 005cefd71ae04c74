#include "app/functiontable.h"

#include "resource.h"

FunctionRow FunctionTable[kFunctionCount] = {
    {"Tarvik Front View", "Tarvik Remote Editor Front View", "Settings\\tarvikf", 500, 0, ID_FUNCTION_ROW0},
    {"Tarvik Matrix", "Tarvik Remote Matrix Editor", "Settings\\tarvikm", 500, 0, ID_FUNCTION_ROW1},
    {"Lusket Matrix", "Lusket Remote Matrix Editor", "Settings\\lusketm", 500, 0, ID_FUNCTION_ROW2},
    {"Quenda Matrix", "Quenda Remote Matrix Editor", "Settings\\quendam", 500, 0, ID_FUNCTION_ROW3},
    {"Sarnet Front View", "Sarnet Remote Editor Front View", "Settings\\sarnetf", 500, 0, ID_FUNCTION_ROW4},
    {"Fennow Front View", "Fennow Remote Editor Front View", "Settings\\fennowf", 500, 0, ID_FUNCTION_ROW5},
    {"Ombrel", "Ombrel Remote Editor Front View", "Settings\\ombrelf", 500, 0, ID_FUNCTION_ROW6},
    {"Pelvo Gamma", "Pelvo Gamma Remote Editor Front View", "Settings\\pelvogamma", 500, 0, ID_FUNCTION_ROW7},
    {"Pelvo Delta", "Pelvo Delta Remote Editor Front View", "Settings\\pelvodelta", 500, 0, ID_FUNCTION_ROW8},
    {"Pelvo Alpha", "Pelvo Alpha Remote Editor Front View", "Settings\\pelvoalpha", 500, 0, ID_FUNCTION_ROW9},
    {"Pelvo Beta", "Pelvo Beta Remote Editor Front View", "Settings\\pelvobeta", 500, 0, ID_FUNCTION_ROW10},
    {"Brisal", "Brisal Remote Editor", "Settings\\brisal", 500, 0, ID_FUNCTION_ROW11},
};

const LegacyFunctionName LegacyFunctionNames[1] = {{"Tarvik Frontside", 0}};

int FunctionFromCommand(UINT command) {
    for (int row = 0; row < kFunctionCount; ++row)
        if (FunctionTable[row].menuCommand == command) return row;
    return -1;
}

void ReleaseFunctionRow(int row) {
    if (row >= 0 && row < kFunctionCount && FunctionTable[row].openWindows > 0) --FunctionTable[row].openWindows;
}

void AcquireFunctionRow(int row) {
    if (row >= 0 && row < kFunctionCount) ++FunctionTable[row].openWindows;
}
