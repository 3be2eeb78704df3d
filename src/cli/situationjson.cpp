#include "cli/situationjson.h"

#include <set>

#include "engine/cards.h"

namespace torvel::cli {

using nlohmann::json;

namespace {

// Reads an optional integer field; false with a reason when it is present
// but not an integer.
bool readInt(const json& object, const char* key, int& value, std::string& error, const std::string& where) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        return true;
    if (!it->is_number_integer()) {
        error = where + key + " must be an integer";
        return false;
    }
    const auto v = it->get<long long>();
    if (v < INT32_MIN || v > INT32_MAX) {
        error = where + key + " is out of range";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}

// Chips: a whole number within 0..kMaxChips.
bool readChips(const json& object, const char* key, int& value, std::string& error, const std::string& where) {
    if (!readInt(object, key, value, error, where))
        return false;
    if (value < 0 || value > kMaxChips) {
        error = where + key + " must lie in 0.." + std::to_string(kMaxChips) + " chips";
        return false;
    }
    return true;
}

bool readBool(const json& object, const char* key, bool& value, std::string& error, const std::string& where) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        return true;
    if (!it->is_boolean()) {
        error = where + key + " must be true or false";
        return false;
    }
    value = it->get<bool>();
    return true;
}

// Four letters: rank, suit, rank, suit, two different cards.
bool strictCards(const std::string& text) {
    if (text.size() != 4)
        return false;
    for (int i = 0; i < 4; i += 2)
        if (rankFromLetter(text[static_cast<std::size_t>(i)]) < 0 ||
            suitFromLetter(text[static_cast<std::size_t>(i + 1)]) < 0)
            return false;
    return text.substr(0, 2) != text.substr(2, 2);
}

}  // namespace

int profileFromJson(const json& value) {
    if (value.is_number_integer()) {
        const auto n = value.get<long long>();
        return n >= 0 && n <= 2 ? static_cast<int>(n) : -1;
    }
    if (value.is_string()) {
        const auto name = value.get<std::string>();
        if (name == "tight")
            return 0;
        if (name == "medium")
            return 1;
        if (name == "loose")
            return 2;
    }
    return -1;
}

std::string readSituation(const json& input, GameState& g, SituationRequest& request, DeadButton deadButton) {
    if (!input.is_object())
        return "the situation must be a JSON object";
    std::string error;
    const std::string top;
    if (!readChips(input, "smallBlind", g.smallBlind, error, top) ||
        !readChips(input, "bigBlind", g.bigBlind, error, top) || !readChips(input, "ante", g.ante, error, top) ||
        !readInt(input, "buttonSeat", g.buttonSeat, error, top) || !readInt(input, "heroSeat", g.heroSeat, error, top) || !readInt(input, "raiserSeat", g.raiserSeat, error, top) ||
        !readInt(input, "answer", request.answer, error, top))
        return error;

    if (const auto it = input.find("payouts"); it != input.end()) {
        if (!it->is_array() || it->size() > 10)
            return "payouts must be a list of at most ten percentages";
        request.payouts.fill(0.0);
        double sum = 0.0;
        for (std::size_t q = 0; q < it->size(); ++q) {
            if (!(*it)[q].is_number())
                return "payouts must hold numbers";
            request.payouts[q] = (*it)[q].get<double>();
            if (!(request.payouts[q] >= 0.0 && request.payouts[q] <= 100.0))
                return "payouts must be percentages within 0..100";
            sum += request.payouts[q];
        }
        if (sum > 100.0 + kPayoutSumTolerance)
            return "payouts must not add up to more than 100 %";
    }
    if (const auto it = input.find("profile"); it != input.end() && !it->is_null()) {
        request.profile = *it == "nash" ? kNashProfile : profileFromJson(*it);
        if (request.profile < 0)
            return "unknown profile " + it->dump() + " (tight, medium, loose, nash or 0, 1, 2)";
    }

    const auto seatsIt = input.find("seats");
    if (seatsIt == input.end() || !seatsIt->is_array())
        return "seats must be a list of the occupied seats";
    g.resetSeats();
    std::set<int> seen;
    for (const auto& entry : *seatsIt) {
        if (!entry.is_object())
            return "every seat must be a JSON object";
        int index = -1;
        int status = 0;
        if (!entry.contains("seat") || !entry.contains("status"))
            return "every seat needs seat and status";
        if (!readInt(entry, "seat", index, error, "seat: "))
            return error;
        if (index < 0 || index > 9)
            return "seat " + std::to_string(index) + " is outside 0..9";
        const std::string where = "seat " + std::to_string(index) + ": ";
        if (!seen.insert(index).second)
            return where + "listed twice";
        if (!readInt(entry, "status", status, error, where))
            return error;
        if (status != kSeatHero && status != kSeatOpponent)
            return where + "status must be 1 (hero) or 2 (opponent)";
        SeatState& s = g.seats[static_cast<std::size_t>(index)];
        s.status = status;
        if (!readChips(entry, "stack", s.stack, error, where) || !readChips(entry, "bet", s.bet, error, where) ||
            !readInt(entry, "action", s.action, error, where) ||
            !readInt(entry, "rangeFrom", s.rangeFrom, error, where) ||
            !readInt(entry, "rangeTo", s.rangeTo, error, where) ||
            !readInt(entry, "range2From", s.range2From, error, where) ||
            !readInt(entry, "range2To", s.range2To, error, where) ||
            !readBool(entry, "isButton", s.isButton, error, where) ||
            !readBool(entry, "isSmallBlind", s.isSmallBlind, error, where) ||
            !readBool(entry, "isBigBlind", s.isBigBlind, error, where) ||
            !readInt(entry, "handLow", s.handLow, error, where) || !readInt(entry, "handHigh", s.handHigh, error, where))
            return error;
        if (s.action < -1 || s.action > 2)
            return where + "action must be -1, 0, 1 or 2";
        if (const auto name = entry.find("name"); name != entry.end()) {
            if (!name->is_string())
                return where + "name must be a string";
            g.setName(index, name->get<std::string>());
        }
        if (const auto cards = entry.find("cards"); cards != entry.end()) {
            if (!cards->is_string() || !strictCards(cards->get<std::string>()))
                return where + "cards must be two different cards such as \"AhKd\"";
            ParsedHand hand;
            parseHand(cards->get<std::string>(), hand);
            s.card1 = hand.card1;
            s.card2 = hand.card2;
            s.handLow = hand.handLow;
            s.handHigh = hand.handHigh;
        }
        if (s.handLow < 0 || s.handLow > 12 || s.handHigh < 0 || s.handHigh > 25)
            return where + "handLow must lie in 0..12 and handHigh in 0..25";
        s.keepCallingRangeWithinRange();
    }
    if (deadButton == DeadButton::Refused && GameState::validSeat(g.buttonSeat) && !seen.contains(g.buttonSeat))
        return "No Button set: the button is on seat " + std::to_string(g.buttonSeat) + ", where nobody sits";
    g.playerCount = static_cast<int>(seen.size());
    if (!readInt(input, "playerCount", g.playerCount, error, top))
        return error;
    return {};
}

json situationJson(const GameState& g, const SituationRequest& request) {
    json out;
    out["smallBlind"] = g.smallBlind;
    out["bigBlind"] = g.bigBlind;
    out["ante"] = g.ante;
    out["buttonSeat"] = g.buttonSeat;
    out["heroSeat"] = g.heroSeat;
    out["raiserSeat"] = g.raiserSeat;
    out["playerCount"] = g.playerCount;
    out["payouts"] = request.payouts;
    out["answer"] = request.answer;
    json seats = json::array();
    for (int i = 0; i < kSeatCount; ++i) {
        const SeatState& s = g.seats[static_cast<std::size_t>(i)];
        if (!s.occupied())
            continue;
        json seat = {{"seat", i},
                     {"status", s.status},
                     {"stack", s.stack},
                     {"bet", s.bet},
                     {"action", s.action},
                     {"rangeFrom", s.rangeFrom},
                     {"rangeTo", s.rangeTo},
                     {"range2From", s.range2From},
                     {"range2To", s.range2To},
                     {"isButton", s.isButton},
                     {"isSmallBlind", s.isSmallBlind},
                     {"isBigBlind", s.isBigBlind},
                     {"name", std::string(s.name)}};
        if (s.status == kSeatHero)
            seat["cards"] = cardName(s.card1) + cardName(s.card2);
        seats.push_back(seat);
    }
    out["seats"] = seats;
    return out;
}

json analysisJson(const GameState& g, const std::vector<ReportedError>& errors) {
    auto number = [](float v) { return static_cast<double>(v); };
    json out;
    out["decision"] = g.decision;
    out["evPush"] = number(g.evPush);
    out["evFold"] = number(g.evFold);
    out["foldProbability"] = number(g.foldProbability);
    out["foldEquityPart"] = number(g.foldEquityPart);
    out["equityAllFold"] = number(g.equityAllFold);
    out["pot"] = g.pot;
    out["heroAction"] = g.heroAction;
    out["pushRangeText"] = std::string(g.pushRangeText);
    out["playerCount"] = g.playerCount;
    out["raiserSeat"] = g.raiserSeat;
    json before = json::array();
    json ifWins = json::array();
    for (int i = 0; i < kSeatCount; ++i) {
        before.push_back(number(g.equityBefore[static_cast<std::size_t>(i)]));
        ifWins.push_back(number(g.equityIfSeatWins[static_cast<std::size_t>(i)]));
    }
    out["equityBefore"] = before;
    out["equityIfSeatWins"] = ifWins;
    json seats = json::array();
    for (int i = 0; i < kSeatCount; ++i) {
        const SeatState& s = g.seats[static_cast<std::size_t>(i)];
        if (!s.occupied())
            continue;
        seats.push_back({{"seat", i},
                         {"status", s.status},
                         {"stack", s.stack},
                         {"bet", s.bet},
                         {"action", s.action},
                         {"handLow", s.handLow},
                         {"handHigh", s.handHigh},
                         {"rangeFrom", s.rangeFrom},
                         {"rangeTo", s.rangeTo},
                         {"range2From", s.range2From},
                         {"range2To", s.range2To},
                         {"rangeShare", number(s.rangeShare)},
                         {"callProbability", number(s.callProbability)},
                         {"winProbability", number(s.winProbability)},
                         {"loseProbability", number(s.loseProbability)},
                         {"equityIfWin", number(s.equityIfWin)},
                         {"equityIfLose", number(s.equityIfLose)}});
    }
    out["seats"] = seats;
    json errorTexts = json::array();
    for (const auto& e : errors)
        errorTexts.push_back(e.caption.empty() ? e.text : e.caption + ": " + e.text);
    out["errors"] = errorTexts;
    return out;
}

}  // namespace torvel::cli
