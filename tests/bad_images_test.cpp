// bad_images_test.cpp: every image in turn replaced by something bad.
//
// For each of the eight images and each kind of bad file, start-up either
// succeeds and the panel plays, or fails with one line on stderr (SDL's,
// or the program's refusal naming the file) after freeing every image
// loaded before; never a crash or a hang.  Run in the
// sanitizer build and under valgrind, this is also the leak check for
// every failure path of LoadImage.
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <png.h>
#include <stdio.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "cheat.h"
#include "circuit.h"
#include "display.h"
#include "harness.h"
#include "loop.h"
#include "sdl_spy.h"

namespace
{

enum BadKind {
    kMissing,
    kEmpty,
    kCutShort,
    kRandomBytes,
    kBrokenChecksum,
    kDirectory,
    kOnePixel,
    kHuge,
    kBitmap,
    kTooWideForSdl,
    kTextCutShort,
};

struct BadCase {
    BadKind kind;
    const char* what;
    bool starts;         // whether the panel still starts with it
    const char* refusal; // the program's own line after the path, if any
};

const char kRunsPast[] = "damaged PNG: a chunk runs past the end of the file";
const char kNoEnd[] = "damaged PNG: the file ends before IEND";

const BadCase kCases[] = {
    {kMissing, "missing", false, NULL},
    {kEmpty, "zero bytes", false, NULL},
    {kCutShort, "a PNG cut short", false, kRunsPast},
    {kRandomBytes, "random bytes", false, NULL},
    {kBrokenChecksum, "a PNG with a broken checksum", false, NULL},
    {kDirectory, "a directory", false, "not a regular file"},
    {kOnePixel, "a 1 x 1 PNG", true, NULL},
    {kHuge, "an 8000 x 8000 PNG", true, NULL},
    {kBitmap, "a BMP", true, NULL},
    {kTooWideForSdl, "a PNG wider than SDL's pitch", false, NULL},
    {kTextCutShort, "a PNG cut short in a tEXt", false, kRunsPast},
};

std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// An opaque grey RGB PNG of the given size, written by libpng.
void WritePlainPng(const std::string& path, int width, int height)
{
    std::vector<png_byte> row(static_cast<size_t>(width) * 3, 0x80);
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png_create_info_struct(png);
    // setjmp stands alone in the condition, as C requires; the row buffer
    // above outlives any jump back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        FAIL() << "libpng could not write " << path;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; y++)
        png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    fclose(file);
}

// The length of the chunk whose length field stands at offset at.
size_t ChunkLength(const std::vector<char>& png, size_t at)
{
    const unsigned char* length =
        reinterpret_cast<const unsigned char*>(&png[at]);
    return (size_t(length[0]) << 24) | (length[1] << 16) | (length[2] << 8) |
           length[3];
}

// The chunk lengths' offsets in a PNG, from the first chunk to IEND.
std::vector<size_t> ChunkOffsets(const std::vector<char>& png)
{
    std::vector<size_t> offsets;
    for (size_t at = 8; at + 8 <= png.size(); at += 12 + ChunkLength(png, at))
        offsets.push_back(at);
    return offsets;
}

// The real image with one byte of the first IDAT chunk's CRC flipped.
std::vector<char> WithBrokenChecksum(std::vector<char> png)
{
    for (size_t at : ChunkOffsets(png))
        if (std::string(&png[at + 4], 4) == "IDAT") {
            png[at + 8 + ChunkLength(png, at)] ^= 0x5a;
            return png;
        }
    ADD_FAILURE() << "no IDAT chunk";
    return png;
}

// Puts a bad file of the given kind at path, made from the real image.
void MakeBadFile(BadKind kind, const std::string& path, const std::string& real,
                 const std::string& huge)
{
    std::vector<char> bytes = ReadFile(real);
    switch (kind) {
    case kMissing:
        break;
    case kEmpty:
        WriteFile(path, {});
        break;
    case kCutShort:
        bytes.resize(bytes.size() / 2);
        WriteFile(path, bytes);
        break;
    case kRandomBytes: {
        std::mt19937 random(7);
        std::vector<char> noise(4096);
        for (char& byte : noise)
            byte = static_cast<char>(random());
        WriteFile(path, noise);
        break;
    }
    case kBrokenChecksum:
        WriteFile(path, WithBrokenChecksum(bytes));
        break;
    case kDirectory:
        ASSERT_EQ(0, mkdir(path.c_str(), 0755));
        break;
    case kOnePixel:
        WritePlainPng(path, 1, 1);
        break;
    case kHuge:
        ASSERT_EQ(0, symlink(huge.c_str(), path.c_str()));
        break;
    case kBitmap: {
        SDL_Surface* image = IMG_Load(real.c_str());
        ASSERT_NE(nullptr, image);
        ASSERT_EQ(0, SDL_SaveBMP(image, path.c_str()));
        SDL_FreeSurface(image);
        break;
    }
    case kTooWideForSdl:
        WritePlainPng(path, 40000, 1); // 4 bytes a pixel overflow 16 bits
        break;
    case kTextCutShort: {
        // Signature and IHDR, then a tEXt chunk whose declared data runs
        // past the end, as an interrupted copy leaves it.
        bytes.resize(ChunkOffsets(bytes)[1]);
        const char text[] = "\0\0\0\x64tEXtComment\0cut";
        bytes.insert(bytes.end(), text, text + sizeof text - 1);
        WriteFile(path, bytes);
        break;
    }
    }
}

class BadImages : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        char pattern[] = "/tmp/zelm-huge-XXXXXX";
        huge_dir = mkdtemp(pattern);
        WritePlainPng(huge_dir + "/huge.png", 8000, 8000);
    }
    static void TearDownTestSuite()
    {
        EXPECT_EQ(0, system(("rm -rf '" + huge_dir + "'").c_str()));
    }
    static std::string huge_dir;
};

std::string BadImages::huge_dir;

// Starts with image `bad` replaced, and checks the outcome.
void TryBadImage(const BadCase& bad, size_t image, const std::string& huge)
{
    const std::string& file = Images()[image].file;
    SCOPED_TRACE(file + " is " + bad.what);
    std::string dir = EnterWorkDir(AllImagesBut(image), true);
    MakeBadFile(bad.kind, DataPath(file),
                std::string(ZELM_DATA_DIR) + "/" + file, huge);
    ResetSpy();
    testing::internal::CaptureStderr();
    ArmWatchdog(file + " as " + bad.what);
    bool started = Init();
    DisarmWatchdog();
    std::string error = SDL_GetError();
    std::vector<SDL_Surface*> loaded;
    for (const ImageCase& each : Images())
        if (*each.handle != NULL)
            loaded.push_back(*each.handle);

    if (started) {
        // Every image on screen at once, the overlay too, for one frame.
        g_circuit = Circuit();
        g_circuit.a = g_circuit.b = g_circuit.y = true;
        g_circuit.q0 = g_circuit.q1 = g_circuit.q2 = true;
        g_cheat_flag = true;
        PushMotion(1, 1);
        RunQueue();
        g_cheat_flag = false;
        EXPECT_EQ(1, g_spy.flips);
    }
    size_t before = g_spy.freed.size();
    Destroy();
    std::string printed = testing::internal::GetCapturedStderr();

    EXPECT_EQ(bad.starts, started);
    if (started) {
        EXPECT_EQ("", printed);
        EXPECT_EQ(Images().size(), loaded.size());
    } else {
        // libpng may warn first; the program's own line comes last.  A
        // refused file never reaches the decoder.
        std::string line = error + "\n";
        if (bad.refusal != NULL)
            line = DataPath(file) + ": " + bad.refusal + "\n";
        else
            EXPECT_FALSE(error.empty());
        ASSERT_GE(printed.size(), line.size()) << printed;
        EXPECT_EQ(line, printed.substr(printed.size() - line.size()));
        EXPECT_EQ(image, loaded.size()) << "only those before it";
        EXPECT_EQ(image + (bad.refusal == NULL), g_spy.loaded.size())
            << "none after it";
    }
    EXPECT_EQ(loaded, std::vector<SDL_Surface*>(g_spy.freed.begin() + before,
                                                g_spy.freed.end()))
        << "every loaded image freed once, in load order";
    LeaveWorkDir(dir);
}

TEST_F(BadImages, EachImageInTurn)
{
    for (const BadCase& bad : kCases)
        for (size_t image = 0; image < Images().size(); image++)
            TryBadImage(bad, image, huge_dir + "/huge.png");
}

// Loads path, which must fail with exactly the line given.
void ExpectRefused(const std::string& path, const std::string& why)
{
    testing::internal::CaptureStderr();
    ArmWatchdog(path + " (" + why + ")");
    SDL_Surface* image = LoadImage(path.c_str(), false);
    DisarmWatchdog();
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(nullptr, image) << why;
    if (why.empty())
        EXPECT_EQ(std::string(SDL_GetError()) + "\n", printed);
    else
        EXPECT_EQ(path + ": " + why + "\n", printed);
    SDL_FreeSurface(image);
}

// Every image cut short at every byte, and every chunk's length made too
// large: refused by the program before the decoder sees it; only the
// empty file is left to the decoder.
TEST_F(BadImages, EveryCutAndEveryOverlongChunkIsRefused)
{
    std::string dir = EnterWorkDir({}, true);
    ASSERT_NE(-1, SDL_Init(SDL_INIT_VIDEO));
    ASSERT_NE(nullptr, SDL_SetVideoMode(320, 240, 0, 0));
    std::string path = DataPath("cut.png");
    for (const ImageCase& image : Images()) {
        SCOPED_TRACE(image.file);
        std::vector<char> real =
            ReadFile(std::string(ZELM_DATA_DIR) + "/" + image.file);
        std::vector<size_t> chunks = ChunkOffsets(real);
        for (size_t cut = 0; cut < real.size(); cut++) {
            // Cut before any byte, in the signature or a chunk's length and
            // type, or after them.
            size_t chunk = 0;
            while (chunk + 1 < chunks.size() && chunks[chunk + 1] <= cut)
                chunk++;
            const char* why = cut == 0                  ? ""
                              : cut < chunks[chunk] + 8 ? kNoEnd
                                                        : kRunsPast;
            WriteFile(path,
                      std::vector<char>(real.begin(), real.begin() + cut));
            ExpectRefused(path, why);
        }
        for (size_t at : chunks) {
            std::vector<char> overlong = real;
            overlong[at] = 0x7f; // a length of two thousand million or more
            WriteFile(path, overlong);
            ExpectRefused(path, kRunsPast);
        }
    }
    SDL_Quit();
    LeaveWorkDir(dir);
}

} // namespace
