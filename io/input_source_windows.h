// Whether standard input is a console or a pipe (or file), decided on the first question and
// kept for the rest of the run.
#pragma once

#include <windows.h>

HANDLE StandardInputHandle();
bool StandardInputIsConsole();
