#pragma once
// Timers, pictures, bevels, shapes and panels.
#include <memory>

#include "platform/gui/Controls.h"

// A window timer: its ticks arrive through the message loop.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    int Interval() const { return interval_; }
    // Restarts a running timer with the new interval.
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    // Enabling a timer that is already enabled changes nothing.
    void SetEnabled(bool on);
    TNotifyEvent OnTimer;

private:
    struct Native;
    std::unique_ptr<Native> native_;
    int interval_ = 1000;
    bool enabled_ = false;
};

// Shows a picture unstretched at its top-left corner.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);
    // The picture; empty until assigned or drawn on.
    TBitmap& Picture() { return picture_; }
    void SetPicture(const TBitmap& bmp);
    // Removes the picture; the next drawing starts from a fresh bitmap of
    // the control's size.
    void ClearPicture();
    // The picture's canvas; an empty picture first becomes a white bitmap
    // of the control's size.
    TCanvas& Canvas();
    // Sized to the picture when one is assigned.
    void SetAutoSize(bool on) { autoSize_ = on; }
    // Pixels of the colour of the bottom-left pixel are not drawn.
    void SetTransparent(bool on);

private:
    void Repaint();
    TBitmap picture_;
    bool autoSize_ = false;
};

enum class TBevelShape { bsLeftLine, bsBottomLine, bsBox };

class TBevel : public TControl {
public:
    explicit TBevel(TComponent* owner);
    void SetShape(TBevelShape shape);
};

// A rectangle outline with the pen; no fill.
class TShape : public TControl {
public:
    explicit TShape(TComponent* owner);
    void SetPen(TColor color, int width);
};

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);
    void SetBevels(TBevelCut inner, TBevelCut outer);
};
