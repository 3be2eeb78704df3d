#include "import/historyimport.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

#include "import/fieldreader.h"
#include "import/historyparser.h"
#include "import/linereader.h"

namespace torvel::import {

namespace {

// Lines looked at to choose the layout: the first and ten more.
constexpr std::size_t kFormatProbeLines = 11;

// Today's sites, told by a header anywhere in the first lines.
std::optional<HistoryFormat> modernFormat(std::string_view line) {
    if (line.substr(0, 9) == "***** 888")
        return HistoryFormat::Pacific;
    if (line.substr(0, 12) == "Poker Hand #")
        return HistoryFormat::GGPoker;
    if (line.substr(0, 16) == "Winamax Poker - ")
        return HistoryFormat::Winamax;
    if (contains(line, "<session") || contains(line, "<game gamecode="))
        return HistoryFormat::IPoker;
    if (contains(line, "Bovada Hand #") || contains(line, "Ignition Hand #") || contains(line, "Bodog Hand #"))
        return HistoryFormat::Bovada;
    if (contains(line, "<Game Information>") || (contains(line, "Game Hand #") && contains(line, "Tournament #")))
        return HistoryFormat::WinningPoker;
    return std::nullopt;
}

std::optional<HistoryFormat> headerFormat(std::string_view line) {
    if (contains(line, "#Game "))
        return HistoryFormat::PartyGameNo;
    if (contains(line, "PokerStars "))
        return HistoryFormat::PokerStars;
    if (contains(line, "Full Tilt Poker ") || contains(line, "FullTiltPoker "))
        return HistoryFormat::FullTilt;
    if (partyHeaderEnd(line) != std::string_view::npos)
        return HistoryFormat::PartyHandHistory;
    return std::nullopt;
}

bool isMailedTranscript(std::string_view line) {
    return contains(line, "Hello ") || contains(line, "These hand histories ") ||
           contains(line, "You requested a transcript") || contains(line, "You finished in ");
}

}  // namespace

HistoryFormat chooseFormat(const std::vector<std::string>& firstLines) {
    // Blank lines carry nothing; the first line is the first with text.
    std::vector<std::string_view> lines;
    for (const auto& line : firstLines)
        if (!line.empty() && lines.size() < kFormatProbeLines)
            lines.push_back(line);
    if (lines.empty())
        return HistoryFormat::PartyGameNo;
    for (const auto line : lines)
        if (const auto format = modernFormat(line))
            return *format;
    if (const auto format = headerFormat(lines.front()))
        return *format;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (isMailedTranscript(lines[i]))
            return HistoryFormat::PartyHandHistory;
    // A file that opens with a line of its own ("Game #1 starts.", a
    // title) still shows its layout in the next hand header.
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (const auto format = headerFormat(lines[i]))
            return *format;
    return HistoryFormat::PartyGameNo;
}

ImportSummary importHistory(std::istream& in, GameStateOwner* owner, const ImportCallbacks& callbacks) {
    LineReader reader(in);
    std::vector<std::string> head;
    std::string line;
    // Blank lines do not count towards the lines looked at; a run of them
    // still ends the look somewhere.
    std::size_t withText = 0;
    while (withText < kFormatProbeLines && head.size() < 4 * kFormatProbeLines && reader.next(line)) {
        withText += line.empty() ? 0 : 1;
        head.push_back(line);
    }
    ImportSummary summary;
    summary.format = chooseFormat(head);
    HistoryParser parser(summary.format, owner, callbacks);
    for (const auto& l : head)
        parser.feed(l);
    while (reader.next(line))
        parser.feed(line);
    parser.finish();
    summary.handCount = parser.handCount();
    summary.relevantCount = parser.relevantCount();
    return summary;
}

ImportSummary importHistoryFile(const std::string& path, GameStateOwner* owner, const ImportCallbacks& callbacks) {
    auto failed = [](std::string why) {
        ImportSummary summary;
        summary.opened = false;
        summary.failure = std::move(why);
        return summary;
    };
    // A directory opens as a stream that reads nothing; a pipe may never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return failed(std::filesystem::exists(path, error) ? "not a regular file" : "no such file");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return failed("cannot be opened");
    ImportSummary summary = importHistory(file, owner, callbacks);
    if (file.bad()) {
        summary.opened = false;
        summary.failure = "cannot be read to the end";
    }
    return summary;
}

}  // namespace torvel::import
