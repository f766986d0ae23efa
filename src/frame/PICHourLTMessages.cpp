#include "PICHourLTMessages.h"

#include "LanguagesMgrCls.h"
#include "PICHourCls.h"
#include "StringTools/StringToolsCls.h"

#include <charconv>
#include <optional>
#include <string>

namespace {

// Text indexes of the message pieces.
constexpr int TextFieldOpening = 33;
constexpr int TextNotAReal = 34;
constexpr int TextBelowMinimum = 47;
constexpr int TextAboveMaximum = 48;
constexpr int TextTooThinStart = 49;
constexpr int TextTooThinLimit = 50;
constexpr int TextTooThinUnit = 51;
constexpr int TextUnstable = 52;
constexpr int TextTooLong = 55;

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
    const TLanguagesMgrCls& texts, int labelTextIndex, TFieldRefusal refusal, const QString& limitText)
{
    QString message = texts.GetText(TextFieldOpening) + texts.GetText(labelTextIndex);
    switch (refusal) {
    case TFieldRefusal::NotAReal:
        return message + texts.GetText(TextNotAReal);
    case TFieldRefusal::BelowMinimum:
        return message + texts.GetText(TextBelowMinimum) + limitText;
    case TFieldRefusal::AboveMaximum:
        return message + texts.GetText(TextAboveMaximum) + limitText;
    }
    return message;
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
        return texts.GetText(TextTooThinStart) + texts.GetText(TextTooThinLimit) + minTotalThicknessText
            + texts.GetText(TextTooThinUnit);
    case CodeUnstable:
        return texts.GetText(TextUnstable);
    case CodeTooLong:
        return texts.GetText(TextTooLong);
    default:
        return firstPiece;
    }
}
