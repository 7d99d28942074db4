// Layout of the settings dialog, as designed at 96 dpi. Controls are
// created in their tab order.
#include <algorithm>

#include "app/FormLayout.h"
#include "app/Unit2.h"

const char* const kMakerSiteUrl = "https://systemd.io/";
const char* const kSecondSiteUrl = "https://wiki.debian.org/Suspend";

void TForm2::CreateLayout() {
    SetName("Form2");
    SetCaption("Settings");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetClientSize(438, 346);
    SetColor(clBtnFace);
    SetPosition(TFormPosition::poScreenCenter);
    OnShow = [this](TObject* s) { FormShow(s); };

    Bevel1 = Place<TBevel>(this, this, -32, 302, 473, 9);
    Bevel1->SetShape(TBevelShape::bsBottomLine);
    Image1 = Place<TImage>(this, this, 0, 309, 441, 41);

    GroupBox1 = PlaceCaptioned<TGroupBox>(this, this, 8, 8, 233, 201, "Timer Settings : ");
    CheckBox1 = PlaceCaptioned<TCheckBox>(this, GroupBox1, 16, 24, 201, 17, "Enabled Timer");
    CheckBox1->SetFont({-11, true});
    CheckBox1->OnClick = [this](TObject* s) { CheckBox1Click(s); };
    Image3 = PlacePicture(this, GroupBox1, 8, 48, ":/pictures/timer32.png");
    RadioButton2 = PlaceCaptioned<TRadioButton>(this, GroupBox1, 48, 48, 105, 17, "Reboot");
    RadioButton1 = PlaceCaptioned<TRadioButton>(this, GroupBox1, 48, 64, 105, 17, "Vuvuviro");
    RadioButton4 = PlaceCaptioned<TRadioButton>(this, GroupBox1, 48, 80, 97, 17, "Suspend");
    RadioButton5 = PlaceCaptioned<TRadioButton>(this, GroupBox1, 48, 96, 97, 17, "Lock Computer");
    RadioButton3 = PlaceCaptioned<TRadioButton>(this, GroupBox1, 48, 112, 89, 17, "Logoff");
    for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5}) r->SetEnabled(false);
    Label6 = PlaceLabel(this, GroupBox1, 50, 136, 125, 13, "AT TIME (HH:MM) :         :");
    Edit2 = Place<TEdit>(this, GroupBox1, 152, 134, 19, 21);
    Edit3 = Place<TEdit>(this, GroupBox1, 176, 134, 19, 21);
    for (TEdit* e : {Edit2, Edit3}) {
        e->SetMaxLength(2);
        e->SetText("00");
        e->OnExit = [this](TObject* s) { TimeChange(s); };
    }
    CheckBox2 = PlaceCaptioned<TCheckBox>(this, GroupBox1, 48, 160, 121, 17, "Start with Windows");
    CheckBox2->SetEnabled(false);
    Edit1 = Place<TEdit>(this, GroupBox1, 152, 108, 41, 21);
    Edit1->SetText("00:00");
    Edit1->SetVisible(false);
    Edit1->SetEnabled(false);
    Edit1->SetColor(clBtnFace);
    CheckBox7 = PlaceCaptioned<TCheckBox>(this, GroupBox1, 48, 176, 161, 17, "Confirmation Dialog");

    GroupBox2 = PlaceCaptioned<TGroupBox>(this, this, 8, 216, 425, 81, "Advanced Options : ");
    Image4 = PlacePicture(this, GroupBox2, 8, 24, ":/pictures/options32.png");
    CheckBox3 = PlaceCaptioned<TCheckBox>(this, GroupBox2, 48, 24, 161, 17, "Confirmation Dialog");
    CheckBox4 = PlaceCaptioned<TCheckBox>(this, GroupBox2, 48, 48, 169, 17, "Force Applications to terminate");
    CheckBox5 = PlaceCaptioned<TCheckBox>(this, GroupBox2, 232, 24, 161, 17, "Hibernate if Suspend");
    CheckBox6 = PlaceCaptioned<TCheckBox>(this, GroupBox2, 232, 48, 161, 17, "Disable Timer after action");
    // A wider face can push the left column into the right one: move the
    // right column over rather than let captions overlap.
    const int rightColumn = std::max({232, CheckBox3->Left() + CheckBox3->Width(), CheckBox4->Left() + CheckBox4->Width()}) + 4;
    if (rightColumn > 236)
        for (TCheckBox* box : {CheckBox5, CheckBox6}) box->SetLeft(rightColumn);

    GroupBox3 = PlaceCaptioned<TGroupBox>(this, this, 248, 8, 185, 201, "Info : ");
    Label1 = PlaceLabel(this, GroupBox3, 12, 24, 165, 16, "Varnell Vuvuviro 1.22");
    Label1->SetFont({-13, true});
    Image2 = Place<TImage>(this, GroupBox3, 64, 48, 41, 33);
    Image2->SetPicture(LoadPictureResource(":/pictures/logo.png"));
    Label2 = PlaceLabel(this, GroupBox3, 16, 88, 145, 33, "Actions run through systemd-logind.",
                        TAlignment::taCenter);
    Label2->SetWordWrap(true);
    Label3 = PlaceLabel(this, GroupBox3, 16, 144, 145, 17, "systemd.io", TAlignment::taCenter);
    Label4 = PlaceLabel(this, GroupBox3, 16, 160, 145, 17, "wiki.debian.org/Suspend", TAlignment::taCenter);
    for (TLabel* link : {Label3, Label4}) {
        link->SetWordWrap(true);
        link->SetFont({-11, false, false, true, clNavy});
        link->SetHandPointCursor();
    }
    Label3->OnClick = [this](TObject* s) { Label3Click(s); };
    Label4->OnClick = [this](TObject* s) { Label4Click(s); };

    SpeedButton1 = PlaceButton(this, this, 200, 316, 113, 25, "&Ok", ":/pictures/ok16.png");
    SpeedButton1->SetGlyphLeft(true);
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    SpeedButton2 = PlaceButton(this, this, 320, 316, 113, 25, "&Cancel", ":/pictures/cancel16.png");
    SpeedButton2->SetGlyphLeft(true);
    SpeedButton2->OnClick = [this](TObject* s) { SpeedButton2Click(s); };

    VHTML1 = new TVHTML(this);
    AutoTimer = new TTimer(this);
    AutoTimer->SetInterval(500);
    AutoTimer->OnTimer = [this](TObject* s) { AutoTimerTimer(s); };
}
