#pragma once
// One calling-range profile: how wide opponents call an all-in, in percent of
// the 169 classes, by pusher position (row) and caller position (column),
// plus the bubble table and the pot-odds values. Kept in three small files.

#include <string>
#include <vector>

namespace torvel {

inline constexpr int kProfileCount = 3;
inline constexpr int kProfileTableSize = 10;
inline constexpr int kPotOddsCapacity = 10;
// What the program writes to a potodds file: "1:1.5" then "1:2".
inline constexpr int kPotOddsSavedCount = 2;
inline constexpr float kDefaultCallRange = 7.0f;
inline constexpr float kDefaultPotOdds[kPotOddsSavedCount] = {50.0f, 80.0f};

// Rows of the tables: the pusher.
inline constexpr int kRowEarlyPusher = 5;
inline constexpr int kRowCutOffPushes = 6;
inline constexpr int kRowButtonPushes = 7;
inline constexpr int kRowSmallBlindPushes = 8;
inline constexpr int kRowBigBlindPushes = 9;
// Columns: the caller.
inline constexpr int kColumnOtherCaller = 0;
inline constexpr int kColumnCutOff = 6;
inline constexpr int kColumnButton = 7;
inline constexpr int kColumnSmallBlind = 8;
inline constexpr int kColumnBigBlind = 9;

struct ProfileSaveResult {
    bool ok = true;
    std::string reason;
    static ProfileSaveResult success() { return {}; }
    static ProfileSaveResult failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

struct CallingProfile {
    float callRanges[kProfileTableSize][kProfileTableSize];
    float potOdds[kPotOddsCapacity];
    // Pot-odds values that mean something: the two defaults, or more when a
    // file held more.
    int potOddsCount;
    float bubbleRanges[kProfileTableSize][kProfileTableSize];

    // The defaults: 7 % in every cell, pot odds 50 % and 80 %.
    CallingProfile();

    // Profile number of the files from a directory. A missing file keeps its
    // defaults silently; a damaged one (short, long, or with a value outside
    // 0..100) keeps them too, and the reason naming the file goes to
    // refusals. Never fails.
    static CallingProfile load(const std::string& directory, int profile,
                               std::vector<std::string>* refusals = nullptr);
    // Writes the three files, each atomically, creating the directory when
    // missing. Stops at the first file that cannot be written.
    ProfileSaveResult save(const std::string& directory, int profile) const;

    static std::string callRangePath(const std::string& directory, int profile);
    static std::string potOddsPath(const std::string& directory, int profile);
    static std::string bubblePath(const std::string& directory, int profile);
};

// "Tight", "Medium", "Loose" for 0, 1, 2; empty for any other number.
std::string profileName(int profile);

// Classes in a profile value, truncate(p * 1.69), held to 0..169 so that a
// hostile value (negative, huge, not a number) gives a usable range.
int profileClasses(float percent);

}  // namespace torvel
