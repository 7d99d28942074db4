#pragma once
// TVSnapShot: saves the pixels a control occupies on a form as a JPEG file.
#include "platform/core/Classes.h"

class TForm;
class TControl;

class TVSnapShot : public TComponent {
public:
    explicit TVSnapShot(TComponent* owner) : TComponent(owner) {}

    // Copies the rectangle of `control` (its Left + dx, Top + dy, its Width
    // and Height; the position counts from the control's parent, hence the
    // offsets) out of what `form` shows now and writes it to `fileName`
    // as a JPEG of `quality` (clamped into 1..100), creating or overwriting
    // the file. A failure to encode or write is swallowed: the call returns
    // normally and the file is then missing or incomplete.
    void SaveToJPEGFile(int quality, const AnsiString& fileName, TForm* form, TControl* control, int dx, int dy);
};

namespace Vsnapshot {
void Register();
}
