#pragma once

#include "LanguagesMgrCls.h"

#include <QTranslator>

// The few toolkit texts that its own French and Dutch translations leave in
// English (a file dialog's "Folder" in its type column, for one), in the
// program's language. Installed beside the toolkit's translation; it answers
// nothing else, so that every other text comes from that translation.
class TToolkitGapTranslator final : public QTranslator {
public:
    TLanguage Language = lgFR;

    QString translate(
        const char* context, const char* sourceText, const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};
