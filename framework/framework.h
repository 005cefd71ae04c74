// Our class library: everything in one include.
#pragma once
#include "framework/archive.h"
#include "framework/cmdtarget.h"
#include "framework/ctrlbar.h"
#include "framework/dialog.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/object.h"
#include "framework/recent.h"
#include "framework/view.h"
#include "framework/winapp.h"
#include "framework/wnd.h"
