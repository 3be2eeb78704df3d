#include "import/importtypes.h"

namespace torvel::import {

std::string statusName(HandStatus status) {
    switch (status) {
    case HandStatus::Relevant:
        return "relevant";
    case HandStatus::NotRelevant:
        return "not relevant";
    case HandStatus::Dropped:
        return "dropped";
    }
    return {};
}

std::string siteName(HistoryFormat format) {
    switch (format) {
    case HistoryFormat::PokerStars:
        return "PokerStars";
    case HistoryFormat::FullTilt:
        return "Full Tilt";
    case HistoryFormat::PartyGameNo:
    case HistoryFormat::PartyHandHistory:
        return "PartyPoker";
    case HistoryFormat::GGPoker:
        return "GGPoker";
    case HistoryFormat::Winamax:
        return "Winamax";
    case HistoryFormat::IPoker:
        return "iPoker";
    case HistoryFormat::WinningPoker:
        return "Winning Poker Network";
    case HistoryFormat::Bovada:
        return "Bovada";
    case HistoryFormat::Pacific:
        return "888poker";
    }
    return "other";
}

}  // namespace torvel::import
