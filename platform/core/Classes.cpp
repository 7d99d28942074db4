#include "platform/core/Classes.h"

#include <algorithm>

#include "platform/core/SysUtils.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
    DestroyComponents();
    if (owner_) owner_->RemoveOwned(this);
}

void TComponent::DestroyComponents() {
    while (!owned_.empty()) {
        TComponent* last = owned_.back();
        owned_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
}

void TComponent::RemoveOwned(TComponent* c) {
    owned_.erase(std::remove(owned_.begin(), owned_.end(), c), owned_.end());
}

void TStrings::IndexError(int index) {
    throw EStringListError(Format("List index out of bounds (%d)", index));
}

int TStrings::Add(const AnsiString& s) {
    const int at = Count();
    Insert(at, s);
    return at;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    Clear();
    for (int i = 0; i < source.Count(); ++i) Add(source.Get(i));
}

int TStrings::IndexOf(const AnsiString& s) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == s) return i;
    return -1;
}

AnsiString TStrings::Text() const {
    AnsiString out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += '\n';
    }
    return out;
}

void TStrings::SetText(const AnsiString& text) {
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == AnsiString::npos) end = text.size();
        AnsiString line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Add(line);
        start = end + 1;
    }
}

void TStringList::Check(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
}

AnsiString TStringList::Get(int index) const {
    Check(index);
    return items_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const AnsiString& s) {
    Check(index);
    items_[static_cast<size_t>(index)] = s;
}

void TStringList::Insert(int index, const AnsiString& s) {
    if (index < 0 || index > Count()) IndexError(index);
    items_.insert(items_.begin() + index, s);
}

void TStringList::Delete(int index) {
    Check(index);
    items_.erase(items_.begin() + index);
}

namespace {
std::vector<TPaletteEntry>& Palette() {
    static std::vector<TPaletteEntry> entries;
    return entries;
}
}  // namespace

void RegisterComponents(const AnsiString& page, std::initializer_list<AnsiString> classNames) {
    for (const auto& name : classNames) {
        auto& p = Palette();
        const bool known = std::any_of(p.begin(), p.end(), [&](const TPaletteEntry& e) { return e.className == name; });
        if (!known) p.push_back({page, name});
    }
}

const std::vector<TPaletteEntry>& RegisteredComponents() { return Palette(); }
