// TVReg: the settings key, the texts of check boxes and groups, and the
// errors that reach the caller.
#include <gtest/gtest.h>

#include <array>

#include "components/Vreg/Vreg.h"
#include "platform/registry/Registry.h"
#include "tests/registry/ConfigHome.h"

namespace {

class VregStore : public ConfigHomeTest {
protected:
    VregStore() : reg(nullptr) {
        reg.Programmname = "Vuvuviro";
        reg.Firmenname = "varnell";
    }
    // The value as another registry user sees it, "<missing>" when absent.
    static std::string Stored(const std::string& key, const std::string& name) {
        TRegistry r;
        return r.OpenKey(key, false) && r.ValueExists(name) ? r.ReadString(name) : "<missing>";
    }
    std::string Stored(const std::string& name) const { return Stored("Software\\varnell\\Vuvuviro", name); }
    TVReg reg;
};

// Groups of 2 to 10 members; the count is checked when the call is compiled.
template <class... A>
concept CanPushBool = requires(TVReg& r, A... a) { r.PushBool("x", a...); };
template <class... A>
concept CanPopBool = requires(TVReg& r, A... a) { r.PopBool("x", a...); };
template <class... A>
concept CanPushRadios = requires(TVReg& r, A... a) { r.PushRadioButtons("x", a...); };
template <class... A>
concept CanPopRadios = requires(TVReg& r, A... a) { r.PopRadioButtons("x", a...); };
using B = bool*;
using R = TRadioButton*;
static_assert(!CanPushBool<B> && CanPushBool<B, B> && CanPushBool<B, B, B, B, B, B, B, B, B, B>);
static_assert(!CanPushBool<B, B, B, B, B, B, B, B, B, B, B>);
static_assert(!CanPopBool<B, int> && CanPopBool<B, B, int> && CanPopBool<B, B, B, B, B, B, B, B, B, B, int>);
static_assert(!CanPopBool<B, B, B, B, B, B, B, B, B, B, B, int>);
static_assert(!CanPopBool<B, B> && !CanPopBool<B, B, bool> && !CanPopBool<B, R, int>);
static_assert(!CanPushRadios<R> && CanPushRadios<R, R> && !CanPushRadios<R, B>);
static_assert(!CanPopRadios<R, int> && CanPopRadios<R, R, R, R, R, int> && !CanPopRadios<R, R, R>);

}  // namespace

TEST_F(VregStore, SettingsKeyFollowsTheProperties) {
    reg.Push("noreset", "1");
    EXPECT_EQ(Stored("noreset"), "1");
    reg.Firmenname = "";
    reg.Push("noreset", "2");
    EXPECT_EQ(Stored("Software\\Vuvuviro", "noreset"), "2");
    EXPECT_EQ(Stored("noreset"), "1");
    EXPECT_EQ(reg.Pop("noreset"), "2");
    TVReg fresh(nullptr);
    EXPECT_EQ(fresh.Programmname, "");
    EXPECT_EQ(fresh.Firmenname, "");
}

TEST_F(VregStore, PopOfAValueNeverWrittenCreatesNothing) {
    EXPECT_EQ(reg.Pop("time"), "");
    EXPECT_FALSE(std::filesystem::exists(ConfigHome())) << "no hive, no folder";
    TVReg other(nullptr);
    other.Programmname = "Other";
    other.Push("x", "1");
    const std::string before = HiveText();
    EXPECT_EQ(reg.Pop("time"), "");
    EXPECT_FALSE(reg.PopCheckBox("time", false));
    EXPECT_EQ(HiveText(), before);
}

TEST_F(VregStore, PopCheckBoxKnowsOnlyOneAndZero) {
    const struct {
        const char* stored;  // nullptr: never written
        bool fallback;
        bool expected;
    } cases[] = {
        {nullptr, true, true}, {"0", true, false}, {"1", true, true},  {"yes", true, true},
        {"yes", false, false}, {"1", false, true}, {"", true, true},   {" 1", false, false},
        {"01", false, false},  {"0", false, false}, {nullptr, false, false},
    };
    for (const auto& c : cases) {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("Software\\varnell\\Vuvuviro", true));
        if (c.stored) r.WriteString("confirmtimer", c.stored);
        else r.DeleteValue("confirmtimer");
        EXPECT_EQ(reg.PopCheckBox("confirmtimer", c.fallback), c.expected) << (c.stored ? c.stored : "(none)");
    }
}

TEST_F(VregStore, FlagGroupsStoreThePositionOfTheLastSelected) {
    bool f[10] = {};
    reg.PushBool("g", &f[0], &f[1], &f[2], &f[3], &f[4]);
    EXPECT_EQ(Stored("g"), "0");
    f[3] = true;
    reg.PushBool("g", &f[0], &f[1], &f[2], &f[3], &f[4]);
    EXPECT_EQ(Stored("g"), "4");
    f[1] = true;  // two selected: the later one counts
    reg.PushBool("g", &f[0], &f[1], &f[2], &f[3], &f[4]);
    EXPECT_EQ(Stored("g"), "4");
    bool ten[10] = {};
    ten[9] = true;
    reg.PushBool("ten", &ten[0], &ten[1], &ten[2], &ten[3], &ten[4], &ten[5], &ten[6], &ten[7], &ten[8], &ten[9]);
    EXPECT_EQ(Stored("ten"), "10");
}

TEST_F(VregStore, PopBoolSetsAtMostOneFlagAndNeverClears) {
    const struct {
        const char* stored;
        int fallback;
        int expected;  // 1-based flag set, 0 none
    } cases[] = {
        {"3", 1, 3},  {"0", 2, 2},  {"0", 0, 0},   {"0", 6, 0},   {"0", -1, 0},  {"6", 0, 0},
        {"6", 5, 5},  {"04", 0, 0}, {" 4", 0, 0},  {"4 ", 0, 0},  {"+4", 0, 0},  {"", 1, 1},
        {"x", 0, 0},  {"5", 0, 5},  {nullptr, 4, 4},
    };
    for (const auto& c : cases) {
        TRegistry r;
        ASSERT_TRUE(r.OpenKey("Software\\varnell\\Vuvuviro", true));
        if (c.stored) r.WriteString("g", c.stored);
        else r.DeleteValue("g");
        std::array<bool, 5> f{};
        reg.PopBool("g", &f[0], &f[1], &f[2], &f[3], &f[4], c.fallback);
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(f[static_cast<std::size_t>(k - 1)], k == c.expected)
                << "stored " << (c.stored ? c.stored : "(none)") << " default " << c.fallback << " flag " << k;
    }
    bool a = true, b = true, d = true;
    reg.Push("g", "2");
    reg.PopBool("g", &a, &b, &d, 1);
    EXPECT_TRUE(a && b && d);

    bool ten[10] = {};
    reg.Push("ten", "10");
    reg.PopBool("ten", &ten[0], &ten[1], &ten[2], &ten[3], &ten[4], &ten[5], &ten[6], &ten[7], &ten[8], &ten[9], 0);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(ten[k], k == 9) << k;
    bool two[2] = {};
    reg.PopBool("ten", &two[0], &two[1], 0);  // "10" is no position of two
    EXPECT_FALSE(two[0] || two[1]);
}

TEST_F(VregStore, IsIntLooksAtTheFirstCharacterOnly) {
    for (const char* yes : {"12ab", "0", "9 lives"}) EXPECT_TRUE(reg.IsInt(yes)) << yes;
    for (const char* no : {"-5", " 1", "", "a1", "+3"}) EXPECT_FALSE(reg.IsInt(no)) << no;
}

TEST_F(VregStore, RegistryErrorsReachTheCaller) {
    WriteHive("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\varnell\\Vuvuviro]\n\"action\"=dword:00000002\n");
    EXPECT_THROW(
        {
            try {
                reg.Pop("action");
            } catch (const ERegistryException& e) {
                EXPECT_EQ(e.Message(), "Invalid data type for 'action'");
                throw;
            }
        },
        ERegistryException);
    std::filesystem::remove_all(HivePath().parent_path());
    WriteFile(ConfigHome() / "registry", "in the way");
    testing::internal::CaptureStderr();
    EXPECT_THROW(
        {
            try {
                reg.Push("noreset", "1");
            } catch (const ERegistryException& e) {
                EXPECT_EQ(e.Message(), "Failed to set data for 'noreset'");
                throw;
            }
        },
        ERegistryException);
    testing::internal::GetCapturedStderr();
}

TEST(VregPalette, RegisterPutsTheClassOnPageVarnell) {
    ::Vreg::Register();
    bool found = false;
    for (const TPaletteEntry& e : RegisteredComponents())
        if (e.className == "TVReg") found = e.page == "Varnell";
    EXPECT_TRUE(found);
}
