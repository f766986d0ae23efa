#pragma once

#include <array>
#include <cstdint>

// The two user-interface languages; stored in one byte.
enum TLanguage : std::uint8_t { lgFR = 0, lgNL = 1 };

// The program's fixed texts, named after what they say; each value is the
// text's index in the tables.
enum class TText : int {
    LanguageCode = 0,  // "FR"
    LanguageName = 1,
    ProgramName = 2,  // the main window's and the chooser's caption
    MenuFile = 3,
    MenuQuit = 4,
    MenuLanguage = 5,
    MenuFrench = 6,
    MenuDutch = 7,
    MenuHelp = 8,
    MenuAbout = 9,
    VersionWord = 10,
    FrameCaption = 11,
    NewLayerGroup = 12,
    ThicknessLabel = 13,
    LayingTempLabel = 14,
    ReopenTempLabel = 15,
    WindGroup = 16,
    WindFeeble = 17,
    WindModerate = 18,
    WindStrong = 19,
    CloudGroup = 20,
    CloudClear = 21,
    CloudPartial = 22,
    CloudCovered = 23,
    LayingGroup = 24,
    LayingDateLabel = 25,
    LayingTimeLabel = 26,
    ClockGroup = 27,  // empty
    ReopeningDateLabel = 28,
    SummerTime = 29,
    WinterTime = 30,
    ResultsGroup = 31,
    ComputeButton = 32,
    FieldOpening = 33,  // "Le champ \"", followed by a label
    NotAReal = 34,
    January = 35,
    February = 36,
    March = 37,
    April = 38,
    May = 39,
    June = 40,
    July = 41,
    August = 42,
    September = 43,
    October = 44,
    November = 45,
    December = 46,
    BelowMinimum = 47,  // followed by the limit
    AboveMaximum = 48,  // followed by the limit
    TooThinStart = 49,
    TooThinLimit = 50,  // followed by the minimum total thickness
    TooThinUnit = 51,
    Unstable = 52,
    ComputedWaitStart = 53,  // followed by the wait in minutes
    ComputedWaitUnit = 54,
    TooLong = 55,
    AboutCaption = 56,
    AboutProduct = 57,
    AboutCopyright = 58,
    AboutCreditModel = 59,
    AboutCreditProjectManagement = 60,
    ReopeningTimeLabel = 61,
    ChooserPrompt = 62,
    ChooserFrench = 63,
    ChooserDutch = 64,
    LegalHeading = 65,
    LegalOwnership = 66,  // the first paragraph of the legal notice
    LegalRisk = 67,
    LegalAvailability = 68,
    LegalLiability = 69,  // the last
};

// The captions of the wind and cloud classes, in the classes' order.
inline constexpr std::array<TText, 3> WindClassTexts = {TText::WindFeeble, TText::WindModerate, TText::WindStrong};
inline constexpr std::array<TText, 3> CloudClassTexts = {TText::CloudClear, TText::CloudPartial, TText::CloudCovered};

// The constant text tables, UTF-8 encoded; every character lies in the
// Western European single-byte code page.
namespace LanguageTexts {

inline constexpr int Count = static_cast<int>(TText::LegalLiability) + 1;

// language and index must be valid (TLanguagesMgrCls checks them).
const char* Text(TLanguage language, int index);

}  // namespace LanguageTexts
