// Best runs kept and run again: a race of each type raced in the window to
// a new best leaves its replay, which runs again without a window frame
// for frame to the same score (--verify-replay says so too); a new
// window's seed or F12 over a change of the counted rate mid-race are
// kept; a race that is no best leaves nothing; an hour's racing fits in a
// few hundred kilobytes.
#include "app/command_line.h"
#include "game/frame_rate.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race_recording.h"
#include "race/race_types.h"
#include "race/replay_file.h"
#include "race/replay_run.h"
#include "tests/support/best_run.h"
#include "tests/support/race_fixture.h"
#include "tests/support/race_players.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

using bestRun::Race;

const Race bestRuns[] = {
    // The storm with thunder, all four bombs, both pauses, the speed tuned.
    {"long", {RaceType::LONG, 7, true, true, true, 20, 1.6f, -1}, "long_storm", {}, {}},
    // Started from the title.
    {"journey",
     {RaceType::JOURNEY, 10, true, true, true, 60, 1.0f, -1, true},
     "journey_best",
     {},
     {}},
    // Won slower than 5, which 99 makes a new best.
    {"short", {RaceType::SHORT, 3, false, true, false, 40, 2.0f, 99}, "short_win", {}, {}},
    {"medium",
     {RaceType::MEDIUM, 4, false, false, true, 60, 1.0f, 999},
     nullptr,
     [](int frame) {
         return racePlayers::dodge(fieldObstacles) + racePlayers::cruise(frame < 900 ? 1.0f : 2.5f);
     },
     {}},
    // A new window seeds the generator mid-race; the counted rate jumps,
    // then falls so that the speed tuning turns at that frame's end; F12
    // is held after.
    {"reseeded",
     {RaceType::SHORT, 5, true, false, true, 50, 1.0f, 99},
     nullptr,
     [](int) { return racePlayers::dodge(fieldObstacles) + racePlayers::cruise(1.5f); },
     [](int frame) {
         if (frame == 250)
             seedGameRandom(4242);
         if (frame == 500)
             testHooks::fixClock(1001);  // 500 frames counted in that second
         if (frame == 588)
             testHooks::fixClock(1002);  // then 88
         if (frame == 600)
             pressKey(VK_F12);
         if (frame == 610)
             releaseKey(VK_F12);
     }},
};

std::string verifyOutput(const std::string& path, int& status)
{
    std::string argument = path;
    char program[] = "trigonix";
    char option[] = "--verify-replay";
    char* argv[] = {program, option, argument.data(), nullptr};
    testing::internal::CaptureStdout();
    status = answerCommandLine(3, argv);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

struct BestRuns : RaceTest, ::testing::WithParamInterface<Race> {};

TEST_P(BestRuns, ANewBestLeavesAReplayThatRunsAgainFrameForFrameToTheSameScore)
{
    const Race& best = GetParam();
    const std::vector<bestRun::Moment> raced = bestRun::raceIt(best, false);
    ASSERT_TRUE(screens.nameEntryShown) << "no new best";
    const int score = shownScore();
    const std::string path = replayFileName(best.setup.raceType);
    ASSERT_TRUE(fileExists(path)) << path;
    const std::string kept = raceTypeFacts(best.setup.raceType)->name + std::string(".tgr");
    EXPECT_EQ(namesBesidesLog("Data/replays"), std::set<std::string>{kept});

    Replay replay;
    ASSERT_EQ(readReplayFile(path.c_str(), replay), "");
    EXPECT_EQ(replay.best, score);
    EXPECT_EQ(replay.frames, raced.size());

    // Run again without a window, in records scrambled first.
    screens = ScreenFlags{};
    menu = MenuState{};
    race = RaceState{};
    seedGameRandom(99);
    settings.raceType = RaceType::JOURNEY + 1 - best.setup.raceType;
    ReplayRun run;
    beginReplayRun(replay, run);
    RaceFrame picture;
    bool advanced = false;
    std::size_t frame = 0;
    while (runReplayFrame(run, picture, advanced)) {
        ASSERT_LT(frame, raced.size());
        const std::string difference = bestRun::difference(bestRun::momentNow(false), raced[frame]);
        ASSERT_EQ(difference, "") << best.name << ", frame " << frame + 1;
        ++frame;
    }
    EXPECT_EQ(frame, raced.size());
    EXPECT_TRUE(replayHolds(replay, checkReplay(replay)));

    int status = -1;
    const std::string said = verifyOutput(path, status);
    EXPECT_EQ(status, 0) << said;
    EXPECT_NE(said.find(std::string("a ") + raceTypeFacts(best.setup.raceType)->name + " race of " +
                        std::to_string(raced.size()) + " frames, run again: shown score " +
                        std::to_string(score) + ", best stored with it " + std::to_string(score) +
                        ": match\n"),
              std::string::npos)
        << said;
}

INSTANTIATE_TEST_SUITE_P(Races, BestRuns, ::testing::ValuesIn(bestRuns),
                         [](const ::testing::TestParamInfo<Race>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(RaceTest, ARaceThatIsNoNewBestKeepsNothingAndLeavesTheOldReplay)
{
    const Race noBests[] = {
        // Restarted with Enter mid-race, then lost.
        {"medium",
         {RaceType::MEDIUM, 10, false, false, true, 60, 1.0f, -1},
         "medium_restart_loss",
         {},
         {}},
        // Won slower than the best of 5.
        {"short", {RaceType::SHORT, 3, false, true, false, 40, 2.0f, 5}, "short_win", {}, {}},
    };
    std::filesystem::create_directory("Data/replays");
    for (const Race& noBest : noBests) {
        const std::string path = replayFileName(noBest.setup.raceType);
        writeFile(path, "the old best's");
        bestRun::raceIt(noBest, false);
        EXPECT_FALSE(screens.nameEntryShown) << noBest.name;
        EXPECT_GT(race.raceFrames, 400) << noBest.name << ": raced to its end";
        EXPECT_EQ(readFile(path), "the old best's") << noBest.name;
    }
    EXPECT_EQ(namesBesidesLog("Data/replays"), (std::set<std::string>{"MEDIUM.tgr", "SHORT.tgr"}));
}

// As a player who never lets the keys rest for long, or one who changes
// them every single frame, at a rate counted anew each second.
TEST_F(RaceTest, AnHourOfRacingIsKeptInAFewHundredKilobytes)
{
    constexpr int hour = 60 * 60 * 60;
    struct Player {
        const char* name;
        int framesPerChange;
        std::size_t mostBytes;
    };
    const Player players[] = {{"busy", 9, 128u << 10}, {"restless", 1, 640u << 10}};
    for (const Player& player : players) {
        highScoreFor(RaceType::JOURNEY)->best = 1;
        startRaceOf(RaceType::JOURNEY);
        std::uint32_t pattern = 12345;
        RaceControls controls;
        for (int frame = 0; frame < hour; ++frame) {
            if (frame % player.framesPerChange == 0) {
                pattern = pattern * 1103515245u + 12345u;
                controls.left = (pattern >> 16) & 1;
                controls.right = !controls.left && ((pattern >> 17) & 1);
                controls.leftButton = ((pattern >> 18) & 7) == 0;
                controls.endKey = ((pattern >> 21) & 63) == 0;
            }
            if (frame % 60 == 0)
                frameRate.framesPerSecond = 58 + (frame / 60) % 4;
            recordRaceFrame(controls);
            recordWhereRaceLeftOff();
        }
        race.raceClock = 3600e-12f;
        highScoreFor(RaceType::JOURNEY)->best = shownScore();
        openNameEntry();
        recordWhereRaceLeftOff();
        closeNameEntry();

        const std::string path = replayFileName(RaceType::JOURNEY);
        const std::size_t bytes = readFile(path).size();
        std::printf("an hour of a %s player's racing: %zu bytes\n", player.name, bytes);
        EXPECT_LT(bytes, player.mostBytes) << player.name;
        Replay replay;
        ASSERT_EQ(readReplayFile(path.c_str(), replay), "") << player.name;
        EXPECT_EQ(replay.frames, static_cast<std::uint32_t>(hour)) << player.name;
    }
}
