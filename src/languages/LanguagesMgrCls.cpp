#include "LanguagesMgrCls.h"

#include "LanguageTexts.h"

#include <stdexcept>

void TLanguagesMgrCls::GetText(int index, QString& text) const
{
    GetTextFor(index, Language, text);
}

void TLanguagesMgrCls::GetTextFor(int index, TLanguage language, QString& text) const
{
    text.clear();
    // A language value outside the enumeration can only come from a cast; it
    // must not read past the tables either.
    if (index < 0 || index >= TextCount || (language != lgFR && language != lgNL)) {
        throw std::out_of_range(InvalidIndexMessage);
    }
    text = QString::fromUtf8(LanguageTexts::Text(language, index));
}

QString TLanguagesMgrCls::GetText(int index) const
{
    QString text;
    GetText(index, text);
    return text;
}

QString TLanguagesMgrCls::GetTextFor(int index, TLanguage language) const
{
    QString text;
    GetTextFor(index, language, text);
    return text;
}
