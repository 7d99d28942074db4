#pragma once
// Paths of the test documents and a scratch directory for generated ones.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/System.h"

inline AnsiString Fixture(const char* name) {
    return AnsiString(HTML_FIXTURES) + "/" + name;
}

// A file in a directory of its own below the system's temporary directory,
// removed with the object.
class TScratchFile {
public:
    TScratchFile(const std::string& name, const std::string& content)
        : dir_(std::filesystem::temp_directory_path() / ("vhtml-test-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / name).string();
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TScratchFile() { std::filesystem::remove_all(dir_); }
    const AnsiString& Path() const { return path_; }

private:
    std::filesystem::path dir_;
    AnsiString path_;
};
