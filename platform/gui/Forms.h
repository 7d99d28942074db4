#pragma once
// The application object and forms.
#include <functional>
#include <memory>

#include "platform/gui/Controls.h"

class TForm;

class TApplication : public TComponent {
public:
    // Creates the toolkit's application; one per process.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& title);

    // Creates a form owned by the application; the first one is the main form.
    template <class F>
    void CreateForm(F*& ref) {
        ref = new F(this);
        if (!mainForm_) mainForm_ = ref;
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    void Minimize();
    void Restore();
    bool Minimized() const { return minimized_; }

    // Handles the events that are pending and returns.
    void ProcessMessages();
    // Waits for the next event and handles it (and any others pending).
    void HandleMessage();

    // The default handling of an Exception that escaped an event handler:
    // OnException when assigned, else a message box with the message.
    void ShowException(const Exception& e);
    std::function<void(TObject* sender, const Exception& e)> OnException;

    // For tests that run several program lifetimes in one process: clears
    // the terminated and minimised states.
    void BeginNewRun() {
        terminated_ = false;
        minimized_ = false;
    }
    // Layer-internal: a form is going away.
    void FormDestroyed(TForm* form) {
        if (mainForm_ == form) mainForm_ = nullptr;
    }

    TNotifyEvent OnDeactivate;  // another application took the focus
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

private:
    struct Native;
    std::unique_ptr<Native> native_;
    AnsiString title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool minimized_ = false;
};

extern TApplication* Application;

enum class TFormBorderStyle { bsNone, bsSingle, bsDialog };
enum class TFormPosition { poDesigned, poScreenCenter };

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    void Show();
    void Hide();
    // Shows the form application-modal and returns when it has closed.
    void ShowModal();
    // Asks OnCloseQuery, then hides; closing the main form ends the loop.
    void Close();

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }
    void SetClientSize(int width, int height);
    void SetBounds(int left, int top, int width, int height) override;
    void SetColor(TColor color);

    void SetBorderStyle(TFormBorderStyle style);
    void SetStayOnTop(bool on);
    // Kept out of the taskbar and pager (a tool window of the desktop).
    void SetShowInTaskbar(bool on);
    void SetPosition(TFormPosition position) { position_ = position; }
    bool Modal() const { return modal_; }

    // Brings the window to the front and gives it the focus.
    void Activate();

    bool KeyPreview = false;
    std::function<void(TObject* sender, char& key)> OnKeyPress;
    std::function<void(TObject* sender, bool& canClose)> OnCloseQuery;
    TNotifyEvent OnShow;

    // Layer-internal: called by the native window.
    void NativeShown();
    bool NativeKeyPreview(char key);

private:
    void ApplyWindowFlags();
    void PrepareNativeWindow();
    AnsiString caption_;
    TFormBorderStyle border_ = TFormBorderStyle::bsSingle;
    TFormPosition position_ = TFormPosition::poDesigned;
    bool stayOnTop_ = false;
    bool showInTaskbar_ = true;
    bool modal_ = false;
    bool centred_ = false;
    struct ModalLoop;
    ModalLoop* modalLoop_ = nullptr;
};
