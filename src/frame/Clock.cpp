#include "Clock.h"

QDateTime TSystemClock::Now() const
{
    return QDateTime::currentDateTime();
}
