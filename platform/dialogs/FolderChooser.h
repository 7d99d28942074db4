#pragma once
// The desktop's folder chooser, behind an interface so that callers can be
// exercised with a stand-in that opens no window.
#include "platform/core/System.h"

class TWinControl;

class IFolderChooser {
public:
    virtual ~IFolderChooser() = default;
    // Lets the user pick a folder, modally over `owner`'s window (none:
    // application-modal), opened on `startFolder`. Returns the chosen
    // folder's path as the chooser gives it, or the empty text when the
    // user cancels.
    virtual AnsiString ChooseFolder(const AnsiString& startFolder, const AnsiString& title, TWinControl* owner) = 0;
};

// The chooser the library's dialogs use: the desktop's own (through the
// desktop portal where one runs, the toolkit's otherwise) unless another
// one was put in place.
IFolderChooser& FolderChooser();
// Puts `chooser` in place of the desktop's; nullptr puts the desktop's
// back. The caller keeps ownership and must outlive its use.
void SetFolderChooser(IFolderChooser* chooser);
