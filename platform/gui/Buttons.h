#pragma once
// Flat speed button: glyph above the caption, '&' marks the accelerator.
#include "platform/gui/Controls.h"

class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* owner);
    void SetCaption(const AnsiString& caption);
    AnsiString Caption() const;
    // A picture from the program's resources (e.g. ":/pictures/lock.png").
    void SetGlyphResource(const AnsiString& resource);
    // Glyph left of the caption instead of above it.
    void SetGlyphLeft(bool on);
    // Presses the button as a click would.
    void PerformClick() { Click(); }
};
