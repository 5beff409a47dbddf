// The replay viewer.
#include "frontend/replay_viewer.h"

#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_draw.h"
#include "race/race_sounds.h"
#include "race/replay_file.h"
#include "race/replay_run.h"
#include "race/ship.h"

#include <GL/gl.h>
#include <cstdint>
#include <utility>

namespace {

// Every record a replay runs in, as the game had it.
struct LiveGame {
    GameSettings settings;
    HighScoreTable table;
    std::uint32_t random = 0;
    RaceState race;
    Obstacle field[fieldRows] = {};
    MenuState menu;
    ScreenFlags screens;
    int lastReleasedKey = 0;  // a new best's hand-over to name entry sets it
    GLfloat clearColour[4] = {};
};

struct Viewer {
    bool asked = false;  // loaded, to start with the next frame
    bool shown = false;
    Replay replay;
    ReplayRun run;
    RaceFrame picture;
    bool paused = false;
    LiveGame live;
};

Viewer viewer;

void putAside(LiveGame& live)
{
    live.settings = settings;
    live.table = highScores;
    live.random = gameRandomState();
    live.race = race;
    for (int row = 0; row < fieldRows; ++row)
        live.field[row] = field[row];
    live.menu = menu;
    live.screens = screens;
    live.lastReleasedKey = input.lastReleasedKey;
}

void putBack(const LiveGame& live)
{
    settings = live.settings;
    highScores = live.table;
    setGameRandomState(live.random);
    race = live.race;
    for (int row = 0; row < fieldRows; ++row)
        field[row] = live.field[row];
    menu = live.menu;
    screens = live.screens;
    input.lastReleasedKey = live.lastReleasedKey;
}

}  // namespace

void watchBestRun(int raceType)
{
    if (watchingReplay())
        return;
    Replay replay;
    if (!loadBestRun(raceType, replay))
        return;
    viewer.replay = std::move(replay);
    viewer.asked = true;
}

bool watchingReplay() { return viewer.asked || viewer.shown; }

void replayFrame()
{
    hideRaceCursor();
    if (!viewer.shown) {
        putAside(viewer.live);
        glGetFloatv(GL_COLOR_CLEAR_VALUE, viewer.live.clearColour);
        viewer.asked = false;
        viewer.shown = true;
        // The race's sounds as it played them, unless the sound is off now.
        silenceRaceSounds(!viewer.live.settings.soundOn);
        drawRaceStart(beginReplayRun(viewer.replay, viewer.run));
    }
    bool advanced = true;
    if (runReplayFrame(viewer.run, viewer.picture, advanced))
        viewer.paused = !advanced;
    drawRaceFrame(viewer.picture);
    if (viewer.paused)
        drawPausedSign();
    drawReplaySign();
}

void stopWatchingReplay()
{
    const bool shown = viewer.shown;
    dropReplay();
    if (shown) {
        const GLfloat* colour = viewer.live.clearColour;
        glClearColor(colour[0], colour[1], colour[2], colour[3]);
    }
}

void dropReplay()
{
    if (viewer.shown)
        putBack(viewer.live);
    silenceRaceSounds(false);
    viewer.asked = false;
    viewer.shown = false;
    viewer.replay = Replay{};
}
