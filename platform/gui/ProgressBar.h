#pragma once
// Progress bar with a percent text and a two-colour gradient fill.
#include "platform/gui/Controls.h"

class TdxfProgressBar : public TControl {
public:
    explicit TdxfProgressBar(TComponent* owner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int Step() const { return step_; }
    void SetMin(int v);
    void SetMax(int v);
    // Kept within Min..Max.
    void SetPosition(int v);
    void SetStep(int v) { step_ = v; }
    void StepIt() { SetPosition(position_ + step_); }
    void SetShowPercent(bool on);
    // The fill runs from `begin` at the left end to `end` at the right end.
    void SetGradient(TColor begin, TColor end);
    int Percent() const;

    // Layer-internal, for painting.
    bool ShowsPercent() const { return showPercent_; }
    TColor BeginColor() const { return begin_; }
    TColor EndColor() const { return end_; }

private:
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    bool showPercent_ = true;
    TColor begin_ = clBlack, end_ = clNavy;
};
