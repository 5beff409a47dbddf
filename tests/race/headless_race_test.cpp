// A whole LONG race run without a window from its recorded input: every
// frame leaves exactly what the windowed run left (the recorded race in
// tests/race/golden/), and no window or rendering context is ever made.
#include "app/game_window.h"
#include "race/race.h"
#include "race/race_simulation.h"
#include "tests/support/game_fixture.h"
#include "tests/support/race_golden.h"
#include "tests/support/race_script.h"

#include <cstdlib>
#include <string>

using raceGolden::holds;
using raceGolden::value;

namespace {

RaceFrameInput inputFor(const std::string& keys, int framesPerSecond)
{
    RaceFrameInput in;
    in.controls.accelerate = holds(keys, 'U');
    in.controls.decelerate = holds(keys, 'D');
    in.controls.left = holds(keys, 'L');
    in.controls.right = holds(keys, 'R');
    in.controls.bomb = holds(keys, 'B');
    in.controls.endKey = holds(keys, 'E');
    in.controls.zeroKey = holds(keys, 'Z');
    in.controls.leftButton = holds(keys, 'l');
    in.controls.rightButton = holds(keys, 'r');
    in.enter = holds(keys, 'N');
    in.framesPerSecond = framesPerSecond;
    return in;
}

}  // namespace

struct HeadlessRace : GameTest {};

TEST_F(HeadlessRace, AWholeLongRaceRunsWithoutAWindowExactlyAsItRanInOne)
{
    // Nothing may reach a display; the platform's log shows any window or
    // context made from here on.
    setenv("DISPLAY", ":no-display", 1);
    testHooks::callLog();

    raceGolden::Record record;
    const std::string path = raceGolden::pathOf("long_storm");
    ASSERT_TRUE(raceGolden::read(path, record)) << "cannot read " << path;
    ASSERT_EQ(record.setup.raceType, RaceType::LONG);
    ASSERT_FALSE(record.setup.fromTitle);

    raceScript::startFixedRace(record.setup, false);
    int frame = 0;
    for (const raceGolden::Line& golden : record.lines) {
        ++frame;
        const std::string keys = value(golden, "keys");
        const std::size_t soundsBefore = testHooks::soundsRequested().size();
        simulateRaceFrame(inputFor(keys, record.setup.framesPerSecond));
        const bool withField = golden.size() > raceGolden::columnsWithoutField;
        const raceGolden::Line live =
            raceGolden::lineNow(frame, keys, soundsBefore, false, withField);
        const std::string difference = raceGolden::firstDifference(live, golden, false);
        ASSERT_EQ(difference, "") << "frame " << frame;
    }
    EXPECT_GT(race.barLevel, race.barTarget) << "the race was run to its end";
    for (const std::string& call : testHooks::callLog())
        ADD_FAILURE() << "made without a window: " << call;
    EXPECT_EQ(gameWindow.renderingContext, nullptr);
}
