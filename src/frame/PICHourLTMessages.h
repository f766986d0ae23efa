#pragma once

#include "LanguageTexts.h"
#include "ScenarioInputs.h"

#include <QString>

#include <string_view>

class TLanguagesMgrCls;

// The frame's messages, composed from the text tables in the current
// language: the refusals of a numeric field and the decoding of a failed
// computation. The one place where codes become user text.
namespace PICHourLTMessages {

// "Le champ " + quote, the field's label text, then the ending of the
// refusal; a value below the minimum (refused only at compute time) or above
// the maximum (also while typing) ends with limitText, the violated limit
// already formatted.
QString FieldRefusalText(const TLanguagesMgrCls& texts, TText label, TInputRefusal refusal, const QString& limitText);

// The text to show for the message of an error raised during a computation:
// the engine's "TPICHourCls/<code>" for codes 1 to 3 becomes its localised
// explanation (code 1 quoting minTotalThicknessText); any other message is
// shown up to its first slash.
QString ComputeFailureText(
    const TLanguagesMgrCls& texts, std::string_view message, const QString& minTotalThicknessText);

// A laying time the legal clock skips (the March change's hour): timeText
// and dateText as the pickers show them.
QString SkippedLayingTimeText(TLanguage language, const QString& timeText, const QString& dateText);

}  // namespace PICHourLTMessages
