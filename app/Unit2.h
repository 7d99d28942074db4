#pragma once
// The settings dialog: edits and holds the running program's settings,
// stores them through the bar's registry store, and owns the daily timer.
#include "components/Vhtml/Vhtml.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"

class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);

    TBevel* Bevel1;
    TImage* Image1;
    TSpeedButton* SpeedButton1;  // "&Ok"
    TSpeedButton* SpeedButton2;  // "&Cancel"
    TGroupBox* GroupBox1;
    TCheckBox* CheckBox1;  // "Enabled Timer"
    TImage* Image3;
    TRadioButton* RadioButton1;  // "Vuvuviro"
    TRadioButton* RadioButton2;  // "Reboot"
    TRadioButton* RadioButton3;  // "Logoff"
    TRadioButton* RadioButton4;  // "Suspend"
    TRadioButton* RadioButton5;  // "Lock Computer"
    TLabel* Label6;
    TEdit* Edit2;  // hours
    TEdit* Edit3;  // minutes
    TCheckBox* CheckBox2;  // "Start with Windows"
    TEdit* Edit1;          // the normalised time, hidden
    TCheckBox* CheckBox7;  // "Confirmation Dialog" of the timer
    TGroupBox* GroupBox2;
    TImage* Image4;
    TCheckBox* CheckBox3;  // "Confirmation Dialog" of the bar
    TCheckBox* CheckBox4;  // "Force Applications to terminate"
    TCheckBox* CheckBox5;  // "Hibernate if Suspend"
    TCheckBox* CheckBox6;  // "Disable Timer after action"
    TGroupBox* GroupBox3;
    TLabel* Label1;
    TImage* Image2;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TVHTML* VHTML1;
    TTimer* AutoTimer;

    void FormShow(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void CheckBox1Click(TObject* sender);
    void TimeChange(TObject* sender);
    void Label3Click(TObject* sender);
    void Label4Click(TObject* sender);
    void LoadSettings(TObject* sender);
    void SaveSettings(TObject* sender);
    void ResetSettings(TObject* sender);
    void AutoTimerTimer(TObject* sender);

private:
    void CreateLayout();
    // The daily timer's guard: a sequence runs at most once per matching
    // minute, and never inside a running one.
    AnsiString handledMinute_;
    bool sequenceRunning_ = false;
};

// Start at login ("Start with Windows").
void SetAutostart();
void ClearAutostart();
bool AutostartExists();

extern const char* const kMakerSiteUrl;
extern const char* const kSecondSiteUrl;

extern TForm2* Form2;
