#pragma once

#include <windows.h>

#include "program/ui_texts.h"

// Major, minor and revision from the executable's version resource.
VersionNumbers ReadVersionNumbers(HINSTANCE instance);
