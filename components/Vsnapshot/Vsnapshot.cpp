#include "components/Vsnapshot/Vsnapshot.h"

#include <memory>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/jpeg/FormPixels.h"
#include "platform/jpeg/JPEG.h"

namespace Vsnapshot {
void Register() { RegisterComponents("Varnell", {"TVSnapShot"}); }
}  // namespace Vsnapshot

void TVSnapShot::SaveToJPEGFile(int quality, const AnsiString& fileName, TForm* form, TControl* control, int dx,
                                int dy) {
    // A hidden picture of the control's size, owned by the form while it lives.
    auto image = std::make_unique<TImage>(form);
    image->SetBounds(0, 0, control->Width(), control->Height());

    const int left = control->Left() + dx;
    const int top = control->Top() + dy;
    const TRect source = Rect(left, top, left + control->Width(), top + control->Height());
    const TRect target = Rect(0, 0, control->Width(), control->Height());
    {
        // What the form's canvas holds in the source rectangle, rendered now.
        const TBitmap formArea = FormPixels(*form, source);
        image->Canvas().CopyRect(target, formArea.Canvas(), Rect(0, 0, formArea.Width(), formArea.Height()));
    }

    auto jpeg = std::make_unique<TJPEGImage>();
    try {
        jpeg->SetProgressiveDisplay(false);
        jpeg->Assign(image->Picture());
        jpeg->SetCompressionQuality(quality);
        jpeg->Compress();
        jpeg->SaveToFile(fileName);
    } catch (const Exception&) {
        // Swallowed on purpose: the snapshot is best effort and reports nothing.
    }
    jpeg.reset();
    image->ClearPicture();
}
