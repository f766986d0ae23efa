#include "EnsembleSummary.h"

#include "AnalysisMoments.h"
#include "EnsembleTexts.h"

#include <array>
#include <cmath>

namespace {

const TRunOutcome* runAt(const TEnsembleOutcome& outcome, const std::optional<std::size_t>& member)
{
    return member && *member < outcome.Runs.size() ? &outcome.Runs[*member] : nullptr;
}

}  // namespace

int ReadyPerCent(std::size_t ready, std::size_t members)
{
    if (members == 0)
        return 0;
    // In whole numbers, so that 37 of 40 (92.5) reads 93 on every machine.
    return static_cast<int>((200 * ready + members) / (2 * members));
}

QString EnsembleRangeText(const TEnsembleOutcome& outcome, TLanguage language)
{
    const std::array<const TRunOutcome*, 3> runs
        = {runAt(outcome, outcome.P10), runAt(outcome, outcome.P90), runAt(outcome, outcome.P50)};
    // The date is written when the moments shown fall on different days.
    bool oneDay = true;
    const TRunOutcome* first = nullptr;
    for (const TRunOutcome* run : runs) {
        if (!run)
            continue;
        const QDate day = AnalysisMoments::WallDateTime(*run, run->Reopening).date();
        if (first && AnalysisMoments::WallDateTime(*first, first->Reopening).date() != day)
            oneDay = false;
        if (!first)
            first = run;
    }
    QString text = EnsembleTexts::Text(language, TEnsembleText::Range);
    for (const TRunOutcome* run : runs) {
        if (!run) {
            text = text.arg(EnsembleTexts::Text(language, TEnsembleText::RangeNone));
            continue;
        }
        text = text.arg((oneDay ? AnalysisMoments::FormatClock(*run, run->Reopening)
                                : AnalysisMoments::FormatMoment(*run, run->Reopening))
            + AnalysisMoments::ClockNote(*run, run->Reopening, language));
    }
    return text;
}

QString EnsembleNoReopeningText(const TEnsembleResult& result, TLanguage language)
{
    QStringList names;
    const std::vector<TRunOutcome>& runs = result.Outcome.Runs;
    for (std::size_t m = 0; m < runs.size(); ++m) {
        if (!runs[m].Succeeded()) {
            names << (result.Ensemble && m < result.Ensemble->Members.size()
                    ? QString::fromStdString(result.Ensemble->Members[m].Name)
                    : QString::number(m + 1));
        }
    }
    return names.isEmpty()
        ? QString()
        : EnsembleTexts::Text(language, TEnsembleText::NoReopening).arg(names.join(QStringLiteral(", ")));
}

QString EnsembleReadyText(const TEnsembleResult& result, TLanguage language)
{
    if (!result.Target || !result.Outcome.ReadyMembers)
        return {};
    const std::size_t members = result.Outcome.Runs.size();
    const std::size_t ready = *result.Outcome.ReadyMembers;
    return EnsembleTexts::Text(language, TEnsembleText::Ready)
        .arg(AnalysisMoments::FormatClock(*result.Target))
        .arg(ready)
        .arg(members)
        .arg(ReadyPerCent(ready, members));
}
