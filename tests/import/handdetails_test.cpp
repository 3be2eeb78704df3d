// The tournament number and start time from the header lines of every layout.
#include <gtest/gtest.h>

#include "import/handdetails.h"

using namespace torvel::import;

TEST(HandDetails, ReadsTournamentAndTimeFromEachLayout) {
    struct Case {
        const char* line;
        const char* tournament;
        const char* time;
    };
    const Case cases[] = {
        {"PokerStars Game #62678213223: Tournament #999999999, $20.00+$0.80 USD Hold'em No Limit - Level I (10/20) - "
         "2010/06/05 18:20:59 WET [2010/06/05 13:20:59 ET]",
         "999999999", "2010-06-05 18:20:59"},
        {"PokerStars Hand #161783098324: Tournament #1735118766, $0.09+$0.01 USD Hold'em No Limit - Level III (20/40) "
         "- 2016/11/22 6:53:14 ET",
         "1735118766", "2016-11-22 06:53:14"},
        {"Full Tilt Poker Game #32654487081: $5 Sit & Go (Super Turbo) (253843023), Table 1 - NL Hold'em - 15/30 - "
         "19:02:47 ET - 2013/05/14",
         "253843023", "2013-05-14 19:02:47"},
        {"30/60 Tourney Texas Hold'em Game Table (NL)  (STT Tournament #52792286)  -  Sun Jun 13 12:21:39 EDT 2010",
         "52792286", "2010-06-13 12:21:39"},
        {"NL Texas Hold'em $11 USD Buy-in Trny: 59658935 Level: 7  Blinds(300/600) - Friday, April 01, 11:44:00 CEST "
         "2011",
         "59658935", "2011-04-01 11:44:00"},
        {"Ignition Hand #4300979169: HOLDEM Tournament #M-20210422003411 TBL#18, Turbo- Level 7 (75/150) [MVS] - "
         "2021-04-22 01:42:48 UTC",
         "M-20210422003411", "2021-04-22 01:42:48"},
        {"$10/$20 Blinds No Limit Holdem - *** 27 10 2016 18:03:49", "", "2016-10-27 18:03:49"},
        {"Table: 'Quitte ou Double(27536269)#0' 10-max (real money) Seat #2 is the button", "27536269", ""},
        {"Seat 1: Player1 (1520000)", "", ""},
        {"Hero: raises 1200 to 1500 and is all-in", "", ""},
        {"Trny: Level: 7 99/99/2010 25:61:00", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(tournamentIn(c.line), c.tournament);
        EXPECT_EQ(timestampIn(c.line), c.time);
    }
}
