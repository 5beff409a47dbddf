// The race's read-outs and scenery: HUD lines, progress bar, sky moods,
// lightning, day and night, ground, the finish hint and the WORLD turn.
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_display.h"
#include "tests/support/race_fixture.h"

#include <cmath>
#include <cstdlib>
#include <string>

using screenView::Colour;
using screenView::hudFrame;
using screenView::worldFrame;

struct RaceDisplay : RaceTest {
    // Runs one frame and returns the clock the race drew it with.
    float frameAt()
    {
        const float t = menu.menuClock + 0.1f;
        runFrames(1);
        return t;
    }

    // A pixel of open sky, away from every text.
    Rgb skyPixel(const screenView::Frame& frame) { return screenView::pixelOf(frame, 600, 150); }
};

static bool near(Rgb pixel, int r, int g, int b, int tolerance = 2)
{
    return std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance &&
           std::abs(pixel.b - b) <= tolerance;
}

TEST_F(RaceDisplay, TheHudShowsTheScoreAndTheBombsInTheClockColour)
{
    const float bombs[] = {0, 2, 4};
    for (int type : {RaceType::SHORT, RaceType::MEDIUM, RaceType::LONG, RaceType::JOURNEY}) {
        SCOPED_TRACE(type);
        startRaceOf(type);
        parkField();
        race.raceClock = 1.234e-10f;  // a shown score of 123
        const int score = shownScore();
        const float t = frameAt();
        const Colour colour{std::cos(t), std::sin(t), 1.0f - 0.5f * std::tan(t)};
        const screenView::Frame frame = screenView::grab();
        EXPECT_TRUE(screenView::compare(frame, "Score:   " + std::to_string(score), -2.6f, -1.8f,
                                        colour, hudFrame())
                        .shown());
        const auto bombsLine =
            screenView::compare(frame, "Bombs: 0", -2.6f, -2.0f, colour, hudFrame());
        if (type == RaceType::JOURNEY) {
            EXPECT_TRUE(bombsLine.absent());
        } else {
            const std::string text = "Bombs: " + std::to_string(static_cast<int>(bombs[type - 1]));
            EXPECT_TRUE(screenView::compare(frame, text, -2.6f, -2.0f, colour, hudFrame()).shown());
        }
    }
}

TEST_F(RaceDisplay, TheBarShowsTheTargetAndAFillThatTurnsRedAtHalf)
{
    startRaceOf(RaceType::MEDIUM);
    auto at = [](float y) { return screenView::project(screenView::shipFrame(), 5.9f, y, 0.0f); };
    const Rgb targetRed{179, 0, 0};

    race.barLevel = 0.51f;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(0.6f).x, at(0.6f).y), 0, 230, 26));
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(0.88f).x, at(0.88f).y), 0, 230, 26));
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(0.95f).x, at(0.95f).y), targetRed.r, 0, 0));
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(4.35f).x, at(4.35f).y), targetRed.r, 0, 0));
    const Rgb above = screenView::pixelOf(frame, at(4.5f).x, at(4.5f).y);
    EXPECT_FALSE(near(above, targetRed.r, 0, 0))
        << "the target ends at its top " << above.r << " " << above.g << " " << above.b;

    race.barLevel = 0.5f;
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(0.6f).x, at(0.6f).y), 255, 0, 0));
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(0.95f).x, at(0.95f).y), targetRed.r, 0, 0));

    // Below 0 the fill hangs down from the base, under the window's edge:
    // only the target shows.
    race.barLevel = -0.3f;
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(near(screenView::pixelOf(frame, at(0.6f).x, at(0.6f).y), targetRed.r, 0, 0));

    // A journey has no bar.
    startRaceOf(RaceType::JOURNEY);
    race.barLevel = 1.0f;
    runFrames(1);
    frame = screenView::grab();
    EXPECT_FALSE(near(screenView::pixelOf(frame, at(0.6f).x, at(0.6f).y), 0, 230, 26));
    EXPECT_FALSE(near(screenView::pixelOf(frame, at(0.95f).x, at(0.95f).y), targetRed.r, 0, 0));
}

TEST_F(RaceDisplay, EachRaceTypeHasItsSky)
{
    // SHORT with the sky off: plain light blue.
    startRaceOf(RaceType::SHORT);
    runFrames(1);
    EXPECT_TRUE(near(skyPixel(screenView::grab()), 131, 152, 252));

    // MEDIUM: purple with the sky off, and still purple after a crash.
    startRaceOf(RaceType::MEDIUM);
    runFrames(1);
    EXPECT_TRUE(near(skyPixel(screenView::grab()), 204, 77, 204));
    race.barLevel = -0.5f;
    runFrames(1);
    EXPECT_TRUE(near(skyPixel(screenView::grab()), 204, 77, 204));

    // With the picture on, SHORT shows it as it is and MEDIUM tints it.
    settings.showSky = true;
    startRaceOf(RaceType::SHORT);
    runFrames(1);
    const Rgb plain = skyPixel(screenView::grab());
    startRaceOf(RaceType::MEDIUM);
    runFrames(1);
    const Rgb tinted = skyPixel(screenView::grab());
    EXPECT_NEAR(tinted.r, plain.r * 0.8, 2);
    EXPECT_NEAR(tinted.g, plain.g * 0.3, 2);
    EXPECT_NEAR(tinted.b, plain.b * 0.8, 2);
}

TEST_F(RaceDisplay, ACrashedRaceSlowsItsColoursAndTintsTheSky)
{
    settings.showSky = true;
    startRaceOf(RaceType::SHORT);
    runFrames(1);
    const Rgb plain = skyPixel(screenView::grab());
    race.barLevel = -0.1f;
    const float before = menu.menuClock;
    const float t = frameAt();
    // Less 0.059999 in the sky step, plus 0.06 at the end of the frame.
    EXPECT_FLOAT_EQ(menu.menuClock, before + 0.1f + 0.000001f);
    const float red = std::min(1.0f, std::sin(t) + 1.0f);
    const float green = std::min(1.0f, std::cos(t) + 1.0f);
    const float blue = std::min(1.0f, (std::sin(t) + std::cos(t)) * 0.5f + 1.0f);
    const Rgb tinted = skyPixel(screenView::grab());
    EXPECT_NEAR(tinted.r, plain.r * red, 2);
    EXPECT_NEAR(tinted.g, plain.g * green, 2);
    EXPECT_NEAR(tinted.b, plain.b * blue, 2);

    // Not crashed: the race's own 0.06 only.
    race.barLevel = 1.0f;
    const float again = menu.menuClock;
    runFrames(1);
    EXPECT_FLOAT_EQ(menu.menuClock, again + 0.16f);
}

TEST_F(RaceDisplay, TheLongSkyIsGreyAndWhiteOnLightningFramesWithThunderOnSomeOfThem)
{
    settings.soundOn = true;
    seedGameRandom(3);
    startRaceOf(RaceType::LONG);
    parkField();
    int flashes = 0, thunders = 0;
    for (int frame = 0; frame < 900; ++frame) {
        const size_t sounds = testHooks::soundsRequested().size();
        runFrames(1);
        const Rgb sky = skyPixel(screenView::grab());
        const bool played = testHooks::soundsRequested().size() > sounds;
        if (race.lightning) {
            ++flashes;
            EXPECT_TRUE(near(sky, 255, 255, 255)) << frame;
            if (played) {
                ++thunders;
                EXPECT_EQ(testHooks::soundsRequested().back(), "Data/Boom2.wav");
            }
        } else {
            EXPECT_TRUE(near(sky, 77, 77, 77)) << frame;
            EXPECT_FALSE(played) << frame;
        }
    }
    EXPECT_GT(flashes, 3);
    EXPECT_GT(thunders, 0);
    EXPECT_LT(thunders, flashes);

    // The same storm without sound plays nothing.
    settings.soundOn = false;
    const size_t sounds = testHooks::soundsRequested().size();
    runFrames(300);
    EXPECT_EQ(testHooks::soundsRequested().size(), sounds);
}

// One frame in 100 starts a flash at speed 1 (a draw of 99), one in 50 at
// speed 2 (97 or more); a flash goes on when a second draw is above 50.
TEST_F(RaceDisplay, LightningStartsOnTheTopDrawsAndGoesOnWhenTheSecondDrawIsAboveFifty)
{
    auto seedWith = [](auto accept) {
        for (unsigned seed = 1; seed < 100000; ++seed) {
            seedGameRandom(seed);
            const int first = gameRandom() % 100;
            const int second = gameRandom() % 100;
            if (accept(first, second)) {
                seedGameRandom(seed);
                return true;
            }
        }
        return false;
    };
    struct Case {
        float speed;
        bool before;
        int first, second;  // -1: any
        bool after;
    };
    const Case cases[] = {
        {1.0f, false, 99, -1, true},  {1.0f, false, 98, -1, false}, {2.0f, false, 97, -1, true},
        {2.0f, false, 96, -1, false}, {1.0f, true, 10, 51, true},   {1.0f, true, 10, 50, false},
        {1.0f, true, 99, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " " + std::to_string(c.second));
        settings.gameSpeed = c.speed;
        race.lightning = c.before;
        ASSERT_TRUE(seedWith([&](int first, int second) {
            return first == c.first && (c.second < 0 || second == c.second);
        }));
        updateLightning();
        EXPECT_EQ(race.lightning, c.after);
    }
}

TEST_F(RaceDisplay, TheJourneySkyTurnsToNightAndBackToDay)
{
    startRaceOf(RaceType::JOURNEY);
    parkField();
    runFrames(1);
    EXPECT_FLOAT_EQ(race.skyLevel, 0.4997f);
    EXPECT_FALSE(race.skyRising);
    // Dusk: red leads.
    float level = race.skyLevel;
    Rgb sky = skyPixel(screenView::grab());
    EXPECT_NEAR(sky.r, std::min(1.0f, level + 0.15f / (1.0f - level)) * 255, 2);
    EXPECT_NEAR(sky.g, level * 255, 2);
    EXPECT_NEAR(sky.b, level * 255, 2);

    int frames = 1;
    while (!race.skyRising && frames < 5000) {
        runFrames(1);
        ++frames;
    }
    EXPECT_NEAR(frames, 1668, 2);
    EXPECT_LT(race.skyLevel, 0.0003f) << "it turned once below 0";
    runFrames(1);
    // Dawn: blue leads.
    level = race.skyLevel;
    sky = skyPixel(screenView::grab());
    EXPECT_NEAR(sky.r, std::max(0.0f, level) * 255, 2);
    EXPECT_NEAR(sky.b, std::min(1.0f, level + 0.15f / (1.0f - level)) * 255, 2);

    int rising = 1;
    while (race.skyRising && rising < 5000) {
        runFrames(1);
        ++rising;
    }
    EXPECT_NEAR(rising, 2335, 3);
    EXPECT_GT(race.skyLevel, 0.7f - 0.0003f) << "it turned once above 0.7";
}

TEST_F(RaceDisplay, TheGroundIsGreenUnderTheShip)
{
    startRaceOf(RaceType::SHORT);
    runFrames(1);
    const screenView::Frame frame = screenView::grab();
    EXPECT_EQ(screenView::countIn(frame, 150, 320, 40, 40, 0, 128, 0, 1), 1600);
}

TEST_F(RaceDisplay, TheHintShowsOnlyInTheLastFifthOfTheBar)
{
    highScores.rows[0].best = -1;  // the finish is no new best: the race screen stays
    startRaceOf(RaceType::SHORT);
    parkField();
    runCountdown();
    auto hint = [] {
        return screenView::compare(screenView::grab(), "A Little Further!!", -2.2f, 9.0f,
                                   Colour{0, 1, 0}, worldFrame());
    };
    race.barLevel = 1.75f;
    runFrames(1);
    EXPECT_TRUE(hint().absent());
    race.barLevel = 1.85f;
    runFrames(1);
    EXPECT_TRUE(hint().shown());
    race.barLevel = 1.9995f;
    runFrames(1);
    EXPECT_TRUE(hint().absent()) << "past the target it goes";
    EXPECT_GT(race.barLevel, race.barTarget);

    startRaceOf(RaceType::JOURNEY);
    parkField();
    runCountdown();
    race.barLevel = race.barTarget - 0.1f;
    runFrames(1);
    EXPECT_TRUE(hint().absent());
}

TEST_F(RaceDisplay, InWorldModeTheWorldAndItsTextsTurnWhileTheHudAndBarStayLevel)
{
    startRaceOf(RaceType::SHORT);
    settings.rotateShip = true;
    race.steerVelocity = 10.0f;  // in the countdown nothing changes it
    runFrames(1);
    const screenView::Frame shipMode = screenView::grab();
    settings.rotateShip = false;
    const float t = frameAt();
    const screenView::Frame worldMode = screenView::grab();

    // The countdown stands where the turned world puts it.
    EXPECT_TRUE(
        screenView::compare(worldMode, "3", -0.2f, 4.2f, Colour{1, 0, 0}, worldFrame(-10.0f))
            .shown());
    EXPECT_FALSE(
        screenView::compare(worldMode, "3", -0.2f, 4.2f, Colour{1, 0, 0}, worldFrame()).shown());
    EXPECT_TRUE(
        screenView::compare(shipMode, "3", -0.2f, 4.2f, Colour{1, 0, 0}, worldFrame()).shown());

    // The horizon dips to the right by 10 degrees.
    for (float x : {-20.0f, 20.0f}) {
        const screenView::Point edge = screenView::project(worldFrame(-10.0f), x, -0.2f, -50.0f);
        EXPECT_TRUE(near(screenView::pixelOf(worldMode, edge.x, edge.y - 4), 131, 152, 252)) << x;
        EXPECT_TRUE(near(screenView::pixelOf(worldMode, edge.x, edge.y + 4), 0, 128, 0, 1)) << x;
    }
    const screenView::Point left = screenView::project(worldFrame(-10.0f), -20.0f, -0.2f, -50.0f);
    const screenView::Point right = screenView::project(worldFrame(-10.0f), 20.0f, -0.2f, -50.0f);
    EXPECT_GT(right.y - left.y, 30);

    // The HUD and the bar stay level.
    const Colour hud{std::cos(t), std::sin(t), 1.0f - 0.5f * std::tan(t)};
    EXPECT_TRUE(
        screenView::compare(worldMode, "Score:   0", -2.6f, -1.8f, hud, hudFrame()).shown());
    const screenView::Point barLow =
        screenView::project(screenView::shipFrame(), 5.75f, 0.5f, 0.0f);
    const screenView::Point barHigh =
        screenView::project(screenView::shipFrame(), 5.75f, 2.4f, 0.0f);
    int differences = 0;
    for (int y = barHigh.y - 5; y <= barLow.y; ++y)
        for (int x = barLow.x - 5; x < width; ++x) {
            const auto p = screenView::pixelOf(shipMode, x, y);
            const auto q = screenView::pixelOf(worldMode, x, y);
            const bool bar = (p.g == 0 && p.r > 170) || (p.g == 230);
            if (bar && (p.r != q.r || p.g != q.g || p.b != q.b))
                ++differences;
        }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(screenView::countIn(worldMode, barLow.x, barHigh.y, width - barLow.x,
                                  barLow.y - barHigh.y, 179, 0, 0),
              100);
}
