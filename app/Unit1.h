#pragma once
// The launcher bar: six flat buttons sliding in from the taskbar's edge,
// the tray icon with its menu, the timers that decide the program's
// lifetime, and the five exit actions.
#include "app/SlideGeometry.h"
#include "components/Vreg/Vreg.h"
#include "platform/gui/Buttons.h"
#include "platform/gui/CoolTrayIcon.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/os/ExitServices.h"

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // Controls.
    TImage* Image2;  // marble background, overhanging the form
    TImage* Image1;  // the marble tile, never seen
    TBevel* Bevel1;
    TBevel* Bevel2;
    TBevel* Bevel3;
    TShape* Shape1;
    TSpeedButton* SpeedButton1;  // "&Vuvuviro"
    TSpeedButton* SpeedButton2;  // "&Reboot"
    TSpeedButton* SpeedButton3;  // "Log&off"
    TSpeedButton* SpeedButton4;  // "S&uspend"
    TSpeedButton* SpeedButton5;  // "&Lock"
    TSpeedButton* SpeedButton6;  // "S&ettings"
    TTimer* ScrollTimer;
    TTimer* CloseTimer;
    TTimer* Timer1;
    TTimer* HideTimer;
    TCoolTrayIcon* CoolTrayIcon1;
    TPopupMenu* PopupMenu1;
    TMenuItem* ShowWindow1;
    TMenuItem* N1;
    TMenuItem* N2;
    TMenuItem* ActivateTimer1;
    TMenuItem* N3;
    TMenuItem* CloseProgram1;
    TVReg* VReg1;

    // Slide geometry and state.
    int HiddenLeft = 0, HiddenTop = 0;
    int ShownLeft = 0, ShownTop = 0;
    int InStepX = 0, InStepY = 0;
    int OutStepX = 0, OutStepY = 0;
    bool SlidingOut = false;
    bool TimerDriven = false;

    void FormShow(TObject* sender);
    void SlideIn();
    void SlideOut();
    void ScrollTimerTimer(TObject* sender);
    void FillMarble(TImage* source, TImage* target);

    // Exit actions.
    void SpeedButton1Click(TObject* sender);  // Vuvuviro
    void SpeedButton2Click(TObject* sender);  // Reboot
    void SpeedButton3Click(TObject* sender);  // Logoff
    void SpeedButton4Click(TObject* sender);  // Suspend
    void SpeedButton5Click(TObject* sender);  // Lock
    void SpeedButton6Click(TObject* sender);  // Settings
    void RebootNormal();
    void RebootForced();
    void PowerOff(bool force);
    void VuvuviroForced();

    // Tray and lifetime.
    void AppDeactivate(TObject* sender);
    void ShowWindow1Click(TObject* sender);
    void N1Click(TObject* sender);
    void CoolTrayIcon1DblClick(TObject* sender);
    void ActivateTimer1Click(TObject* sender);
    void CloseProgram1Click(TObject* sender);
    void CloseTimerTimer(TObject* sender);
    void Timer1Timer(TObject* sender);
    void HideTimerTimer(TObject* sender);

    // Second copy started: bring the bar (and an open dialog) to the front.
    void RaiseRequested();

private:
    void CreateLayout();
    // The confirmation step of the action handlers: false when the user
    // cancelled.
    bool Confirmed(int actionCode);
    void ShowSettingsModal();
};

// Privilege step: on the NT family the right must be granted; the older
// family needs none.
bool EnableVuvuviroPrivilege(IExitServices& services, TShutdownRight right);
void ExitOrSuspend(unsigned flags, bool suspend);

extern TForm1* Form1;
