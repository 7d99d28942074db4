#include "components/Vbrfolder/Vbrfolder.h"

#include "platform/dialogs/FolderChooser.h"

namespace {
// One text for the whole unit: the chooser is opened on what it holds.
AnsiString startFolder;
}  // namespace

namespace Vbrfolder {
void Register() { RegisterComponents("Varnell", {"TVBrFolder"}); }

const AnsiString& StartFolder() { return startFolder; }

AnsiString WithoutTrailingSeparator(const AnsiString& path) {
    AnsiString result = path;
    while (result.size() > 1 && result.back() == '/') result.pop_back();
    return result;
}
}  // namespace Vbrfolder

AnsiString TVBrFolder::Execute(const AnsiString& folder, const AnsiString& title, TWinControl* ownerWindow) {
    startFolder = folder;
    return Vbrfolder::WithoutTrailingSeparator(FolderChooser().ChooseFolder(startFolder, title, ownerWindow));
}
