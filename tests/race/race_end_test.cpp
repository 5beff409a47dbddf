// The end of a race: finishes, crashes and losses, their texts, new bests
// in the table and the hand-over to name entry.
#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"
#include "tests/support/race_script.h"

#include <cmath>
#include <string>

using screenView::Colour;
using screenView::worldFrame;

namespace {

Colour pulse(float t) { return Colour{std::sin(t), 1.0f - 0.5f * std::tan(t), std::cos(t)}; }
Colour slow(float t)
{
    return Colour{std::sin(0.05f * t), std::cos(0.05f * t), 1.0f - 0.5f * std::tan(0.005f * t)};
}
const Colour black{0, 0, 0};
const Colour red{1, 0, 0};
const Colour darkGreen{0, 0.2f, 0};

void setInitials(int type, const char* text)
{
    for (int n = 1; n <= 3; ++n)
        highScoreFor(type)->initials.set(n, text[n - 1]);
}

std::string initialsOf(int type)
{
    const Initials& initials = highScoreFor(type)->initials;
    return std::string{initials.get(1), initials.get(2), initials.get(3)};
}

}  // namespace

struct RaceEnd : RaceTest {
    void SetUp() override
    {
        RaceTest::SetUp();
        for (int type = 1; type <= 4; ++type) {
            highScoreFor(type)->best = 100 * type;
            setInitials(type, "ABC");
        }
        input.lastReleasedKey = 'Q';
    }

    void raceTo(int type)
    {
        startRaceOf(type);
        parkField();
        runCountdown();
    }

    // The score of a race whose clock stands at `clock` after one more
    // racing frame.
    static int scoreAfterOneFrame(float clock)
    {
        return static_cast<int>((clock + settings.gameSpeed * 1e-13f) * 1e12f);
    }

    // Finishes a timed race in one frame with its clock at `clock`; returns
    // the menu clock the texts were printed with.
    float finishAt(float clock)
    {
        race.raceClock = clock;
        race.barLevel = race.barTarget - 0.0005f;
        const float t = menu.menuClock + 0.1f;
        runFrames(1);
        return t;
    }

    // A shape in the ship's way: the next racing frame touches it.
    static void shapeAtTheShip()
    {
        field[0].along = 58.0f;
        field[0].across = 0.0f;
    }
};

TEST_F(RaceEnd, AShortFinishEqualToTheBestIsANewBestAndGoesToNameEntry)
{
    raceTo(RaceType::SHORT);
    const float clock = 3.05e-11f;
    const int score = scoreAfterOneFrame(clock);
    ASSERT_GT(score, 20);
    highScoreFor(RaceType::SHORT)->best = score;

    const float t = finishAt(clock);
    ASSERT_EQ(shownScore(), score);
    EXPECT_EQ(highScoreFor(RaceType::SHORT)->best, score);
    EXPECT_EQ(initialsOf(RaceType::SHORT), "___");
    EXPECT_EQ(input.lastReleasedKey, 63);
    EXPECT_TRUE(screens.nameEntryShown);
    EXPECT_FALSE(screens.frontEnd);
    EXPECT_EQ(initialsOf(RaceType::MEDIUM), "ABC") << "only the race's own row";

    // The result screen stands for this one frame.
    const screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "YOU BEAT THE OLD SHORT HIGH SCORE!!!", -3.5f, 5.0f,
                                    pulse(t), worldFrame())
                    .shown());
    EXPECT_TRUE(
        screenView::compare(frame, "YOU WIN!!", -1.1f, 9.0f, pulse(t), worldFrame()).shown());
    EXPECT_TRUE(screenView::compare(frame, "You Won In: " + std::to_string(score) + "!", -1.6f,
                                    8.0f, slow(t), worldFrame())
                    .shown());
    EXPECT_TRUE(
        screenView::compare(frame, "Press Escape to exit...", -1.9f, 3.0f, red, worldFrame())
            .shown());
    EXPECT_TRUE(screenView::compare(frame, "Press Enter to play again...", -2.1f, 2.0f, darkGreen,
                                    worldFrame())
                    .shown());

    // From the next frame on name entry owns the screen; the race stands.
    const int frames = race.raceFrames;
    runFrames(3);
    EXPECT_EQ(race.raceFrames, frames);
    EXPECT_EQ(initialsOf(RaceType::SHORT), "___");
}

TEST_F(RaceEnd, ABetterTimeOnMediumOrLongIsStoredWithItsOwnLine)
{
    const char* lines[] = {"YOU BEAT THE OLD MEDIUM HIGH SCORE!!!",
                           "YOU BEAT THE OLD LONG HIGH SCORE!!!"};
    for (int type : {RaceType::MEDIUM, RaceType::LONG}) {
        SCOPED_TRACE(type);
        screens = ScreenFlags{};
        raceTo(type);
        const float clock = 5.05e-11f;
        const int score = scoreAfterOneFrame(clock);
        highScoreFor(type)->best = score + 1;
        const float t = finishAt(clock);
        EXPECT_EQ(highScoreFor(type)->best, score);
        EXPECT_EQ(initialsOf(type), "___");
        EXPECT_TRUE(screens.nameEntryShown);
        EXPECT_TRUE(screenView::compare(screenView::grab(), lines[type - 2], -3.5f, 5.0f, pulse(t),
                                        worldFrame())
                        .shown());
    }
}

TEST_F(RaceEnd, ASlowerFinishSaysWhichTimeWasNotBeatenAndStaysOnScreen)
{
    raceTo(RaceType::SHORT);
    const float clock = 5.05e-11f;
    const int score = scoreAfterOneFrame(clock);
    highScoreFor(RaceType::SHORT)->best = score - 1;
    const HighScoreTable table = highScores;
    float t = finishAt(clock);
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_TRUE(raceScript::sameTable(table, highScores));
    EXPECT_EQ(input.lastReleasedKey, 'Q');

    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        const screenView::Frame picture = screenView::grab();
        EXPECT_TRUE(screenView::compare(picture,
                                        "Sorry, you didn't beat " + std::to_string(score - 1),
                                        -2.4f, 5.0f, black, worldFrame())
                        .shown());
        EXPECT_TRUE(
            screenView::compare(picture, "YOU WIN!!", -1.1f, 9.0f, pulse(t), worldFrame()).shown());
        EXPECT_TRUE(screenView::compare(picture, "You Won In: " + std::to_string(score) + "!",
                                        -1.6f, 8.0f, slow(t), worldFrame())
                        .shown());
        t = menu.menuClock + 0.1f;
        runFrames(1);
        EXPECT_EQ(shownScore(), score) << "the clock has stopped";
    }
}

TEST_F(RaceEnd, AJourneyCrashBelowTheBestSaysHowLongItLastedAndWhatItDidNotBeat)
{
    raceTo(RaceType::JOURNEY);
    highScoreFor(RaceType::JOURNEY)->best = 400;
    const HighScoreTable table = highScores;
    race.raceClock = 2.5e-11f;
    shapeAtTheShip();
    float t = menu.menuClock + 0.1f;
    runFrames(1);
    ASSERT_LT(race.barLevel, 0.0f);
    const int score = shownScore();
    EXPECT_EQ(score, scoreAfterOneFrame(2.5e-11f));

    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        const screenView::Frame picture = screenView::grab();
        EXPECT_TRUE(screenView::compare(picture, "Sorry, you didn't last longer than 400", -2.8f,
                                        5.0f, black, worldFrame())
                        .shown());
        EXPECT_TRUE(
            screenView::compare(picture, "YOU CRASHED!!", -1.1f, 9.0f, pulse(t), worldFrame())
                .shown());
        EXPECT_TRUE(screenView::compare(picture, "YOU LASTED: " + std::to_string(score) + "!",
                                        -1.4f, 8.0f, slow(t), worldFrame())
                        .shown());
        // Crashed, the sky step takes 0.059999 off the clock before the texts.
        t = static_cast<float>((menu.menuClock + 0.1f) - 0.059999);
        runFrames(1);
    }
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_TRUE(raceScript::sameTable(table, highScores));
}

TEST_F(RaceEnd, AJourneyThatLastsAsLongAsTheBestOrLongerIsANewBest)
{
    for (int margin : {0, -5}) {
        SCOPED_TRACE(margin);
        screens = ScreenFlags{};
        raceTo(RaceType::JOURNEY);
        race.raceClock = 3.05e-11f;
        const int score = scoreAfterOneFrame(race.raceClock);
        highScoreFor(RaceType::JOURNEY)->best = score + margin;
        shapeAtTheShip();
        const float t = menu.menuClock + 0.1f;
        runFrames(1);
        EXPECT_EQ(highScoreFor(RaceType::JOURNEY)->best, score);
        EXPECT_EQ(initialsOf(RaceType::JOURNEY), "___");
        EXPECT_TRUE(screens.nameEntryShown);
        EXPECT_EQ(input.lastReleasedKey, 63);
        EXPECT_TRUE(screenView::compare(screenView::grab(),
                                        "YOU BEAT THE OLD JOURNEY HIGH SCORE!!!", -3.5f, 5.0f,
                                        pulse(t), worldFrame())
                        .shown());
        setInitials(RaceType::JOURNEY, "ABC");
    }
}

TEST_F(RaceEnd, ALongLossShowsTheLoseScreenAndLeavesTheTableAndItsFileAsTheyWere)
{
    saveHighScores();
    const std::string fileBefore = readFile("Data/data .tgx");
    const HighScoreTable table = highScores;
    raceTo(RaceType::LONG);
    race.raceClock = 4.05e-11f;
    race.barLevel = 0.05f;
    shapeAtTheShip();
    const float t = menu.menuClock + 0.1f;
    runFrames(1);
    ASSERT_LT(race.barLevel, 0.0f);
    const int score = shownScore();

    const screenView::Frame picture = screenView::grab();
    EXPECT_TRUE(screenView::compare(picture, "YOU LOSE", -1.1f, 9.0f, black, worldFrame()).shown());
    EXPECT_TRUE(screenView::compare(picture, "You Lasted:" + std::to_string(score), -1.4f, 8.0f,
                                    black, worldFrame())
                    .shown());
    EXPECT_TRUE(screenView::compare(picture, "Sorry, you didn't go faster than 300", -2.7f, 5.0f,
                                    pulse(t), worldFrame())
                    .shown());
    EXPECT_TRUE(
        screenView::compare(picture, "Press Escape to exit...", -1.9f, 3.0f, red, worldFrame())
            .shown());
    EXPECT_TRUE(screenView::compare(picture, "Press Enter to play again...", -2.1f, 2.0f, darkGreen,
                                    worldFrame())
                    .shown());

    // Even a time "better" than the best is no best when the bar ran out.
    highScoreFor(RaceType::LONG)->best = 100000;
    const HighScoreTable generous = highScores;
    runFrames(5);
    EXPECT_FALSE(screens.nameEntryShown);
    EXPECT_TRUE(raceScript::sameTable(generous, highScores));
    highScoreFor(RaceType::LONG)->best = 300;
    EXPECT_TRUE(raceScript::sameTable(table, highScores));
    saveHighScores();
    EXPECT_EQ(readFile("Data/data .tgx"), fileBefore);
}

TEST_F(RaceEnd, EnterOnAResultScreenPlaysAgainAndEscapeGoesBackToTheTitle)
{
    raceTo(RaceType::SHORT);
    highScoreFor(RaceType::SHORT)->best = 0;
    finishAt(5.05e-11f);
    ASSERT_FALSE(screens.nameEntryShown);
    runFrames(2);

    holdKeyForAFrame(VK_RETURN);
    EXPECT_EQ(race.raceFrames, 1);
    EXPECT_EQ(race.barLevel, 1.0f);
    EXPECT_EQ(race.raceClock, 0.0f);

    runCountdown();
    finishAt(5.05e-11f);
    holdKeyForAFrame(VK_ESCAPE);
    EXPECT_TRUE(screens.frontEnd);
}
