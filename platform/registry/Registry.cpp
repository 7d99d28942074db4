#include "platform/registry/Registry.h"

#include <optional>

#include "platform/core/SysUtils.h"
#include "platform/registry/HiveFile.h"

namespace {

// Only the current user's root is kept by this layer.
std::optional<hive::HiveFile> HiveOf(HKEY root) {
    if (root != HKEY_CURRENT_USER) return std::nullopt;
    return hive::HiveFile(hive::CurrentUserHivePath(), "HKEY_CURRENT_USER");
}

[[noreturn]] void SetDataFailed(const AnsiString& name) {
    throw ERegistryException(Format("Failed to set data for '%s'", name));
}

// Applies `change` to the open key, creating it again should someone have
// removed it meanwhile. False when the hive could not be changed.
template <class Change>
bool ChangeKey(HKEY root, const AnsiString& path, Change change) {
    const auto file = HiveOf(root);
    return file && file->Update([&](hive::Hive& h) { return change(h.CreateKey(path)); });
}

}  // namespace

AnsiString RegistryHivePath() { return hive::CurrentUserHivePath(); }

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
    CloseKey();
    root_ = root;
}

void TRegistry::CloseKey() {
    open_ = false;
    path_.clear();
}

bool TRegistry::Resolve(const AnsiString& key, AnsiString& path) const {
    AnsiString p = key;
    const bool absolute = !p.empty() && p.front() == '\\';
    if (absolute) p.erase(0, 1);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    if (!absolute && open_ && !path_.empty()) p = p.empty() ? path_ : path_ + "\\" + p;
    if (!hive::IsValidKeyPath(p)) return false;
    path = p;
    return true;
}

bool TRegistry::KeyExists(const AnsiString& key) {
    AnsiString path;
    const auto file = HiveOf(root_);
    if (!file || !Resolve(key, path)) return false;
    const auto h = file->Read();
    return h && h->FindKey(path);
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate) {
    AnsiString path;
    if (!HiveOf(root_) || !Resolve(key, path)) return false;
    const bool ok = KeyExists("\\" + path) ||
                    (canCreate && ChangeKey(root_, path, [](hive::Key&) { return true; }));
    if (ok) {
        open_ = true;
        path_ = path;
    }
    return ok;
}

bool TRegistry::ValueExists(const AnsiString& name) {
    const auto file = HiveOf(root_);
    if (!open_ || !file) return false;
    const auto h = file->Read();
    const hive::Key* k = h ? h->FindKey(path_) : nullptr;
    return k && k->FindValue(name);
}

AnsiString TRegistry::ReadString(const AnsiString& name) {
    const auto file = HiveOf(root_);
    if (!open_ || !file) return {};
    const auto h = file->Read();
    const hive::Key* k = h ? h->FindKey(path_) : nullptr;
    const hive::Value* v = k ? k->FindValue(name) : nullptr;
    if (!v) return {};
    if (v->type != hive::kString && v->type != hive::kExpandString)
        throw ERegistryException(Format("Invalid data type for '%s'", name));
    return v->data.substr(0, v->data.find('\0'));
}

void TRegistry::WriteString(const AnsiString& name, const AnsiString& value) {
    if (!open_ || !hive::IsValidValueName(name)) SetDataFailed(name);
    const bool ok = ChangeKey(root_, path_, [&](hive::Key& k) {
        return k.SetValue(name, hive::kString, value + '\0');  // stored with its terminating zero
    });
    if (!ok) SetDataFailed(name);
}

int TRegistry::ReadInteger(const AnsiString& name) {
    const auto file = HiveOf(root_);
    const auto h = open_ && file ? file->Read() : std::nullopt;
    const hive::Key* k = h ? h->FindKey(path_) : nullptr;
    const hive::Value* v = k ? k->FindValue(name) : nullptr;
    if (!v) throw ERegistryException(Format("Failed to get data for '%s'", name));
    if (v->type != hive::kDword || v->data.size() != 4)
        throw ERegistryException(Format("Invalid data type for '%s'", name));
    return static_cast<int>(hive::DwordOf(v->data));
}

void TRegistry::WriteInteger(const AnsiString& name, int value) {
    if (!open_ || !hive::IsValidValueName(name)) SetDataFailed(name);
    const std::string data = hive::DwordBytes(static_cast<std::uint32_t>(value));
    if (!ChangeKey(root_, path_, [&](hive::Key& k) { return k.SetValue(name, hive::kDword, data); }))
        SetDataFailed(name);
}

bool TRegistry::DeleteValue(const AnsiString& name) {
    if (!open_) return false;
    bool existed = false;
    const bool ok = ChangeKey(root_, path_, [&](hive::Key& k) { return existed = k.DeleteValue(name); });
    return ok && existed;
}
