#include "encoder/ProbeInfo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

std::string Unquoted(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::vector<std::string> ProbeArguments(const std::string& path)
{
    return {"-v", "error", "-show_entries",
            "format=duration:stream=codec_type,width,height:stream_disposition=attached_pic", "-of", "flat=s=_",
            "-i", path};
}

MediaFacts ParseProbeOutput(const std::string& output)
{
    std::map<std::string, std::string> values;
    std::stringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = Unquoted(line.substr(equals + 1));
    }
    MediaFacts facts;
    double duration = atof(values["format_duration"].c_str());
    if (duration > 0.0) {
        facts.duration = duration;
        facts.seconds = duration < 1.0 ? 1 : static_cast<int>(std::lround(duration));
    }
    for (int stream = 0; values.count("streams_stream_" + std::to_string(stream) + "_codec_type"); ++stream) {
        std::string prefix = "streams_stream_" + std::to_string(stream) + "_";
        if (values[prefix + "codec_type"] == "video" && values[prefix + "disposition_attached_pic"] != "1") {
            facts.width = atoi(values[prefix + "width"].c_str());
            facts.height = atoi(values[prefix + "height"].c_str());
            break;
        }
    }
    return facts;
}

std::string FormatMediaFacts(const MediaFacts& facts)
{
    char text[96];
    snprintf(text, sizeof text, "Duration:%d Width:%d Height:%d\n", facts.seconds, facts.width, facts.height);
    return text;
}
