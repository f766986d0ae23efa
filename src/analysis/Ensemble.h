#pragma once

#include "WeatherSource.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// One equally likely forecast of an ensemble: a weather timeline with
// exactly a timeline file's rules.
struct TEnsembleMember {
    std::string Name;  // "control", "member07", "member07_icon_eu_eps", or a CSV's member cell
    std::shared_ptr<const TWeatherSource> Weather;
};

// An ensemble of forecasts as read from a file, members in the file's order.
struct TEnsemble {
    std::string File;
    std::vector<TEnsembleMember> Members;
    // The member named "control", else the first whose name starts with it
    // (a model's control), else the first.
    std::size_t TopMember() const
    {
        for (std::size_t n = 0; n < Members.size(); ++n)
            if (Members[n].Name == "control")
                return n;
        for (std::size_t n = 0; n < Members.size(); ++n)
            if (Members[n].Name.starts_with("control"))
                return n;
        return 0;
    }
};

namespace EnsembleSource {

inline constexpr std::size_t MinMembers = 2;
inline constexpr std::size_t MaxMembers = 100;

// Reads a forecast service's ensemble JSON or an ensemble CSV (time, member
// and any of air_temp, wind_speed, cloud_cover), told apart by content.
// Throws TWeatherError, naming the member when one member is refused.
TEnsemble ReadFile(const std::string& path);
TEnsemble ReadText(const std::string& text, const std::string& file);

}  // namespace EnsembleSource
