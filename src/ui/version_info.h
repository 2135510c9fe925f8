#pragma once

#include <windows.h>

#include "ui/ui_texts.h"

// Major, minor and revision from the executable's version resource.
VersionNumbers ReadVersionNumbers(HINSTANCE instance);
