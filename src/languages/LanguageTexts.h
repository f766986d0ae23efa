#pragma once

#include "LanguagesMgrCls.h"

// The constant text tables, UTF-8 encoded; every character lies in the
// Western European single-byte code page.
namespace LanguageTexts {

// language and index must be valid (TLanguagesMgrCls checks them).
const char* Text(TLanguage language, int index);

}  // namespace LanguageTexts
