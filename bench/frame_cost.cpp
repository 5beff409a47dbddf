// Frame cost against the floor.
#include "bench/frame_cost.h"

#include "app/game_window.h"
#include "app/win_main.h"
#include "bench/bench_support.h"
#include "bench/race_driver.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race.h"
#include "render/textures.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Every row is measured in this many blocks, taken in turn, so that a
// machine that gets busier or quieter meanwhile touches every row alike.
constexpr int rounds = 4;
constexpr int warmUpFrames = 60;

// The least a frame of this window can cost: clear, one textured quad over
// the whole window, swap, finish. Untextured, it shows what the texture
// lookups of a full window cost the software renderer.
double timedFloorFrame(bool textured)
{
    const std::int64_t start = monotonicNanoseconds();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textured ? skyTexture : noTexture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    SwapBuffers(gameWindow.deviceContext);
    glFinish();
    return static_cast<double>(monotonicNanoseconds() - start) / 1e6;
}

// A floor frame between two game frames: the game finds the texture, the
// colour and the raster position as its last frame left them.
double pairedFloorFrame()
{
    glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
    const double cost = timedFloorFrame(true);
    glPopAttrib();
    return cost;
}

double ninetiethPercentile(const std::vector<double>& values) { return summarise(values).p90; }

// One row of the table. Every frame of it is followed by a floor frame, so
// the two are timed under the same load: llvmpipe's rasterising threads
// sometimes share a processor for seconds at a time, which slows every
// frame alike, and the ratio of the pair cancels that.
struct Row {
    std::vector<double> times;
    std::vector<double> floorTimes;
    std::vector<double> ratios;
    std::vector<double> blockMedians;
    std::size_t blockStart = 0;

    void add(double cost, double floorCost)
    {
        times.push_back(cost);
        floorTimes.push_back(floorCost);
        ratios.push_back(cost / floorCost);
    }

    void endBlock()
    {
        const std::vector<double> block(times.begin() + static_cast<long>(blockStart), times.end());
        blockMedians.push_back(summarise(block).median);
        blockStart = times.size();
    }

    void addTo(JsonObject& object) const
    {
        object.addRaw("cost", jsonCost(summarise(times)));
        object.addRaw("paired_floor", jsonCost(summarise(floorTimes)));
        object.add("over_floor_median", summarise(ratios).median);
        object.add("over_floor_p90", ninetiethPercentile(times) / ninetiethPercentile(floorTimes));
        object.addRaw("block_medians_ms", jsonNumbers(blockMedians));
    }
};

void untexturedFloorBlock(Row& row, int frames)
{
    for (int i = 0; i < warmUpFrames; ++i) {
        timedFloorFrame(false);
        timedFloorFrame(true);
    }
    for (int i = 0; i < frames; ++i) {
        const double cost = timedFloorFrame(false);
        row.add(cost, timedFloorFrame(true));
    }
    row.endBlock();
}

// The title screen with the mouse sweeping up and down over the menu rows,
// so every frame runs the five picking passes.
struct TitleRun {
    int width = 0;
    int height = 0;
    int step = 0;
    int highlightMoves = 0;
    Row row;

    void block(int frames, SimulatedClock& clock)
    {
        // Back from a race as Escape brings the player back.
        screens = ScreenFlags{};
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
        const int top = height / 4;
        const int sweep = height / 2;
        for (int frame = -warmUpFrames; frame < frames; ++frame) {
            const int at = step++ * 7 % (2 * sweep);
            const int y = top + (at < sweep ? at : 2 * sweep - at);
            moveMouseTo(width / 2 - width / 20, y);
            const int itemBefore = menu.currentItem;
            const double cost = timedGameFrame();
            clock.frameDone();
            const double floorCost = pairedFloorFrame();
            if (frame < 0)
                continue;
            row.add(cost, floorCost);
            if (menu.currentItem != itemBefore)
                ++highlightMoves;
        }
        // Out of the way of the race: no picking while it runs.
        input.mouseMoved = false;
        row.endBlock();
    }

    std::string json() const
    {
        JsonObject result;
        result.add("name", std::string("title"));
        // The picking found rows: the highlight followed the mouse.
        result.add("highlight_moves", highlightMoves);
        row.addTo(result);
        return result.close();
    }
};

// A race started afresh for every block and measured once its countdown
// is over, while the scripted player weaves through the field.
struct RaceRun {
    const char* name;
    int raceType;
    bool sky;
    int contactFrames = 0;
    int bombsDropped = 0;
    double gameSpeedSum = 0.0;
    int blocks = 0;
    Row row;

    RaceRun(const char* runName, int type, bool withSky)
        : name(runName), raceType(type), sky(withSky)
    {
    }

    void block(int frames, SimulatedClock& clock)
    {
        settings.showSky = sky;
        RaceDriver driver(raceType);
        driver.start();
        while (!driver.countdownOver()) {
            driver.beforeFrame();
            timedGameFrame();
            driver.afterFrame();
            clock.frameDone();
        }
        for (int frame = 0; frame < frames; ++frame) {
            driver.beforeFrame();
            const double cost = timedGameFrame();
            driver.afterFrame();
            clock.frameDone();
            row.add(cost, pairedFloorFrame());
        }
        driver.stop();
        contactFrames += driver.contactFrames;
        bombsDropped += driver.bombsDropped;
        gameSpeedSum += driver.meanGameSpeed();
        ++blocks;
        row.endBlock();
    }

    std::string json() const
    {
        JsonObject result;
        result.add("name", std::string(name));
        result.add("race_type", raceType);
        result.add("sky", sky ? 1.0 : 0.0);
        result.add("contact_frames", contactFrames);
        result.add("bombs_dropped", bombsDropped);
        result.add("mean_game_speed", blocks > 0 ? gameSpeedSum / blocks : 0.0);
        row.addTo(result);
        return result.close();
    }
};

}  // namespace

std::string rendererJson()
{
    JsonObject object;
    object.add("renderer", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    object.add("version", reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    object.add("vendor", reinterpret_cast<const char*>(glGetString(GL_VENDOR)));
    return object.close();
}

std::string measureFrameCosts(int width, int height, int framesEach)
{
    // Fresh records, as after start-up; the clock fixed so that the seed
    // and the counted rate (60 frames a second) are the same at every run.
    screens = ScreenFlags{};
    menu = MenuState{};
    input = InputState{};
    race = RaceState{};
    // The player's settings file, then the sound off: what is timed is
    // the drawing.
    loadSettings();
    settings.gameSpeed = 1.0f;
    settings.soundOn = false;
    SimulatedClock clock;
    clock.start(60);
    if (!createGameWindow("Trigonix", width, height, 16, false)) {
        std::fprintf(stderr, "trigonix_bench: cannot open a %d x %d window\n", width, height);
        std::exit(1);
    }

    Row untexturedFloor;
    TitleRun title;
    title.width = width;
    title.height = height;
    RaceRun races[] = {
        {"short_sky_off", RaceType::SHORT, false},
        {"short_sky_on", RaceType::SHORT, true},
        {"long_sky_on", RaceType::LONG, true},
    };
    for (int round = 0; round < rounds; ++round) {
        const int frames = framesEach / rounds + (round < framesEach % rounds ? 1 : 0);
        title.block(frames, clock);
        for (RaceRun& run : races)
            run.block(frames, clock);
        untexturedFloorBlock(untexturedFloor, frames);
    }
    const std::string renderer = rendererJson();
    closeGameWindow();

    std::string list = "[";
    list += title.json();
    for (const RaceRun& run : races) {
        list += ", ";
        list += run.json();
    }
    list += "]";

    JsonObject result;
    result.add("width", width);
    result.add("height", height);
    result.add("rounds", rounds);
    // The floor: every floor frame paired with a row.
    std::vector<double> floorTimes = title.row.floorTimes;
    for (const RaceRun& run : races)
        floorTimes.insert(floorTimes.end(), run.row.floorTimes.begin(), run.row.floorTimes.end());
    floorTimes.insert(floorTimes.end(), untexturedFloor.floorTimes.begin(),
                      untexturedFloor.floorTimes.end());
    result.addRaw("floor", jsonCost(summarise(floorTimes)));
    JsonObject untextured;
    untexturedFloor.addTo(untextured);
    result.addRaw("floor_untextured", untextured.close());
    result.addRaw("scenarios", list);
    result.addRaw("gl", renderer);
    return result.close();
}
