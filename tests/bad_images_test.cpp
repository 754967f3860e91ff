// bad_images_test.cpp: every image in turn replaced by something bad.
//
// For each of the eight images and each kind of bad file, start-up either
// succeeds and the panel plays, or fails with SDL's line on stderr after
// freeing every image loaded before; never a crash or a hang.  Run in the
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
};

struct BadCase {
    BadKind kind;
    const char* what;
    bool starts; // whether the panel still starts with it
};

const BadCase kCases[] = {
    {kMissing,        "missing",                      false},
    {kEmpty,          "zero bytes",                   false},
    {kCutShort,       "a PNG cut short",              false},
    {kRandomBytes,    "random bytes",                 false},
    {kBrokenChecksum, "a PNG with a broken checksum", false},
    {kDirectory,      "a directory",                  false},
    {kOnePixel,       "a 1 x 1 PNG",                  true },
    {kHuge,           "an 8000 x 8000 PNG",           true },
    {kBitmap,         "a BMP",                        true },
    {kTooWideForSdl,  "a PNG wider than SDL's pitch", false},
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

// The real image with one byte of the first IDAT chunk's CRC flipped.
std::vector<char> WithBrokenChecksum(std::vector<char> png)
{
    std::string bytes(png.begin(), png.end());
    size_t type = bytes.find("IDAT");
    EXPECT_NE(std::string::npos, type);
    const unsigned char* length =
        reinterpret_cast<const unsigned char*>(&bytes[type - 4]);
    size_t data = (size_t(length[0]) << 24) | (length[1] << 16) |
                  (length[2] << 8) | length[3];
    png[type + 4 + data] ^= 0x5a;
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
void TryBadImage(const BadCase& bad, int image, const std::string& huge)
{
    SCOPED_TRACE(std::string(kLoadOrder[image]) + " is " + bad.what);
    std::string dir = EnterWorkDir(AllImagesBut(image), true);
    MakeBadFile(bad.kind, DataPath(kLoadOrder[image]),
                std::string(ZELM_DATA_DIR) + "/" + kLoadOrder[image], huge);
    ResetSpy();
    testing::internal::CaptureStderr();
    bool started = Init();
    std::string error = SDL_GetError();
    std::vector<SDL_Surface*> loaded;
    for (SDL_Surface** handle : kHandles)
        if (*handle != NULL)
            loaded.push_back(*handle);

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
        EXPECT_EQ(size_t(kImageCount), loaded.size());
    } else {
        // libpng may warn first; the program's own line comes last.
        std::string line = error + "\n";
        EXPECT_FALSE(error.empty());
        ASSERT_GE(printed.size(), line.size()) << printed;
        EXPECT_EQ(line, printed.substr(printed.size() - line.size()));
        EXPECT_EQ(size_t(image), loaded.size()) << "only those before it";
        EXPECT_EQ(size_t(image + 1), g_spy.loaded.size()) << "none after it";
    }
    EXPECT_EQ(loaded, std::vector<SDL_Surface*>(g_spy.freed.begin() + before,
                                                g_spy.freed.end()))
        << "every loaded image freed once, in load order";
    LeaveWorkDir(dir);
}

TEST_F(BadImages, EachImageInTurn)
{
    for (const BadCase& bad : kCases)
        for (int image = 0; image < kImageCount; image++)
            TryBadImage(bad, image, huge_dir + "/huge.png");
}

} // namespace
