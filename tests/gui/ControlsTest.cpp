#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <Qt>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "platform/gui/VirtualKeys.h"

TEST(Timer, EnablingAnEnabledTimerDoesNotRestartIt) {
    TTimer t(nullptr);
    t.SetInterval(200);
    int ticks = 0;
    t.OnTimer = [&](TObject*) { ++ticks; };
    QElapsedTimer clock;
    clock.start();
    t.SetEnabled(true);
    // Re-enabling every few ms would postpone a restarted timer forever.
    while (ticks == 0 && clock.elapsed() < 2000) {
        t.SetEnabled(true);
        Application->ProcessMessages();
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(RadioButton, SiblingsUncheckEachOtherAndTheProgramMayUncheck) {
    TForm form(nullptr);
    TGroupBox a(&form), b(&form);
    a.SetParent(&form);
    b.SetParent(&form);
    TRadioButton r1(&form), r2(&form), other(&form);
    r1.SetParent(&a);
    r2.SetParent(&a);
    other.SetParent(&b);
    other.SetChecked(true);
    r1.SetChecked(true);
    r2.SetChecked(true);
    EXPECT_FALSE(r1.Checked());
    EXPECT_TRUE(r2.Checked());
    EXPECT_TRUE(other.Checked());  // another container
    r2.SetChecked(false);
    EXPECT_FALSE(r2.Checked());
}

TEST(CheckBox, ClickRaisedOnChangeOnly) {
    TCheckBox c(nullptr);
    int clicks = 0;
    c.OnClick = [&](TObject*) { ++clicks; };
    c.SetChecked(true);
    c.SetChecked(true);
    c.SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST(HandlerExceptions, ReachTheApplicationsHandling) {
    AnsiString shown;
    Application->OnException = [&](TObject*, const Exception& e) { shown = e.Message(); };
    TCheckBox c(nullptr);
    c.OnClick = [](TObject*) { throw ERegistryException("Failed to set data for 'x'"); };
    c.SetChecked(true);
    EXPECT_EQ(shown, "Failed to set data for 'x'");
    Application->OnException = nullptr;
}

TEST(VirtualKeys, TableMapsBothWays) {
    struct Case {
        int qt;
        WORD vk;
    } cases[] = {{Qt::Key_A, 65}, {Qt::Key_7, 55}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Tab, 9},
                 {Qt::Key_Return, 13}, {Qt::Key_Left, 37}, {Qt::Key_Delete, 46}, {Qt::Key_F12, 123}, {Qt::Key_Menu, 93}};
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualKeyOf(c.qt), c.vk);
        EXPECT_EQ(QtKeyOfVirtualKey(c.vk), c.qt);
    }
}
