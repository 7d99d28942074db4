#include "AppFixture.h"

#include <QFile>
#include <QStandardPaths>

#include "platform/registry/Registry.h"

TScreenMetrics BottomTaskbarScreen() { return {1024, 768, Rect(0, 0, 1024, 738)}; }

void AppFixture::SetUp() {
    ASSERT_TRUE(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    AppServices().Exit = &os_;
    AppServices().Clock = &clock_;
    AppServices().Screen = BottomTaskbarScreen;
    AppServices().ProgramPath = [] { return AnsiString("/opt/Varnell Tools/DErerevov"); };
    Application->OnException = [this](TObject*, const Exception& e) { shownErrors_.push_back(e.Message()); };
}

void AppFixture::TearDown() {
    Application->BeginNewRun();
    delete Form3;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Application->OnException = nullptr;
    AppServices().Exit = nullptr;
    AppServices().Clock = nullptr;
}

void AppFixture::CreateForms() {
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(Form3);
}

AnsiString AppFixture::HiveText() const {
    QFile f(QString::fromStdString(RegistryHivePath()));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

AnsiString AppFixture::AutostartPath() const {
    return (config_.path() + "/autostart/DererezOzuvoruz.desktop").toStdString();
}

void AppFixture::Pump() { Application->ProcessMessages(); }
