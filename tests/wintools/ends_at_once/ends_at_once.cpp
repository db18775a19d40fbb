// A program whose first instruction ends it with exit code 7: no C runtime
// start-up, no static constructors, nothing of its own before that call. The
// end-to-end driver's tests use it to show that a program which ends at once
// is still reported started, so the driver's start retry never hides one.
#include <windows.h>

extern "C" void Start() { ExitProcess(7); }
