#include "ToolkitGapTranslator.h"

#include "AnalysisTexts.h"

#include <array>
#include <cstring>
#include <utility>

QString TToolkitGapTranslator::translate(const char* context, const char* sourceText, const char*, int) const
{
    // The kinds the file system model shows for what is not a typed file.
    static constexpr std::array<std::pair<const char*, TAnalysisText>, 6> Kinds{{
        {"Folder", TAnalysisText::FileKindFolder},
        {"File Folder", TAnalysisText::FileKindFolder},
        {"Drive", TAnalysisText::FileKindDrive},
        {"Shortcut", TAnalysisText::FileKindShortcut},
        {"File", TAnalysisText::FileKindFile},
        {"Unknown", TAnalysisText::FileKindUnknown},
    }};
    if (context == nullptr || sourceText == nullptr || std::strcmp(context, "QAbstractFileIconProvider") != 0) {
        return {};
    }
    for (const auto& [source, text] : Kinds) {
        if (std::strcmp(sourceText, source) == 0) {
            return AnalysisTexts::Text(Language, text);
        }
    }
    return {};
}
