// Which device view serves each function, and its model variant.
#pragma once
#include "framework/object.h"

// A function whose view is not built yet gets the plain device view.
const CRuntimeClass* ViewClassForFunction(int function);
int SubModelForFunction(int function);
