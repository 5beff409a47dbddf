// Racing best runs for the replay tests.
#include "tests/support/best_run.h"

#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "tests/support/game_fixture.h"
#include "tests/support/race_golden.h"
#include "tests/support/screen_view.h"

#include <cstring>

namespace bestRun {

namespace {

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The corner the "REPLAY" sign stands in, whatever the window's size.
constexpr int signWidth = 160;
constexpr int signHeight = 60;

std::uint64_t pictureWithoutSign()
{
    screenView::Frame frame = screenView::grab();
    for (int y = frame.height - signHeight; y < frame.height; ++y) {
        for (int x = 0; x < signWidth && x < frame.width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * frame.width + x) * 3;
            frame.rgb[at] = frame.rgb[at + 1] = frame.rgb[at + 2] = 0;
        }
    }
    return raceScript::hashFrame(frame);
}

}  // namespace

Moment momentNow(bool withPicture)
{
    Moment moment{};
    moment.race = race;
    for (int row = 0; row < fieldRows; ++row)
        moment.field[row] = field[row];
    moment.menuClock = menu.menuClock;
    moment.repeatDelay = menu.repeatDelay;
    moment.gameSpeed = settings.gameSpeed;
    moment.random = gameRandomState();
    moment.picture = withPicture ? pictureWithoutSign() : 0;
    return moment;
}

std::string difference(const Moment& a, const Moment& b)
{
    if (!raceScript::sameRace(a.race, b.race))
        return "race: " + raceScript::describe(a.race) + " / " + raceScript::describe(b.race);
    if (!raceScript::sameField(a.field, b.field))
        return "field";
    if (!sameBits(a.menuClock, b.menuClock))
        return "menu clock";
    if (a.repeatDelay != b.repeatDelay)
        return "repeat delay";
    if (!sameBits(a.gameSpeed, b.gameSpeed))
        return "speed factor";
    if (a.random != b.random)
        return "random generator";
    if (a.picture != b.picture)
        return "picture";
    return "";
}

std::vector<Moment> raceIt(const Race& best, bool withPicture)
{
    raceGolden::Record record;
    if (best.record != nullptr) {
        EXPECT_TRUE(raceGolden::read(raceGolden::pathOf(best.record), record)) << best.record;
    }
    raceScript::startFixedRace(best.setup);
    std::vector<Moment> moments;
    std::string keys;
    for (int frame = 1; frame <= 5000 && !screens.nameEntryShown; ++frame) {
        std::string now;
        if (best.record != nullptr) {
            if (frame > static_cast<int>(record.lines.size()))
                break;
            now = raceGolden::value(record.lines[frame - 1], "keys");
            if (now == "-")
                now.clear();
        } else {
            now = best.player(frame);
        }
        if (best.before)
            best.before(frame);
        raceGolden::holdKeys(keys, now);
        keys = now;
        runFrames(1);
        moments.push_back(momentNow(withPicture));
    }
    raceGolden::holdKeys(keys, "");
    return moments;
}

}  // namespace bestRun
