#include "ClockAxis.h"

#include "AnalysisMoments.h"
#include "RegionalFormat.h"
#include "WallClock.h"

#include <cmath>

QCategoryAxis* ClockAxis::Make(QObject* parent, const TRunOutcome& outcome, double start, double end, int stepHours,
    bool withDate, bool dateBelow, TLanguage language)
{
    auto* axis = new QCategoryAxis(parent);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(start)),
        static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(end)));
    const double step = std::max(stepHours, 1) / 24.0;
    const auto ticks = static_cast<int>(std::floor((end - start) / step + 1e-6));
    QString previousDate;
    for (int n = 0; n <= ticks; ++n) {
        const double moment = start + n * step;
        const QString date = AnalysisMoments::WallDateTime(outcome, moment).date().toString(Qt::ISODate);
        // On a horizontal axis the date goes under the hour, where a tick's
        // width does not clip it.
        QString label = AnalysisMoments::FormatClock(outcome, moment);
        // The hour the October change repeats says which of its two clocks it is.
        const WallClock::TWallMoment wall = outcome.Wall(moment);
        if (WallClock::InRepeatedHour(wall.Moment, outcome.Clock)) {
            const QString mark = AnalysisMoments::ClockMark(wall.SummerTime, language).trimmed();
            label += dateBelow ? QStringLiteral("<br>") + mark : QLatin1Char(' ') + mark;
        }
        if (withDate && date != previousDate) {
            const QString day = RegionalFormat::FormatDate(AnalysisMoments::WallDateTime(outcome, moment).date());
            label = dateBelow ? label + QStringLiteral("<br>") + day : day + QLatin1Char(' ') + label;
        }
        previousDate = date;
        // The category axis takes each label once: a tick that reads as another
        // would lose its place.
        while (axis->categoriesLabels().contains(label)) {
            label.append(QChar(0x200B));
        }
        axis->append(label, static_cast<qreal>(AnalysisMoments::ToMsSinceEpoch(moment)));
    }
    return axis;
}
