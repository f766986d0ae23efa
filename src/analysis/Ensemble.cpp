#include "Ensemble.h"

#include "WeatherRead.h"

#include <sstream>
#include <string_view>
#include <unordered_map>

namespace {

using namespace WeatherRead;

// The members while they are read: each source's File names the file and
// the member, so that every refusal of a member's timeline says which.
class TMembers {
public:
    explicit TMembers(std::string file) : FFile(std::move(file)) { }

    TWeatherSource& Member(const std::string& name, const std::string& where)
    {
        if (const auto found = FIndex.find(name); found != FIndex.end())
            return FSources[found->second];
        if (FNames.size() == EnsembleSource::MaxMembers)
            Refuse(FFile, where, "more than " + std::to_string(EnsembleSource::MaxMembers) + " members",
                TWeatherErrorKind::MemberCount);
        FIndex.emplace(name, FNames.size());
        FNames.push_back(name);
        FSources.emplace_back();
        FSources.back().File = FFile + ": " + NameForMessage(name);
        return FSources.back();
    }

    std::vector<TWeatherSource>& Sources() { return FSources; }

    TEnsemble Done()
    {
        if (FNames.size() < EnsembleSource::MinMembers)
            Refuse(FFile, "",
                std::to_string(FNames.size()) + (FNames.size() == 1 ? " member" : " members") + ", an ensemble has "
                    + std::to_string(EnsembleSource::MinMembers) + " to " + std::to_string(EnsembleSource::MaxMembers),
                TWeatherErrorKind::MemberCount);
        TEnsemble ensemble;
        ensemble.File = FFile;
        for (std::size_t n = 0; n < FNames.size(); ++n) {
            FSources[n].File = FFile;
            ensemble.Members.push_back({FNames[n], std::make_shared<const TWeatherSource>(std::move(FSources[n]))});
        }
        return ensemble;
    }

private:
    std::string FFile;
    std::vector<std::string> FNames;
    std::unordered_map<std::string, std::size_t> FIndex;  // a member's place in FNames
    std::vector<TWeatherSource> FSources;
};

bool startsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// The member a key of hourly belongs to for the quantity: "control" for the
// bare key, "memberNN" for "<key>_memberNN", each with the model suffix the
// key carries ("member07_icon_eu_eps", "control_icon_eu_eps"). None for
// another quantity's key: "cloud_cover_low" is a layer, not a model.
std::optional<std::string> memberOfKey(std::string_view key, std::string_view bare)
{
    if (key == bare)
        return "control";
    if (!startsWith(key, bare) || key.size() <= bare.size() + 1 || key[bare.size()] != '_')
        return std::nullopt;
    const std::string_view rest = key.substr(bare.size() + 1);
    for (const std::string_view layer : {"low", "mid", "high"})
        if (rest == layer || startsWith(rest, std::string(layer) + "_"))
            return std::nullopt;
    constexpr std::string_view Member = "member";
    if (startsWith(rest, Member)) {
        std::size_t end = Member.size();
        while (end < rest.size() && rest[end] >= '0' && rest[end] <= '9')
            ++end;
        if (end > Member.size() && (end == rest.size() || (rest[end] == '_' && end + 1 < rest.size())))
            return std::string(rest);
    }
    return "control_" + std::string(rest);
}

TEnsemble readJson(const std::string& text, const std::string& file)
{
    const TForecast forecast(text, file);
    for (std::size_t n = 1; n < forecast.Moments.size(); ++n)
        if (!IsAfter(forecast.Moments[n - 1], forecast.Moments[n]))
            Refuse(file, "hourly.time[" + std::to_string(n) + "]", "moment not after the one before it",
                TWeatherErrorKind::NotIncreasing);
    TMembers members(file);
    for (const auto& item : forecast.Root["hourly"].items()) {
        const std::string& key = item.key();
        for (std::size_t q = 0; q < QuantityCount; ++q) {
            const auto name = memberOfKey(key, Quantities[q].ForecastKey);
            if (!name)
                continue;
            TWeatherSource& source = members.Member(*name, "hourly." + NameForMessage(key));
            const double divisor
                = q == WindQuantity ? WindDivisor(forecast.Root, key, Quantities[q].ForecastKey, source.File) : 1.0;
            AddForecastSeries(source, q, forecast, key, divisor);
            break;
        }
    }
    if (forecast.Moments.empty() || members.Sources().empty())
        Refuse(file, "", "no temperature_2m, wind_speed_10m or cloud_cover in hourly", TWeatherErrorKind::Malformed);
    return members.Done();
}

TEnsemble readCsv(const std::string& text, const std::string& file)
{
    std::istringstream in(text);
    TCsvReader reader(in);
    const auto header = reader.Next();
    if (!header)
        Refuse(file, "", "unknown format: the file is empty", TWeatherErrorKind::Malformed);
    const TCsvLayout layout = CsvLayout(header->Fields, header->Line, file);
    std::optional<std::size_t> memberColumn;
    for (std::size_t c = 0; c < header->Fields.size() && !memberColumn; ++c)
        if (CsvCell(*header, c) == "member")
            memberColumn = c;
    if (!memberColumn)
        Refuse(file, "line " + std::to_string(header->Line), "no member column", TWeatherErrorKind::Malformed);
    TMembers members(file);
    std::vector<TWeatherMoment> last;  // each member's latest row
    while (const auto record = reader.Next()) {
        CheckCsvRow(*record, layout, file);
        const std::string where = "line " + std::to_string(record->Line);
        const std::string name = CsvCell(*record, *memberColumn);
        if (name.empty())
            Refuse(file, where, "the member cell is empty", TWeatherErrorKind::Malformed);
        const std::size_t before = members.Sources().size();
        TWeatherSource& source = members.Member(name, where);
        const std::size_t index = static_cast<std::size_t>(&source - members.Sources().data());
        const TWeatherMoment moment = CsvMoment(*record, layout, source.File);
        if (index == before)
            last.push_back(moment);
        else if (!IsAfter(last[index], moment))
            Refuse(source.File, where, "moment not after the member's row before it", TWeatherErrorKind::NotIncreasing);
        last[index] = moment;
        AddCsvValues(source, *record, layout, moment);
    }
    for (const TWeatherSource& source : members.Sources())
        RequireCsvPoints(source, layout);
    return members.Done();
}

}  // namespace

namespace EnsembleSource {

TEnsemble ReadText(const std::string& text, const std::string& file)
{
    return IsForecastJson(text, file) ? readJson(text, file) : readCsv(text, file);
}

TEnsemble ReadFile(const std::string& path)
{
    return ReadText(ReadCapped(path), path);
}

}  // namespace EnsembleSource
