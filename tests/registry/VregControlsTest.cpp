// TVReg with the layer's check boxes and radio buttons.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/Vreg/Vreg.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "tests/registry/ConfigHome.h"

namespace {

class VregControls : public ConfigHomeTest {
protected:
    // Controls are owned by the form, which destroys them in the reverse
    // order of creation: the buttons before their group box.
    VregControls() : form(nullptr), group(new TGroupBox(&form)), reg(&form) {
        group->SetParent(&form);
        reg.Programmname = "Vuvuviro";
        reg.Firmenname = "varnell";
        for (int i = 0; i < 10; ++i) {
            auto* b = new TRadioButton(&form);
            b->SetParent(group);
            radios.push_back(b);
        }
    }
    TRadioButton* R(int position) const { return radios[static_cast<std::size_t>(position - 1)]; }
    int CheckedPosition() const {
        int found = 0;
        for (int k = 1; k <= 10; ++k)
            if (R(k)->Checked()) found = found ? -1 : k;  // -1: more than one
        return found;
    }

    TForm form;
    TGroupBox* group;
    TVReg reg;
    std::vector<TRadioButton*> radios;
};

}  // namespace

TEST_F(VregControls, CheckBoxIsStoredAsOneOrZero) {
    auto* box = new TCheckBox(&form);
    box->SetParent(&form);
    box->SetChecked(true);
    reg.PushCheckBox("forced", box);
    EXPECT_EQ(reg.Pop("forced"), "1");
    EXPECT_TRUE(reg.PopCheckBox("forced", false));
    box->SetChecked(false);
    reg.PushCheckBox("forced", box);
    EXPECT_EQ(reg.Pop("forced"), "0");
    EXPECT_FALSE(reg.PopCheckBox("forced", true));
}

TEST_F(VregControls, FiveRadioButtonsRoundTrip) {
    reg.PushRadioButtons("action", R(1), R(2), R(3), R(4), R(5));
    EXPECT_EQ(reg.Pop("action"), "0");
    R(4)->SetChecked(true);
    reg.PushRadioButtons("action", R(1), R(2), R(3), R(4), R(5));
    EXPECT_EQ(reg.Pop("action"), "4");

    R(1)->SetChecked(true);
    reg.PopRadioButtons("action", R(1), R(2), R(3), R(4), R(5), 0);
    EXPECT_EQ(CheckedPosition(), 4) << "the stored button is checked, its sibling unchecks itself";
}

TEST_F(VregControls, StoredNothingGivesTheDefaultOrLeavesTheGroupAlone) {
    reg.Push("action", "0");
    reg.PopRadioButtons("action", R(1), R(2), R(3), R(4), R(5), 2);
    EXPECT_EQ(CheckedPosition(), 2);
    for (int fallback : {0, 6}) {
        reg.PopRadioButtons("action", R(1), R(2), R(3), R(4), R(5), fallback);
        EXPECT_EQ(CheckedPosition(), 2) << "default " << fallback << " checks none and unchecks none";
    }
}

TEST_F(VregControls, TenRadioButtonsUseTwoDigits) {
    R(10)->SetChecked(true);
    reg.PushRadioButtons("ten", R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10));
    EXPECT_EQ(reg.Pop("ten"), "10");
    R(1)->SetChecked(true);
    reg.PopRadioButtons("ten", R(1), R(2), R(3), R(4), R(5), R(6), R(7), R(8), R(9), R(10), 3);
    EXPECT_EQ(CheckedPosition(), 10);
}
