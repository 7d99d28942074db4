#pragma once
// Object model of the class library: components with owners, events,
// string lists and the design palette registry.
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/core/System.h"

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// A component is owned by another one and destroyed with it. Owned
// components are destroyed in the reverse order of their creation.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& name) { name_ = name; }
    int ComponentCount() const { return static_cast<int>(owned_.size()); }
    TComponent* Components(int index) const { return owned_.at(static_cast<size_t>(index)); }
    // Destroys the owned components now, newest first (the destructor does
    // it too); lets a subclass release them before its own resources.
    void DestroyComponents();

private:
    void RemoveOwned(TComponent* c);
    TComponent* owner_;
    AnsiString name_;
    std::vector<TComponent*> owned_;
};

// List of texts. Index access outside 0..Count-1 raises EStringListError
// "List index out of bounds (%d)".
class TStrings : public TObject {
public:
    virtual int Count() const = 0;
    virtual AnsiString Get(int index) const = 0;
    virtual void Put(int index, const AnsiString& s) = 0;
    virtual void Insert(int index, const AnsiString& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    AnsiString Strings(int index) const { return Get(index); }
    AnsiString operator[](int index) const { return Get(index); }
    virtual int Add(const AnsiString& s);
    void Assign(const TStrings& source);
    int IndexOf(const AnsiString& s) const;
    // Lines joined with "\n", each line terminated.
    AnsiString Text() const;
    void SetText(const AnsiString& text);

protected:
    [[noreturn]] static void IndexError(int index);
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(std::initializer_list<AnsiString> lines) : items_(lines) {}
    int Count() const override { return static_cast<int>(items_.size()); }
    AnsiString Get(int index) const override;
    void Put(int index, const AnsiString& s) override;
    void Insert(int index, const AnsiString& s) override;
    void Delete(int index) override;
    void Clear() override { items_.clear(); }

private:
    void Check(int index) const;
    std::vector<AnsiString> items_;
};

// The design palette: which component classes a unit's Register function
// put on which page.
struct TPaletteEntry {
    AnsiString page;
    AnsiString className;
};
void RegisterComponents(const AnsiString& page, std::initializer_list<AnsiString> classNames);
const std::vector<TPaletteEntry>& RegisteredComponents();
