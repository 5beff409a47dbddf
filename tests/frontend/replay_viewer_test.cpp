// Watching a best run from the high-score table: the offer below the
// hints once a replay exists; keys 1 to 4 play it through the race's own
// draw frame for frame, heard only when the sound is on now; Escape or
// Enter ends it on the table with every record of the game as it stood and
// nothing saved; a race type without a replay does nothing, and a refused
// file says why in one line.
#include "frontend/replay_viewer.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race_types.h"
#include "race/replay_file.h"
#include "tests/support/best_run.h"
#include "tests/support/race_fixture.h"
#include "tests/support/screen_view.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using bestRun::Race;

constexpr screenView::Colour magenta{1, 0, 1};
constexpr screenView::Colour green{0, 1, 0};
const char* const offer = "Press 1 to 4 to watch a best run";

// Started from the title, ended by the first contact.
const Race journey{"journey",
                   {RaceType::JOURNEY, 10, true, true, true, 60, 1.0f, -1, true},
                   "journey_best",
                   {},
                   {}};
// Thunder and contacts, heard.
const Race longStorm{
    "long", {RaceType::LONG, 7, true, true, true, 20, 1.6f, -1}, "long_storm", {}, {}};

// Every record a replay runs in, to hold the game against after one.
struct Records {
    GameSettings settings;
    HighScoreTable table;
    std::uint32_t random;
    RaceState race;
    Obstacle field[fieldRows];
    MenuState menu;
    ScreenFlags screens;
    int lastReleasedKey;
};

Records recordsNow()
{
    Records records{::settings, highScores, gameRandomState(), ::race,
                    {},         ::menu,     ::screens,         input.lastReleasedKey};
    for (int row = 0; row < fieldRows; ++row)
        records.field[row] = field[row];
    return records;
}

std::string differences(const Records& a, const Records& b)
{
    std::string found;
    auto check = [&](bool same, const char* what) {
        if (!same)
            found += std::string(" ") + what;
    };
    const GameSettings& s = a.settings;
    const GameSettings& t = b.settings;
    check(std::memcmp(&s.gameSpeed, &t.gameSpeed, sizeof s.gameSpeed) == 0 &&
              s.showSky == t.showSky && s.resolutionIndex == t.resolutionIndex &&
              s.raceType == t.raceType && s.accelerateKey == t.accelerateKey &&
              s.decelerateKey == t.decelerateKey && s.leftKey == t.leftKey &&
              s.rightKey == t.rightKey && s.bombKey == t.bombKey && s.rotateShip == t.rotateShip &&
              s.soundOn == t.soundOn && s.fullscreen == t.fullscreen &&
              s.windowWidth == t.windowWidth && s.windowHeight == t.windowHeight,
          "settings");
    check(raceScript::sameTable(a.table, b.table), "table");
    check(a.random == b.random, "generator");
    check(raceScript::sameRace(a.race, b.race), "race");
    check(raceScript::sameField(a.field, b.field), "field");
    check(a.menu.currentItem == b.menu.currentItem && a.menu.repeatDelay == b.menu.repeatDelay &&
              std::memcmp(&a.menu.menuClock, &b.menu.menuClock, sizeof(float)) == 0,
          "menu");
    const ScreenFlags& f = a.screens;
    const ScreenFlags& g = b.screens;
    check(f.frontEnd == g.frontEnd && f.optionsShown == g.optionsShown &&
              f.controlsShown == g.controlsShown && f.graphicsShown == g.graphicsShown &&
              f.highScoresShown == g.highScoresShown && f.exitScreenShown == g.exitScreenShown &&
              f.helpShown == g.helpShown && f.nameEntryShown == g.nameEntryShown,
          "screen flags");
    check(a.lastReleasedKey == b.lastReleasedKey, "last key let go");
    return found;
}

std::map<std::string, std::string> dataFiles()
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("Data")) {
        if (entry.is_regular_file() && !entry.is_symlink() &&
            entry.path().filename() != "trigonix.log")
            files[entry.path().string()] = readFile(entry.path().string());
    }
    return files;
}

struct ReplayViewerTest : RaceTest {
    // Races a best run, names it and opens the table; what each frame of
    // the race left.
    std::vector<bestRun::Moment> raceABestAndOpenTheTable(const Race& best, bool withPicture)
    {
        const std::size_t soundsBefore = testHooks::soundsRequested().size();
        std::vector<bestRun::Moment> raced = bestRun::raceIt(best, withPicture);
        EXPECT_TRUE(screens.nameEntryShown) << best.name << " was no new best";
        heard.assign(testHooks::soundsRequested().begin() + soundsBefore,
                     testHooks::soundsRequested().end());
        tapKey(VK_RETURN);
        runFrames(1);
        EXPECT_TRUE(screens.frontEnd);
        openTheTable();
        return raced;
    }

    void openTheTable()
    {
        chooseMenuRow(3);
        runFrames(20);
        ASSERT_TRUE(screens.highScoresShown);
    }

    std::vector<std::string> heard;  // the sounds of the race

    bool replaySignShown()
    {
        return countColour(0, 0, 160, 60, 255, 255, 255) > 40 &&
               countColour(0, 0, 160, 60, 0, 0, 0) > 800;
    }

    bool tableShown()
    {
        return screenView::compare(screenView::grab(), "HIGH SCORES", -2.0f, 3.0f, green).shown();
    }
};

}  // namespace

TEST_F(ReplayViewerTest, TheOfferStandsBelowTheHintsOnceAReplayExists)
{
    findReplays();
    openTheTable();
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_EQ(screenView::linePixels(frame, -3.0f, -3.5f, magenta), 0) << "no replay, no offer";

    // One found at start-up.
    std::filesystem::create_directory("Data/replays");
    writeFile(replayFileName(RaceType::MEDIUM), "a replay, or so it seems");
    findReplays();
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, offer, -3.0f, -3.5f, magenta).shown());
    EXPECT_TRUE(
        screenView::compare(frame, "Press ENTER to go back", -2.4f, -3.0f, magenta).shown());
    EXPECT_TRUE(screenView::compare(frame, "Press DELETE or BACKSPACE to reset high scores.", -3.9f,
                                    -2.2f, magenta)
                    .shown());

    // One kept by a new best, with none there at start-up.
    std::filesystem::remove_all("Data/replays");
    findReplays();
    holdKeyForAFrame(VK_ESCAPE);
    raceABestAndOpenTheTable(journey, false);
    runFrames(1);
    EXPECT_TRUE(screenView::compare(screenView::grab(), offer, -3.0f, -3.5f, magenta).shown());
}

TEST_F(ReplayViewerTest, ABestRunPlaysFrameForFrameAndEscapeOrEnterPutsTheGameBackAsItStood)
{
    for (const int endKey : {VK_ESCAPE, VK_RETURN}) {
        const std::vector<bestRun::Moment> raced = raceABestAndOpenTheTable(journey, true);
        const std::map<std::string, std::string> files = dataFiles();
        ASSERT_EQ(files.count("Data/replays/JOURNEY.tgr"), 1u);

        // The game as a player may leave it: other settings, another race
        // left standing, the generator and clocks wherever they are.
        settings.raceType = RaceType::SHORT;
        settings.gameSpeed = 1.7f;
        settings.showSky = false;
        settings.rotateShip = false;
        settings.leftKey = 'A';
        for (int n = 1; n <= 3; ++n)
            highScoreFor(RaceType::JOURNEY)->initials.set(n, "KEV"[n - 1]);
        race.raceClock = 5e-12f;
        race.barLevel = 0.3f;
        field[4].across = 44.0f;
        seedGameRandom(777);

        // The replay starts with the frame after the one that took the key.
        holdKeyForAFrame('4');
        const Records before = recordsNow();
        for (std::size_t frame = 0; frame < raced.size(); ++frame) {
            runFrames(1);
            ASSERT_TRUE(replaySignShown()) << "frame " << frame + 1;
            // The first frame of a race started from the title stands on
            // the title's picture.
            const bestRun::Moment now = bestRun::momentNow(frame > 0);
            bestRun::Moment want = raced[frame];
            if (frame == 0)
                want.picture = 0;
            ASSERT_EQ(bestRun::difference(now, want), "") << "frame " << frame + 1;
        }
        // The end stands until Escape or Enter.
        const screenView::Frame end = screenView::grab();
        runFrames(30);
        EXPECT_EQ(screenView::differencesOutside(screenView::grab(), end, 0, 0, 0, 0), 0);

        // The table's own frame follows in the frame that ended it: its
        // clock moves on.
        pressKey(endKey);
        runFrames(1);
        EXPECT_TRUE(tableShown()) << "the table in the frame that ended it";
        Records after = recordsNow();
        EXPECT_EQ(after.menu.menuClock, before.menu.menuClock + 0.1f);
        after.menu.menuClock = before.menu.menuClock;
        EXPECT_EQ(differences(after, before), "") << endKey;
        releaseKey(endKey);
        runFrames(40);
        EXPECT_TRUE(screens.highScoresShown) << "the key that ended it does not leave the table";
        EXPECT_TRUE(tableShown());
        EXPECT_EQ(dataFiles(), files) << "nothing saved";

        holdKeyForAFrame(VK_ESCAPE);
        runFrames(1);
        ASSERT_FALSE(screens.highScoresShown);
    }
}

TEST_F(ReplayViewerTest, ARaceTypeWithoutAReplayDoesNothingAndARefusedOneSaysWhyInOneLine)
{
    raceABestAndOpenTheTable(journey, false);
    const std::string journeyReplay = readFile(replayFileName(RaceType::JOURNEY));
    std::string damaged = journeyReplay;
    damaged[300] ^= 0x20;
    writeFile(replayFileName(RaceType::LONG), damaged);
    writeFile(replayFileName(RaceType::SHORT), journeyReplay);
    const struct {
        int key;
        const char* line;  // on stderr and in the log; null: none
    } cases[] = {
        {'2', nullptr},
        {'3', "trigonix: Data/replays/LONG.tgr: replay refused: "
              "damaged (its checksum does not match)\n"},
        {'1', "trigonix: Data/replays/SHORT.tgr: replay refused: holds a JOURNEY race\n"},
    };
    for (const auto& pressed : cases) {
        const Records before = recordsNow();
        testing::internal::CaptureStderr();
        holdKeyForAFrame(pressed.key);
        runFrames(3);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(watchingReplay()) << pressed.key;
        EXPECT_TRUE(tableShown()) << pressed.key;
        // The table's frames move its clock, and the key let go is the one pressed.
        Records after = recordsNow();
        after.menu = before.menu;
        after.lastReleasedKey = before.lastReleasedKey;
        EXPECT_EQ(differences(after, before), "") << pressed.key;
        EXPECT_EQ(said, pressed.line != nullptr ? pressed.line : "") << pressed.key;
        if (pressed.line != nullptr) {
            EXPECT_NE(readFile("Data/trigonix.log").find(pressed.line), std::string::npos);
        }
    }
}

TEST_F(ReplayViewerTest, TheRaceIsHeardAsItWasOnlyWhileTheSoundIsOnNow)
{
    const std::vector<bestRun::Moment> raced = raceABestAndOpenTheTable(longStorm, false);
    ASSERT_GT(heard.size(), 10u);
    for (const bool soundOn : {true, false}) {
        settings.soundOn = soundOn;
        holdKeyForAFrame('3');
        const std::size_t replayBefore = testHooks::soundsRequested().size();
        runFrames(static_cast<int>(raced.size()) + 10);
        const std::vector<std::string>& sounds = testHooks::soundsRequested();
        const std::vector<std::string> replayed(sounds.begin() + replayBefore, sounds.end());
        EXPECT_EQ(replayed, soundOn ? heard : std::vector<std::string>{}) << soundOn;
        holdKeyForAFrame(VK_ESCAPE);
        EXPECT_TRUE(tableShown());
    }
}
