#pragma once
// windows.h for the report engine's Windows side. Its DrawText macro would rename the canvas's
// DrawText to DrawTextW in every file that includes windows.h first, so that name is taken back
// (call the system's function as DrawTextW).
#include <windows.h>
#undef DrawText
