// The one way the engine ends itself ("quit" and the fatal table conditions).
#pragma once

[[noreturn]] void EndProcess(int status);
