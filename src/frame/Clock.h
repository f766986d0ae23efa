#pragma once

#include <QDateTime>

// The local clock, injected so that tests can fix "now".
class TClock {
public:
    virtual ~TClock() = default;
    // Local date and time of day.
    virtual QDateTime Now() const = 0;
};

class TSystemClock final : public TClock {
public:
    QDateTime Now() const override;
};
