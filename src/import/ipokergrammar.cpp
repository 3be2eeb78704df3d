// iPoker: XML session files. The session's <general> names the hero
// (<nickname>); each <game gamecode=…> holds the players with their chips
// and the dealer, then <round no="0"> with antes and blinds and <round
// no="1"> with the preflop actions, numbered but not written in order.
// Lines are collected from "<game" to "</game>" and each game is read on
// its own, so a broken game costs only itself.

#include <pugixml.hpp>

#include <algorithm>
#include <vector>

#include "import/fieldreader.h"
#include "import/historyparser.h"

namespace torvel::import {

namespace {

// A game's XML is never near this; a file that claims so is not read whole.
constexpr std::size_t kMaxGameBytes = 4 * 1024 * 1024;

// The action codes of the format.
enum IPokerAction : int {
    kFold = 0,
    kSmallBlind = 1,
    kBigBlind = 2,
    kCall = 3,
    kCheck = 4,
    kBet = 5,
    kAllIn = 7,
    kAnte = 15,
    kRaiseTo = 23
};

int chipsOf(const char* text) {
    const std::string_view view(text);
    const auto amount = findAmount(view, 0);
    return amount ? amount->value : 0;
}

// "C5 D3", "S10 HA": suit first, then rank, as "5c 3d" / "Ts Ah".
std::string pocketCards(std::string_view text) {
    std::string cards;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find(' ', i), text.size());
        const std::string_view card = text.substr(i, end - i);
        i = end + 1;
        if (card.size() < 2)
            continue;
        if (!cards.empty())
            cards += ' ';
        const std::string_view rank = card.substr(1);
        cards += rank == "10" ? std::string("T") : std::string(rank);
        cards += static_cast<char>(card[0] >= 'A' && card[0] <= 'Z' ? card[0] - 'A' + 'a' : card[0]);
    }
    return cards;
}

std::vector<pugi::xml_node> actionsInOrder(const pugi::xml_node& round) {
    std::vector<pugi::xml_node> actions;
    for (const pugi::xml_node action : round.children("action"))
        actions.push_back(action);
    std::stable_sort(actions.begin(), actions.end(), [](const pugi::xml_node& a, const pugi::xml_node& b) {
        return a.attribute("no").as_int() < b.attribute("no").as_int();
    });
    return actions;
}

std::string_view textBetween(std::string_view line, std::string_view open, std::string_view close) {
    const std::size_t at = line.find(open);
    if (at == std::string_view::npos)
        return {};
    const std::size_t from = at + open.size();
    return slice(line, from, line.find(close, from));
}

}  // namespace

void HistoryParser::feedIPoker(std::string_view line) {
    if (!inXmlGame_) {
        if (const std::string_view hero = textBetween(line, "<nickname>", "</nickname>"); !hero.empty())
            sessionHero_ = std::string(hero);
        if (const std::string_view buyIn = textBetween(line, "<buyin>", "</buyin>"); !buyIn.empty())
            sessionBuyIn_ = std::string(buyIn);
        const std::size_t game = line.find("<game ");
        if (game == std::string_view::npos)
            return;
        const std::string_view code = textBetween(line.substr(game), "gamecode=\"", "\"");
        startHand(code);
        hand_->buyInText = sessionBuyIn_;
        inXmlGame_ = true;
        xmlBuffer_.assign(line.substr(game));
    } else if (const std::size_t next = line.find("<game "); next < line.find("</game>")) {
        // A game that never closes loses only itself.
        inXmlGame_ = false;
        xmlBuffer_.clear();
        drop("the game breaks off before its end");
        feedIPoker(line);
        return;
    } else {
        xmlBuffer_ += '\n';
        xmlBuffer_ += line;
    }
    // The closing tag is never split across lines: look in the new line only.
    const std::size_t lineStart = xmlBuffer_.size() - std::min(line.size(), xmlBuffer_.size());
    const std::size_t close = xmlBuffer_.find("</game>", lineStart);
    if (close == std::string::npos) {
        if (xmlBuffer_.size() > kMaxGameBytes) {
            inXmlGame_ = false;
            xmlBuffer_.clear();
            drop("the game is too long to read");
        }
        return;
    }
    const std::size_t end = close + 7;
    const std::string rest = xmlBuffer_.substr(end);
    xmlBuffer_.resize(end);
    inXmlGame_ = false;
    ipokerGame(xmlBuffer_);
    xmlBuffer_.clear();
    if (!rest.empty())
        feedIPoker(rest);
}

void HistoryParser::ipokerGame(std::string& gameXml) {
    if (!hand_)
        return;
    pugi::xml_document document;
    // Parsed in place: the buffer is thrown away afterwards.
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(gameXml.data(), gameXml.size(), pugi::parse_escapes, pugi::encoding_utf8);
    if (!parsed) {
        drop(std::string("the game's XML cannot be read (") + parsed.description() + ")");
        return;
    }
    const pugi::xml_node game = document.child("game");
    for (const pugi::xml_node player : game.child("general").child("players").children("player")) {
        const int number = player.attribute("seat").as_int();
        seatLine(number, player.attribute("name").as_string(), chipsOf(player.attribute("chips").as_string()));
        if (player.attribute("dealer").as_int() == 1)
            setButton(number);
    }

    std::string hero = sessionHero_;
    pugi::xml_node preflop;
    for (const pugi::xml_node round : game.children("round")) {
        const int number = round.attribute("no").as_int(-1);
        if (number == 1)
            preflop = round;
        for (const pugi::xml_node cards : round.children("cards")) {
            const std::string_view type = cards.attribute("type").as_string();
            const std::string_view owner = cards.attribute("player").as_string();
            const std::string_view text = cards.child_value();
            if (type == "Pocket" && ((!hero.empty() && owner == hero) || (hero.empty() && text != "X X")))
                hero = std::string(owner);
        }
        if (number != 0)
            continue;
        for (const pugi::xml_node action : actionsInOrder(round)) {
            const int s = seatByName(action.attribute("player").as_string());
            const int sum = chipsOf(action.attribute("sum").as_string());
            const int type = action.attribute("type").as_int(-1);
            if (s < 0)
                continue;
            if (type == kAnte)
                postForcedBet(s, ForcedBet::Ante, sum);
            else if (type == kSmallBlind)
                postForcedBet(s, ForcedBet::SmallBlind, sum);
            else if (type == kBigBlind)
                postForcedBet(s, ForcedBet::BigBlind, sum);
        }
    }
    noSmallBlind_ = postedSmallBlindSeat_ < 0;

    std::string heroCards;
    for (const pugi::xml_node cards : preflop.children("cards"))
        if (std::string_view(cards.attribute("type").as_string()) == "Pocket" && hero == cards.attribute("player").as_string())
            heroCards = pocketCards(cards.child_value());
    if (hero.empty() || heroCards.empty()) {
        drop("no hole cards for the hero");
        return;
    }
    if (!heroLine(hero, heroCards) || !hand_)
        return;

    const std::pair<int, Verb> verbs[] = {{kFold, Verb::Fold},       {kCall, Verb::Call},
                                          {kCheck, Verb::Check},     {kBet, Verb::RaiseBy},
                                          {kRaiseTo, Verb::RaiseTo}, {kAllIn, Verb::AllInBy}};
    for (const pugi::xml_node action : actionsInOrder(preflop)) {
        const int type = action.attribute("type").as_int(-1);
        for (const auto& [code, verb] : verbs)
            if (code == type)
                postedAction(action.attribute("player").as_string(), verb,
                             chipsOf(action.attribute("sum").as_string()), verb == Verb::AllInBy);
        if (state_ == kHeroActed) {
            evaluate();
            return;
        }
    }
    drop("the hero never acted");
}

}  // namespace torvel::import
