#include "platform/registry/Hive.h"

#include <QString>

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace hive {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

bool HasControl(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return IsControl(static_cast<unsigned char>(c)); });
}

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// `prefix` is given in lower case.
bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (c != prefix[i]) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Parses 1..maxDigits hex digits making up all of `s`.
std::optional<std::uint32_t> ParseHex(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<std::uint32_t>(d);
    }
    return v;
}

// ---- text form: writing ----

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + '"';
}

// A text value goes out as "text" when that form gives back exactly its
// bytes; otherwise (line breaks, inner zeros, no terminator) as hex(1):.
bool FitsQuotedForm(const Value& v) {
    if (v.type != kString || v.data.empty() || v.data.back() != '\0') return false;
    const std::string text = v.data.substr(0, v.data.size() - 1);
    return text.find('\0') == std::string::npos && !HasControl(text);
}

std::string HexData(const std::string& prefix, const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out = prefix;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
        if (i + 1 == bytes.size()) break;
        out += ',';
        if (out.size() - lineStart > 76) {  // keep lines under 80 columns, as exports do
            out += "\\\n  ";
            lineStart = out.size() - 2;
        }
    }
    return out;
}

std::string ValueLine(const Value& v) {
    std::string out = v.name.empty() ? "@=" : Quoted(v.name) + "=";
    if (FitsQuotedForm(v)) return out + Quoted(v.data.substr(0, v.data.size() - 1));
    if (v.type == kDword && v.data.size() == 4) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", DwordOf(v.data));
        return out + buf;
    }
    if (v.type == kBinary) return HexData(out + "hex:", v.data);
    char type[24];
    std::snprintf(type, sizeof type, "hex(%x):", v.type);
    return HexData(out + type, v.data);
}

// ---- text form: reading ----

struct LineError {
    std::string reason;
};

// Reads a quoted text starting at s[pos] == '"'; leaves pos after the closing quote.
std::string ReadQuoted(std::string_view s, std::size_t& pos) {
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\') {
            if (pos + 1 >= s.size()) break;
            const char e = s[++pos];
            if (e != '\\' && e != '"')
                throw LineError{std::string("unknown escape \\") + e + " in a quoted text (write \\\\ for a backslash)"};
            out += e;
            continue;
        }
        out += c;
    }
    throw LineError{"quoted text without its closing quote"};
}

// "01,02,ff" into bytes; an empty list is no bytes, one trailing comma is allowed.
std::string ReadHexBytes(std::string_view text) {
    std::string_view list = Trim(text);
    if (!list.empty() && list.back() == ',') list.remove_suffix(1);
    std::string bytes;
    if (list.empty()) return bytes;
    for (;;) {
        const auto comma = list.find(',');
        const std::string_view item = Trim(list.substr(0, comma));
        const auto b = ParseHex(item, 2);
        if (!b) throw LineError{"'" + std::string(item) + "' is not a hex byte"};
        bytes += static_cast<char>(*b);
        if (comma == std::string_view::npos) return bytes;
        list.remove_prefix(comma + 1);
    }
}

// Reads the data after '=' of a value line into v.
void ReadData(std::string_view data, Value& v) {
    if (data == "-") throw LineError{"value deletions (=-) have no place in a stored hive"};
    if (!data.empty() && data[0] == '"') {
        std::size_t pos = 0;
        v.type = kString;
        v.data = ReadQuoted(data, pos) + '\0';
        if (!Trim(data.substr(pos)).empty()) throw LineError{"text after the closing quote"};
        return;
    }
    if (StartsWithNoCase(data, "dword:")) {
        const auto d = ParseHex(Trim(data.substr(6)), 8);
        if (!d) throw LineError{"dword: needs 1 to 8 hex digits"};
        v.type = kDword;
        v.data = DwordBytes(*d);
        return;
    }
    if (StartsWithNoCase(data, "hex:")) {
        v.type = kBinary;
        v.data = ReadHexBytes(data.substr(4));
        return;
    }
    if (StartsWithNoCase(data, "hex(")) {
        const auto close = data.find("):");
        const auto type = close == std::string_view::npos ? std::nullopt : ParseHex(data.substr(4, close - 4), 8);
        if (!type) throw LineError{"hex(N): needs a hex type number"};
        v.type = *type;
        v.data = ReadHexBytes(data.substr(close + 2));
        return;
    }
    throw LineError{"unknown value data (expected \"text\", dword: or hex:)"};
}

Value ReadValueLine(std::string_view line) {
    Value v;
    std::size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else {
        v.name = ReadQuoted(line, pos);
    }
    const std::string_view rest = Trim(line.substr(pos));
    if (rest.empty() || rest[0] != '=') throw LineError{"'=' expected after the value name"};
    ReadData(Trim(rest.substr(1)), v);
    return v;
}

// Key path of a section line "[ROOT\path]" below the root.
std::string ReadSection(std::string_view line, const std::string& rootName) {
    if (line.back() != ']') throw LineError{"section without its closing ']'"};
    const std::string_view inner = line.substr(1, line.size() - 2);
    if (!inner.empty() && inner[0] == '-') throw LineError{"key deletions ([-...]) have no place in a stored hive"};
    const auto slash = inner.find('\\');
    if (FoldName(std::string(inner.substr(0, slash))) != FoldName(rootName)) throw LineError{"key outside " + rootName};
    const std::string path(slash == std::string_view::npos ? std::string_view() : inner.substr(slash + 1));
    if (!IsValidKeyPath(path)) throw LineError{"invalid key path (empty part or control character)"};
    return path;
}

// The physical lines of a text, without line ends; a UTF-8 byte order mark is dropped.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool IsHexData(std::string_view line) {
    const auto eq = line.find('=');
    return eq != std::string_view::npos && StartsWithNoCase(Trim(line.substr(eq + 1)), "hex");
}

}  // namespace

std::string DwordBytes(std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    return bytes;
}

std::uint32_t DwordOf(const std::string& bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = value * 256 + static_cast<unsigned char>(bytes[i]);
    return value;
}

std::string FoldName(const std::string& name) {
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        // Only well-formed UTF-8 gets full case folding; other bytes are kept as they are.
        if (text.toUtf8() == QByteArray(name.data(), static_cast<qsizetype>(name.size())))
            return text.toCaseFolded().toUtf8().toStdString();
    }
    std::string out = name;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsValidKeyPath(const std::string& path) {
    if (path.empty()) return true;
    if (HasControl(path) || path.front() == '\\' || path.back() == '\\') return false;
    return path.find("\\\\") == std::string::npos;
}

bool IsValidValueName(const std::string& name) { return !HasControl(name); }

// ---- Key ----

const Value* Key::FindValue(const std::string& name) const {
    const auto it = index_.find(FoldName(name));
    return it == index_.end() ? nullptr : &values_[it->second];
}

bool Key::SetValue(const std::string& name, std::uint32_t type, std::string data) {
    const std::string folded = FoldName(name);
    const auto it = index_.find(folded);
    if (it == index_.end()) {
        index_.emplace(folded, values_.size());
        values_.push_back({name, type, std::move(data)});
        return true;
    }
    Value& v = values_[it->second];
    if (v.type == type && v.data == data) return false;
    v.type = type;
    v.data = std::move(data);
    return true;
}

bool Key::DeleteValue(const std::string& name) {
    const auto it = index_.find(FoldName(name));
    if (it == index_.end()) return false;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(it->second));
    index_.clear();
    for (std::size_t i = 0; i < values_.size(); ++i) index_.emplace(FoldName(values_[i].name), i);
    return true;
}

// ---- Hive ----

Hive::Hive(std::string rootName) : rootName_(std::move(rootName)) { AddKey(""); }

Key& Hive::AddKey(const std::string& path) {
    index_.emplace(FoldName(path), keys_.size());
    keys_.emplace_back(path);
    return keys_.back();
}

const Key* Hive::FindKey(const std::string& path) const {
    const auto it = index_.find(FoldName(path));
    return it == index_.end() ? nullptr : &keys_[it->second];
}

Key* Hive::FindKey(const std::string& path) {
    return const_cast<Key*>(static_cast<const Hive*>(this)->FindKey(path));
}

Key& Hive::CreateKey(const std::string& path) {
    if (Key* k = FindKey(path)) return *k;
    const auto slash = path.rfind('\\');
    if (slash != std::string::npos) CreateKey(path.substr(0, slash));
    return AddKey(path);
}

std::string Hive::ToText() const {
    std::string out = "REGEDIT4\n";
    for (const Key& k : keys_) {
        if (k.Path().empty() && k.Values().empty()) continue;
        out += "\n[" + rootName_ + (k.Path().empty() ? "" : "\\" + k.Path()) + "]\n";
        for (const Value& v : k.Values()) out += ValueLine(v) + '\n';
    }
    return out;
}

std::optional<Hive> Hive::Parse(const std::string& rootName, const std::string& text, ParseError& error) {
    Hive hive(rootName);
    const std::vector<std::string_view> lines = SplitLines(text);
    bool header = false;
    Key* current = nullptr;
    std::string joined;  // a value that goes on over several lines
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t first = i;
        try {
            std::string_view line = Trim(lines[i]);
            if (line.empty() || line[0] == ';') continue;
            if (!header) {
                if (line != "REGEDIT4") throw LineError{"the first line must be REGEDIT4"};
                header = true;
            } else if (line[0] == '[') {
                const std::string path = ReadSection(line, rootName);
                current = &hive.CreateKey(path);
            } else if (line[0] == '"' || line[0] == '@') {
                if (!current) throw LineError{"value outside a [key] section"};
                // hex lists may go on over several lines, each but the last ending in '\'
                if (IsHexData(line) && line.back() == '\\') {
                    joined = line;
                    while (joined.back() == '\\' && i + 1 < lines.size()) {
                        joined.pop_back();
                        joined += Trim(lines[++i]);
                    }
                    line = joined;
                }
                Value v = ReadValueLine(line);
                current->SetValue(v.name, v.type, std::move(v.data));
            } else {
                throw LineError{"unexpected text (expected [key], \"name\"=data, a ; comment or a blank line)"};
            }
        } catch (const LineError& e) {
            error = {static_cast<int>(first + 1), e.reason};
            return std::nullopt;
        }
    }
    return hive;
}

}  // namespace hive
