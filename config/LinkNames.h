// Names and places of the program's shell shortcuts. Platform-independent: the special folders come
// in as text, and an unresolved folder (empty text) yields no path at all, so that no shortcut is
// ever written or deleted anywhere else.
#pragma once

#include <string>
#include <string_view>

namespace config {

// The file name of every shortcut (without extension) and of the program-group folder.
inline constexpr const wchar_t* kShortcutName = L"Velmora";

// The extension of a path: from its last dot, the dot included, when that dot stands after the last
// backslash and the last drive colon; empty otherwise.
std::wstring_view LinkExtension(std::wstring_view path);

// The path a shell link is saved under: ".lnk" is appended unless the extension is exactly ".lnk"
// (case-sensitive: "x.LNK" becomes "x.LNK.lnk").
std::wstring WithLinkExtension(std::wstring_view path);

// folder + "\" + name, or empty text when the folder could not be resolved (empty).
std::wstring PathInFolder(std::wstring_view folder, std::wstring_view name);

}  // namespace config
