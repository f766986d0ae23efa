#pragma once

#include "LanguageTexts.h"

#include <QString>

// Hands out the texts of the current language by name or by index (0 to
// 69). Holds no copy of the texts; windows fetch theirs whenever they apply
// the language.
class TLanguagesMgrCls {
public:
    static constexpr int TextCount = LanguageTexts::Count;
    // Message of the std::out_of_range raised for an index outside the tables.
    static constexpr const char* InvalidIndexMessage = "Array index is invalid!";

    TLanguagesMgrCls() : TLanguagesMgrCls(lgFR) { }
    explicit TLanguagesMgrCls(TLanguage language) : Language(language) { }

    TLanguage Language;

    // text is emptied first, so that it stays empty when the index is refused.
    void GetText(int index, QString& text) const;
    void GetTextFor(int index, TLanguage language, QString& text) const;

    // The same lookups, returning the text.
    QString GetText(int index) const;
    QString GetTextFor(int index, TLanguage language) const;
    QString GetText(TText text) const { return GetText(static_cast<int>(text)); }
    QString GetTextFor(TText text, TLanguage language) const { return GetTextFor(static_cast<int>(text), language); }
};
