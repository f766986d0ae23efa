#include "Ensemble.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

const std::string DataDir = KELVARA_TEST_DATA "/weather/";

std::vector<std::string> namesOf(const TEnsemble& ensemble)
{
    std::vector<std::string> names;
    for (const TEnsembleMember& member : ensemble.Members)
        names.push_back(member.Name);
    return names;
}

TEST(EnsembleTest, ReadsTheRecordedForecastsMembersInOrder)
{
    std::setlocale(LC_ALL, "");
    const TEnsemble ensemble = EnsembleSource::ReadFile(DataDir + "ensemble-brussels.json");
    ASSERT_EQ(ensemble.Members.size(), 40u);
    EXPECT_EQ(ensemble.Members[0].Name, "control");
    EXPECT_EQ(ensemble.Members[7].Name, "member07");
    EXPECT_EQ(ensemble.Members[39].Name, "member39");
    EXPECT_EQ(ensemble.TopMember(), 0u);
    const TWeatherSource& control = *ensemble.Members[0].Weather;
    EXPECT_EQ(control.File, DataDir + "ensemble-brussels.json");
    ASSERT_EQ(control.WindSpeed.size(), 120u);
    EXPECT_EQ(control.WindSpeed[0].Value, 10.0 / 3.6);  // km/h
    EXPECT_EQ(control.WindSpeed[0].Moment.OffsetSeconds, 7200);
    EXPECT_EQ(control.AirTemp.size(), 120u);
    // The last member's forecast ends six hours early: its nulls are no points.
    EXPECT_EQ(ensemble.Members[39].Weather->CloudCover.size(), 114u);
}

TEST(EnsembleTest, ModelSuffixesNullsAndMissingQuantities)
{
    const TEnsemble ensemble = EnsembleSource::ReadText(
        R"({"utc_offset_seconds":0,"hourly_units":{"wind_speed_10m":"m/s","wind_speed_10m_member01_icon_eu_eps":"km/h"},
            "hourly":{"time":["2027-07-13T20:00","2027-07-13T21:00"],
            "temperature_2m_member01_icon_eu_eps":[20,null],"temperature_2m_icon_eu_eps":[21,20],
            "wind_speed_10m_member01_icon_eu_eps":[36,18],"wind_speed_10m_member01":[3,2],
            "cloud_cover_low":[5,5],"cloud_cover_member01":[null,40]}})",
        "m.json");
    const std::vector<std::string> expected = {"member01_icon_eu_eps", "control_icon_eu_eps", "member01"};
    ASSERT_EQ(namesOf(ensemble), expected);
    EXPECT_EQ(ensemble.TopMember(), 1u);  // the model's control
    const TWeatherSource& suffixed = *ensemble.Members[0].Weather;
    EXPECT_EQ(suffixed.AirTemp.size(), 1u);
    EXPECT_EQ(suffixed.WindSpeed[0].Value, 10.0);  // the key's own unit
    EXPECT_TRUE(suffixed.CloudCover.empty());
    const TWeatherSource& plain = *ensemble.Members[2].Weather;
    EXPECT_EQ(plain.WindSpeed[0].Value, 3.0);  // the bare key's unit
    EXPECT_TRUE(plain.AirTemp.empty());
    ASSERT_EQ(plain.CloudCover.size(), 1u);  // a layer's key is no member's
    EXPECT_EQ(plain.CloudCover[0].Value, 40.0);
    EXPECT_TRUE(ensemble.Members[1].Weather->WindSpeed.empty());
}

std::string membersCsv(int count)
{
    std::string text = "time,member,air_temp\n";
    for (int n = 0; n < count; ++n)
        text += "2027-07-13T20:00Z,m" + std::to_string(n) + ",20\n";
    return text;
}

TEST(EnsembleTest, ReadsTheCsvsInterleavedMembersWithTheirOffsets)
{
    const TEnsemble ensemble = EnsembleSource::ReadFile(DataDir + "ensemble-site.csv");
    const std::vector<std::string> expected = {"control", "warm", "cool, windy"};
    ASSERT_EQ(namesOf(ensemble), expected);
    const TWeatherSource& warm = *ensemble.Members[1].Weather;
    ASSERT_EQ(warm.AirTemp.size(), 4u);
    EXPECT_EQ(warm.WindSpeed.size(), 3u);  // an empty cell is no point
    EXPECT_EQ(warm.AirTemp[1].Moment.OffsetSeconds, 0);
    EXPECT_EQ(warm.AirTemp[2].Value, 22.1);
    EXPECT_EQ(warm.AirTemp[2].Where, "line 10");
    EXPECT_EQ(ensemble.Members[2].Weather->CloudCover.back().Value, 80.0);
    EXPECT_EQ(EnsembleSource::ReadText(membersCsv(100), "e").Members.size(), 100u);
}

struct TRefusal {
    std::string Text;
    const char* Message;
    TWeatherErrorKind Kind;
};

class EnsembleRefusalTest : public testing::TestWithParam<TRefusal> { };

TEST_P(EnsembleRefusalTest, GivesOneLineNamingTheMember)
{
    try {
        EnsembleSource::ReadText(GetParam().Text, "e");
        FAIL() << "accepted";
    } catch (const TWeatherError& error) {
        EXPECT_EQ(std::string(error.what()), std::string("e: ") + GetParam().Message);
        EXPECT_EQ(error.Kind(), GetParam().Kind);
    }
}

const std::string Json
    = R"({"hourly_units":{"wind_speed_10m":"km/h"},"hourly":{"time":["2027-07-13T20:00","2027-07-13T21:00"],)";

INSTANTIATE_TEST_SUITE_P(Cases, EnsembleRefusalTest,
    testing::Values(TRefusal{membersCsv(1), "1 member, an ensemble has 2 to 100", TWeatherErrorKind::MemberCount},
        TRefusal{membersCsv(101), "line 102: more than 100 members", TWeatherErrorKind::MemberCount},
        TRefusal{Json + R"("temperature_2m":[20,21]}})", "1 member, an ensemble has 2 to 100",
            TWeatherErrorKind::MemberCount},
        TRefusal{R"({"hourly_units":{"wind_speed_10m":"km/h","wind_speed_10m_member02":"kn"},)"
                 R"("hourly":{"time":["2027-07-13T20:00"],"wind_speed_10m":[9],"wind_speed_10m_member02":[9]}})",
            "member02: wind speed unit \"kn\" is neither m/s nor km/h", TWeatherErrorKind::Malformed},
        TRefusal{Json + R"("cloud_cover":[20,21],"cloud_cover_member07":[50,101]}})",
            "member07: hourly.cloud_cover_member07[1]: cloud cover 101 % outside 0 to 100",
            TWeatherErrorKind::OutOfRange},
        TRefusal{Json + R"("cloud_cover":[20,21],"cloud_cover_member07":[null,null]}})",
            "member07: hourly.cloud_cover_member07 has no points", TWeatherErrorKind::Malformed},
        TRefusal{R"({"hourly":{"time":["2027-07-13T20:00","2027-07-13T20:00"],"cloud_cover":[1,2]}})",
            "hourly.time[1]: moment not after the one before it", TWeatherErrorKind::NotIncreasing},
        TRefusal{"time,member,wind_speed\n2027-07-13T20:00+02:00,a,3\n2027-07-13T19:00Z,b,3\n"
                 "2027-07-13T18:00Z,a,3\n",
            "a: line 4: moment not after the member's row before it", TWeatherErrorKind::NotIncreasing},
        TRefusal{"time,member,air_temp\n2027-07-13T20:00Z,a,20\n2027-07-13T20:00Z,\"b\x1b c\",51\n",
            "\"b\\x1B c\": line 3: air temperature 51 degC outside -40 to 50", TWeatherErrorKind::OutOfRange},
        TRefusal{"time,member,air_temp\n2027-07-13T20:00Z,a,20\n2027-07-13T21:00Z,,20\n",
            "line 3: the member cell is empty", TWeatherErrorKind::Malformed},
        TRefusal{"time,air_temp\n2027-07-13T20:00Z,20\n", "line 1: no member column", TWeatherErrorKind::Malformed}));

}  // namespace
