#include "platform/gui/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/gui/QtColors.h"
#include "platform/os/WindowHints.h"

TApplication* Application = nullptr;

struct TApplication::Native {
    Native(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
    PreferX11Platform();
    native_ = std::make_unique<Native>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Application = this;
    // Focus moving between our own windows can pass through a short
    // inactive state; only a lasting one is a deactivation.
    QObject::connect(&native_->app, &QGuiApplication::applicationStateChanged, &native_->app, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationInactive) return;
        QTimer::singleShot(50, &native_->app, [this] {
            if (QGuiApplication::applicationState() == Qt::ApplicationInactive && OnDeactivate)
                RunHandler([this] { OnDeactivate(this); });
        });
    });
}

TApplication::~TApplication() {
    DestroyComponents();  // forms before the toolkit's application
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const AnsiString& title) { title_ = title; }

void TApplication::Run() {
    if (terminated_) return;
    if (mainForm_) mainForm_->Show();
    if (!terminated_) QApplication::exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::quit();
}

void TApplication::Minimize() {
    minimized_ = true;
    if (OnMinimize) RunHandler([this] { OnMinimize(this); });
    else if (mainForm_) mainForm_->Widget()->showMinimized();
}

void TApplication::Restore() {
    if (!minimized_) return;
    minimized_ = false;
    if (OnRestore) RunHandler([this] { OnRestore(this); });
    else if (mainForm_) mainForm_->Widget()->showNormal();
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::HandleMessage() { QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents); }

void TApplication::ShowException(const Exception& e) {
    if (OnException) {
        OnException(this, e);
        return;
    }
    QMessageBox::critical(nullptr, QString::fromStdString(title_), QString::fromStdString(e.Message()));
}

namespace {

// The native top-level window of a form: routes show, close and key
// preview to the form.
class FormWindow : public QWidget {
public:
    explicit FormWindow(TForm* form) : form_(form) {}

protected:
    void showEvent(QShowEvent* e) override {
        QWidget::showEvent(e);
        if (!e->spontaneous()) form_->NativeShown();
    }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        form_->Close();
    }

private:
    TForm* form_;
};

// Application-wide filter that gives a form with KeyPreview each key
// pressed in one of its controls first.
class KeyPreviewFilter : public QObject {
public:
    explicit KeyPreviewFilter(TForm* form) : form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || !form_->KeyPreview) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != form_->Widget()) return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        char key = 0;
        if (ke->key() == Qt::Key_Escape) key = 27;
        else if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) key = 13;
        else if (!ke->text().isEmpty()) key = ke->text().toLatin1().at(0);
        if (key == 0) return false;
        return form_->NativeKeyPreview(key);
    }

private:
    TForm* form_;
};

}  // namespace

struct TForm::ModalLoop {
    QEventLoop loop;
};

TForm::TForm(TComponent* owner) : TWinControl(owner, new FormWindow(this)) {
    Widget()->setAttribute(Qt::WA_DeleteOnClose, false);
    // Forms are designed for an 8-point sans-serif face at 96 dpi, 11 pixels
    // high; controls take the form's font.
    QFont font = Widget()->font();
    font.setPixelSize(11);
    Widget()->setFont(font);
    auto* filter = new KeyPreviewFilter(this);
    filter->setParent(Widget());
    qApp->installEventFilter(filter);
    ApplyWindowFlags();
}

TForm::~TForm() {
    if (Application) Application->FormDestroyed(this);
}

void TForm::SetCaption(const AnsiString& caption) {
    caption_ = caption;
    Widget()->setWindowTitle(QString::fromStdString(caption));
}

void TForm::SetClientSize(int width, int height) {
    Widget()->resize(width, height);
    if (border_ != TFormBorderStyle::bsSingle) Widget()->setFixedSize(width, height);
}

void TForm::SetBounds(int left, int top, int width, int height) {
    Widget()->move(left, top);
    Widget()->resize(width, height);
}

void TForm::SetColor(TColor color) {
    QPalette p = Widget()->palette();
    p.setColor(QPalette::Window, ToQColor(color));
    Widget()->setPalette(p);
    Widget()->setAutoFillBackground(true);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    border_ = style;
    ApplyWindowFlags();
}

void TForm::SetStayOnTop(bool on) {
    stayOnTop_ = on;
    ApplyWindowFlags();
}

void TForm::SetShowInTaskbar(bool on) {
    showInTaskbar_ = on;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
    Qt::WindowFlags f;
    switch (border_) {
    case TFormBorderStyle::bsNone: f = Qt::Window | Qt::FramelessWindowHint; break;
    case TFormBorderStyle::bsSingle:
        f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    case TFormBorderStyle::bsDialog:
        f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    }
    if (!showInTaskbar_) f = (f & ~Qt::WindowType_Mask) | Qt::Tool;
    if (stayOnTop_) f |= Qt::WindowStaysOnTopHint;
    const bool wasVisible = Widget()->isVisible();
    Widget()->setWindowFlags(f);
    if (wasVisible) Widget()->show();
}

void TForm::PrepareNativeWindow() {
    if (!showInTaskbar_) {
        Widget()->winId();  // the native window exists before it is mapped
        ApplyBarWindowHints(Widget()->windowHandle());
    }
    if (position_ == TFormPosition::poScreenCenter && !centred_) {
        centred_ = true;
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect a = s->availableGeometry();
            Widget()->move(a.x() + (a.width() - Width()) / 2, a.y() + (a.height() - Height()) / 2);
        }
    }
}

void TForm::Show() {
    if (Widget()->isVisible()) {
        Activate();
        return;
    }
    PrepareNativeWindow();
    Widget()->show();
}

void TForm::Hide() { Widget()->hide(); }

void TForm::ShowModal() {
    if (modalLoop_) return;
    ModalLoop loop;
    modalLoop_ = &loop;
    modal_ = true;
    Widget()->setWindowModality(Qt::ApplicationModal);
    Show();
    Activate();
    if (Widget()->isVisible()) loop.loop.exec(QEventLoop::DialogExec);
    Widget()->setWindowModality(Qt::NonModal);
    modal_ = false;
    modalLoop_ = nullptr;
}

void TForm::Close() {
    bool canClose = true;
    if (OnCloseQuery) RunHandler([&] { OnCloseQuery(this, canClose); });
    if (!canClose) return;
    Hide();
    if (modalLoop_) modalLoop_->loop.quit();
    if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::Activate() {
    Widget()->raise();
    Widget()->activateWindow();
}

void TForm::NativeShown() {
    if (OnShow) RunHandler([this] { OnShow(this); });
}

bool TForm::NativeKeyPreview(char key) {
    if (!OnKeyPress) return false;
    char k = key;
    RunHandler([&] { OnKeyPress(this, k); });
    return k == 0;
}
