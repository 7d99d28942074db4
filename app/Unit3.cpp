#include "app/Unit3.h"

#include "app/Unit1.h"
#include "platform/core/SysUtils.h"

TForm3* Form3 = nullptr;

namespace {
struct ActionLook {
    TImage* TForm3::*picture;
    const char* wording;
};
// Indexed by action code.
constexpr ActionLook kActions[] = {
    {&TForm3::ImageReboot, "REBOOT"},     {&TForm3::ImageVuvuviro, "VUVUVIRO"}, {&TForm3::ImageSuspend, "BE SUSPENDED"},
    {&TForm3::ImageLock, "BE LOCKED"},    {&TForm3::ImageLogoff, "LOG OFF YOU"},
};
}  // namespace

TForm3::TForm3(TComponent* owner) : TForm(owner) {
    Form3 = this;
    CreateLayout();
}

void TForm3::FormShow(TObject*) {
    Form1->FillMarble(Form1->Image1, Image1);
    for (const auto& a : kActions) (this->*a.picture)->SetVisible(false);
    if (ActionCode >= 0 && ActionCode < static_cast<int>(std::size(kActions))) {
        (this->*kActions[ActionCode].picture)->SetVisible(true);
        Label2->SetCaption(kActions[ActionCode].wording);
    }
    ProgressBar1->SetPosition(0);
    Label5->SetCaption("10");
    Timer1->SetEnabled(true);
    Cancelled = true;
}

void TForm3::Timer1Timer(TObject* sender) {
    ProgressBar1->SetPosition(ProgressBar1->Position() + 1);
    Label5->SetCaption(IntToStr(10 - ProgressBar1->Position() / 10));
    if (ProgressBar1->Position() == 100) {
        Timer1->SetEnabled(false);
        Button1Click(sender);
    }
}

void TForm3::Button1Click(TObject*) {
    Cancelled = false;
    Close();
}

void TForm3::Button2Click(TObject*) { Close(); }

void TForm3::FormKeyPress(TObject* sender, char& key) {
    if (key == 27) Button2Click(sender);
}

void TForm3::FormCloseQuery(TObject*, bool& canClose) {
    Timer1->SetEnabled(false);
    canClose = true;
}
