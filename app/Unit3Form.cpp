// Layout of the confirmation dialog, as designed at 96 dpi.
#include "app/FormLayout.h"
#include "app/Unit3.h"

void TForm3::CreateLayout() {
    SetName("Form3");
    SetCaption("Varnell Vuvuviro - Confirm Action");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetClientSize(376, 240);
    SetColor(clBtnFace);
    SetStayOnTop(true);
    SetPosition(TFormPosition::poScreenCenter);
    KeyPreview = true;
    OnShow = [this](TObject* s) { FormShow(s); };
    OnKeyPress = [this](TObject* s, char& k) { FormKeyPress(s, k); };
    OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };

    Image1 = Place<TImage>(this, this, -33, 199, 441, 49);
    Bevel1 = Place<TBevel>(this, this, -97, 191, 473, 9);
    Bevel1->SetShape(TBevelShape::bsBottomLine);
    SpeedButton1 = PlaceButton(this, this, 136, 207, 113, 25, "&Ok", ":/pictures/ok16.png");
    SpeedButton1->SetGlyphLeft(true);
    SpeedButton1->OnClick = [this](TObject* s) { Button1Click(s); };
    SpeedButton2 = PlaceButton(this, this, 255, 207, 113, 25, "&Cancel", ":/pictures/cancel16.png");
    SpeedButton2->SetGlyphLeft(true);
    SpeedButton2->OnClick = [this](TObject* s) { Button2Click(s); };

    Panel1 = Place<TPanel>(this, this, 8, 16, 361, 169);
    Panel1->SetBevels(TBevelCut::bvRaised, TBevelCut::bvLowered);
    Label1 = PlaceLabel(this, Panel1, 8, 24, 345, 13, "Your computer is going to", TAlignment::taCenter);
    Label2 = PlaceLabel(this, Panel1, 8, 40, 345, 13, "BE SUSPENDED", TAlignment::taCenter);
    Label2->SetFont({-11, true});
    Label3 = PlaceLabel(this, Panel1, 24, 56, 313, 41,
                        "in a few seconds. You can abort this automatic process by now hitting the below <CANCEL> button.",
                        TAlignment::taCenter);
    Label3->SetWordWrap(true);

    struct Picture {
        TImage* TForm3::*field;
        const char* resource;
    };
    const Picture pictures[] = {{&TForm3::ImageReboot, ":/pictures/reboot.png"},
                                {&TForm3::ImageVuvuviro, ":/pictures/poweroff.png"},
                                {&TForm3::ImageSuspend, ":/pictures/suspend.png"},
                                {&TForm3::ImageLock, ":/pictures/lock.png"},
                                {&TForm3::ImageLogoff, ":/pictures/logoff.png"}};
    for (const auto& p : pictures) {
        TImage* img = PlacePicture(this, Panel1, 14, 10, p.resource);
        img->SetVisible(false);
        this->*p.field = img;
    }

    const AnsiString before = "<OK> will be selected in ", gap = "          ";
    Label4 = PlaceLabel(this, Panel1, 88, 136, 200, 13, before + gap + "Seconds.");
    Label4->WidenToFitContent();
    // The seconds lie over the gap of blanks, wherever the desktop's font
    // puts it.
    const int gapCentre = Label4->Left() + Label4->TextWidth(before) + Label4->TextWidth(gap) / 2;
    Label5 = PlaceLabel(this, Panel1, gapCentre - 31 / 2, 136, 31, 13, "10", TAlignment::taCenter);
    Label5->SetFont({-11, true});
    Label5->SetTransparent(true);
    ProgressBar1 = Place<TdxfProgressBar>(this, Panel1, 8, 104, 345, 17);
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(100);
    ProgressBar1->SetPosition(80);
    ProgressBar1->SetStep(10);
    ProgressBar1->SetShowPercent(true);
    ProgressBar1->SetGradient(clBlack, clNavy);

    Timer1 = new TTimer(this);
    Timer1->SetInterval(100);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
}
