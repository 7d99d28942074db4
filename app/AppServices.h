#pragma once
// The services the utility's forms use, set once by the entry point (the
// machine's own) or by a test (doubles), before the forms are created.
#include <functional>

#include "platform/desktop/Clock.h"
#include "platform/gui/Screen.h"
#include "platform/os/ExitServices.h"

struct TAppServices {
    IExitServices* Exit = nullptr;
    IClock* Clock = nullptr;
    std::function<TScreenMetrics()> Screen = PrimaryScreenMetrics;
    // The program path written into the autostart entry.
    std::function<AnsiString()> ProgramPath;
};

TAppServices& AppServices();
