// Entry unit: one copy per user; the first copy creates the three forms and
// runs the message loop.
#include "app/AppServices.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "platform/os/SingleInstance.h"

int main(int argc, char** argv) {
    try {
        TApplication app(argc, argv);
        auto instance = CreateSingleInstance("dererezozuvoruz");
        if (!instance->Claim()) {
            // The running copy has been asked to raise its bar.
            app.SetTitle("Testing");
            return 0;
        }
        app.SetTitle("Varnell Vuvuviro");
        auto exitServices = CreateSystemExitServices();
        auto clock = CreateSystemClock();
        AppServices().Exit = exitServices.get();
        AppServices().Clock = clock.get();
        app.CreateForm(Form1);
        app.CreateForm(Form2);
        app.CreateForm(Form3);
        instance->OnRaiseRequest = [] { Form1->RaiseRequested(); };
        app.Run();
    } catch (const Exception&) {
        // Ends silently, as a failed start has nobody to tell.
    }
    return 0;
}
