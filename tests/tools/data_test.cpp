// The Data folder the build draws: its pictures, sounds, waltz and icons
// must be what the game and SDL can use, the same on every build, and
// filling the player's folder must never cost them their settings or scores.
#include "platform/test_hooks.h"
#include "render/bitmap.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

const fs::path dataDir = TRIGONIX_DATA_DIR;
const fs::path sourceDir = TRIGONIX_SOURCE_DIR;

const char* const pictureNames[] = {"3dship4lr.bmp", "3dship42lr.bmp", "moon.bmp", "sky.bmp",
                                    "alienlr.bmp"};
const char* const soundNames[] = {"title.wav",  "Bleep.wav", "Bleep2.wav", "bye.wav",
                                  "erased.wav", "Boom1.wav", "Boom2.wav"};
const char* const defaultSettings = "1012103804003703903201";
const char* const defaultScores = "9999999900001is}is}is}is}0";

Bytes readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const fs::path& path)
{
    Bytes bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

uint32_t le16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t le32(const Bytes& b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }
uint32_t be16(const Bytes& b, size_t at) { return b[at] << 8 | b[at + 1]; }
uint32_t be32(const Bytes& b, size_t at) { return be16(b, at) << 16 | be16(b, at + 2); }
int16_t sample(const Bytes& b, size_t at) { return static_cast<int16_t>(le16(b, at)); }

bool isPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

std::string shellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

int runTool(const std::string& tool, const std::string& arguments)
{
    std::string command = "python3 " + shellQuote((sourceDir / "tools" / tool).string()) + " " +
                          arguments + " >/dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runGenerator(const fs::path& out) { return runTool("make_data.py", shellQuote(out.string())); }

int runFill(const fs::path& src, const fs::path& dest)
{
    return runTool("fill_data_folder.py",
                   shellQuote(src.string()) + " " + shellQuote(dest.string()));
}

// A fresh folder of its own for one test, removed with everything in it.
struct TempFolder {
    fs::path path;
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "trigonix-data-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        if (made != nullptr)
            path = made;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (!path.empty())
            fs::remove_all(path, ignored);
    }
};

// Every regular file under a folder, by path relative to it.
std::map<std::string, Bytes> filesUnder(const fs::path& root)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = readFile(entry.path());
    return files;
}

// A 24-bit BMP decoded to rows of RGB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Picture decode(const Bytes& file)
{
    Picture picture;
    picture.width = static_cast<int>(le32(file, 18));
    picture.height = static_cast<int>(le32(file, 22));
    size_t stride = (static_cast<size_t>(picture.width) * 3 + 3) / 4 * 4;
    size_t offset = le32(file, 10);
    for (int y = 0; y < picture.height; ++y) {
        size_t row = offset + (picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            size_t at = row + static_cast<size_t>(x) * 3;
            picture.rgb.push_back(file[at + 2]);
            picture.rgb.push_back(file[at + 1]);
            picture.rgb.push_back(file[at]);
        }
    }
    return picture;
}

Picture loadPicture(const char* name) { return decode(readFile(dataDir / name)); }

bool hasColour(const uint8_t* px, int r, int g, int b)
{
    return px[0] == r && px[1] == g && px[2] == b;
}

// The samples of a 16-bit mono WAV, after its chunks have been walked.
struct Sound {
    uint32_t format = 0;
    uint32_t channels = 0;
    uint32_t rate = 0;
    uint32_t byteRate = 0;
    uint32_t blockAlign = 0;
    uint32_t bits = 0;
    bool hasData = false;
    std::vector<int16_t> samples;
    double seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0.0; }
};

Sound loadSound(const char* name)
{
    Bytes file = readFile(dataDir / name);
    Sound sound;
    EXPECT_GE(file.size(), 12u) << name;
    if (file.size() < 12)
        return sound;
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF") << name;
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "WAVE") << name;
    EXPECT_EQ(le32(file, 4), file.size() - 8) << name << ": RIFF size";
    size_t at = 12;
    while (at + 8 <= file.size()) {
        std::string id(file.begin() + at, file.begin() + at + 4);
        size_t size = le32(file, at + 4);
        size_t body = at + 8;
        EXPECT_LE(body + size, file.size()) << name << ": chunk " << id << " runs past the end";
        if (body + size > file.size())
            break;
        if (id == "fmt " && size >= 16) {
            sound.format = le16(file, body);
            sound.channels = le16(file, body + 2);
            sound.rate = le32(file, body + 4);
            sound.byteRate = le32(file, body + 8);
            sound.blockAlign = le16(file, body + 12);
            sound.bits = le16(file, body + 14);
        } else if (id == "data") {
            sound.hasData = true;
            for (size_t i = 0; i + 1 < size; i += 2)
                sound.samples.push_back(sample(file, body + i));
        }
        at = body + size + (size & 1);
    }
    return sound;
}

double zeroCrossingsPerSecond(const Sound& sound)
{
    int crossings = 0;
    for (size_t i = 1; i < sound.samples.size(); ++i)
        if ((sound.samples[i - 1] < 0) != (sound.samples[i] < 0))
            ++crossings;
    return crossings / sound.seconds();
}

// What the tests need of a standard MIDI file: its header, its time
// signatures, its tempo map, its end and its notes.
struct Music {
    uint32_t format = 0;
    uint32_t tracks = 0;
    uint32_t division = 0;
    std::vector<std::pair<uint32_t, uint32_t>> timeSignatures;  // numerator, power of two
    std::vector<std::pair<uint64_t, uint32_t>> tempi;           // tick, microseconds per quarter
    uint64_t endTick = 0;
    std::map<int, int> openNotes[16];  // key -> sounding count, per channel
    int noteOns[16] = {};
    bool offWithoutOn = false;
    bool noteBeforeProgram = false;
    bool programSet[16] = {};
    bool parsed = false;
};

uint32_t readVariable(const Bytes& b, size_t& at, size_t end)
{
    uint32_t value = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        unsigned char c = b[at++];
        value = value << 7 | (c & 0x7F);
        if (!(c & 0x80))
            break;
    }
    return value;
}

Music loadMusic()
{
    Bytes file = readFile(dataDir / "Waltz.mid");
    Music music;
    if (file.size() < 14 || std::string(file.begin(), file.begin() + 4) != "MThd" ||
        be32(file, 4) != 6)
        return music;
    music.format = be16(file, 8);
    music.tracks = be16(file, 10);
    music.division = be16(file, 12);
    size_t at = 14;
    for (uint32_t t = 0; t < music.tracks; ++t) {
        if (at + 8 > file.size() || std::string(file.begin() + at, file.begin() + at + 4) != "MTrk")
            return music;
        size_t end = at + 8 + be32(file, at + 4);
        if (end > file.size())
            return music;
        size_t p = at + 8;
        uint64_t tick = 0;
        unsigned char status = 0;
        bool ended = false;
        while (p < end && !ended) {
            tick += readVariable(file, p, end);
            if (p >= end)
                return music;
            if (file[p] == 0xFF) {
                if (p + 2 > end)
                    return music;
                unsigned type = file[p + 1];
                p += 2;
                size_t length = readVariable(file, p, end);
                if (p + length > end)
                    return music;
                if (type == 0x58 && length >= 2)
                    music.timeSignatures.push_back({file[p], file[p + 1]});
                if (type == 0x51 && length == 3)
                    music.tempi.push_back(
                        {tick,
                         static_cast<uint32_t>(file[p] << 16 | file[p + 1] << 8 | file[p + 2])});
                if (type == 0x2F)
                    ended = true;
                p += length;
                continue;
            }
            if (file[p] == 0xF0 || file[p] == 0xF7) {
                ++p;
                p += readVariable(file, p, end);
                continue;
            }
            if (file[p] & 0x80)
                status = file[p++];
            if (!(status & 0x80))
                return music;  // data byte with no running status to go on
            int channel = status & 0x0F;
            int kind = status >> 4;
            size_t length = (kind == 0xC || kind == 0xD) ? 1 : 2;
            if (p + length > end)
                return music;
            if (kind == 0xC)
                music.programSet[channel] = true;
            bool on = kind == 0x9 && file[p + 1] > 0;
            bool off = kind == 0x8 || (kind == 0x9 && file[p + 1] == 0);
            if (on) {
                ++music.openNotes[channel][file[p]];
                ++music.noteOns[channel];
                if (!music.programSet[channel])
                    music.noteBeforeProgram = true;
            } else if (off) {
                if (--music.openNotes[channel][file[p]] < 0)
                    music.offWithoutOn = true;
            }
            p += length;
        }
        if (!ended)
            return music;
        music.endTick = std::max(music.endTick, tick);
        at = end;
    }
    music.parsed = at == file.size();
    return music;
}

double secondsUntil(const Music& music, uint64_t tick)
{
    std::vector<std::pair<uint64_t, uint32_t>> tempi = music.tempi;
    std::stable_sort(tempi.begin(), tempi.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double seconds = 0.0;
    uint64_t from = 0;
    uint32_t perQuarter = 500000;  // the standard's default until the first tempo
    for (const auto& [at, value] : tempi) {
        if (at >= tick)
            break;
        seconds += static_cast<double>(at - from) * perQuarter / music.division / 1e6;
        from = at;
        perQuarter = value;
    }
    return seconds + static_cast<double>(tick - from) * perQuarter / music.division / 1e6;
}

}  // namespace

// ------------------------------------------------------------- generator

TEST(DataGenerator, TwoRunsIntoFreshFoldersWriteTheSameFilesByteForByte)
{
    TempFolder first, second;
    ASSERT_FALSE(first.path.empty());
    ASSERT_FALSE(second.path.empty());
    ASSERT_EQ(runGenerator(first.path / "Data"), 0);
    ASSERT_EQ(runGenerator(second.path / "Data"), 0);
    std::map<std::string, Bytes> a = filesUnder(first.path);
    std::map<std::string, Bytes> b = filesUnder(second.path);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_GE(a.size(), 24u);  // 5 pictures, 7 sounds, the waltz, 2 data files, 9 icons
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name << " is missing from the second run";
        EXPECT_TRUE(bytes == b[name]) << name << " differs between runs";
    }
}

TEST(DataGenerator, WritesEveryFileTheGameAsksForAndTheIconBesideTheFolder)
{
    for (const char* name : pictureNames)
        EXPECT_TRUE(fs::is_regular_file(dataDir / name)) << name;
    for (const char* name : soundNames)
        EXPECT_TRUE(fs::is_regular_file(dataDir / name)) << name;
    for (const char* name : {"Waltz.mid", "icon.bmp", "settings .tgx", "data .tgx"})
        EXPECT_TRUE(fs::is_regular_file(dataDir / name)) << name;
    EXPECT_TRUE(fs::is_regular_file(dataDir / ".." / "icons" / "256x256" / "trigonix.png"));
    EXPECT_FALSE(fs::exists(dataDir / "trigonix.png"))
        << "the desktop icon does not belong in Data";
}

TEST(DataGenerator, WritesTheDefaultDataFilesExactlyWithNoLineEnd)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    ASSERT_EQ(runGenerator(folder.path / "Data"), 0);
    EXPECT_EQ(readText(folder.path / "Data" / "settings .tgx"), defaultSettings);
    EXPECT_EQ(readText(folder.path / "Data" / "data .tgx"), defaultScores);
}

TEST(DataGenerator, NeverOverwritesThePlayersDataFiles)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    fs::path data = folder.path / "Data";
    fs::create_directories(data);
    writeText(data / "settings .tgx", "2102103804003703903200");
    writeText(data / "data .tgx", "0012345600001abcabcabcabc1");
    ASSERT_EQ(runGenerator(data), 0);
    EXPECT_EQ(readText(data / "settings .tgx"), "2102103804003703903200");
    EXPECT_EQ(readText(data / "data .tgx"), "0012345600001abcabcabcabc1");
    EXPECT_TRUE(fs::is_regular_file(data / "moon.bmp"));
}

// -------------------------------------------------------------- pictures

TEST(Pictures, EveryPictureIsAnUncompressed24BitBmpWithPowerOfTwoSides)
{
    for (const char* name : pictureNames) {
        SCOPED_TRACE(name);
        Bytes file = readFile(dataDir / name);
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(le32(file, 2), file.size()) << "file size field";
        EXPECT_EQ(le32(file, 10), 54u) << "pixels follow the two headers";
        EXPECT_EQ(le32(file, 14), 40u) << "info header size";
        uint32_t width = le32(file, 18);
        uint32_t height = le32(file, 22);
        EXPECT_TRUE(isPowerOfTwo(width)) << width;
        EXPECT_TRUE(isPowerOfTwo(height)) << height;  // also refuses top-down (negative) heights
        EXPECT_EQ(le16(file, 26), 1u) << "planes";
        EXPECT_EQ(le16(file, 28), 24u) << "bits per pixel";
        EXPECT_EQ(le32(file, 30), 0u) << "compression";
        size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(le32(file, 34), stride * height) << "image size field";
        EXPECT_EQ(file.size(), 54 + stride * height);
    }
}

TEST(Pictures, EveryPictureDecodesThroughTheGamesOwnLoaderUnchanged)
{
    testHooks::reset();
    testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
    for (const char* name : pictureNames) {
        SCOPED_TRACE(name);
        Picture expected = loadPicture(name);
        RgbImage* image = loadBitmapFile((dataDir / name).string().c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, expected.width);
        EXPECT_EQ(image->height, expected.height);
        // The loader keeps the file's bottom-up row order.
        bool same = image->width == expected.width && image->height == expected.height;
        for (int y = 0; same && y < expected.height; ++y) {
            const unsigned char* row = image->pixels + static_cast<size_t>(y) * expected.width * 3;
            same =
                std::equal(row, row + expected.width * 3, expected.at(0, expected.height - 1 - y));
        }
        EXPECT_TRUE(same) << "decoded pixels differ from the file's";
        std::free(image->pixels);
        std::free(image);
    }
    EXPECT_TRUE(testHooks::messageBoxes().empty());
    testHooks::reset();
}

TEST(Pictures, EachPictureHasTheSizeItIsDrawnAt)
{
    Picture ship = loadPicture("3dship4lr.bmp");
    Picture otherShip = loadPicture("3dship42lr.bmp");
    EXPECT_TRUE((ship.width == 128 || ship.width == 256) && ship.height == 128) << ship.width;
    EXPECT_EQ(otherShip.width, ship.width);
    EXPECT_EQ(otherShip.height, ship.height);
    Picture moon = loadPicture("moon.bmp");
    EXPECT_EQ(moon.width, 128);
    EXPECT_EQ(moon.height, 128);
    Picture sky = loadPicture("sky.bmp");
    EXPECT_EQ(sky.width, 256);
    EXPECT_EQ(sky.height, 256);
    Picture alien = loadPicture("alienlr.bmp");
    EXPECT_EQ(alien.width, 64);
    EXPECT_EQ(alien.height, 64);
}

TEST(Pictures, ShipFramesAreEdgedInExactlyTheGroundColour)
{
    // The sprite is drawn without blending on the green ground, and linear
    // filtering with wrapping reaches across the edges: the whole border
    // must be the ground's colour for the rectangle to disappear.
    for (const char* name : {"3dship4lr.bmp", "3dship42lr.bmp"}) {
        SCOPED_TRACE(name);
        Picture ship = loadPicture(name);
        ASSERT_GT(ship.width, 0);
        for (int x = 0; x < ship.width; ++x) {
            EXPECT_TRUE(hasColour(ship.at(x, 0), 0, 128, 0)) << "top row, x " << x;
            EXPECT_TRUE(hasColour(ship.at(x, ship.height - 1), 0, 128, 0)) << "bottom row, x " << x;
        }
        for (int y = 0; y < ship.height; ++y) {
            EXPECT_TRUE(hasColour(ship.at(0, y), 0, 128, 0)) << "left column, y " << y;
            EXPECT_TRUE(hasColour(ship.at(ship.width - 1, y), 0, 128, 0))
                << "right column, y " << y;
        }
    }
}

TEST(Pictures, ShipFramesAreMirrorSymmetricShowAShipAndDiffer)
{
    Picture a = loadPicture("3dship4lr.bmp");
    Picture b = loadPicture("3dship42lr.bmp");
    ASSERT_GT(a.width, 0);
    ASSERT_EQ(a.rgb.size(), b.rgb.size());
    for (const Picture* ship : {&a, &b}) {
        int notGround = 0;
        for (int y = 0; y < ship->height; ++y) {
            for (int x = 0; x < ship->width; ++x) {
                const uint8_t* px = ship->at(x, y);
                const uint8_t* mirrored = ship->at(ship->width - 1 - x, y);
                ASSERT_TRUE(std::equal(px, px + 3, mirrored)) << "asymmetric at " << x << ", " << y;
                if (!hasColour(px, 0, 128, 0))
                    ++notGround;
            }
        }
        EXPECT_GT(notGround, ship->width * ship->height / 6)
            << "the craft fills too little of its frame";
    }
    int differing = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3)
        if (!std::equal(&a.rgb[i], &a.rgb[i] + 3, &b.rgb[i]))
            ++differing;
    EXPECT_GT(differing, 20) << "the two frames must differ for the ship to animate";
    EXPECT_LT(differing, a.width * a.height / 4)
        << "the frames should differ a little, not be two ships";
}

TEST(Pictures, MoonStandsOnExactlyBlackAndIsBrightInTheMiddle)
{
    Picture moon = loadPicture("moon.bmp");
    ASSERT_GT(moon.width, 0);
    int last = moon.width - 1;
    for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, moon.height - 1}, {last, moon.height - 1}})
        EXPECT_TRUE(hasColour(moon.at(x, y), 0, 0, 0)) << x << ", " << y;
    for (int i = 0; i < moon.width; ++i) {
        EXPECT_TRUE(hasColour(moon.at(i, 0), 0, 0, 0)) << "top row, x " << i;
        EXPECT_TRUE(hasColour(moon.at(0, i), 0, 0, 0)) << "left column, y " << i;
    }
    const uint8_t* centre = moon.at(moon.width / 2, moon.height / 2);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 3 * 80);
}

TEST(Pictures, SkyIsMostlyLightSoTheRaceTintsShow)
{
    Picture sky = loadPicture("sky.bmp");
    ASSERT_GT(sky.width, 0);
    double sum = 0.0;
    int dark = 0;
    for (size_t i = 0; i < sky.rgb.size(); i += 3) {
        double luminance =
            (0.3 * sky.rgb[i] + 0.59 * sky.rgb[i + 1] + 0.11 * sky.rgb[i + 2]) / 255.0;
        sum += luminance;
        if (luminance < 0.35)
            ++dark;
    }
    EXPECT_GT(sum / (sky.width * sky.height), 0.6);
    EXPECT_EQ(dark, 0);
}

// ---------------------------------------------------------------- sounds

TEST(Sounds, EverySoundIs16BitMonoPcm)
{
    for (const char* name : soundNames) {
        SCOPED_TRACE(name);
        Sound sound = loadSound(name);
        EXPECT_EQ(sound.format, 1u) << "PCM";
        EXPECT_EQ(sound.channels, 1u);
        EXPECT_EQ(sound.bits, 16u);
        EXPECT_TRUE(sound.rate == 22050 || sound.rate == 44100) << sound.rate;
        EXPECT_EQ(sound.blockAlign, 2u);
        EXPECT_EQ(sound.byteRate, sound.rate * 2);
        EXPECT_TRUE(sound.hasData);
    }
}

TEST(Sounds, EachSoundLastsAsLongAsItsMomentAllows)
{
    struct Span {
        const char* name;
        double shortest;
        double longest;
    };
    for (Span span :
         {Span{"title.wav", 1.0, 2.0}, Span{"Bleep.wav", 0.08, 0.15},
          Span{"Bleep2.wav", 0.08, 0.15}, Span{"bye.wav", 0.7, 1.5}, Span{"erased.wav", 0.3, 0.8},
          Span{"Boom1.wav", 0.5, 0.9}, Span{"Boom2.wav", 0.5, 1.0}}) {
        double seconds = loadSound(span.name).seconds();
        EXPECT_GE(seconds, span.shortest) << span.name;
        EXPECT_LE(seconds, span.longest) << span.name;
    }
}

TEST(Sounds, NoSampleNearsFullScaleAndEverySoundStartsAndEndsInSilence)
{
    for (const char* name : soundNames) {
        SCOPED_TRACE(name);
        Sound sound = loadSound(name);
        ASSERT_GT(sound.samples.size(), 100u);
        int peak = 0;
        for (int16_t s : sound.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LT(peak, 32767 * 9 / 10) << "too close to clipping";
        EXPECT_GT(peak, 32767 / 4) << "too quiet to hear over the music";
        // Faded in and out: no click where the sound starts or is cut off.
        EXPECT_LE(std::abs(sound.samples.front()), 100);
        EXPECT_LE(std::abs(sound.samples.back()), 100);
        EXPECT_LE(std::abs(sound.samples[sound.samples.size() - 2]), 200);
    }
}

TEST(Sounds, TheThunderBoomIsLongerAndDeeperThanTheOther)
{
    Sound boom1 = loadSound("Boom1.wav");
    Sound boom2 = loadSound("Boom2.wav");
    ASSERT_FALSE(boom1.samples.empty());
    ASSERT_FALSE(boom2.samples.empty());
    EXPECT_GT(boom2.seconds(), boom1.seconds());
    EXPECT_LT(zeroCrossingsPerSecond(boom2), zeroCrossingsPerSecond(boom1) * 0.8);
}

TEST(Sounds, TheTwoMenuBleepsSoundDifferent)
{
    EXPECT_NE(readFile(dataDir / "Bleep.wav"), readFile(dataDir / "Bleep2.wav"));
    EXPECT_NE(zeroCrossingsPerSecond(loadSound("Bleep.wav")),
              zeroCrossingsPerSecond(loadSound("Bleep2.wav")));
}

// ----------------------------------------------------------------- music

TEST(Music, WaltzIsAFormat1MidiFileIn34WithATempo)
{
    Music music = loadMusic();
    ASSERT_TRUE(music.parsed) << "Waltz.mid does not parse as a standard MIDI file";
    EXPECT_EQ(music.format, 1u);
    EXPECT_GE(music.tracks, 2u) << "a tempo track and the parts";
    EXPECT_GT(music.division, 0u);
    EXPECT_EQ(music.division & 0x8000, 0u) << "ticks per quarter, not SMPTE time";
    ASSERT_FALSE(music.timeSignatures.empty());
    for (auto [numerator, power] : music.timeSignatures) {
        EXPECT_EQ(numerator, 3u);
        EXPECT_EQ(power, 2u);  // a quarter-note beat
    }
    EXPECT_FALSE(music.tempi.empty());
}

TEST(Music, WaltzLastsAboutAMinute)
{
    Music music = loadMusic();
    ASSERT_TRUE(music.parsed);
    double seconds = secondsUntil(music, music.endTick);
    EXPECT_GE(seconds, 45.0);
    EXPECT_LE(seconds, 90.0);
}

TEST(Music, EveryNoteThatStartsAlsoStopsOnItsChannel)
{
    Music music = loadMusic();
    ASSERT_TRUE(music.parsed);
    EXPECT_FALSE(music.offWithoutOn);
    int channelsPlaying = 0;
    for (int channel = 0; channel < 16; ++channel) {
        if (music.noteOns[channel] > 0)
            ++channelsPlaying;
        for (const auto& [key, open] : music.openNotes[channel])
            EXPECT_EQ(open, 0) << "channel " << channel << ", key " << key;
    }
    EXPECT_GE(channelsPlaying, 3) << "melody, bass and chords";
    EXPECT_EQ(music.noteOns[9], 0) << "channel 10 is the drum kit";
}

TEST(Music, EveryPartChoosesItsInstrumentBeforeItPlays)
{
    Music music = loadMusic();
    ASSERT_TRUE(music.parsed);
    EXPECT_FALSE(music.noteBeforeProgram);
}

// ----------------------------------------------------------------- icons

TEST(Icons, WindowIconLoadsInSdlWithItsTransparency)
{
    SDL_Surface* icon = SDL_LoadBMP((dataDir / "icon.bmp").string().c_str());
    ASSERT_NE(icon, nullptr) << SDL_GetError();
    EXPECT_EQ(icon->w, 64);
    EXPECT_EQ(icon->h, 64);
    EXPECT_NE(icon->format->Amask, 0u) << "the alpha channel was dropped";
    auto alphaAt = [icon](int x, int y) {
        SDL_LockSurface(icon);
        const auto* row = static_cast<const uint8_t*>(icon->pixels) + y * icon->pitch;
        uint32_t pixel = 0;
        std::copy_n(row + x * icon->format->BytesPerPixel, icon->format->BytesPerPixel,
                    reinterpret_cast<uint8_t*>(&pixel));
        SDL_UnlockSurface(icon);
        uint8_t r, g, b, a;
        SDL_GetRGBA(pixel, icon->format, &r, &g, &b, &a);
        return a;
    };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(63, 63), 0);
    EXPECT_EQ(alphaAt(32, 32), 255);
    SDL_FreeSurface(icon);
}

TEST(Icons, DesktopIconIsAnRgbaPngAtEverySizeOfTheIconTheme)
{
    for (std::uint32_t size : {16u, 24u, 32u, 48u, 64u, 128u, 256u, 512u}) {
        SCOPED_TRACE(size);
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        Bytes png = readFile(dataDir / ".." / "icons" / folder / "trigonix.png");
        ASSERT_GE(png.size(), 33u);
        const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));
        EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
        EXPECT_EQ(be32(png, 16), size);
        EXPECT_EQ(be32(png, 20), size);
        EXPECT_EQ(png[24], 8) << "bit depth";
        EXPECT_EQ(png[25], 6) << "colour type RGBA";
        EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
    }
}

// ------------------------------------------------------ filling run/Data

TEST(FillDataFolder, FillsAMissingFolderWithEveryGeneratedFile)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    fs::path dest = folder.path / "run" / "Data";
    ASSERT_EQ(runFill(dataDir, dest), 0);
    std::set<std::string> expected;
    for (const auto& entry : fs::directory_iterator(dataDir))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
            expected.insert(entry.path().filename().string());
    std::set<std::string> copied;
    for (const auto& entry : fs::directory_iterator(dest))
        copied.insert(entry.path().filename().string());
    EXPECT_EQ(copied, expected);
    for (const std::string& name : expected)
        EXPECT_TRUE(readFile(dest / name) == readFile(dataDir / name)) << name;
}

TEST(FillDataFolder, KeepsThePlayersModifiedDataFiles)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    fs::path dest = folder.path / "Data";
    fs::create_directories(dest);
    writeText(dest / "settings .tgx", "2102103804003703903200");
    writeText(dest / "data .tgx", "0012345600001abcabcabcabc1");
    ASSERT_EQ(runFill(dataDir, dest), 0);
    EXPECT_EQ(readText(dest / "settings .tgx"), "2102103804003703903200");
    EXPECT_EQ(readText(dest / "data .tgx"), "0012345600001abcabcabcabc1");
    EXPECT_TRUE(readFile(dest / "sky.bmp") == readFile(dataDir / "sky.bmp"));
}

TEST(FillDataFolder, CreatesAMissingSettingsFileAndLeavesTheScoresAlone)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    fs::path dest = folder.path / "Data";
    fs::create_directories(dest);
    writeText(dest / "data .tgx", "0012345600001abcabcabcabc1");
    ASSERT_EQ(runFill(dataDir, dest), 0);
    EXPECT_EQ(readText(dest / "settings .tgx"), readText(dataDir / "settings .tgx"));
    EXPECT_EQ(readText(dest / "data .tgx"), "0012345600001abcabcabcabc1");
}

TEST(FillDataFolder, ReplacesAChangedPictureAndSound)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    fs::path dest = folder.path / "Data";
    ASSERT_EQ(runFill(dataDir, dest), 0);
    Bytes moon = readFile(dest / "moon.bmp");
    ASSERT_FALSE(moon.empty());
    moon[moon.size() / 2] ^= 0xFF;  // same size, one byte off
    std::ofstream(dest / "moon.bmp", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(moon.data()),
               static_cast<std::streamsize>(moon.size()));
    writeText(dest / "Boom1.wav", "not a sound");
    ASSERT_EQ(runFill(dataDir, dest), 0);
    EXPECT_TRUE(readFile(dest / "moon.bmp") == readFile(dataDir / "moon.bmp"));
    EXPECT_TRUE(readFile(dest / "Boom1.wav") == readFile(dataDir / "Boom1.wav"));
}

TEST(FillDataFolder, AMissingSourceIsReportedAndCreatesNothing)
{
    TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    fs::path dest = folder.path / "Data";
    EXPECT_NE(runFill(folder.path / "no-such-build" / "Data", dest), 0);
    EXPECT_FALSE(fs::exists(dest));
}
