// The wizard's four interface languages as data: every text that a language
// sets on the window, the Open dialogs and the messages.
#pragma once

#include <array>
#include <string_view>

namespace vantrel::wizard {

enum class Language { English, SimplifiedChinese, TraditionalChinese, Japanese };

inline constexpr std::array<Language, 4> kAllLanguages = {
    Language::English, Language::SimplifiedChinese, Language::TraditionalChinese,
    Language::Japanese};

// One Open dialog's filter: a description and a pattern, joined by "|".
struct FilterText {
  std::u16string_view description;
  std::u16string_view pattern;
};

struct LanguageTable {
  std::u16string_view fontName;
  std::u16string_view wizardTitle;
  std::array<std::u16string_view, 4> frameCaptions;    // Frame1..Frame4
  std::array<std::u16string_view, 4> commandCaptions;  // Command1..Command4
  std::u16string_view rewriteNoteBeforeFolder;
  std::u16string_view rewriteNoteAfterFolder;  // begins with the separator sign before "Web"
  std::u16string_view label5Caption;
  std::array<std::u16string_view, 3> dialogTitles;  // steps 1..3
  std::array<FilterText, 3> dialogFilters;          // steps 1..3
  std::u16string_view libraryNotFound;
  std::u16string_view serverNotFound;
  std::u16string_view includePathWrong;
  std::u16string_view rewriteDone;
};

const LanguageTable& TableOf(Language language);

// The menu bar: entry captions in menu order; they never change with the language.
struct MenuEntry {
  Language language;
  std::u16string_view caption;
};
inline constexpr std::array<MenuEntry, 4> kMenuEntries = {{
    {Language::English, u"English"},
    {Language::SimplifiedChinese, u"简体中文"},
    {Language::TraditionalChinese, u"繁體中文"},
    {Language::Japanese, u"日本語"},
}};

// Folder the step 2 dialog opens in, the same in every language.
inline constexpr std::u16string_view kServerDialogFolder = u"C:\\Program Files\\Serv-U";

}  // namespace vantrel::wizard
