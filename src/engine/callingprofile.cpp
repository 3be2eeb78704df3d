#include "engine/callingprofile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <vector>

#include "engine/atomicfile.h"
#include "engine/constants.h"
#include "engine/datafile.h"
#include "engine/gamestate.h"
#include "engine/owner.h"
#include "engine/ranges.h"

namespace torvel {

namespace {

constexpr int kTableCells = kProfileTableSize * kProfileTableSize;
constexpr std::size_t kTableBytes = 4 * kTableCells;
constexpr std::size_t kPotOddsMaxBytes = 4 + 4 * kPotOddsCapacity;

using Table = float[kProfileTableSize][kProfileTableSize];

void fillTable(Table& table, float value) {
    for (auto& row : table)
        std::fill(std::begin(row), std::end(row), value);
}

float readFloat(const std::uint8_t* at) { return std::bit_cast<float>(datafile::readInt32(at)); }

void appendFloat(std::vector<std::uint8_t>& out, float value) {
    datafile::appendInt32(out, std::bit_cast<std::int32_t>(value));
}

// A profile value is a percentage; anything else (text, NaN, huge values)
// would change every grading without a word.
bool isPercent(float value) { return value >= 0.0f && value <= 100.0f; }

// Empty when the file is missing (the defaults stay) or sound, else why the
// whole file is refused.
std::string loadTable(const std::string& path, Table& table) {
    std::vector<std::uint8_t> bytes;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {};
    if (!std::filesystem::is_regular_file(path, error) || !datafile::readPrefix(path, kTableBytes + 1, bytes))
        return "cannot be read";
    if (bytes.size() != kTableBytes)
        return "holds " + std::to_string(bytes.size()) + " bytes instead of " + std::to_string(kTableBytes);
    Table read;
    for (int k = 0; k < kTableCells; ++k) {
        const float value = readFloat(bytes.data() + 4 * k);
        if (!isPercent(value))
            return "holds a value outside 0..100 %";
        read[k / kProfileTableSize][k % kProfileTableSize] = value;
    }
    std::copy(&read[0][0], &read[0][0] + kTableCells, &table[0][0]);
    return {};
}

std::string loadPotOdds(const std::string& path, CallingProfile& profile) {
    std::vector<std::uint8_t> bytes;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return {};
    if (!std::filesystem::is_regular_file(path, error) || !datafile::readPrefix(path, kPotOddsMaxBytes + 1, bytes))
        return "cannot be read";
    if (bytes.size() < 4)
        return "holds no count";
    const std::int32_t announced = datafile::readInt32(bytes.data());
    if (announced < 0 || announced > kPotOddsCapacity ||
        bytes.size() != 4 + 4 * static_cast<std::size_t>(announced))
        return "announces " + std::to_string(announced) + " values but holds " + std::to_string((bytes.size() - 4) / 4);
    float read[kPotOddsCapacity] = {};
    for (int k = 0; k < announced; ++k) {
        read[k] = readFloat(bytes.data() + 4 + 4 * k);
        if (!isPercent(read[k]))
            return "holds a value outside 0..100 %";
    }
    std::copy(read, read + announced, profile.potOdds);
    profile.potOddsCount = std::max(profile.potOddsCount, static_cast<int>(announced));
    return {};
}

std::vector<std::uint8_t> tableBytes(const Table& table) {
    std::vector<std::uint8_t> out;
    out.reserve(kTableBytes);
    for (const auto& row : table)
        for (float value : row)
            appendFloat(out, value);
    return out;
}

ProfileSaveResult writeAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const AtomicWriteResult written =
        writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return written ? ProfileSaveResult::success() : ProfileSaveResult::failure(written.reason);
}

std::string profileFile(const std::string& directory, const char* stem, int profile) {
    return (std::filesystem::path(directory) / (stem + std::to_string(profile) + ".conf")).string();
}

}  // namespace

CallingProfile::CallingProfile() {
    fillTable(callRanges, kDefaultCallRange);
    fillTable(bubbleRanges, kDefaultCallRange);
    std::fill(std::begin(potOdds), std::end(potOdds), 0.0f);
    std::copy(std::begin(kDefaultPotOdds), std::end(kDefaultPotOdds), potOdds);
    potOddsCount = kPotOddsSavedCount;
}

CallingProfile CallingProfile::load(const std::string& directory, int profile, std::vector<std::string>* refusals) {
    CallingProfile p;
    auto refuse = [refusals](const std::string& path, const std::string& why) {
        if (!why.empty() && refusals != nullptr)
            refusals->push_back("The calling-range file " + path + " " + why + "; the default values are used instead.");
    };
    refuse(callRangePath(directory, profile), loadTable(callRangePath(directory, profile), p.callRanges));
    refuse(potOddsPath(directory, profile), loadPotOdds(potOddsPath(directory, profile), p));
    refuse(bubblePath(directory, profile), loadTable(bubblePath(directory, profile), p.bubbleRanges));
    return p;
}

ProfileSaveResult CallingProfile::save(const std::string& directory, int profile) const {
    if (!directory.empty()) {
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        if (error)
            return ProfileSaveResult::failure("cannot create directory " + directory + ": " + error.message());
    }
    if (auto r = writeAtomically(callRangePath(directory, profile), tableBytes(callRanges)); !r)
        return r;
    std::vector<std::uint8_t> odds;
    datafile::appendInt32(odds, kPotOddsSavedCount);
    for (int k = 0; k < kPotOddsSavedCount; ++k)
        appendFloat(odds, potOdds[k]);
    if (auto r = writeAtomically(potOddsPath(directory, profile), odds); !r)
        return r;
    return writeAtomically(bubblePath(directory, profile), tableBytes(bubbleRanges));
}

std::string CallingProfile::callRangePath(const std::string& directory, int profile) {
    return profileFile(directory, "callrange", profile);
}

std::string CallingProfile::potOddsPath(const std::string& directory, int profile) {
    return profileFile(directory, "potodds", profile);
}

std::string CallingProfile::bubblePath(const std::string& directory, int profile) {
    return profileFile(directory, "bubble", profile);
}

std::string profileName(int profile) {
    static const char* const names[kProfileCount] = {"Tight", "Medium", "Loose"};
    return profile >= 0 && profile < kProfileCount ? names[profile] : "";
}

int profileClasses(float percent) {
    if (!(percent > 0.0f))
        return 0;
    return classesForPercent(std::min(percent, 100.0f));
}

// ---------------------------------------------------------------------------
// Turning a profile into the ranges of a situation.

namespace {

// Fixed ranges, in classes, that the rules below hand out.
constexpr int kShortCallerRange = 38;
constexpr int kPotOddsTwoRange = 89;
constexpr int kPotOddsThreeRange = 140;
constexpr int kSmallBlindPushRange = 84;
constexpr int kButtonPushRange = 55;
constexpr int kCutOffPushRange = 30;
constexpr int kHijackPushRange = 27;
constexpr int kEarlyPushRange = 21;
constexpr int kShortPusherRange = 55;
// A limper holds none of the 16 strongest classes and calls a push with the
// next 9.
constexpr int kLimperFrom = 16;
constexpr int kLimperTo = 33;
constexpr int kLimperCallTo = 25;

// Short stacks, in big blinds.
constexpr double kShortPusherBigBlinds = 5.0;
constexpr double kShortCallerBigBlinds = 4.0;
constexpr int kDeepRaiserBigBlinds = 6;

struct Cell {
    int row;
    int column;
};

bool buttonAfter(const GameState& g, int seat) {
    const int next = g.nextOccupiedSeat(seat);
    return GameState::validSeat(next) && g.seats[static_cast<std::size_t>(next)].isButton;
}

// Which cell of a table speaks for caller J against pusher P.
Cell cellFor(const GameState& g, int pusher, int caller) {
    const SeatState& p = g.seats[static_cast<std::size_t>(pusher)];
    const SeatState& j = g.seats[static_cast<std::size_t>(caller)];
    if (p.isSmallBlind)
        return {kRowSmallBlindPushes, j.isBigBlind ? kColumnBigBlind : kColumnOtherCaller};
    const int blindColumn = j.isSmallBlind ? kColumnSmallBlind : j.isBigBlind ? kColumnBigBlind : kColumnOtherCaller;
    if (p.isButton)
        return {kRowButtonPushes, blindColumn};
    const int laterColumn = j.isButton ? kColumnButton : blindColumn;
    if (buttonAfter(g, pusher))
        return {kRowCutOffPushes, laterColumn};
    return {kRowEarlyPusher, buttonAfter(g, caller) ? kColumnCutOff : laterColumn};
}

// The occupied seats after seat, clockwise, seat itself not included. The
// walk also stops when it comes round to its first seat, so a seat that is
// not occupied cannot keep it going.
std::vector<int> playersAfter(const GameState& g, int seat) {
    std::vector<int> players;
    for (int s = g.nextOccupiedSeat(seat); GameState::validSeat(s) && s != seat; s = g.nextOccupiedSeat(s)) {
        if (!players.empty() && s == players.front())
            break;
        players.push_back(s);
    }
    return players;
}

std::int64_t totalChips(const SeatState& s) { return static_cast<std::int64_t>(s.stack) + s.bet; }

// A pusher with at most 5 big blinds whom nobody before him has opened
// against: nobody from the seat after the big blind up to him has put chips
// in. Without a button we cannot tell where the big blind sits, and without
// a big blind nobody is short, so then the rule stays out.
bool shortPusherInUnopenedPot(const GameState& g, int raiser) {
    if (g.bigBlind <= 0 || !GameState::validSeat(g.buttonSeat))
        return false;
    const SeatState& r = g.seats[static_cast<std::size_t>(raiser)];
    if (static_cast<double>(totalChips(r)) / g.bigBlind > kShortPusherBigBlinds)
        return false;
    const int smallBlind = g.nextOccupiedSeat(g.buttonSeat);
    const int bigBlind = GameState::validSeat(smallBlind) ? g.nextOccupiedSeat(smallBlind) : -1;
    if (!GameState::validSeat(bigBlind))
        return false;
    int s = g.nextOccupiedSeat(bigBlind);
    for (int step = 0; step < kSeatCount && GameState::validSeat(s); ++step) {
        if (s == raiser)
            return true;
        if (g.seats[static_cast<std::size_t>(s)].bet > 0)
            return false;
        s = g.nextOccupiedSeat(s);
    }
    return false;
}

int paidPlaces(const GameStateOwner* owner) {
    int paid = 0;
    for (int place = 0; place < kPlaceCount; ++place)
        paid += owner->payoutPercent(place) > 0.0 ? 1 : 0;
    return paid;
}

}  // namespace

void GameState::assignCallingRanges(int profile) {
    std::vector<std::string> refusals;
    const auto loaded = CallingProfile::load(owner != nullptr ? owner->profileDirectory() : "data", profile, &refusals);
    // Once per file and run: the same file is read for every situation.
    static std::mutex warnedLock;
    static std::set<std::string> warned;
    for (const std::string& refusal : refusals) {
        const std::lock_guard<std::mutex> lock(warnedLock);
        if (owner != nullptr && warned.insert(refusal).second)
            owner->reportWarning(refusal);
    }
    std::copy(&loaded.callRanges[0][0], &loaded.callRanges[0][0] + kTableCells, &callRanges[0][0]);
    std::copy(std::begin(loaded.potOdds), std::end(loaded.potOdds), potOddsRanges);
    std::copy(&loaded.bubbleRanges[0][0], &loaded.bubbleRanges[0][0] + kTableCells, &bubbleRanges[0][0]);

    const int pusher = raiserSeat != -1 ? raiserSeat : heroSeat;
    if (!validSeat(pusher))
        return;
    auto seatAt = [this](int s) -> SeatState& { return seats[static_cast<std::size_t>(s)]; };
    SeatState& p = seatAt(pusher);
    const std::vector<int> callers = playersAfter(*this, pusher);

    for (int j : callers) {
        const Cell c = cellFor(*this, pusher, j);
        seatAt(j).rangeTo = profileClasses(callRanges[c.row][c.column]);
    }

    if (p.isSmallBlind)
        p.rangeTo = kSmallBlindPushRange;
    else if (p.isButton)
        p.rangeTo = kButtonPushRange;
    else if (buttonAfter(*this, pusher))
        p.rangeTo = kCutOffPushRange;
    else if (const int next = nextOccupiedSeat(pusher); validSeat(next) && buttonAfter(*this, next))
        p.rangeTo = kHijackPushRange;
    else
        p.rangeTo = kEarlyPushRange;

    if (raiserSeat != -1 && shortPusherInUnopenedPot(*this, pusher))
        p.rangeTo = kShortPusherRange;

    // A big blind of 0 (or less) leaves every stack infinitely deep, so the
    // rules that measure stacks in big blinds never fire.
    std::int64_t betsIn = 0;
    for (const auto& s : seats)
        if (s.occupied())
            betsIn += s.bet;
    const std::int64_t potAfterPush = betsIn + p.stack;
    for (int j : callers) {
        SeatState& caller = seatAt(j);
        if (caller.action == kActionRaise)
            continue;
        const std::int64_t callAmount = static_cast<std::int64_t>(p.stack) - caller.bet;
        const std::int64_t behind = static_cast<std::int64_t>(caller.stack) - caller.bet;
        if (bigBlind > 0 && static_cast<double>(behind) / bigBlind < kShortCallerBigBlinds)
            caller.rangeTo = kShortCallerRange;
        if (callAmount > 0) {
            const std::int64_t potOdds = potAfterPush / callAmount;
            if (potOdds == 2)
                caller.rangeTo = kPotOddsTwoRange;
            else if (potOdds >= 3)
                caller.rangeTo = kPotOddsThreeRange;
        }
    }

    // One place away from the money, a caller who would bust on a lost call
    // plays the bubble table.
    if (owner != nullptr && playerCount == paidPlaces(owner) + 1) {
        for (int j : callers) {
            if (totalChips(seatAt(j)) >= totalChips(p))
                continue;
            const Cell c = cellFor(*this, pusher, j);
            seatAt(j).rangeTo = profileClasses(bubbleRanges[c.row][c.column]);
        }
    }

    std::vector<int> everyone = callers;
    everyone.push_back(pusher);
    for (int j : everyone) {
        SeatState& limper = seatAt(j);
        if (limper.action != kActionCall)
            continue;
        limper.rangeFrom = kLimperFrom;
        limper.rangeTo = kLimperTo;
        limper.range2From = kLimperFrom;
        limper.range2To = kLimperCallTo;
    }

    if (raiserSeat != -1) {
        p.range2To = p.rangeTo;
        return;
    }
    // A raiser calls the push with the share of his raising range that his
    // chips behind are of all his chips; a short one (under 6 big blinds
    // behind) with all of it.
    for (int j : everyone) {
        SeatState& raiser = seatAt(j);
        if (raiser.action != kActionRaise || raiser.stack <= 0)
            continue;
        float factor = 1.0f;
        const bool shortStack = bigBlind > 0 && raiser.stack / bigBlind < kDeepRaiserBigBlinds;
        const std::int64_t committed = static_cast<std::int64_t>(raiser.bet) + raiser.stack;
        // A negative bet is junk; the factor never grows past 1.
        if (!shortStack && committed > 0)
            factor = std::min(1.0f, static_cast<float>(raiser.stack) / static_cast<float>(committed));
        // rangeTo was set above from the profile or the fixed ranges, so it
        // lies within 0..169 and the product fits.
        raiser.range2To = static_cast<int>(static_cast<float>(raiser.rangeTo) * factor);
    }
}

}  // namespace torvel
