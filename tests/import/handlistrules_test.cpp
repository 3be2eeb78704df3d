// How the hand list reads an imported hero action and grades it.
#include <gtest/gtest.h>

#include "import/handlistrules.h"

using namespace torvel;
using namespace torvel::import;

namespace {

TEST(NormaliseHeroAction, AllInMarkOrCalledPushBecomesAllIn) {
    const struct {
        bool heroAllIn;
        int raiserSeat, action, normalised;
    } cases[] = {
        {false, -1, kHeroCalls, kHeroCalls}, {false, 4, kHeroCalls, kHeroAllIn}, {true, -1, kHeroRaises, kHeroAllIn},
        {false, -1, kHeroRaises, kHeroRaises}, {false, 4, kHeroFolds, kHeroFolds}, {false, 4, kHeroChecks, kHeroChecks},
        {false, 4, kHeroRaises, kHeroRaises}, {true, 4, kHeroCalls, kHeroAllIn},
    };
    for (const auto& c : cases) {
        GameState g(nullptr);
        g.heroSeat = 2;
        g.seats[2].status = kSeatHero;
        g.seats[2].isAllIn = c.heroAllIn;
        g.raiserSeat = c.raiserSeat;
        g.heroAction = c.action;
        normaliseHeroAction(g);
        EXPECT_EQ(g.heroAction, c.normalised) << c.heroAllIn << " " << c.raiserSeat << " " << c.action;
    }
    GameState seatless(nullptr);
    seatless.heroAction = kHeroRaises;
    normaliseHeroAction(seatless);
    EXPECT_EQ(seatless.heroAction, kHeroRaises);
}

TEST(DecisionIsRight, SameAsTheVerdictOrACheckWhereFoldIsRight) {
    const struct {
        int action, decision;
        bool right;
    } cases[] = {
        {kHeroAllIn, kDecisionPush, true},   {kHeroFolds, kDecisionFold, true},   {kHeroAllIn, kDecisionFold, false},
        {kHeroFolds, kDecisionPush, false},  {kHeroChecks, kDecisionFold, true},  {kHeroChecks, kDecisionPush, false},
        {kHeroRaises, kDecisionPush, false}, {kHeroCalls, kDecisionPush, false},  {-1, kDecisionNotComputed, false},
    };
    for (const auto& c : cases) {
        GameState g(nullptr);
        g.heroAction = c.action;
        g.decision = c.decision;
        EXPECT_EQ(decisionIsRight(g), c.right) << c.action << " vs " << c.decision;
    }
}

}  // namespace
