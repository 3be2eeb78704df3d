// torvel-profilegen: turns the readable source of the default calling-range
// profiles into the three files of each profile, through the same writer as
// the calling-range editor.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/callingprofile.h"

using namespace torvel;

namespace {

constexpr const char* kUsage = "usage: torvel-profilegen SOURCE DIRECTORY\n";
// The source is a few kilobytes; anything near this size is not ours.
constexpr std::size_t kMaxSourceBytes = 1 << 16;

// Columns of a source line, in the order they are written there.
constexpr int kSourceColumns[] = {kColumnCutOff, kColumnButton, kColumnSmallBlind, kColumnBigBlind,
                                  kColumnOtherCaller};
constexpr int kSourceColumnCount = 5;

struct RowName {
    const char* name;
    int row;
};
constexpr RowName kRowNames[] = {{"early", kRowEarlyPusher},
                                 {"cutoff", kRowCutOffPushes},
                                 {"button", kRowButtonPushes},
                                 {"smallblind", kRowSmallBlindPushes},
                                 {"bigblind", kRowBigBlindPushes}};
constexpr int kSourceRowCount = 5;

// Only callers behind the pusher have a value; "Others" always does.
bool callerBehind(int row, int column) { return column == kColumnOtherCaller || column > row; }

struct ProfileSource {
    bool seen = false;
    bool potOddsSeen = false;
    bool callSeen[kSourceRowCount] = {};
    bool bubbleSeen[kSourceRowCount] = {};
    CallingProfile values;
};

class SourceParser {
public:
    explicit SourceParser(std::string name) : name_(std::move(name)) {}

    bool parse(const std::string& text) {
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            ++lineNumber_;
            if (const auto hash = line.find('#'); hash != std::string::npos)
                line.erase(hash);
            std::istringstream words(line);
            std::vector<std::string> tokens;
            for (std::string w; words >> w;)
                tokens.push_back(w);
            if (!tokens.empty() && !parseLine(tokens))
                return false;
        }
        for (int p = 0; p < kProfileCount; ++p)
            if (!complete(p))
                return false;
        return true;
    }

    const CallingProfile& profile(int p) const { return profiles_[p].values; }
    const std::string& error() const { return error_; }

private:
    bool fail(const std::string& why) {
        error_ = name_;
        if (lineNumber_ > 0)
            error_.append(":").append(std::to_string(lineNumber_));
        error_.append(": ").append(why);
        return false;
    }

    bool number(const std::string& token, float& out) {
        const char* end = token.data() + token.size();
        const auto [at, ec] = std::from_chars(token.data(), end, out);
        if (ec != std::errc() || at != end)
            return fail("\"" + token + "\" is not a number");
        if (!(out >= 0.0f && out <= 100.0f))
            return fail("\"" + token + "\" is outside 0..100 percent");
        return true;
    }

    bool parseLine(const std::vector<std::string>& t) {
        if (t[0] == "profile") {
            if (t.size() != 3)
                return fail("expected: profile NUMBER NAME");
            int p = -1;
            const auto [at, ec] = std::from_chars(t[1].data(), t[1].data() + t[1].size(), p);
            if (ec != std::errc() || at != t[1].data() + t[1].size() || profileName(p).empty())
                return fail("unknown profile number " + t[1]);
            if (t[2] != profileName(p))
                return fail("profile " + t[1] + " is called " + profileName(p));
            if (profiles_[p].seen)
                return fail("profile " + t[1] + " given twice");
            profiles_[p].seen = true;
            current_ = p;
            return true;
        }
        if (current_ < 0)
            return fail("values before the first profile line");
        ProfileSource& source = profiles_[current_];
        if (t[0] == "potodds") {
            if (t.size() != 1 + kPotOddsSavedCount)
                return fail("expected: potodds VALUE_1:1.5 VALUE_1:2");
            if (source.potOddsSeen)
                return fail("potodds given twice");
            for (int k = 0; k < kPotOddsSavedCount; ++k)
                if (!number(t[static_cast<std::size_t>(k + 1)], source.values.potOdds[k]))
                    return false;
            source.potOddsSeen = true;
            return true;
        }
        if (t[0] == "call" || t[0] == "bubble")
            return parseRow(t, t[0] == "call" ? source.values.callRanges : source.values.bubbleRanges,
                            t[0] == "call" ? source.callSeen : source.bubbleSeen);
        return fail("unknown line \"" + t[0] + "\"");
    }

    bool parseRow(const std::vector<std::string>& t, float (&table)[kProfileTableSize][kProfileTableSize],
                  bool (&seen)[kSourceRowCount]) {
        if (t.size() != 2 + kSourceColumnCount)
            return fail("expected: " + t[0] + " PUSHER CO BTN SB BB OTHERS");
        int index = -1;
        for (int k = 0; k < kSourceRowCount; ++k)
            if (t[1] == kRowNames[k].name)
                index = k;
        if (index < 0)
            return fail("unknown pusher \"" + t[1] + "\"");
        if (seen[index])
            return fail(t[0] + " " + t[1] + " given twice");
        seen[index] = true;
        const int row = kRowNames[index].row;
        for (int k = 0; k < kSourceColumnCount; ++k) {
            const std::string& token = t[static_cast<std::size_t>(k + 2)];
            const int column = kSourceColumns[k];
            if (!callerBehind(row, column)) {
                if (token != "-")
                    return fail("that caller sits before the pusher; write \"-\"");
                continue;
            }
            if (!number(token, table[row][column]))
                return false;
        }
        return true;
    }

    bool complete(int p) {
        const ProfileSource& s = profiles_[p];
        lineNumber_ = 0;
        const std::string which = "profile " + std::to_string(p) + " (" + profileName(p) + ")";
        if (!s.seen)
            return fail(which + " is missing");
        if (!s.potOddsSeen)
            return fail(which + " has no potodds line");
        for (int k = 0; k < kSourceRowCount; ++k)
            if (!s.callSeen[k] || !s.bubbleSeen[k])
                return fail(which + " lacks a call or bubble line for " + kRowNames[k].name);
        return true;
    }

    std::string name_;
    int lineNumber_ = 0;
    int current_ = -1;
    ProfileSource profiles_[kProfileCount];
    std::string error_;
};

// The engine never reads the other cells, but the files hold them: every
// pusher before the cut-off is an early pusher, and any other caller (or one
// who cannot sit behind the pusher) counts as "Others".
void fillUnusedCells(float (&table)[kProfileTableSize][kProfileTableSize]) {
    for (int row = kRowEarlyPusher; row < kProfileTableSize; ++row)
        for (int column = 1; column < kProfileTableSize; ++column)
            if (!callerBehind(row, column))
                table[row][column] = table[row][kColumnOtherCaller];
    for (int row = 0; row < kRowEarlyPusher; ++row)
        for (int column = 0; column < kProfileTableSize; ++column)
            table[row][column] = table[kRowEarlyPusher][column];
}

bool readSource(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.resize(kMaxSourceBytes + 1);
    in.read(out.data(), static_cast<std::streamsize>(out.size()));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string sourcePath = argv[1];
    const std::string directory = argv[2];
    std::string text;
    if (!readSource(sourcePath, text)) {
        std::fprintf(stderr, "torvel-profilegen: cannot read %s\n", sourcePath.c_str());
        return 1;
    }
    if (text.size() > kMaxSourceBytes) {
        std::fprintf(stderr, "torvel-profilegen: %s is too large for a profile source\n", sourcePath.c_str());
        return 1;
    }
    SourceParser parser(sourcePath);
    if (!parser.parse(text)) {
        std::fprintf(stderr, "torvel-profilegen: %s\n", parser.error().c_str());
        return 1;
    }
    for (int p = 0; p < kProfileCount; ++p) {
        CallingProfile profile = parser.profile(p);
        fillUnusedCells(profile.callRanges);
        fillUnusedCells(profile.bubbleRanges);
        if (auto r = profile.save(directory, p); !r) {
            std::fprintf(stderr, "torvel-profilegen: %s\n", r.reason.c_str());
            return 1;
        }
    }
    return 0;
}
