// Layout of the launcher bar, as designed at 96 dpi.
#include "app/FormLayout.h"
#include "app/Unit1.h"

void TForm1::CreateLayout() {
    SetName("Form1");
    SetCaption("DErerevov");
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetStayOnTop(true);
    SetShowInTaskbar(false);
    SetClientSize(469, 69);
    SetColor(clBtnFace);
    OnShow = [this](TObject* s) { FormShow(s); };

    // Created first, so everything else lies above them.
    Image2 = Place<TImage>(this, this, -16, -8, 505, 105);
    Image1 = Place<TImage>(this, this, 96, 184, 56, 48);
    Image1->SetAutoSize(true);
    Image1->SetPicture(LoadPictureResource(":/pictures/marble.png"));

    struct BevelAt {
        TBevel* TForm1::*field;
        int left;
    };
    for (const BevelAt b : {BevelAt{&TForm1::Bevel1, 238}, BevelAt{&TForm1::Bevel2, 78}, BevelAt{&TForm1::Bevel3, 390}}) {
        TBevel* bevel = Place<TBevel>(this, this, b.left, 2, 3, 65);
        bevel->SetShape(TBevelShape::bsLeftLine);
        this->*b.field = bevel;
    }
    Shape1 = Place<TShape>(this, this, 0, 0, 469, 69);
    Shape1->SetPen(clNavy, 2);

    struct ButtonAt {
        TSpeedButton* TForm1::*field;
        int left, width;
        const char* caption;
        const char* glyph;
        void (TForm1::*click)(TObject*);
    };
    const ButtonAt buttons[] = {
        {&TForm1::SpeedButton2, 2, 73, "&Reboot", ":/pictures/reboot.png", &TForm1::SpeedButton2Click},
        {&TForm1::SpeedButton1, 82, 73, "&Vuvuviro", ":/pictures/poweroff.png", &TForm1::SpeedButton1Click},
        {&TForm1::SpeedButton4, 154, 81, "S&uspend", ":/pictures/suspend.png", &TForm1::SpeedButton4Click},
        {&TForm1::SpeedButton5, 242, 73, "&Lock", ":/pictures/lock.png", &TForm1::SpeedButton5Click},
        {&TForm1::SpeedButton3, 314, 73, "Log&off", ":/pictures/logoff.png", &TForm1::SpeedButton3Click},
        {&TForm1::SpeedButton6, 394, 73, "S&ettings", ":/pictures/settings.png", &TForm1::SpeedButton6Click},
    };
    for (const auto& b : buttons) {
        TSpeedButton* button = PlaceButton(this, this, b.left, 2, b.width, 65, b.caption, b.glyph);
        button->OnClick = [this, click = b.click](TObject* s) { (this->*click)(s); };
        this->*b.field = button;
    }

    auto timer = [this](int interval, bool enabled, void (TForm1::*tick)(TObject*)) {
        auto* t = new TTimer(this);
        t->SetInterval(interval);
        t->OnTimer = [this, tick](TObject* s) { (this->*tick)(s); };
        t->SetEnabled(enabled);
        return t;
    };
    ScrollTimer = timer(10, false, &TForm1::ScrollTimerTimer);
    CloseTimer = timer(2000, false, &TForm1::CloseTimerTimer);
    Timer1 = timer(1000, true, &TForm1::Timer1Timer);
    // The bar's window state keeps it out of the taskbar, so this timer has
    // nothing to catch every 10 ms; it stays off (see HideTimerTimer).
    HideTimer = timer(10, false, &TForm1::HideTimerTimer);

    PopupMenu1 = new TPopupMenu(this);
    auto item = [this](const AnsiString& caption, void (TForm1::*click)(TObject*)) {
        TMenuItem* i = PopupMenu1->Add(caption);
        if (click) i->OnClick = [this, click](TObject* s) { (this->*click)(s); };
        return i;
    };
    ShowWindow1 = item("&Show Vuvuviromenu", &TForm1::ShowWindow1Click);
    N1 = item("Show S&ettings", &TForm1::N1Click);
    N2 = item("-", nullptr);
    ActivateTimer1 = item("&Timer active", &TForm1::ActivateTimer1Click);
    ActivateTimer1->SetChecked(true);
    N3 = item("-", nullptr);
    CloseProgram1 = item("&Close Program", &TForm1::CloseProgram1Click);

    CoolTrayIcon1 = new TCoolTrayIcon(this);
    CoolTrayIcon1->SetIconResource(":/pictures/icon-32.png");
    CoolTrayIcon1->SetHint("Varnell Vuvuviro 1.21");
    CoolTrayIcon1->SetPopupMenu(PopupMenu1);
    CoolTrayIcon1->SetLeftPopup(true);
    CoolTrayIcon1->SetMinimizeToTray(true);
    CoolTrayIcon1->OnDblClick = [this](TObject* s) { CoolTrayIcon1DblClick(s); };
    CoolTrayIcon1->SetIconVisible(true);

    VReg1 = new TVReg(this);
    VReg1->Programmname = "Vuvuviro";
    VReg1->Firmenname = "varnell";
}
