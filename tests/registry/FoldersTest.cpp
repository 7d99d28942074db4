// Where the program and the user's folders are.
#include <gtest/gtest.h>

#include "components/Vreg/Vreg.h"
#include "tests/registry/ConfigHome.h"

namespace {

class Folders : public ConfigHomeTest {
protected:
    Folders()
        : home_("HOME", (Root() / "home").string()),
          data_("XDG_DATA_HOME", (Root() / "data").string()),
          cache_("XDG_CACHE_HOME", (Root() / "cache").string()),
          reg(nullptr) {}
    std::string Home() const { return (Root() / "home").string(); }

private:
    ScopedEnv home_, data_, cache_;

protected:
    TVReg reg;
};

}  // namespace

TEST_F(Folders, AppDirIsTheProgramsFolderWithItsSlash) {
    const auto exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(reg.AppDir(), exe.parent_path().string() + "/");
}

TEST_F(Folders, KnownFoldersEndInASlashUnknownOnesAreEmpty) {
    // The desktop's own record of the user folders.
    WriteFile(ConfigHome() / "user-dirs.dirs",
              "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\"\n");
    const std::string config = ConfigHome().string();
    const std::string data = (Root() / "data").string();
    const struct {
        const char* what;
        std::string got;
        std::string expected;
    } cases[] = {
        {"Desktop", reg.GetDirDesktop(), Home() + "/Schreibtisch/"},
        {"Personal", reg.GetDirPersonal(), Home() + "/Dokumente/"},  // recorded with its "/": not doubled
        {"Startup", reg.GetDirStartup(), config + "/autostart/"},
        {"AppData", reg.GetDirAppData(), data + "/"},
        {"Cache", reg.GetDirCache(), (Root() / "cache").string() + "/"},
        {"Fonts", reg.GetDirFonts(), data + "/fonts/"},
        {"Programs", reg.GetDirPrograms(), data + "/applications/"},
        {"Start Menu", reg.GetDirStartMenu(), data + "/applications/"},
        {"desktop (any case)", reg.GetShellFolder("dEsKtOp"), Home() + "/Schreibtisch/"},
        {"Favorites", reg.GetDirFavorites(), ""},
        {"SendTo", reg.GetDirSendTo(), ""},
        {"NetHood", reg.GetDirNetHood(), ""},
        {"Quick Launch", reg.GetDirQuickLaunch(), ""},
        {"not a folder name", reg.GetShellFolder("Nonsense"), ""},
        {"empty name", reg.GetShellFolder(""), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}
