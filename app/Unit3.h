#pragma once
// The confirmation dialog: ten seconds to abort an exit action.
#include "platform/gui/Buttons.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/ProgressBar.h"
#include "platform/gui/StdCtrls.h"

class TForm3 : public TForm {
public:
    explicit TForm3(TComponent* owner);

    TImage* Image1;
    TBevel* Bevel1;
    TSpeedButton* SpeedButton1;  // "&Ok"
    TSpeedButton* SpeedButton2;  // "&Cancel"
    TPanel* Panel1;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TImage* ImageReboot;
    TImage* ImageVuvuviro;
    TImage* ImageSuspend;
    TImage* ImageLock;
    TImage* ImageLogoff;
    TLabel* Label4;
    TLabel* Label5;
    TdxfProgressBar* ProgressBar1;
    TTimer* Timer1;

    int ActionCode = 0;
    bool Cancelled = false;

    void FormShow(TObject* sender);
    void Timer1Timer(TObject* sender);
    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    void FormKeyPress(TObject* sender, char& key);
    void FormCloseQuery(TObject* sender, bool& canClose);

private:
    void CreateLayout();
};

extern TForm3* Form3;
