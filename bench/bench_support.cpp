// Shared pieces of the benchmark.
#include "bench/bench_support.h"

#include "app/frame.h"
#include "app/game_window.h"
#include "app/win_main.h"
#include "app/window_proc.h"
#include "game/input.h"
#include "platform/test_hooks.h"
#include "platform/window.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <numeric>

namespace fs = std::filesystem;

namespace {

struct FolderRecord {
    fs::path before;
    fs::path folder;
};

FolderRecord folders;

void send(UINT message, WPARAM wParam, LPARAM lParam)
{
    windowProc(gameWindow.window, message, wParam, lParam);
}

std::string number(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace

std::string settingsFileText(int resolutionIndex, int raceType, bool sky, bool sound)
{
    // Speed 1.0; keys Up, Down, Left, Right, Space; the world banks, as
    // the game ships.
    char text[32];
    std::snprintf(text, sizeof text, "10%d%d%d0380400370390320%d", sky ? 1 : 0, resolutionIndex,
                  raceType, sound ? 1 : 0);
    return text;
}

std::string scoresFileText()
{
    // The reset table of the high-score screen, in a window.
    return "9999999900001is}is}is}is}0";
}

void enterGameFolder(const std::string& settingsText, const std::string& scoresText)
{
    folders.before = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "trigonix-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("trigonix_bench: mkdtemp");
        std::exit(1);
    }
    folders.folder = pattern;
    fs::create_directory(folders.folder / "Data");
    for (const auto& entry : fs::directory_iterator(TRIGONIX_DATA_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name == "settings .tgx" || name == "data .tgx" || name[0] == '.')
            continue;
        fs::create_symlink(entry.path(), folders.folder / "Data" / name);
    }
    std::ofstream(folders.folder / "Data" / "settings .tgx", std::ios::binary) << settingsText;
    std::ofstream(folders.folder / "Data" / "data .tgx", std::ios::binary) << scoresText;
    fs::current_path(folders.folder);
}

void leaveGameFolder()
{
    if (folders.folder.empty())
        return;
    fs::current_path(folders.before);
    std::error_code ignored;
    fs::remove_all(folders.folder, ignored);
    folders.folder.clear();
}

std::int64_t monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void SimulatedClock::start(int framesPerSecond)
{
    rate = framesPerSecond;
    framesThisSecond = 0;
    testHooks::fixClock(now);
}

void SimulatedClock::frameDone()
{
    if (++framesThisSecond < rate)
        return;
    framesThisSecond = 0;
    testHooks::fixClock(++now);
}

void keyDown(int code) { send(WM_KEYDOWN, static_cast<WPARAM>(code), 0); }
void keyUp(int code) { send(WM_KEYUP, static_cast<WPARAM>(code), 0); }

void holdKey(int code, bool down)
{
    if (input.keys[code] == down)
        return;
    if (down)
        keyDown(code);
    else
        keyUp(code);
}

void moveMouseTo(int x, int y)
{
    send(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

double timedGameFrame()
{
    const std::int64_t start = monotonicNanoseconds();
    drawScene();
    SwapBuffers(gameWindow.deviceContext);
    glFinish();
    return static_cast<double>(monotonicNanoseconds() - start) / 1e6;
}

CostSummary summarise(std::vector<double> milliseconds)
{
    CostSummary summary;
    if (milliseconds.empty())
        return summary;
    std::sort(milliseconds.begin(), milliseconds.end());
    const std::size_t count = milliseconds.size();
    summary.frames = static_cast<int>(count);
    summary.median = count % 2 == 1 ? milliseconds[count / 2]
                                    : 0.5 * (milliseconds[count / 2 - 1] + milliseconds[count / 2]);
    // Nearest rank: the smallest time that 90 % of the frames do not exceed.
    const std::size_t rank = (count * 9 + 9) / 10;
    summary.p90 = milliseconds[std::min(count, std::max<std::size_t>(rank, 1)) - 1];
    summary.mean =
        std::accumulate(milliseconds.begin(), milliseconds.end(), 0.0) / static_cast<double>(count);
    return summary;
}

int runGameMain()
{
    if (const char* why = platformDisplayError()) {
        std::fprintf(stderr, "trigonix_bench: %s\n", why);
        return 1;
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), 1);
}

void JsonObject::add(const std::string& key, double value) { addRaw(key, number(value)); }

void JsonObject::add(const std::string& key, const std::string& value)
{
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            quoted += c;
    }
    addRaw(key, quoted + "\"");
}

void JsonObject::addRaw(const std::string& key, const std::string& json)
{
    if (text.size() > 1)
        text += ", ";
    text += "\"" + key + "\": " + json;
}

std::string jsonCost(const CostSummary& cost)
{
    JsonObject object;
    object.add("frames", cost.frames);
    object.add("median_ms", cost.median);
    object.add("p90_ms", cost.p90);
    object.add("mean_ms", cost.mean);
    return object.close();
}

std::string jsonNumbers(const std::vector<double>& values)
{
    std::string list = "[";
    for (double value : values) {
        if (list.size() > 1)
            list += ", ";
        list += number(value);
    }
    return list + "]";
}

bool writeTextFile(const std::string& path, const std::string& json)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << json << "\n";
    if (!out) {
        std::fprintf(stderr, "trigonix_bench: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
