#pragma once
// TVReg keeps a program's settings as named text values under
// HKEY_CURRENT_USER\Software\<Firmenname>\<Programmname>: plain texts, check
// boxes as "1"/"0", and groups of radio buttons or flags as the 1-based
// position of their selected member ("0" for none). Nothing is cached: every
// call opens the key, does its one read or write and closes it again.
// It also tells where the program and the user's folders are.
#include <array>
#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/core/Classes.h"

class TCheckBox;
class TRadioButton;

namespace Vreg {

// Puts TVReg on the palette page "Varnell".
void Register();

namespace detail {

// How a group reads and sets its members: radio buttons by their checked
// state, flags through their pointers. Members are only ever set, never
// cleared (radio buttons of one parent uncheck each other by themselves).
bool Selected(const TRadioButton* button);
void Select(TRadioButton* button);
inline bool Selected(const bool* flag) { return *flag; }
inline void Select(bool* flag) { *flag = true; }

inline constexpr std::size_t kMinGroup = 2;
inline constexpr std::size_t kMaxGroup = 10;

// 2 to 10 members of one kind.
template <class Member, class... Members>
concept Group = sizeof...(Members) >= kMinGroup && sizeof...(Members) <= kMaxGroup &&
                (std::convertible_to<Members, Member> && ...);

template <class Member, class... Args>
constexpr bool IsGroupThenDefault() {
    constexpr std::size_t n = sizeof...(Args);
    if constexpr (n < kMinGroup + 1 || n > kMaxGroup + 1) {
        return false;
    } else {
        using All = std::tuple<std::remove_cvref_t<Args>...>;
        using Last = std::tuple_element_t<n - 1, All>;
        return std::integral<Last> && !std::same_as<Last, bool> &&
               []<std::size_t... I>(std::index_sequence<I...>) {
                   return (std::convertible_to<std::tuple_element_t<I, All>, Member> && ...);
               }(std::make_index_sequence<n - 1>{});
    }
}

// 2 to 10 members of one kind, then the default position.
template <class Member, class... Args>
concept GroupThenDefault = IsGroupThenDefault<Member, Args...>();

}  // namespace detail
}  // namespace Vreg

class TVReg : public TComponent {
public:
    explicit TVReg(TComponent* owner);

    // Published properties, read and written directly: the settings key is
    // worked out from them again on every call. Firmenname may be empty.
    AnsiString Programmname;
    AnsiString Firmenname;

    // Writes a text value, creating the key when missing. A key that can be
    // neither opened nor created raises "Failed to set data for '%s'".
    void Push(const AnsiString& name, const AnsiString& value);
    // The stored text, or the empty text when the key or value is missing
    // (nothing is created). A value that is not text raises
    // "Invalid data type for '%s'".
    AnsiString Pop(const AnsiString& name);

    void PushCheckBox(const AnsiString& name, const TCheckBox* box);
    // "1" true, "0" false, anything else `fallback`.
    bool PopCheckBox(const AnsiString& name, bool fallback);

    // PushRadioButtons(name, b1, ..., bN), N = 2..10.
    template <class... Buttons>
        requires Vreg::detail::Group<const TRadioButton*, Buttons...>
    void PushRadioButtons(const AnsiString& name, Buttons... buttons) {
        PushGroup(name, {Vreg::detail::Selected(static_cast<const TRadioButton*>(buttons))...});
    }
    // PopRadioButtons(name, b1, ..., bN, defaultPosition): checks at most one.
    template <class... Args>
        requires Vreg::detail::GroupThenDefault<TRadioButton*, Args...>
    void PopRadioButtons(const AnsiString& name, Args... args) {
        PopGroup<TRadioButton*>(name, args...);
    }
    // PushBool(name, &f1, ..., &fN), N = 2..10.
    template <class... Flags>
        requires Vreg::detail::Group<const bool*, Flags...>
    void PushBool(const AnsiString& name, Flags... flags) {
        PushGroup(name, {Vreg::detail::Selected(static_cast<const bool*>(flags))...});
    }
    // PopBool(name, &f1, ..., &fN, defaultPosition): sets at most one to true.
    template <class... Args>
        requires Vreg::detail::GroupThenDefault<bool*, Args...>
    void PopBool(const AnsiString& name, Args... args) {
        PopGroup<bool*>(name, args...);
    }

    // True when the text begins with a digit; the rest is not looked at.
    bool IsInt(const AnsiString& text) const;

    // Folders, each ending in '/', or the empty text when not known.
    AnsiString AppDir() const;  // the directory of the running program file
    AnsiString GetShellFolder(const AnsiString& name) const;
    AnsiString GetDirCache() const { return GetShellFolder("Cache"); }
    AnsiString GetDirDesktop() const { return GetShellFolder("Desktop"); }
    AnsiString GetDirFavorites() const { return GetShellFolder("Favorites"); }
    AnsiString GetDirFonts() const { return GetShellFolder("Fonts"); }
    AnsiString GetDirNetHood() const { return GetShellFolder("NetHood"); }
    AnsiString GetDirPersonal() const { return GetShellFolder("Personal"); }
    AnsiString GetDirPrograms() const { return GetShellFolder("Programs"); }
    AnsiString GetDirSendTo() const { return GetShellFolder("SendTo"); }
    AnsiString GetDirStartMenu() const { return GetShellFolder("Start Menu"); }
    AnsiString GetDirStartup() const { return GetShellFolder("Startup"); }
    AnsiString GetDirAppData() const { return GetShellFolder("AppData"); }
    AnsiString GetDirQuickLaunch() const;

private:
    AnsiString SettingsKey() const;
    // Stores the position of the last selected member, "0" when none is.
    void PushGroup(const AnsiString& name, std::initializer_list<bool> selected);
    // The position (1..count) the stored text, or else the default, names; 0 for none.
    int PoppedPosition(const AnsiString& name, int count, long long fallback);

    template <class Member, class... Args>
    void PopGroup(const AnsiString& name, Args... args) {
        constexpr std::size_t n = sizeof...(Args) - 1;
        const auto all = std::make_tuple(args...);
        const int position = PoppedPosition(name, static_cast<int>(n), static_cast<long long>(std::get<n>(all)));
        if (position == 0) return;
        const auto members = [&]<std::size_t... I>(std::index_sequence<I...>) {
            return std::array<Member, n>{static_cast<Member>(std::get<I>(all))...};
        }(std::make_index_sequence<n>{});
        Vreg::detail::Select(members[static_cast<std::size_t>(position - 1)]);
    }
};
