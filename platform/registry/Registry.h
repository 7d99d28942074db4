#pragma once
// The class library's registry class. The current user's root is kept in a
// text hive file (see RegistryHivePath); every call reads that file afresh
// and every change replaces it atomically under a lock, so several programs
// may use it at once. Other roots are not kept: opening a key under them
// fails, and writes then raise as they do for a key without rights.
//
// Errors are ERegistryException with the class library's messages:
// "Failed to set data for '%s'", "Failed to get data for '%s'" and
// "Invalid data type for '%s'" (with the value name).
#include <cstdint>

#include "platform/core/Classes.h"

using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

class TRegistry : public TObject {
public:
    TRegistry();  // root HKEY_CURRENT_USER, no key open
    ~TRegistry() override;

    HKEY RootKey() const { return root_; }
    void SetRootKey(HKEY root);  // closes the open key

    // Opens `key` (backslash-separated; a leading backslash starts at the
    // root, otherwise it is relative to the open key). With canCreate, a
    // missing key and its missing parents are created. Keys and value names
    // are compared without regard to case.
    bool OpenKey(const AnsiString& key, bool canCreate);
    void CloseKey();
    AnsiString CurrentPath() const { return open_ ? path_ : AnsiString(); }
    bool KeyExists(const AnsiString& key);

    bool ValueExists(const AnsiString& name);
    // A text value (REG_SZ or REG_EXPAND_SZ, unexpanded); the empty text when
    // the value is missing. Another type raises "Invalid data type for '%s'".
    AnsiString ReadString(const AnsiString& name);
    void WriteString(const AnsiString& name, const AnsiString& value);
    // A REG_DWORD value. A missing value raises "Failed to get data for '%s'".
    int ReadInteger(const AnsiString& name);
    void WriteInteger(const AnsiString& name, int value);
    // False when there was no such value.
    bool DeleteValue(const AnsiString& name);

private:
    bool Resolve(const AnsiString& key, AnsiString& path) const;
    HKEY root_ = HKEY_CURRENT_USER;
    bool open_ = false;
    AnsiString path_;
};

// The file that keeps HKEY_CURRENT_USER:
// $XDG_CONFIG_HOME/registry/HKEY_CURRENT_USER.reg, by default
// ~/.config/registry/HKEY_CURRENT_USER.reg.
AnsiString RegistryHivePath();
