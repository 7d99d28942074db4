// TRegistry on a real hive file in a private $XDG_CONFIG_HOME.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/SysUtils.h"
#include "platform/registry/Registry.h"
#include "tests/registry/ConfigHome.h"

namespace {

class Registry : public ConfigHomeTest {};

// Runs `f` and gives the message of the ERegistryException it raised.
template <class F>
std::string RegistryError(F f) {
    try {
        f();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "<no error>";
}

}  // namespace

TEST_F(Registry, HiveLivesUnderTheConfigHomeReadableByItsOwnerOnly) {
    EXPECT_EQ(RegistryHivePath(), HivePath().string());
    {
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/dir");  // not absolute: ignored, as XDG says
        ScopedEnv home("HOME", "/home/someone");
        EXPECT_EQ(RegistryHivePath(), "/home/someone/.config/registry/HKEY_CURRENT_USER.reg");
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\varnell\\Vuvuviro", true));
    reg.WriteString("noreset", "1");
    EXPECT_EQ(HiveText(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\varnell]\n"
              "\n[HKEY_CURRENT_USER\\Software\\varnell\\Vuvuviro]\n\"noreset\"=\"1\"\n");
    struct stat st {};
    ASSERT_EQ(stat(HivePath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(Registry, KeysAndNamesIgnoreCaseAndRelativePathsStartAtTheOpenKey) {
    TRegistry w;
    ASSERT_TRUE(w.OpenKey("\\Software\\Varnell\\", true));
    ASSERT_TRUE(w.OpenKey("Vuvuviro", true));  // relative to the open key
    EXPECT_EQ(w.CurrentPath(), "Software\\Varnell\\Vuvuviro");
    w.WriteString("Time", "22:30");

    TRegistry r;
    ASSERT_TRUE(r.OpenKey("SOFTWARE\\varnell\\VUVUVIRO", false));
    EXPECT_TRUE(r.ValueExists("TIME"));
    EXPECT_EQ(r.ReadString("time"), "22:30");
    EXPECT_EQ(r.ReadString("missing"), "");
    EXPECT_FALSE(r.OpenKey("\\Software\\nothing", false));
    EXPECT_EQ(r.CurrentPath(), "SOFTWARE\\varnell\\VUVUVIRO") << "a failed open keeps the open key";
    EXPECT_FALSE(r.OpenKey("a\\\\b", true));
    EXPECT_FALSE(r.KeyExists("\\Software\\Varnell\\Vuvuviro\\a"));
}

TEST_F(Registry, EveryCallReadsTheFileAfresh) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("a", "1");
    TRegistry other;
    ASSERT_TRUE(other.OpenKey("Software\\Test", false));
    other.WriteString("a", "2");
    EXPECT_EQ(reg.ReadString("a"), "2");
    WriteHive("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Test]\n\"a\"=\"by hand\"\n");
    EXPECT_EQ(reg.ReadString("a"), "by hand");
    WriteHive("REGEDIT4\n");  // the key removed by hand: a write brings it back
    reg.WriteString("b", "3");
    EXPECT_EQ(reg.ReadString("b"), "3");
}

TEST_F(Registry, TypedValuesAreNotTexts) {
    WriteHive("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Test]\n"
              "\"bin\"=hex:01,02\n\"expand\"=hex(2):25,41,25,00\n\"multi\"=hex(7):61,00,00\n");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", false));
    reg.WriteInteger("count", 7);
    EXPECT_EQ(reg.ReadInteger("count"), 7);
    EXPECT_EQ(reg.ReadString("expand"), "%A%") << "REG_EXPAND_SZ reads as text, unexpanded";
    for (const char* name : {"count", "bin", "multi"})
        EXPECT_EQ(RegistryError([&] { reg.ReadString(name); }), Format("Invalid data type for '%s'", name));
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("expand"); }), "Invalid data type for 'expand'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("none"); }), "Failed to get data for 'none'");
    reg.WriteString("count", "now text");
    EXPECT_EQ(reg.ReadString("count"), "now text");
}

TEST_F(Registry, DeleteValueTellsWhetherThereWasOne) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("a", "1");
    reg.WriteString("b", "2");
    EXPECT_TRUE(reg.DeleteValue("A"));
    EXPECT_FALSE(reg.DeleteValue("a"));
    EXPECT_FALSE(reg.ValueExists("a"));
    EXPECT_EQ(reg.ReadString("b"), "2");
    TRegistry closed;
    EXPECT_FALSE(closed.DeleteValue("b"));
}

TEST_F(Registry, ValuesThatBreakLinesStayTextsAndKeepTheFileReadable) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("note", "line 1\n[HKEY_CURRENT_USER\\evil]\n\"x\"=\"y\"");
    reg.WriteString("after", "ok");
    EXPECT_EQ(reg.ReadString("note"), "line 1\n[HKEY_CURRENT_USER\\evil]\n\"x\"=\"y\"");
    EXPECT_EQ(reg.ReadString("after"), "ok");
    EXPECT_FALSE(reg.KeyExists("\\evil"));
    EXPECT_EQ(RegistryError([&] { reg.WriteString("bad\nname", "1"); }), "Failed to set data for 'bad\nname'");
}

TEST_F(Registry, OtherRootsAreRefusedAndNothingIsWritten) {
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Run", true));
    EXPECT_FALSE(reg.ValueExists("DererezOzuvoruz"));
    EXPECT_EQ(reg.ReadString("DererezOzuvoruz"), "");
    EXPECT_FALSE(reg.DeleteValue("DererezOzuvoruz"));
    EXPECT_EQ(RegistryError([&] { reg.WriteString("DererezOzuvoruz", "/usr/bin/DErerevov"); }),
              "Failed to set data for 'DererezOzuvoruz'");
    EXPECT_FALSE(std::filesystem::exists(ConfigHome()));
}

TEST_F(Registry, UnwritablePlaceFailsTheWrite) {
    // A file where the hive's folder should be stops everyone, root included.
    WriteFile(ConfigHome() / "registry", "not a folder");
    TRegistry reg;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(reg.OpenKey("Software\\Test", true));
    EXPECT_EQ(RegistryError([&] { reg.WriteString("a", "1"); }), "Failed to set data for 'a'");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("registry"), std::string::npos);
}

TEST_F(Registry, ReadOnlyFolderFailsTheWriteAndKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Test", true));
    reg.WriteString("a", "1");
    const std::string before = HiveText();
    std::filesystem::permissions(HivePath().parent_path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    testing::internal::CaptureStderr();
    EXPECT_EQ(RegistryError([&] { reg.WriteString("a", "2"); }), "Failed to set data for 'a'");
    testing::internal::GetCapturedStderr();
    std::filesystem::permissions(HivePath().parent_path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(HiveText(), before);
}

TEST_F(Registry, CorruptHiveIsNeverOverwritten) {
    const std::string corrupt =
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\varnell\\Vuvuviro]\n\"noreset\"=\"1\"\n\"time\"=\"22:30\n";
    WriteHive(corrupt);
    TRegistry reg;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(reg.OpenKey("Software\\varnell\\Vuvuviro", false)) << "an unreadable hive holds no keys";
    EXPECT_FALSE(reg.OpenKey("Software\\varnell\\Vuvuviro", true));
    EXPECT_EQ(RegistryError([&] { reg.WriteString("noreset", "1"); }), "Failed to set data for 'noreset'");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(HivePath().string() + ":4:"), std::string::npos) << err;
    EXPECT_EQ(HiveText(), corrupt);

    // Once mended by hand, the hive is used again.
    WriteHive("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\varnell\\Vuvuviro]\n\"time\"=\"22:30\"\n");
    ASSERT_TRUE(reg.OpenKey("Software\\varnell\\Vuvuviro", false));
    EXPECT_EQ(reg.ReadString("time"), "22:30");
}
