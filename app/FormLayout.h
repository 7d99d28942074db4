#pragma once
// Small helpers that place controls of a form layout.
#include <type_traits>

#include "platform/gui/Buttons.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Pictures.h"
#include "platform/gui/StdCtrls.h"

template <class C>
C* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height) {
    auto* c = new C(owner);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent);
    return c;
}

inline TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
                          const AnsiString& caption, TAlignment alignment = TAlignment::taLeftJustify) {
    auto* l = Place<TLabel>(owner, parent, left, top, width, height);
    l->SetCaption(caption);
    l->SetAlignment(alignment);
    return l;
}

inline TSpeedButton* PlaceButton(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
                                 const AnsiString& caption, const AnsiString& glyph) {
    auto* b = Place<TSpeedButton>(owner, parent, left, top, width, height);
    b->SetCaption(caption);
    b->SetGlyphResource(glyph);
    return b;
}

// A picture holder sized to its picture, drawn transparent.
inline TImage* PlacePicture(TComponent* owner, TWinControl* parent, int left, int top, const AnsiString& resource) {
    auto* img = Place<TImage>(owner, parent, left, top, 32, 32);
    img->SetAutoSize(true);
    img->SetPicture(LoadPictureResource(resource));
    return img;
}

// A captioned control; check boxes and radio buttons grow to show their
// whole caption in the desktop's font.
template <class C>
C* PlaceCaptioned(TComponent* owner, TWinControl* parent, int left, int top, int width, int height, const AnsiString& caption) {
    auto* c = Place<C>(owner, parent, left, top, width, height);
    c->SetCaption(caption);
    if constexpr (std::is_same_v<C, TCheckBox> || std::is_same_v<C, TRadioButton>) c->WidenToFitContent();
    return c;
}
