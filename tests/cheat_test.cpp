// cheat_test.cpp: the cheat word matcher, key by key.
#include <gtest/gtest.h>

#include <random>

#include "cheat.h"

namespace
{

// SDL's key symbols for the keys these cases press.
const int kEscape = 27;
const int kLeftShift = 304;
const int kUpArrow = 273;

// The matcher as the program starts with it, copied before main and so
// before any test has typed into it, whatever order the tests run in.
const int32_t kPosAtStart = g_cheat_pos;
const bool kFlagAtStart = g_cheat_flag;

void Restart()
{
    g_cheat_pos = 0;
    g_cheat_flag = false;
}

void Type(const char* keys)
{
    for (const char* key = keys; *key != '\0'; key++)
        CheckCheatKey(*key);
}

TEST(Cheat, StartsOffAtTheFirstLetterWithTheWordInItsBuffer)
{
    EXPECT_STREQ("gnarlwick", g_cheat_str);
    EXPECT_EQ(0, kPosAtStart);
    EXPECT_FALSE(kFlagAtStart);
}

TEST(Cheat, TheWordShowsThenHidesTheOverlay)
{
    Restart();
    Type("gnarlwic");
    EXPECT_EQ(8, g_cheat_pos);
    EXPECT_FALSE(g_cheat_flag) << "not before the ninth letter";
    CheckCheatKey('k');
    EXPECT_TRUE(g_cheat_flag);
    EXPECT_EQ(0, g_cheat_pos);
    Type("gnarlwick");
    EXPECT_FALSE(g_cheat_flag);
    Type("gnarlwickgnarlwickgnarlwick");
    EXPECT_TRUE(g_cheat_flag);
}

TEST(Cheat, AKeyThatBreaksTheRunIsNotTriedAsTheFirstLetter)
{
    Restart();
    CheckCheatKey('g');
    EXPECT_EQ(1, g_cheat_pos);
    CheckCheatKey('g'); // compared with 'n', fails, not compared with 'g'
    EXPECT_EQ(0, g_cheat_pos);
    Type("narlwick");
    EXPECT_FALSE(g_cheat_flag);

    Type("ggnarlwick"); // so a doubled first letter spoils the word
    EXPECT_FALSE(g_cheat_flag);
}

TEST(Cheat, AnyOtherKeyInTheMiddleRestarts)
{
    const int breakers[] = {'x', 'G', kLeftShift, kEscape, kUpArrow, 0};
    for (int breaker : breakers) {
        Restart();
        Type("gnar");
        CheckCheatKey(breaker);
        EXPECT_EQ(0, g_cheat_pos) << breaker;
        Type("lwick");
        EXPECT_FALSE(g_cheat_flag) << breaker;
    }
}

TEST(Cheat, AShiftBeforeTheWordStillMatches)
{
    Restart();
    CheckCheatKey(kLeftShift);
    EXPECT_EQ(0, g_cheat_pos);
    Type("gnarlwick");
    EXPECT_TRUE(g_cheat_flag);
}

TEST(Cheat, CodesAboveAsciiNeverMatch)
{
    for (int sym = 128; sym < 512; sym++) {
        Restart();
        CheckCheatKey(sym);
        EXPECT_EQ(0, g_cheat_pos) << sym;
        // 'g' plus 256 must not pass for 'g', nor 'n' plus 256 for 'n'.
        CheckCheatKey('g');
        CheckCheatKey(sym);
        EXPECT_EQ(0, g_cheat_pos) << sym;
    }
}

TEST(Cheat, PositionStaysWithinTheWordOverALongRandomStream)
{
    Restart();
    std::mt19937 random(20261207);
    const char letters[] = "gnarlwick";
    int flips = 0;
    for (int i = 0; i < 200000; i++) {
        // Mostly the letter that comes next, so that whole words happen;
        // otherwise any letter of the word or any key code at all.
        int pick = static_cast<int>(random() % 10);
        int sym = pick < 8   ? letters[g_cheat_pos]
                  : pick < 9 ? letters[random() % 9]
                             : static_cast<int>(random() % 400);
        bool before = g_cheat_flag;
        CheckCheatKey(sym);
        flips += before != g_cheat_flag;
        ASSERT_GE(g_cheat_pos, 0);
        ASSERT_LE(g_cheat_pos, 8);
    }
    EXPECT_GT(flips, 0) << "the stream should complete the word sometimes";
}

} // namespace
