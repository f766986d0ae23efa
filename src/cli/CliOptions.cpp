#include "CliOptions.h"

#include "RegionalSettingsCls.h"
#include "StringTools/StringToolsCls.h"

#include <cmath>
#include <optional>

namespace {

std::optional<double> readNumber(const std::string& text)
{
    TRegionalSettingsCls parser;
    const double value = parser.ParseReal(text, '.');
    if (parser.ErrorCode != TRegionalSettingsCls::Success || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

const char* CliUsage()
{
    return "Usage: kelvara-calc [options]\n"
           "Computes when a freshly laid asphalt layer may be reopened to traffic.\n"
           "\n"
           "  --thickness CM         new layer thickness, 1.5 to 8.0 (default 5.0)\n"
           "  --laying-temp C        laying temperature, 100 to 170 (default 170.0)\n"
           "  --reopen-temp C        reopening temperature, 30 to 50 (default 30.0)\n"
           "  --wind CLASS           feeble | moderate | strong (default feeble)\n"
           "  --cloud CLASS          clear | partial | covered (default clear)\n"
           "  --date YYYY-MM-DD      laying date (default today)\n"
           "  --time HH:MM           laying time (default now)\n"
           "  --clock MODE           auto | summer | winter (default auto:\n"
           "                         summer time from 22 March to 21 October)\n"
           "  --layer N:CM:CP:K:RHO  expert: replace existing layer N (1 or 2) by\n"
           "                         thickness cm, heat capacity J/(kg K),\n"
           "                         conductivity W/(m K), density kg/m3; repeatable\n"
           "  --bottom-temp C        expert: temperature of the existing road (default 14)\n"
           "  --json                 one JSON object on standard output\n"
           "  --batch                CSV on standard input (header: thickness,laying_temp,\n"
           "                         reopen_temp,wind,cloud,date,time[,clock]),\n"
           "                         CSV on standard output\n"
           "  --help                 this text\n"
           "  --version              the version\n"
           "\n"
           "Numbers take a decimal point or a decimal comma.\n"
           "Exit status: 0 success, 2 bad usage or refused value, 3 no reopening moment.\n";
}

std::variant<TCliLayerOverride, TCliUsageError> ParseLayerOverride(const std::string& text)
{
    const auto parts = StringToolsCls::SplitString(':', text);
    const TCliUsageError error{"--layer: \"" + text
        + "\" is not N:THICKNESS_CM:HEAT_CAPACITY:CONDUCTIVITY:DENSITY with N 1 or 2 and "
          "positive numbers"};
    if (parts.size() != 5 || (parts[0] != "1" && parts[0] != "2"))
        return error;
    double numbers[4];
    for (std::size_t n = 0; n < 4; ++n) {
        const auto value = readNumber(parts[n + 1]);
        if (!value || *value <= 0.0)
            return error;
        numbers[n] = *value;
    }
    return TCliLayerOverride{parts[0] == "1" ? 1 : 2, numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::variant<TCliOptions, TCliUsageError> ParseCommandLine(const std::vector<std::string>& args)
{
    TCliOptions options;
    TCliScenario& s = options.Scenario;
    for (std::size_t n = 0; n < args.size(); ++n) {
        std::string name = args[n];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.resize(equals);
        }
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (n + 1 < args.size())
                return args[++n];
            return std::nullopt;
        };
        const auto flag = [&](bool& target) -> std::optional<TCliUsageError> {
            if (inlineValue)
                return TCliUsageError{name + " takes no value"};
            target = true;
            return std::nullopt;
        };

        std::string* textTarget = nullptr;
        if (name == "--thickness")
            textTarget = &s.Thickness;
        else if (name == "--laying-temp")
            textTarget = &s.LayingTemp;
        else if (name == "--reopen-temp")
            textTarget = &s.ReopenTemp;
        else if (name == "--wind")
            textTarget = &s.Wind;
        else if (name == "--cloud")
            textTarget = &s.Cloud;
        else if (name == "--date")
            textTarget = &s.Date;
        else if (name == "--time")
            textTarget = &s.Time;
        else if (name == "--clock")
            textTarget = &s.Clock;

        if (textTarget) {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value"};
            *textTarget = *text;
        } else if (name == "--layer") {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value"};
            auto layer = ParseLayerOverride(*text);
            if (auto* error = std::get_if<TCliUsageError>(&layer))
                return *error;
            s.Layers.push_back(std::get<TCliLayerOverride>(layer));
        } else if (name == "--bottom-temp") {
            const auto text = value();
            if (!text)
                return TCliUsageError{name + " needs a value"};
            const auto number = readNumber(*text);
            if (!number)
                return TCliUsageError{"--bottom-temp: cannot read \"" + *text + "\" as a number"};
            s.BottomTemp = *number;
        } else {
            bool batch = false, help = false, version = false;
            std::optional<TCliUsageError> error;
            if (name == "--json")
                error = flag(options.Json);
            else if (name == "--batch")
                error = flag(batch);
            else if (name == "--help" || name == "-h")
                error = flag(help);
            else if (name == "--version")
                error = flag(version);
            else
                return TCliUsageError{"unknown option \"" + args[n] + "\""};
            if (error)
                return *error;
            if (help)
                options.Mode = TCliMode::Help;
            else if (version && options.Mode != TCliMode::Help)
                options.Mode = TCliMode::Version;
            else if (batch && options.Mode == TCliMode::Single)
                options.Mode = TCliMode::Batch;
        }
    }
    return options;
}
