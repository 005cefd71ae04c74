#pragma once
#include "framework/winapp.h"

// The framework tests run under their own registry company.
const char* const kTestCompany = "VantorTestFramework";
CWinApp& TestApplication();
