#include "app/Unit1.h"

#include "app/AppServices.h"
#include "app/Unit2.h"
#include "app/Unit3.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    Form1 = this;
    CreateLayout();
    Application->OnDeactivate = [this](TObject* s) { AppDeactivate(s); };
    TimerDriven = false;
    const TSlideGeometry g = ComputeSlideGeometry(ClientWidth(), ClientHeight(), AppServices().Screen());
    HiddenLeft = g.HiddenLeft;
    HiddenTop = g.HiddenTop;
    ShownLeft = g.ShownLeft;
    ShownTop = g.ShownTop;
    InStepX = g.InStepX;
    InStepY = g.InStepY;
    OutStepX = g.OutStepX;
    OutStepY = g.OutStepY;
}

void TForm1::FormShow(TObject* sender) {
    FillMarble(Image1, Image2);
    SlideIn();
    Form2->LoadSettings(sender);
}

void TForm1::SlideIn() {
    SlidingOut = false;
    SetBounds(HiddenLeft, HiddenTop, Width(), Height());
    ScrollTimer->SetEnabled(true);
}

void TForm1::SlideOut() {
    SlidingOut = true;
    SetBounds(ShownLeft, ShownTop, Width(), Height());
    ScrollTimer->SetEnabled(true);
}

void TForm1::ScrollTimerTimer(TObject*) {
    const int targetLeft = SlidingOut ? HiddenLeft : ShownLeft;
    const int targetTop = SlidingOut ? HiddenTop : ShownTop;
    const int stepX = SlidingOut ? OutStepX : InStepX;
    const int stepY = SlidingOut ? OutStepY : InStepY;
    if (SlideArrived(Left(), Top(), targetLeft, targetTop, stepX, stepY)) {
        ScrollTimer->SetEnabled(false);
        if (SlidingOut) {
            Hide();
            Close();  // the main form: ends the program
        }
        return;
    }
    SetBounds(Left() + stepX, Top() + stepY, Width(), Height());
    if (!Visible()) Show();
    // The bar takes the focus only on its way in: taking it back on the way
    // out would undo the deactivation that started the slide-out.
    if (SlidingOut) BringToFront();
    else Activate();
    Application->ProcessMessages();
}

void TForm1::FillMarble(TImage* source, TImage* target) {
    target->ClearPicture();
    const TBitmap& tile = source->Picture();
    const int w = tile.Width(), h = tile.Height();
    if (w <= 0 || h <= 0) return;  // nothing to tile with
    TCanvas& canvas = target->Canvas();
    for (int x = 0; x < target->Width(); x += w)
        for (int y = 0; y < target->Height(); y += h) canvas.CopyRect(Rect(x, y, x + w, y + h), tile.Canvas(), Rect(0, 0, w, h));
}

void TForm1::SpeedButton6Click(TObject*) { ShowSettingsModal(); }

void TForm1::ShowSettingsModal() { Form2->ShowModal(); }

// ---- Tray and lifetime

void TForm1::AppDeactivate(TObject*) {
    if (Form2->Visible()) return;
    if (Form2->CheckBox1->Checked()) {
        Application->Minimize();  // the tray icon hides the bar
        return;
    }
    SlideOut();
    CloseTimer->SetEnabled(true);
}

void TForm1::ShowWindow1Click(TObject*) {
    if (Visible()) return;
    // Restoring shows the bar again, which slides it in afresh and loads
    // the settings, as at every showing.
    Application->Restore();
    if (!Visible()) Show();
}

void TForm1::N1Click(TObject*) { ShowSettingsModal(); }

void TForm1::CoolTrayIcon1DblClick(TObject*) { ShowSettingsModal(); }

void TForm1::ActivateTimer1Click(TObject* sender) {
    Form2->CheckBox1->SetChecked(!Form2->CheckBox1->Checked());
    Form2->CheckBox1Click(sender);
    Form2->SaveSettings(sender);
    Form2->LoadSettings(sender);
}

void TForm1::CloseProgram1Click(TObject*) {
    CloseTimer->SetEnabled(true);
    if (Visible()) SlideOut();
    CoolTrayIcon1->SetIconVisible(false);
}

void TForm1::CloseTimerTimer(TObject*) { Application->Terminate(); }

void TForm1::Timer1Timer(TObject*) {
    if (Visible()) return;
    if (!Form2->CheckBox1->Checked()) CloseTimer->SetEnabled(true);
}

void TForm1::HideTimerTimer(TObject*) {
    // There is no separate application window here: the bar's own window
    // state keeps it out of the taskbar. Re-assert it.
    SetShowInTaskbar(false);
}

void TForm1::RaiseRequested() {
    if (Application->Minimized() || !Visible()) ShowWindow1Click(this);
    Activate();
    // An open dialog comes to the top.
    if (Form3 && Form3->Visible()) Form3->Activate();
    else if (Form2 && Form2->Visible()) Form2->Activate();
}
