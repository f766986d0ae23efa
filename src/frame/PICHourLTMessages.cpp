#include "PICHourLTMessages.h"

#include "AnalysisTexts.h"
#include "LanguagesMgrCls.h"
#include "PICHourCls.h"
#include "StringTools/StringToolsCls.h"

#include <charconv>
#include <optional>
#include <string>

namespace {

// The engine's failure codes (the number after its class name and slash).
constexpr int CodeTooThin = 1;
constexpr int CodeUnstable = 2;
constexpr int CodeTooLong = 3;

std::optional<int> DecimalCode(const std::string& text)
{
    int code = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, code);
    if (error != std::errc{} || stop != end || text.empty()) {
        return std::nullopt;
    }
    return code;
}

}  // namespace

QString PICHourLTMessages::FieldRefusalText(
    const TLanguagesMgrCls& texts, TText label, TInputRefusal refusal, const QString& limitText)
{
    QString message = texts.GetText(TText::FieldOpening) + texts.GetText(label);
    switch (refusal) {
    case TInputRefusal::NotAReal:
        return message + texts.GetText(TText::NotAReal);
    case TInputRefusal::BelowMinimum:
        return message + texts.GetText(TText::BelowMinimum) + limitText;
    case TInputRefusal::AboveMaximum:
        return message + texts.GetText(TText::AboveMaximum) + limitText;
    }
    return message;
}

QString PICHourLTMessages::SkippedLayingTimeText(TLanguage language, const QString& timeText, const QString& dateText)
{
    return AnalysisTexts::Text(language, TAnalysisText::LayingTimeSkipped).arg(timeText, dateText);
}

QString PICHourLTMessages::ComputeFailureText(
    const TLanguagesMgrCls& texts, std::string_view message, const QString& minTotalThicknessText)
{
    const std::vector<std::string> pieces = StringToolsCls::SplitString('/', message);
    if (pieces.empty()) {
        // Nothing but blanks: there is no first piece to show.
        return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())).trimmed();
    }
    QString firstPiece = QString::fromStdString(pieces.front());
    if (pieces.front() != TPICHourCls::ClassName || pieces.size() < 2) {
        return firstPiece;
    }
    switch (DecimalCode(pieces[1]).value_or(0)) {
    case CodeTooThin:
        return texts.GetText(TText::TooThinStart) + texts.GetText(TText::TooThinLimit) + minTotalThicknessText
            + texts.GetText(TText::TooThinUnit);
    case CodeUnstable:
        return texts.GetText(TText::Unstable);
    case CodeTooLong:
        return texts.GetText(TText::TooLong);
    default:
        return firstPiece;
    }
}
