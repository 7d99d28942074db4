// The stored settings, the settings dialog and the autostart entry.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <regex>

#include "AppFixture.h"
#include "platform/core/SysUtils.h"
#include "platform/desktop/Autostart.h"
#include "platform/registry/Registry.h"

namespace {
const char* kKey = "\\Software\\varnell\\Vuvuviro";

void WriteValue(const AnsiString& name, const AnsiString& value) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kKey, true));
    r.WriteString(name, value);
}

void DeleteValue(const AnsiString& name) {
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kKey, false));
    r.DeleteValue(name);
}

bool ValueExists(const AnsiString& name) {
    TRegistry r;
    return r.OpenKey(kKey, false) && r.ValueExists(name);
}

// The value names of the settings key, in the order the hive file has them.
std::vector<std::pair<AnsiString, AnsiString>> StoredValues(const AnsiString& hive) {
    std::vector<std::pair<AnsiString, AnsiString>> out;
    const std::regex line("^\"([^\"]*)\"=\"([^\"]*)\"$");
    bool inKey = false;
    size_t start = 0;
    while (start < hive.size()) {
        size_t end = hive.find('\n', start);
        if (end == AnsiString::npos) end = hive.size();
        AnsiString l = hive.substr(start, end - start);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (!l.empty() && l[0] == '[') inKey = LowerCase(l) == "[hkey_current_user\\software\\varnell\\vuvuviro]";
        std::smatch m;
        if (inKey && std::regex_match(l, m, line)) out.emplace_back(m[1], m[2]);
        start = end + 1;
    }
    return out;
}
}  // namespace

class Settings : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CreateForms();
    }
    void Load() { Form2->LoadSettings(nullptr); }
    void TouchAutostart() {
        QDir().mkpath(config_.path() + "/autostart");
        QFile f(QString::fromStdString(AutostartPath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST_F(Settings, FirstStartWritesTheResetValuesAndClearsAutostart) {
    TouchAutostart();
    Load();
    const std::vector<std::pair<AnsiString, AnsiString>> expected = {
        {"noreset", "1"}, {"forced", "1"},    {"timerenabled", "0"}, {"confirmdialog", "0"},     {"time", "00:00"},
        {"action", "0"},  {"hibernate", "0"}, {"confirmtimer", "1"}, {"autodisabletimer", "0"},
    };
    EXPECT_EQ(StoredValues(HiveText()), expected);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(AutostartPath())));
    EXPECT_FALSE(Form2->CheckBox1->Checked());
    EXPECT_FALSE(Form2->CheckBox3->Checked());
    EXPECT_TRUE(Form2->CheckBox4->Checked());
    EXPECT_FALSE(Form2->CheckBox5->Checked());
    EXPECT_TRUE(Form2->CheckBox7->Checked());
    EXPECT_FALSE(Form2->CheckBox6->Checked());
    EXPECT_FALSE(Form2->CheckBox2->Checked());
    EXPECT_EQ(Form2->Edit1->Text(), "00:00");
    for (TRadioButton* r : {Form2->RadioButton1, Form2->RadioButton2, Form2->RadioButton3, Form2->RadioButton4, Form2->RadioButton5})
        EXPECT_FALSE(r->Checked());
    EXPECT_FALSE(Form2->AutoTimer->Enabled());
    EXPECT_FALSE(Form1->ActivateTimer1->Checked());
}

TEST_F(Settings, OnlyNoresetDeletedResetsEverything) {
    Load();
    WriteValue("timerenabled", "1");
    WriteValue("time", "22:30");
    TouchAutostart();
    DeleteValue("noreset");
    Load();
    EXPECT_FALSE(Form2->CheckBox1->Checked());
    EXPECT_EQ(Form1->VReg1->Pop("time"), "00:00");
    EXPECT_EQ(Form1->VReg1->Pop("noreset"), "1");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(AutostartPath())));
}

TEST_F(Settings, MissingValuesTakeTheirDefaultsAndAreNotWrittenBack) {
    WriteValue("noreset", "1");
    Load();
    EXPECT_TRUE(Form2->CheckBox7->Checked());
    EXPECT_FALSE(Form2->CheckBox4->Checked());
    EXPECT_FALSE(ValueExists("confirmtimer"));
    EXPECT_FALSE(ValueExists("forced"));
}

TEST_F(Settings, StoredActionNumber) {
    WriteValue("noreset", "1");
    WriteValue("action", "2");
    Load();
    EXPECT_TRUE(Form2->RadioButton2->Checked());
    for (const char* other : {"6", "-1", "x", "", "02"}) {
        WriteValue("action", other);
        Load();
        EXPECT_TRUE(Form2->RadioButton2->Checked()) << other;
    }
    // A value of another type counts as no number.
    TRegistry r;
    ASSERT_TRUE(r.OpenKey(kKey, false));
    r.WriteInteger("action", 4);
    Load();
    EXPECT_TRUE(Form2->RadioButton2->Checked());
    EXPECT_TRUE(shownErrors_.empty());
}

TEST_F(Settings, TimeChangeNormalises) {
    const struct {
        const char *h, *m, *edit1;
    } cases[] = {{"7", "", "07:00"}, {"25", "99", "25:99"}, {"ab", "5", "00:05"}, {"-5", "0", "-5:00"}, {"", "", "00:00"}};
    for (const auto& c : cases) {
        Form2->Edit2->SetText(c.h);
        Form2->Edit3->SetText(c.m);
        Form2->TimeChange(nullptr);
        EXPECT_EQ(Form2->Edit1->Text(), c.edit1) << c.h << ":" << c.m;
        EXPECT_EQ(Form2->Edit2->Text() + ":" + Form2->Edit3->Text(), c.edit1);
    }
}

TEST_F(Settings, StoredTimesLoad) {
    WriteValue("noreset", "1");
    const std::pair<const char*, const char*> cases[] = {
        {"22:30", "22:30"}, {"25:99", "25:99"}, {"9:30", "09:30"}, {"7", "07:00"}, {"", "00:00"}};
    for (const auto& [stored, loaded] : cases) {
        WriteValue("time", stored);
        Load();
        EXPECT_EQ(Form2->Edit1->Text(), loaded) << stored;
    }
}

TEST_F(Settings, UncheckingTheTimerDisablesItsControls) {
    Form2->CheckBox1->SetChecked(true);
    Form2->CheckBox1Click(nullptr);
    Form2->CheckBox2->SetChecked(true);
    for (TControl* c : std::initializer_list<TControl*>{Form2->RadioButton1, Form2->RadioButton5, Form2->Edit2, Form2->Edit3, Form2->CheckBox2})
        EXPECT_TRUE(c->Enabled());
    EXPECT_EQ(Form2->Edit2->Color(), clWindow);
    Form2->CheckBox1->SetChecked(false);
    Form2->CheckBox1Click(nullptr);
    for (TControl* c : std::initializer_list<TControl*>{Form2->RadioButton1, Form2->RadioButton2, Form2->RadioButton3, Form2->RadioButton4,
                                                      Form2->RadioButton5, Form2->Edit1, Form2->Edit2, Form2->Edit3, Form2->CheckBox2})
        EXPECT_FALSE(c->Enabled());
    for (TEdit* e : {Form2->Edit1, Form2->Edit2, Form2->Edit3}) EXPECT_EQ(e->Color(), clBtnFace);
    EXPECT_FALSE(Form2->CheckBox2->Checked());
    EXPECT_TRUE(Form2->CheckBox7->Enabled());
    EXPECT_TRUE(Form2->CheckBox4->Enabled());
}

TEST_F(Settings, CancelKeepsChangedControlsActingOnTheBar) {
    Load();
    Form2->Show();
    Form2->CheckBox4->SetChecked(false);  // force off
    Form2->SpeedButton2Click(nullptr);
    EXPECT_FALSE(Form2->Visible());
    Form1->SpeedButton2Click(nullptr);  // Reboot
    EXPECT_EQ(os_.Calls.back(), "ExitWindowsEx(2)");
    EXPECT_EQ(Form1->VReg1->Pop("forced"), "1");
}

TEST_F(Settings, OkStoresAndStartsTheTimer) {
    Load();
    Form2->Show();
    Form2->CheckBox1->SetChecked(true);
    Form2->CheckBox1Click(nullptr);
    Form2->RadioButton4->SetChecked(true);
    Form2->CheckBox2->SetChecked(true);
    Form2->Edit2->SetText("6");
    Form2->Edit3->SetText("5");
    Form2->SpeedButton1Click(nullptr);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_EQ(Form1->VReg1->Pop("time"), "06:05");
    EXPECT_EQ(Form1->VReg1->Pop("action"), "4");
    EXPECT_EQ(Form1->VReg1->Pop("timerenabled"), "1");
    EXPECT_TRUE(Form2->AutoTimer->Enabled());
    EXPECT_TRUE(Form1->ActivateTimer1->Checked());
    EXPECT_TRUE(AutostartExists());
}

TEST_F(Settings, AutostartFailureLeavesTheDialogOpenWithTheOtherValuesStored) {
    Load();
    // A file where the autostart folder should be: the entry cannot be
    // written (also for root, which ignores permissions).
    QFile blocker(config_.path() + "/autostart");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Form2->Show();
    Form2->CheckBox1->SetChecked(true);
    Form2->CheckBox1Click(nullptr);
    Form2->CheckBox2->SetChecked(true);
    Form2->SpeedButton1->PerformClick();
    ASSERT_EQ(shownErrors_, std::vector<AnsiString>{"Failed to set data for 'DererezOzuvoruz'"});
    EXPECT_TRUE(Form2->Visible());
    EXPECT_EQ(Form1->VReg1->Pop("timerenabled"), "1");
    EXPECT_FALSE(Form2->AutoTimer->Enabled());  // the reload did not run
    EXPECT_FALSE(AutostartExists());
    ClearAutostart();  // cannot remove: does nothing
    Form2->Hide();
}

TEST_F(Settings, AutostartEntryParsesBackToTheProgramPath) {
    const AnsiString paths[] = {"/usr/bin/DErerevov", "/opt/Varnell Tools/DErerevov", "/tmp/we\"ird $dir\\x/100%/DErerevov"};
    for (const auto& path : paths) {
        AppServices().ProgramPath = [path] { return path; };
        SetAutostart();
        ASSERT_TRUE(AutostartExists());
        // Parse it as GLib-based launchers do: key file, then the Exec rules.
        const AnsiString cmd = "/usr/bin/python3 -c \"import sys; from gi.repository import GLib; k=GLib.KeyFile(); "
                               "k.load_from_file(sys.argv[1], 0); "
                               "a=GLib.shell_parse_argv(k.get_string('Desktop Entry','Exec').replace('%%','%'))[1]; "
                               "sys.stdout.write(a[0] if len(a)==1 else 'SPLIT')\" '" +
                               AutostartPath() + "'";
        FILE* p = popen(cmd.c_str(), "r");
        ASSERT_NE(p, nullptr);
        char buf[512] = {};
        const size_t n = fread(buf, 1, sizeof buf - 1, p);
        pclose(p);
        EXPECT_EQ(AnsiString(buf, n), path);
    }
    ClearAutostart();
    EXPECT_FALSE(AutostartExists());
}
