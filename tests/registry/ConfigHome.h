#pragma once
// Each test gets a fresh $XDG_CONFIG_HOME (and with it a hive of its own)
// in a temporary folder that is removed afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

inline std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

class ConfigHomeTest : public ::testing::Test {
protected:
    explicit ConfigHomeTest(const std::filesystem::path& base = std::filesystem::temp_directory_path())
        : root_(MakeTempDir(base)), config_("XDG_CONFIG_HOME", (root_ / "config").string()) {}
    ~ConfigHomeTest() override { std::filesystem::remove_all(root_); }

    std::filesystem::path Root() const { return root_; }
    std::filesystem::path ConfigHome() const { return root_ / "config"; }
    std::filesystem::path HivePath() const { return ConfigHome() / "registry" / "HKEY_CURRENT_USER.reg"; }
    std::string HiveText() const { return ReadFile(HivePath()); }
    void WriteHive(const std::string& text) const { WriteFile(HivePath(), text); }

private:
    static std::filesystem::path MakeTempDir(const std::filesystem::path& base) {
        std::string pattern = (base / "registry-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        return pattern;
    }
    std::filesystem::path root_;
    ScopedEnv config_;
};
