#pragma once
// In-memory form of one registry root and its text layout (REGEDIT4).
// Platform-internal: used by TRegistry and its tests, not by components.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace hive {

// Value types, numbered as the registry numbers them (and as hex(N): names them).
enum ValueType : std::uint32_t {
    kNone = 0,
    kString = 1,        // REG_SZ
    kExpandString = 2,  // REG_EXPAND_SZ
    kBinary = 3,        // REG_BINARY
    kDword = 4,         // REG_DWORD, little-endian
};

// The four little-endian bytes of a REG_DWORD value, and back.
std::string DwordBytes(std::uint32_t value);
std::uint32_t DwordOf(const std::string& bytes);

// Names are compared without regard to case; this is the form they are compared in.
std::string FoldName(const std::string& name);

struct Value {
    std::string name;  // as first written; "" is the key's default value ("@")
    std::uint32_t type = kNone;
    std::string data;  // raw bytes; texts keep their terminating zero
};

class Key {
public:
    explicit Key(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }
    const std::vector<Value>& Values() const { return values_; }
    const Value* FindValue(const std::string& name) const;
    // Returns whether anything changed.
    bool SetValue(const std::string& name, std::uint32_t type, std::string data);
    bool DeleteValue(const std::string& name);

private:
    std::string path_;  // below the root, parts joined by '\'; "" is the root itself
    std::vector<Value> values_;
    std::unordered_map<std::string, std::size_t> index_;  // folded name -> position
};

struct ParseError {
    int line = 0;  // 1-based
    std::string reason;
};

class Hive {
public:
    // rootName is the section prefix of the text form, e.g. "HKEY_CURRENT_USER".
    explicit Hive(std::string rootName);

    const std::string& RootName() const { return rootName_; }
    // The root itself ("") always exists.
    const Key* FindKey(const std::string& path) const;
    Key* FindKey(const std::string& path);
    // Creates the key and its missing parents; returns the key.
    Key& CreateKey(const std::string& path);
    std::size_t KeyCount() const { return keys_.size(); }

    std::string ToText() const;
    // Reads the text form. An empty text is an empty hive.
    static std::optional<Hive> Parse(const std::string& rootName, const std::string& text, ParseError& error);

private:
    Key& AddKey(const std::string& path);
    std::string rootName_;
    std::deque<Key> keys_;  // the root first, then in creation order; references stay valid
    std::unordered_map<std::string, std::size_t> index_;  // folded path -> position
};

// True when the key path is usable: parts separated by single backslashes,
// none empty, no control characters ("" is the root).
bool IsValidKeyPath(const std::string& path);
// True when a value name can be kept in the text form.
bool IsValidValueName(const std::string& name);

}  // namespace hive
