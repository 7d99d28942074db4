#include "app/AppServices.h"

#include "platform/core/SysUtils.h"

TAppServices& AppServices() {
    static TAppServices services = [] {
        TAppServices s;
        s.ProgramPath = ParamStr0;
        return s;
    }();
    return services;
}
