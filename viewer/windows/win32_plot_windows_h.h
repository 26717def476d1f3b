// SPDX-License-Identifier: MIT
// <windows.h> for the viewer's files: its old `near` and `far` macros would rewrite the reader's
// own names, so they go.
#pragma once

#include <windows.h>

#undef near
#undef far
