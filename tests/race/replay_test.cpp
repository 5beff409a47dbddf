// A whole race played from a recorded input sequence, a fixed seed and a
// fixed clock ends the same way every time: same race state, same table,
// same files.
#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"
#include "tests/support/race_script.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using raceScript::Action;
using raceScript::Step;

namespace {

// A MEDIUM race: the speed pushed up, steering by keys and buttons, both
// bombs, braking, the left key with the right button.
const std::vector<Step> mediumScript = {
    {203, Action::keyDown, VK_UP},    {330, Action::keyUp, VK_UP},
    {215, Action::keyDown, VK_SPACE}, {260, Action::keyUp, VK_SPACE},
    {240, Action::keyDown, VK_LEFT},  {262, Action::keyUp, VK_LEFT},
    {300, Action::keyDown, VK_RIGHT}, {315, Action::keyUp, VK_RIGHT},
    {350, Action::leftDown},          {360, Action::leftUp},
    {380, Action::rightDown},         {380, Action::keyDown, VK_LEFT},
    {395, Action::rightUp},           {395, Action::keyUp, VK_LEFT},
    {500, Action::keyDown, VK_DOWN},  {520, Action::keyUp, VK_DOWN},
    {560, Action::keyDown, VK_UP},    {700, Action::keyUp, VK_UP},
    {720, Action::rightDown},         {735, Action::rightUp},
    {800, Action::keyDown, VK_LEFT},  {812, Action::keyUp, VK_LEFT},
    {900, Action::keyDown, VK_UP},    {1000, Action::keyUp, VK_UP},
};

// A JOURNEY: steering only.
const std::vector<Step> journeyScript = {
    {230, Action::keyDown, VK_LEFT},  {245, Action::keyUp, VK_LEFT},
    {300, Action::rightDown},         {330, Action::rightUp},
    {420, Action::keyDown, VK_RIGHT}, {425, Action::keyUp, VK_RIGHT},
    {500, Action::leftDown},          {540, Action::leftUp},
    {700, Action::keyDown, VK_LEFT},  {760, Action::keyUp, VK_LEFT},
};

constexpr int frameLimit = 6000;

struct Outcome {
    int frames = 0;
    RaceState race{};
    Obstacle field[fieldRows]{};
    HighScoreTable table{};
    bool nameEntryShown = false;
    std::vector<std::string> sounds;
    std::string settingsFile;
    std::string scoreFile;
};

bool ended()
{
    return screens.nameEntryShown || race.barLevel < 0.0f || race.barLevel > race.barTarget;
}

Outcome playRecordedRace(int raceType, unsigned seed, const std::vector<Step>& script)
{
    const size_t soundsBefore = testHooks::soundsRequested().size();
    raceScript::startFixedRace(raceType, seed);
    Outcome outcome;
    for (int frame = 1; frame <= frameLimit && !ended(); ++frame) {
        raceScript::deliver(script, frame);
        runFrames(1);
        outcome.frames = frame;
    }
    outcome.race = race;
    std::memcpy(outcome.field, field, sizeof outcome.field);
    outcome.table = highScores;
    outcome.nameEntryShown = screens.nameEntryShown;
    const auto& sounds = testHooks::soundsRequested();
    outcome.sounds.assign(sounds.begin() + static_cast<long>(soundsBefore), sounds.end());
    saveSettings();
    saveHighScores();
    outcome.settingsFile = readFile("Data/settings .tgx");
    outcome.scoreFile = readFile("Data/data .tgx");
    // Let go of whatever the script still holds.
    input = InputState{};
    return outcome;
}

std::uint64_t fieldHash(const Obstacle* positions)
{
    return raceScript::hashBytes(positions, sizeof(Obstacle) * fieldRows);
}

std::uint64_t soundsHash(const std::vector<std::string>& sounds)
{
    std::uint64_t hash = raceScript::hashBytes("", 0);
    for (const std::string& name : sounds)
        hash = raceScript::hashBytes(name.data(), name.size() + 1, hash);
    return hash;
}

// Prints the values to check in, when they have to be recorded again.
void print(const Outcome& o)
{
    std::printf(
        "frames %d\nrace clock %a speed %a steer %a bar %a bombs %a frames %d sky %a %d %d\n",
        o.frames, o.race.raceClock, o.race.shipSpeed, o.race.steerVelocity, o.race.barLevel,
        o.race.bombs, o.race.raceFrames, o.race.skyLevel, o.race.skyRising, o.race.lightning);
    std::printf("field %llx sounds %zu %llx\nsettings '%s'\nscores '%s'\nscore %d\n",
                static_cast<unsigned long long>(fieldHash(o.field)), o.sounds.size(),
                static_cast<unsigned long long>(soundsHash(o.sounds)), o.settingsFile.c_str(),
                o.scoreFile.c_str(), static_cast<int>(o.race.raceClock * 1e12f));
}

// The seed both races are played with.
constexpr unsigned seed = 10;

void expectSameOutcome(const Outcome& first, const Outcome& second)
{
    EXPECT_EQ(first.frames, second.frames);
    EXPECT_TRUE(raceScript::sameRace(first.race, second.race))
        << raceScript::describe(first.race) << "\n"
        << raceScript::describe(second.race);
    EXPECT_TRUE(raceScript::sameField(first.field, second.field));
    EXPECT_TRUE(raceScript::sameTable(first.table, second.table));
    EXPECT_EQ(first.nameEntryShown, second.nameEntryShown);
    EXPECT_EQ(first.sounds, second.sounds);
    EXPECT_EQ(first.settingsFile, second.settingsFile);
    EXPECT_EQ(first.scoreFile, second.scoreFile);
}

struct Recorded {
    int frames;
    float raceClock, shipSpeed, steerVelocity, barLevel, bombs, skyLevel;
    bool skyRising, lightning;
    std::uint64_t field;
    std::size_t sounds;
    std::uint64_t soundNames;
    const char* settingsFile;
    const char* scoreFile;
    int score;
    bool nameEntry;
};

void expectRecorded(const Outcome& o, const Recorded& r)
{
    EXPECT_EQ(o.frames, r.frames);
    EXPECT_EQ(o.race.raceFrames, r.frames);
    EXPECT_EQ(o.race.raceClock, r.raceClock);
    EXPECT_EQ(o.race.shipSpeed, r.shipSpeed);
    EXPECT_EQ(o.race.steerVelocity, r.steerVelocity);
    EXPECT_EQ(o.race.barLevel, r.barLevel);
    EXPECT_EQ(o.race.bombs, r.bombs);
    EXPECT_EQ(o.race.skyLevel, r.skyLevel);
    EXPECT_EQ(o.race.skyRising, r.skyRising);
    EXPECT_EQ(o.race.lightning, r.lightning);
    EXPECT_EQ(fieldHash(o.field), r.field);
    EXPECT_EQ(o.sounds.size(), r.sounds);
    EXPECT_EQ(soundsHash(o.sounds), r.soundNames);
    EXPECT_EQ(o.settingsFile, r.settingsFile);
    EXPECT_EQ(o.scoreFile, r.scoreFile);
    EXPECT_EQ(static_cast<int>(o.race.raceClock * 1e12f), r.score);
    EXPECT_EQ(o.nameEntryShown, r.nameEntry);
}

}  // namespace

struct Replay : RaceTest {};

// A MEDIUM race that uses both bombs and runs out of bar after 1223
// frames: the table and its file stay as they were.
TEST_F(Replay, ARecordedMediumRaceEndsTheSameWayOnEveryRun)
{
    const Outcome first = playRecordedRace(RaceType::MEDIUM, seed, mediumScript);
    const Outcome second = playRecordedRace(RaceType::MEDIUM, seed, mediumScript);
    expectSameOutcome(first, second);

    // As recorded once: a change of behaviour anywhere in the race shows here.
    expectRecorded(first, Recorded{1223, 0x1.c17c8cp-34f, 0x1.88f5aep+1f, -0x1.6cp-18f,
                                   -0x1.583facp-4f, 0.0f, 0.5f, false, false, 0x57e566245d13a78cull,
                                   36, 0xd3a885575ff18f78ull, "1012203804003703903201",
                                   "9025040000030KVaNYdQ\\gT_j0", 102, false});
    if (HasFailure())
        print(first);
}

// A JOURNEY whose crash beats the stored best of 30: the new best and its
// empty initials are in the file, and name entry is next.
TEST_F(Replay, ARecordedJourneyEndsTheSameWayOnEveryRun)
{
    const Outcome first = playRecordedRace(RaceType::JOURNEY, seed, journeyScript);
    const Outcome second = playRecordedRace(RaceType::JOURNEY, seed, journeyScript);
    expectSameOutcome(first, second);

    expectRecorded(first, Recorded{698, 0x1.b52a52p-35f, 0.0f, -0x1.d8p-19f, -0x1.0a32f4p-4f, 0.0f,
                                   0x1.2994d8p-2f, false, false, 0x87f345dd5a89d764ull, 1,
                                   0x6f66eb001da46cdeull, "1012403804003703903201",
                                   "9025040000049KVaNYdQ\\gis}0", 49, true});
    if (HasFailure())
        print(first);
}
