#include "ScenarioRun.h"

#include "DateUtilsBD2006.h"
#include "Daylight.h"
#include "PICHourCls.h"
#include "TheTimeUtilsCls.h"

#include <exception>

TRunOutcome RunScenario(const TScenario& scenario, const TRunSettings& settings)
{
    TRunOutcome outcome;
    try {
        TPICHourCls engine;
        ApplyScenario(scenario, engine);
        engine.SkyCache = settings.SkyCache;
        outcome.Laying = TheTimeUtilsCls::JoinDateAndTime(scenario.LayingDate, scenario.LayingTime);
        outcome.SummerTime = engine.SummerTime;
        outcome.ClockOffset = engine.SummerTime ? 2.0 : 1.0;
        outcome.BottomTemp = engine.BottomTemp;

        TNullProgressBar noProgress;
        try {
            engine.Compute(noProgress, scenario.LayingDate, scenario.LayingTime);
        } catch (const std::exception& error) {
            outcome.Failure = error.what();
        }
        outcome.DayOfYear = engine.DayOfYear;
        outcome.EquationOfTime = engine.EquationOfTime;
        outcome.StartSolarTime = engine.StartSolarTime;
        outcome.Limits = engine.Limits;
        if (settings.KeepHistory)
            outcome.History = std::make_shared<const TCoolingHistory>(engine.History());
        if (!outcome.Succeeded())
            return outcome;

        const double reopening = TheTimeUtilsCls::AddDuration(outcome.Laying, engine.ResultSeconds);
        if (!DateUtilsBD2006::DecodeDate(reopening)) {
            outcome.Failure = TRunOutcome::ReopeningOutOfRange;
            return outcome;
        }
        outcome.ResultSeconds = engine.ResultSeconds;
        outcome.Reopening = reopening;
        const SolarModel::TSite site{engine.Latitude, engine.Longitude, engine.SolarConstant};
        outcome.Night = Daylight::IsNightAt(reopening, outcome.ClockOffset, site);
    } catch (const std::exception& error) {
        outcome.Failure = error.what();
    }
    return outcome;
}
