// Opens TVBrFolder's real dialog over a shown form, for the desktop test:
// argv[1] is the start folder; prints "chosen=<result>" and ends.
#include <cstdio>

#include "components/Vbrfolder/Vbrfolder.h"
#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TForm owner(nullptr);
    owner.SetCaption("Folder dialog owner");
    owner.SetClientSize(320, 200);
    owner.Show();
    app.ProcessMessages();
    TVBrFolder browse(nullptr);
    const AnsiString chosen = browse.Execute(argc > 1 ? argv[1] : "/", "Choose a test folder", &owner);
    std::printf("chosen=%s\n", chosen.c_str());
    std::fflush(stdout);
    return 0;
}
