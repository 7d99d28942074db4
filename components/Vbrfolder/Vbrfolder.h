#pragma once
// TVBrFolder: lets the user pick a folder in the desktop's folder chooser.
#include "platform/core/Classes.h"

class TWinControl;

class TVBrFolder : public TComponent {
public:
    explicit TVBrFolder(TComponent* owner) : TComponent(owner) {}

    // Shows the folder chooser modally over `ownerWindow` (may be null),
    // opened on `startFolder`, and returns the chosen folder's path, or the
    // empty text when the user cancels. A trailing directory separator is
    // cut unless it is the root itself: "/" stays "/".
    AnsiString Execute(const AnsiString& startFolder, const AnsiString& title, TWinControl* ownerWindow);
};

namespace Vbrfolder {
void Register();
// The start folder of the dialog being shown, kept from the last Execute.
const AnsiString& StartFolder();
// A chosen path without its trailing separators, the root "/" kept.
AnsiString WithoutTrailingSeparator(const AnsiString& path);
}  // namespace Vbrfolder
