// TVBrFolder with a stand-in chooser: no modal dialog blocks the run.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/Vbrfolder/Vbrfolder.h"
#include "components/Vedit/Vedit.h"
#include "components/Vsnapshot/Vsnapshot.h"
#include "platform/dialogs/FolderChooser.h"
#include "platform/gui/Forms.h"

namespace {
// Records what it was asked and answers with a given path.
class ScriptedChooser : public IFolderChooser {
public:
    AnsiString ChooseFolder(const AnsiString& startFolder, const AnsiString& title, TWinControl* owner) override {
        ++calls;
        seenStart = startFolder;
        seenTitle = title;
        seenOwner = owner;
        return answer;
    }
    AnsiString answer;
    int calls = 0;
    AnsiString seenStart, seenTitle;
    TWinControl* seenOwner = nullptr;
};

class VBrFolderTest : public ::testing::Test {
protected:
    void SetUp() override { SetFolderChooser(&chooser); }
    void TearDown() override { SetFolderChooser(nullptr); }
    ScriptedChooser chooser;
    TVBrFolder browse{nullptr};
};
}  // namespace

TEST_F(VBrFolderTest, HandsOverStartFolderTitleAndOwnerAndReturnsTheChoice) {
    TForm owner(nullptr);
    chooser.answer = "/srv/data";
    EXPECT_EQ(browse.Execute("/home/user", "Pick a folder", &owner), "/srv/data");
    EXPECT_EQ(chooser.calls, 1);
    EXPECT_EQ(chooser.seenStart, "/home/user");
    EXPECT_EQ(chooser.seenTitle, "Pick a folder");
    EXPECT_EQ(chooser.seenOwner, &owner);
    // The unit's start folder keeps its last value until the next call.
    EXPECT_EQ(Vbrfolder::StartFolder(), "/home/user");
    chooser.answer = "";
    browse.Execute("/tmp", "", nullptr);
    EXPECT_EQ(Vbrfolder::StartFolder(), "/tmp");
    EXPECT_EQ(chooser.seenOwner, nullptr);
}

TEST_F(VBrFolderTest, CancelGivesTheEmptyText) {
    chooser.answer = "";
    EXPECT_EQ(browse.Execute("/home", "Pick", nullptr), "");
}

TEST_F(VBrFolderTest, OnlyATrailingSeparatorBeyondTheRootIsCut) {
    const struct {
        const char* chosen;
        const char* result;
    } cases[] = {
        {"/", "/"},         {"//", "/"},      {"/tm", "/tm"},         {"/t", "/t"},
        {"/tmp/", "/tmp"},  {"/tmp", "/tmp"}, {"/srv/data//", "/srv/data"},
        {"/home/user/Data", "/home/user/Data"},
    };
    for (const auto& c : cases) {
        chooser.answer = c.chosen;
        EXPECT_EQ(browse.Execute("/", "", nullptr), c.result) << c.chosen;
    }
}

TEST(AuxRegister, EachUnitPutsItsClassOnTheVarnellPage) {
    Vsnapshot::Register();
    Vedit::Register();
    Vbrfolder::Register();
    const auto& palette = RegisteredComponents();
    for (const char* name : {"TVSnapShot", "TVEdit", "TVBrFolder"}) {
        const bool found = std::any_of(palette.begin(), palette.end(),
                                       [&](const TPaletteEntry& e) { return e.page == "Varnell" && e.className == name; });
        EXPECT_TRUE(found) << name;
    }
}
