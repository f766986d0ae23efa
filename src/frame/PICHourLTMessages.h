#pragma once

#include <QString>

#include <string_view>

class TLanguagesMgrCls;

// The frame's messages, composed from the text tables in the current
// language: the refusals of a numeric field and the decoding of a failed
// computation. The one place where codes become user text.
namespace PICHourLTMessages {

// Why a numeric field was refused.
enum class TFieldRefusal {
    NotAReal = 1,  // empty or unparsable text
    BelowMinimum = 2,  // only at compute time
    AboveMaximum = 3,  // also while typing
};

// "Le champ " + quote, the field's label text, then the ending of the code;
// codes 2 and 3 end with limitText (the violated limit, already formatted).
QString FieldRefusalText(
    const TLanguagesMgrCls& texts, int labelTextIndex, TFieldRefusal refusal, const QString& limitText);

// The text to show for the message of an error raised during a computation:
// the engine's "TPICHourCls/<code>" for codes 1 to 3 becomes its localised
// explanation (code 1 quoting minTotalThicknessText); any other message is
// shown up to its first slash.
QString ComputeFailureText(
    const TLanguagesMgrCls& texts, std::string_view message, const QString& minTotalThicknessText);

}  // namespace PICHourLTMessages
