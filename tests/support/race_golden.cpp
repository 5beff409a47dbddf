#include "tests/support/race_golden.h"

#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_script.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace raceGolden {

namespace {

std::string bits(float value)
{
    std::uint32_t word = 0;
    std::memcpy(&word, &value, sizeof word);
    char text[16];
    std::snprintf(text, sizeof text, "%08x", word);
    return text;
}

std::string hex(std::uint64_t value, int digits)
{
    char text[24];
    std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
    return text;
}

std::string flag(bool on) { return on ? "1" : "0"; }

int keyCode(char letter)
{
    switch (letter) {
    case 'U': return VK_UP;
    case 'D': return VK_DOWN;
    case 'L': return VK_LEFT;
    case 'R': return VK_RIGHT;
    case 'B': return VK_SPACE;
    case 'E': return VK_END;
    case 'Z': return '0';
    case 'N': return VK_RETURN;
    default: return 0;
    }
}

void press(char letter)
{
    if (letter == 'l')
        pressLeftButton();
    else if (letter == 'r')
        pressRightButton();
    else
        pressKey(keyCode(letter));
}

void letGo(char letter)
{
    if (letter == 'l')
        releaseLeftButton();
    else if (letter == 'r')
        releaseRightButton();
    else
        releaseKey(keyCode(letter));
}

// "Data/Boom1.wav" is "Boom1".
std::string soundsSince(std::size_t before)
{
    const auto& sounds = testHooks::soundsRequested();
    std::string names;
    for (std::size_t i = before; i < sounds.size(); ++i) {
        std::string name = sounds[i];
        if (name.rfind("Data/", 0) == 0)
            name = name.substr(5);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0)
            name.resize(name.size() - 4);
        names += (names.empty() ? "" : "+") + name;
    }
    return names.empty() ? "-" : names;
}

std::string initialsOf(const HighScoreEntry& entry)
{
    std::string text;
    for (int n = 1; n <= 3; ++n)
        text += static_cast<char>(entry.initials.get(n));
    return text;
}

}  // namespace

bool holds(const std::string& keys, char letter) { return keys.find(letter) != std::string::npos; }

void holdKeys(const std::string& before, const std::string& now)
{
    for (const char* letter = keyLetters; *letter != '\0'; ++letter) {
        if (holds(before, *letter) && !holds(now, *letter))
            letGo(*letter);
    }
    for (const char* letter = keyLetters; *letter != '\0'; ++letter) {
        if (!holds(before, *letter) && holds(now, *letter))
            press(*letter);
    }
}

const std::vector<std::string>& columnNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list = {"frame",  "keys",      "clock",     "speed",  "steer",
                                         "bar",    "target",    "bombs",     "frames", "sky",
                                         "rising", "lightning", "menuClock", "delay",  "gameSpeed",
                                         "random", "frontEnd",  "nameEntry", "best",   "initials",
                                         "sounds", "pixels",    "field"};
        for (int row = 1; row <= fieldRows; ++row) {
            list.push_back("along" + std::to_string(row));
            list.push_back("across" + std::to_string(row));
        }
        return list;
    }();
    return names;
}

Line lineNow(int frame, const std::string& keys, std::size_t soundsBefore, bool withPicture,
             bool withField)
{
    const HighScoreEntry* entry = highScoreFor(settings.raceType);
    Line line = {
        std::to_string(frame),
        keys.empty() ? "-" : keys,
        bits(race.raceClock),
        bits(race.shipSpeed),
        bits(race.steerVelocity),
        bits(race.barLevel),
        bits(race.barTarget),
        bits(race.bombs),
        std::to_string(race.raceFrames),
        bits(race.skyLevel),
        flag(race.skyRising),
        flag(race.lightning),
        bits(menu.menuClock),
        std::to_string(menu.repeatDelay),
        bits(settings.gameSpeed),
        hex(gameRandomState(), 8),
        flag(screens.frontEnd),
        flag(screens.nameEntryShown),
        entry != nullptr ? std::to_string(entry->best) : "-",
        entry != nullptr ? initialsOf(*entry) : "-",
        soundsSince(soundsBefore),
        withPicture ? hex(raceScript::hashFrame(screenView::grab()), 16) : "-",
        hex(raceScript::hashBytes(field, sizeof field), 16),
    };
    if (withField) {
        for (const Obstacle& obstacle : field) {
            line.push_back(bits(obstacle.along));
            line.push_back(bits(obstacle.across));
        }
    }
    return line;
}

std::string value(const Line& line, const char* column)
{
    const auto& names = columnNames();
    for (std::size_t i = 0; i < names.size() && i < line.size(); ++i) {
        if (names[i] == column)
            return line[i];
    }
    return "";
}

std::string pathOf(const std::string& name)
{
    return std::string(TRIGONIX_SOURCE_DIR) + "/tests/race/golden/" + name + ".txt";
}

bool read(const std::string& path, Record& record)
{
    std::ifstream in(path);
    if (!in)
        return false;
    record = Record{};
    Line previous(columnNames().size(), "");
    std::string text;
    while (std::getline(in, text)) {
        if (text.rfind("# setup ", 0) == 0) {
            raceScript::Setup& setup = record.setup;
            int sky = 0, rotate = 0, sound = 0, title = 0;
            unsigned speedBits = 0;
            if (std::sscanf(text.c_str(),
                            "# setup raceType %d seed %u sky %d rotateShip %d sound %d fps %d "
                            "gameSpeed %x best %d fromTitle %d",
                            &setup.raceType, &setup.seed, &sky, &rotate, &sound,
                            &setup.framesPerSecond, &speedBits, &setup.best, &title) != 9)
                return false;
            setup.showSky = sky != 0;
            setup.rotateShip = rotate != 0;
            setup.soundOn = sound != 0;
            setup.fromTitle = title != 0;
            std::uint32_t word = speedBits;
            std::memcpy(&setup.gameSpeed, &word, sizeof word);
            continue;
        }
        if (text.rfind("# pictures ", 0) == 0) {
            record.pictures = text.substr(11);
            continue;
        }
        if (text.empty() || text[0] == '#')
            continue;
        std::istringstream words(text);
        Line line;
        std::string word;
        while (words >> word) {
            const std::size_t column = line.size();
            if (word == "." && column < previous.size())
                word = previous[column];
            line.push_back(word);
        }
        if (line.size() != columnsWithoutField && line.size() != columnNames().size())
            return false;
        for (std::size_t column = 0; column < line.size(); ++column)
            previous[column] = line[column];
        record.lines.push_back(line);
    }
    return true;
}

bool write(const std::string& path, const Record& record)
{
    std::ofstream out(path);
    out << "# A race recorded frame by frame; tests/support/race_golden.h tells how to read it.\n";
    const raceScript::Setup& setup = record.setup;
    out << "# setup raceType " << setup.raceType << " seed " << setup.seed << " sky "
        << setup.showSky << " rotateShip " << setup.rotateShip << " sound " << setup.soundOn
        << " fps " << setup.framesPerSecond << " gameSpeed " << bits(setup.gameSpeed) << " best "
        << setup.best << " fromTitle " << setup.fromTitle << "\n";
    out << "# pictures " << record.pictures << "\n";
    out << "#";
    for (const std::string& name : columnNames())
        out << ' ' << name;
    out << "\n";
    Line previous(columnNames().size(), "");
    for (const Line& line : record.lines) {
        for (std::size_t column = 0; column < line.size(); ++column) {
            const bool same = column > 0 && line[column] == previous[column];
            out << (column > 0 ? " " : "") << (same ? "." : line[column]);
            previous[column] = line[column];
        }
        out << "\n";
    }
    return static_cast<bool>(out);
}

std::string firstDifference(const Line& live, const Line& golden, bool withPicture)
{
    const auto& names = columnNames();
    for (std::size_t column = 0; column < golden.size(); ++column) {
        if (names[column] == "pixels" && !withPicture)
            continue;
        const std::string got = column < live.size() ? live[column] : "(none)";
        if (got != golden[column])
            return names[column] + " is " + got + ", recorded " + golden[column];
    }
    return "";
}

std::string pictureMaker()
{
    auto text = [](GLenum name) {
        const auto* value = reinterpret_cast<const char*>(glGetString(name));
        return std::string(value != nullptr ? value : "?");
    };
    std::string font = "?";
    if (FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>("Comic Sans MS:bold"))) {
        FcConfigSubstitute(nullptr, request, FcMatchPattern);
        FcDefaultSubstitute(request);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, request, &result)) {
            FcChar8* file = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
                font = reinterpret_cast<const char*>(file);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(request);
    }
    std::string maker = text(GL_RENDERER) + " | " + text(GL_VERSION) + " | " + font;
    return maker;
}

bool recording()
{
    const char* flagValue = std::getenv("TRIGONIX_RECORD_RACES");
    return flagValue != nullptr && std::strcmp(flagValue, "1") == 0;
}

}  // namespace raceGolden
