#pragma once
// Deals random trainer spots: players, blinds, the hero's seat, hand and
// stack, opponents, antes, the button, the blinds and the actions before the
// hero, then the ranges of the "Tight" profile.

#include <array>
#include <vector>
#include <random>
#include <string>

namespace torvel {

class GameState;

// Where the dealer's randomness comes from: draw(n) is a number 0..n-1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int draw(int n) = 0;
};

// rand() mod n, as the program draws everything after seeding once at start.
class StdRandSource : public RandomSource {
public:
    int draw(int n) override;
};

// A seeded source for reproducible deals (command line, tests).
class SeededRandomSource : public RandomSource {
public:
    explicit SeededRandomSource(unsigned seed) : engine_(seed) {}
    int draw(int n) override;

private:
    std::mt19937 engine_;
};

enum class TrainerPosition { All = 0, SmallBlind = 1, BigBlind = 2, NonBlind = 3, Button = 4 };
enum class TrainerRoom { PokerStars = 0, FullTilt = 1, PartyPoker = 2 };

struct BlindLevel {
    int smallBlind;
    int bigBlind;
    int ante;
};

// The blind levels of each room in level order.
const std::vector<BlindLevel>& roomLevels(TrainerRoom room);
std::string blindLevelText(const BlindLevel& level);

// The choices of the trainer settings panel.
// The stacks the trainer deals, in big blinds.
inline constexpr int kTrainerStackMinBigBlinds = 1;
inline constexpr int kTrainerStackMaxBigBlinds = 20;

struct TrainerSettings {
    TrainerPosition position = TrainerPosition::All;
    int players = 0;  // 0 random, else 2..10
    int myStackMin = 4;
    int myStackMax = 14;
    int opponentStackMin = 4;
    int opponentStackMax = 14;
    TrainerRoom room = TrainerRoom::PokerStars;
    int level = -1;  // -1 any level of the room, else its index
    int bandLower = 0;  // ranking positions of the hero's hands
    int bandUpper = 68;
};

// Fills a new situation (all seats empty) from the settings. Needs the
// owner's ranking; ranges come from profile 0 of the owner's profile files.
void generateSituation(GameState& g, const TrainerSettings& settings, RandomSource& random);

}  // namespace torvel
