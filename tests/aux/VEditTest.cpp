// TVEdit driven by real key and mouse events on an offscreen form.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "components/Vedit/Vedit.h"
#include "platform/gui/Forms.h"

namespace {
class VEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(nullptr);
        form->SetClientSize(300, 100);
        edit = new TVEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 24);
        other = new TEdit(form);
        other->SetParent(form);
        other->SetBounds(10, 50, 200, 24);
        const TStringList data{"Apple", "About", "Abbey"};
        edit->SetDataList(&data);
        form->Show();
        form->Activate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
        edit->SetFocus();
        ASSERT_TRUE(edit->Focused());
    }
    void TearDown() override { delete form; }

    QWidget* Native() const { return edit->Widget(); }
    void Type(const char* text) { QTest::keyClicks(Native(), QString::fromUtf8(text)); }
    AnsiString Selected() const { return static_cast<QLineEdit*>(Native())->selectedText().toStdString(); }
    void SetData(std::initializer_list<AnsiString> lines) {
        const TStringList list(lines);
        edit->SetDataList(&list);
    }
    void SetExclusions(std::initializer_list<AnsiString> lines) {
        const TStringList list(lines);
        edit->SetExclusionList(&list);
    }

    TForm* form = nullptr;
    TVEdit* edit = nullptr;
    TEdit* other = nullptr;
};
}  // namespace

TEST_F(VEditTest, CompletesAndSelectsTheAddedPart) {
    Type("ab");
    EXPECT_EQ(edit->Text(), "About");
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 3);
    EXPECT_EQ(Selected(), "out");
    Type("b");  // replaces the proposed "out"
    EXPECT_EQ(edit->Text(), "Abbey");
    EXPECT_EQ(Selected(), "ey");
}

TEST_F(VEditTest, OnlyIfUnequivocalWaitsForASingleMatch) {
    edit->OnlyIfUnequivocal = true;
    Type("ab");
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(edit->SelLength(), 0);
    Type("b");
    EXPECT_EQ(edit->Text(), "Abbey");
    EXPECT_EQ(Selected(), "ey");
}

TEST_F(VEditTest, ExclusionListInBothCaseModes) {
    const struct {
        const char* typed;
        bool caseSensitive;
        const char* result;
        const char* exclusion;
    } cases[] = {
        {"ab", true, "About", "ABO"},
        {"ab", false, "ab", "ABO"},
        {"abb", false, "Abbey", "ABO"},  // "abb" is no beginning of "abo"
        // "a" completes to "Apple", so the next letter follows "A" and the
        // text "Ab" equals the beginning of "Abo" in case too.
        {"ab", true, "Ab", "Abo"},
    };
    for (const auto& c : cases) {
        edit->SetText("");
        SetExclusions({c.exclusion});
        edit->CaseSensitiveExlusion = c.caseSensitive;
        Type(c.typed);
        EXPECT_EQ(edit->Text(), c.result) << c.typed << " case-sensitive " << c.caseSensitive;
    }
}

TEST_F(VEditTest, EmptyTextAfterCutProposesTheFirstEntryUnlessExcludedOrEquivocal) {
    const struct {
        bool withExclusion, onlyIfUnequivocal;
        const char* result;
    } cases[] = {{false, false, "Apple"}, {true, false, ""}, {false, true, ""}};
    for (const auto& c : cases) {
        SetExclusions({});
        if (c.withExclusion) SetExclusions({"zzz"});
        edit->OnlyIfUnequivocal = c.onlyIfUnequivocal;
        edit->SetText("About");
        static_cast<QLineEdit*>(Native())->selectAll();
        // Ctrl goes down and stays down while X is pressed and released.
        QTest::simulateEvent(Native(), true, Qt::Key_Control, Qt::NoModifier, QString(), false);
        QTest::simulateEvent(Native(), true, Qt::Key_X, Qt::ControlModifier, QString(), false);
        QTest::simulateEvent(Native(), false, Qt::Key_X, Qt::ControlModifier, QString(), false);
        EXPECT_EQ(edit->Text(), c.result);
        if (*c.result) {
            EXPECT_EQ(edit->SelStart(), 0);
            EXPECT_EQ(edit->SelLength(), 5);
        }
        QTest::simulateEvent(Native(), false, Qt::Key_Control, Qt::ControlModifier, QString(), false);
    }
}

TEST_F(VEditTest, TypedTextLongerThanAnEntryNeverMatchesIt) {
    SetData({"Ab"});
    Type("abc");
    EXPECT_EQ(edit->Text(), "Abc");
}

TEST_F(VEditTest, CaseOfTheEntryTakesOverUnlessComparedCaseSensitively) {
    Type("APP");
    EXPECT_EQ(edit->Text(), "Apple");
    EXPECT_EQ(Selected(), "le");
    edit->SetText("");
    edit->CaseSensitiveData = true;
    Type("ap");
    EXPECT_EQ(edit->Text(), "ap");
}

TEST_F(VEditTest, NonAsciiTextIsComparedAndSelectedByCharacters) {
    SetData({"Äpfel", "Birne"});
    QTest::sendKeyEvent(QTest::Click, Native(), Qt::Key_Adiaeresis, QString::fromUtf8("ä"), Qt::NoModifier);
    Type("p");
    EXPECT_EQ(edit->Text(), "Äpfel");
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(Selected(), "fel");
}

TEST_F(VEditTest, OnlySomeKeyReleasesStartACompletion) {
    SetData({"abc"});
    const struct {
        Qt::Key key;
        bool completes;
    } cases[] = {
        {Qt::Key_Backspace, false}, {Qt::Key_Delete, false}, {Qt::Key_Left, false},   {Qt::Key_Right, false},
        {Qt::Key_Up, false},        {Qt::Key_Down, false},   {Qt::Key_Space, false},  {Qt::Key_Shift, false},
        {Qt::Key_Return, false},    {Qt::Key_Home, false},   {Qt::Key_End, false},    {Qt::Key_Escape, false},
        {Qt::Key_Insert, false},    {Qt::Key_PageUp, false}, {Qt::Key_F1, false},     {Qt::Key_F12, false},
        {Qt::Key_Control, true},    {Qt::Key_Alt, true},     {Qt::Key_Tab, true},     {Qt::Key_A, true},
        {Qt::Key_Comma, true},
    };
    for (const auto& c : cases) {
        edit->SetText("a");
        QTest::keyRelease(Native(), c.key);
        EXPECT_EQ(edit->Text(), c.completes ? "abc" : "a") << "Qt key " << std::hex << c.key;
    }
}

TEST(VEditKeys, ExactlyTheThirtySixQuietCodes) {
    const int quiet[] = {16, 13, 36, 8,  12, 20, 27, 32, 33, 34, 35,  37,  38,  39,  40,  41,  42,  43,
                         44, 45, 46, 91, 92, 93, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123};
    int count = 0;
    for (int key = 0; key < 256; ++key) {
        const bool listed = std::find(std::begin(quiet), std::end(quiet), key) != std::end(quiet);
        EXPECT_EQ(Vedit::KeyStartsNoCompletion(static_cast<WORD>(key)), listed) << key;
        count += listed;
    }
    EXPECT_EQ(count, 36);
}

TEST_F(VEditTest, OnKeyUpIsNotRaisedButOnKeyDownIs) {
    int ups = 0, downs = 0;
    edit->OnKeyUp = [&](TObject*, WORD&, TShiftState) { ++ups; };
    edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++downs; };
    Type("ab");
    EXPECT_EQ(ups, 0);
    EXPECT_EQ(downs, 2);
}

TEST_F(VEditTest, WithoutExitAfterTabTheFocusStaysAndOnExitIsNotRaised) {
    int exits = 0;
    edit->OnExit = [&](TObject*) { ++exits; };
    edit->ExitAfterTab = false;
    QTest::keyClick(Native(), Qt::Key_Tab);
    EXPECT_TRUE(edit->Focused());
    QTest::mouseClick(other->Widget(), Qt::LeftButton);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(exits, 0);

    edit->ExitAfterTab = true;
    QTest::keyClick(Native(), Qt::Key_Tab);
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(exits, 1);
}

TEST_F(VEditTest, OnSelectMayChangeTheProposalAndItsSelection) {
    AnsiString seenText;
    int seenPos = -1;
    TObject* seenSender = nullptr;
    edit->OnSelect = [&](TObject* sender, AnsiString& text, int& pos) {
        seenSender = sender;
        seenText = text;
        seenPos = pos;
        text = "Apple pie";
        pos = 0;
    };
    Type("a");
    EXPECT_EQ(seenSender, edit);
    EXPECT_EQ(seenText, "Apple");
    EXPECT_EQ(seenPos, 1);
    EXPECT_EQ(edit->Text(), "Apple pie");
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(Selected(), "Apple pie");
}

TEST_F(VEditTest, AssigningAListCopiesIt) {
    TStringList mine{"Kiwi"};
    edit->SetDataList(&mine);
    edit->SetExclusionList(&mine);
    EXPECT_NE(edit->DataList(), &mine);
    mine.Put(0, "Mango");
    mine.Add("Melon");
    ASSERT_EQ(edit->DataList()->Count(), 1);
    EXPECT_EQ(edit->DataList()->Get(0), "Kiwi");
    EXPECT_EQ(edit->ExclusionList()->Count(), 1);
    edit->SetExclusionList(nullptr);
    EXPECT_EQ(edit->ExclusionList()->Count(), 0);
}
