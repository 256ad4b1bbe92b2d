// End-to-end tests of the veltrano-dpf tool: each runs the built program in
// a fresh folder and checks its output, exit code and the files it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "Veltrano_IImage.h"
#include "fonts/builtin_font.h"
#include "support/audio_media.h"
#include "support/test_support.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Bytes of every value, in a pattern that compresses a little.
std::string BinaryBytes(size_t count) {
    std::string bytes(count, '\0');
    unsigned int state = 12345;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(i % 7 == 0 ? (state >> 16) & 0xff : i & 0xff);
    }
    return bytes;
}

// The build folder: named by CTest, else the one this test program was built
// in (<build>/tests/tools_tests).
fs::path BuildFolder() {
    const char* binaryDir = std::getenv("VELTRANO_BINARY_DIR");
    if (binaryDir != nullptr && *binaryDir != '\0') return binaryDir;
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path().parent_path();
}

class DpfTool : public ::testing::Test {
protected:
    void SetUp() override {
        tool_ = (BuildFolder() / "tools/dpf/veltrano-dpf").string();
        ASSERT_TRUE(fs::exists(tool_)) << "the tool is not built: " << tool_;
    }

    // Runs the tool inside the test's folder, without a terminal.
    Outcome Run(const std::vector<std::string>& args) {
        std::string command = "cd " + Quote(dir_.path()) + " && " + Quote(tool_);
        for (const std::string& arg : args) command += " " + Quote(arg);
        const std::string out = io_.file("out"), err = io_.file("err");
        command += " </dev/null >" + Quote(out) + " 2>" + Quote(err);
        const int status = std::system(command.c_str());
        Outcome outcome;
        outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.out = ReadFile(out);
        outcome.err = ReadFile(err);
        fs::remove(out);
        fs::remove(err);
        return outcome;
    }

    // Runs the tool and expects it to succeed.
    std::string Ok(const std::vector<std::string>& args) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.code, 0) << outcome.err;
        EXPECT_EQ(outcome.err.find('\r'), std::string::npos) << "no progress bar without a terminal";
        return outcome.out;
    }

    std::string File(const std::string& name) const { return dir_.file(name); }
    void Write(const std::string& name, const std::string& bytes) {
        fs::create_directories(fs::path(File(name)).parent_path());
        WriteFile(File(name), bytes);
    }
    std::string Read(const std::string& name) const { return ReadFile(File(name)); }
    // Compares without dumping binary bytes into the failure message.
    void ExpectFileHolds(const std::string& name, const std::string& bytes) const {
        const std::string actual = Read(name);
        EXPECT_TRUE(actual == bytes) << name << ": " << actual.size() << " bytes, expected " << bytes.size();
    }

    // The line of a listing that shows the block name.
    static std::string LineOf(const std::string& listing, const std::string& name) {
        size_t start = 0;
        while (start < listing.size()) {
            const size_t end = listing.find('\n', start);
            const std::string line = listing.substr(start, end - start);
            if (line.compare(0, name.size() + 1, name + " ") == 0) return line;
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return "";
    }

    TempDir dir_;
    TempDir io_;  // the captured output, kept out of the folder the tool works in
    std::string tool_;
};

TEST_F(DpfTool, CreateAddAndListShowEveryBlockWithItsStorage) {
    Write("greeting.txt", "Hello from the archive tool!\n");
    Write("data/level.bin", BinaryBytes(3000));
    Write("secret.bin", BinaryBytes(100));
    Ok({"create", "game.dpf"});
    Ok({"add", "game.dpf", "greeting.txt"});
    Ok({"add", "game.dpf", "data/level.bin", "--raw", "--type", "LEVEL"});
    Ok({"add", "game.dpf", "secret.bin", "--scramble", "--name", "hidden"});

    const std::string listing = Ok({"list", "game.dpf"});
    // Too short to shrink under compression: kept raw.
    EXPECT_NE(LineOf(listing, "greeting.txt").find("FILE     raw"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "greeting.txt").find(" 29 "), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "level.bin").find("LEVEL    raw"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "level.bin").find("3000        3000    100%"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "hidden").find("FILE     scrambled"), std::string::npos) << listing;
    EXPECT_NE(listing.find("3 blocks, 0 deleted"), std::string::npos) << listing;

    // The same name and type cannot go in twice; another type can.
    const Outcome twice = Run({"add", "game.dpf", "greeting.txt"});
    EXPECT_NE(twice.code, 0);
    EXPECT_NE(twice.err.find("already holds a block 'greeting.txt'"), std::string::npos) << twice.err;
    Ok({"add", "game.dpf", "greeting.txt", "--type", "TEXT"});

    // An existing archive is replaced only on request.
    const Outcome again = Run({"create", "game.dpf"});
    EXPECT_NE(again.code, 0);
    EXPECT_NE(again.err.find("--force"), std::string::npos) << again.err;
    Ok({"create", "game.dpf", "--force"});
    EXPECT_NE(Ok({"list", "game.dpf"}).find("0 blocks, 0 deleted"), std::string::npos);
}

TEST_F(DpfTool, PackAddsTheRegularFilesOfAFolderAndMakesTheArchive) {
    Write("assets/a.txt", "first");
    Write("assets/b.bin", BinaryBytes(500));
    Write("assets/c.txt", "third");
    Write("assets/nested/skipped.txt", "not at the top");
    const std::string packed = Ok({"pack", "out/assets.dpf", "assets"});
    EXPECT_NE(packed.find("packed 3 of 3 files"), std::string::npos) << packed;

    const std::string listing = Ok({"list", "out/assets.dpf"});
    // The short texts do not shrink under compression and are kept raw.
    for (const char* name : {"a.txt", "c.txt"})
        EXPECT_NE(LineOf(listing, name).find("FILE     raw"), std::string::npos) << name << "\n" << listing;
    EXPECT_NE(LineOf(listing, "b.bin").find("FILE     compressed"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("skipped.txt"), std::string::npos);

    // Packing again into the existing archive adds new files and reports
    // the ones already there.
    Write("assets/d.txt", "fourth");
    const Outcome repack = Run({"pack", "out/assets.dpf", "assets"});
    EXPECT_NE(repack.code, 0);
    EXPECT_NE(repack.out.find("packed 1 of 4 files"), std::string::npos) << repack.out;
    EXPECT_NE(Ok({"list", "out/assets.dpf"}).find("4 blocks"), std::string::npos);

    // An archive inside the folder it packs does not swallow itself.
    Ok({"pack", "assets/self.dpf", "assets"});
    EXPECT_EQ(LineOf(Ok({"list", "assets/self.dpf"}), "self.dpf"), "");
}

TEST_F(DpfTool, ExtractGivesBackTheSameBytesForEveryStorage) {
    const std::string compressible(100000, 'x');
    const std::string binary = BinaryBytes(70001);
    Write("big.txt", compressible);
    Write("bin.dat", binary);
    Write("odd.raw", BinaryBytes(13));
    Write("empty.txt", "");
    Ok({"create", "x.dpf"});
    Ok({"add", "x.dpf", "big.txt", "empty.txt"});
    Ok({"add", "x.dpf", "bin.dat", "--scramble"});
    Ok({"add", "x.dpf", "odd.raw", "--raw"});
    // Empty blocks are kept compressed whatever was asked.
    const Outcome emptyRaw = Run({"add", "x.dpf", "empty.txt", "--raw", "--name", "empty.raw"});
    EXPECT_EQ(emptyRaw.code, 0) << emptyRaw.err;
    EXPECT_NE(emptyRaw.err.find("stored compressed"), std::string::npos) << emptyRaw.err;

    Ok({"extract", "x.dpf", "-o", "all"});
    ExpectFileHolds("all/big.txt", compressible);
    ExpectFileHolds("all/bin.dat", binary);
    ExpectFileHolds("all/odd.raw", BinaryBytes(13));
    EXPECT_TRUE(fs::exists(File("all/empty.txt")));
    ExpectFileHolds("all/empty.txt", "");
    ExpectFileHolds("all/empty.raw", "");

    const std::string one = Ok({"extract", "x.dpf", "bin.dat", "--output=one"});
    EXPECT_NE(one.find("70001 bytes"), std::string::npos) << one;
    ExpectFileHolds("one/bin.dat", binary);
    EXPECT_FALSE(fs::exists(File("one/big.txt")));

    // Without -o the files land in the working folder.
    fs::remove(File("odd.raw"));
    Ok({"extract", "x.dpf", "odd.raw", "--type", "FILE"});
    ExpectFileHolds("odd.raw", BinaryBytes(13));
}

TEST_F(DpfTool, DataThatDoNotShrinkAreStoredRawAndCompressibleDataCompressed) {
    // 64 KiB from a full-period generator: no repeats for the compressor.
    std::string random(65536, '\0');
    uint64_t state = 0x9E3779B97F4A7C15u;
    for (char& byte : random) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        byte = static_cast<char>(state >> 24);
    }
    const std::string text = [] {
        std::string lines;
        for (int i = 0; i < 2000; ++i) lines += "line " + std::to_string(i % 50) + " of the level script\n";
        return lines;
    }();
    Write("noise.bin", random);
    Write("script.txt", text);
    Ok({"create", "n.dpf"});
    const std::string added = Ok({"add", "n.dpf", "noise.bin"});
    EXPECT_NE(added.find("raw, 65536 stored"), std::string::npos) << added;
    Ok({"add", "n.dpf", "script.txt"});

    const std::string listing = Ok({"list", "n.dpf"});
    EXPECT_NE(LineOf(listing, "noise.bin").find("FILE     raw"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "noise.bin").find("65536       65536    100%"), std::string::npos) << listing;
    const std::string scriptLine = LineOf(listing, "script.txt");
    EXPECT_NE(scriptLine.find("FILE     compressed"), std::string::npos) << listing;
    EXPECT_EQ(scriptLine.find(std::to_string(text.size()) + "    100%"), std::string::npos) << listing;
    // The raw choice is only made for compression: scrambling is kept.
    Ok({"add", "n.dpf", "noise.bin", "--scramble", "--name", "noise.scr"});
    EXPECT_NE(LineOf(Ok({"list", "n.dpf"}), "noise.scr").find("FILE     scrambled"), std::string::npos);

    Ok({"extract", "n.dpf", "-o", "out"});
    ExpectFileHolds("out/noise.bin", random);
    ExpectFileHolds("out/noise.scr", random);
    ExpectFileHolds("out/script.txt", text);
}

TEST_F(DpfTool, BlocksSharingANameAreToldApartByType) {
    Write("hero", "the file");
    Write("hero.img", "the image");
    Ok({"create", "t.dpf"});
    Ok({"add", "t.dpf", "hero"});
    Ok({"add", "t.dpf", "hero.img", "--name=hero", "-tIMG"});

    // Asking by name alone is ambiguous; the type settles it.
    const Outcome ambiguous = Run({"extract", "t.dpf", "hero", "-o", "x"});
    EXPECT_NE(ambiguous.code, 0);
    EXPECT_NE(ambiguous.err.find("types FILE, IMG"), std::string::npos) << ambiguous.err;
    EXPECT_NE(Run({"delete", "t.dpf", "hero"}).code, 0);
    Ok({"extract", "t.dpf", "hero", "--type", "IMG", "-ox"});
    ExpectFileHolds("x/hero", "the image");

    // Extracting everything writes one of them and reports the other.
    const Outcome all = Run({"extract", "t.dpf", "-o", "all"});
    EXPECT_NE(all.code, 0);
    EXPECT_NE(all.err.find("--type IMG"), std::string::npos) << all.err;
    ExpectFileHolds("all/hero", "the file");

    // A type filter picks the blocks of one type only.
    Ok({"extract", "t.dpf", "--type", "IMG", "-o", "images"});
    ExpectFileHolds("images/hero", "the image");
    EXPECT_NE(Run({"extract", "t.dpf", "--type", "SND"}).code, 0);

    Ok({"delete", "t.dpf", "hero", "--type", "FILE"});
    EXPECT_NE(Ok({"list", "t.dpf"}).find("2 blocks, 1 deleted"), std::string::npos);
    Ok({"extract", "t.dpf", "hero", "-o", "after"});
    ExpectFileHolds("after/hero", "the image");
}

TEST_F(DpfTool, ExtractRefusesNamesThatWouldLeaveTheFolder) {
    Write("payload", "escaped");
    Ok({"create", "evil.dpf"});
    Ok({"add", "evil.dpf", "payload", "--name", "../escaped"});
    Ok({"add", "evil.dpf", "payload", "--name", "sub/inner"});
    Ok({"add", "evil.dpf", "payload", "--name", ".."});
    Ok({"add", "evil.dpf", "payload", "--name", "fine"});

    const Outcome outcome = Run({"extract", "evil.dpf", "-o", "out"});
    EXPECT_NE(outcome.code, 0);
    EXPECT_NE(outcome.err.find("'../escaped'"), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("'sub/inner'"), std::string::npos) << outcome.err;
    EXPECT_FALSE(fs::exists(File("escaped")));
    EXPECT_FALSE(fs::exists(File("out/sub")));
    ExpectFileHolds("out/fine", "escaped");
}

TEST_F(DpfTool, DeleteMarksTheBlockAndCompactDropsIt) {
    Write("keep.bin", BinaryBytes(2000));
    Write("drop.bin", BinaryBytes(5000));
    Ok({"pack", "c.dpf", "."});
    Ok({"delete", "c.dpf", "drop.bin"});

    const std::string listing = Ok({"list", "c.dpf"});
    EXPECT_NE(LineOf(listing, "?rop.bin").find("DELETED"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "?rop.bin").find("(deleted)"), std::string::npos) << listing;
    EXPECT_EQ(LineOf(listing, "keep.bin").find("(deleted)"), std::string::npos) << listing;
    EXPECT_NE(listing.find("2 blocks, 1 deleted"), std::string::npos) << listing;
    EXPECT_NE(Run({"extract", "c.dpf", "drop.bin"}).code, 0);
    EXPECT_NE(Run({"delete", "c.dpf", "drop.bin"}).code, 0);

    const auto before = fs::file_size(File("c.dpf"));
    EXPECT_NE(Ok({"compact", "c.dpf"}).find("1 deleted blocks removed"), std::string::npos);
    EXPECT_LT(fs::file_size(File("c.dpf")), before);
    EXPECT_FALSE(fs::exists(File("dpf.tmp")));
    EXPECT_NE(Ok({"list", "c.dpf"}).find("1 blocks, 0 deleted"), std::string::npos);
    EXPECT_NE(Ok({"compact", "c.dpf"}).find("nothing to compact"), std::string::npos);

    fs::remove(File("keep.bin"));
    Ok({"extract", "c.dpf", "keep.bin"});
    ExpectFileHolds("keep.bin", BinaryBytes(2000));
}

TEST_F(DpfTool, CompactWorksOnAnArchiveInAnotherFolder) {
    Write("files/one.txt", "one");
    Write("files/two.txt", "two");
    Ok({"pack", "store/p.dpf", "files"});
    Ok({"delete", "store/p.dpf", "one.txt"});
    Ok({"compact", "store/p.dpf"});
    EXPECT_NE(Ok({"list", "store/p.dpf"}).find("1 blocks, 0 deleted"), std::string::npos);
    EXPECT_FALSE(fs::exists(File("dpf.tmp")));
    EXPECT_FALSE(fs::exists(File("store/dpf.tmp")));
}

TEST_F(DpfTool, ProtectAndUnprotectRoundTripWithAPasswordFile) {
    Write("pw", "correct horse\n");
    Write("wrong", "incorrect horse");
    Write("short", "7 bytes");
    Write("files/level.dat", BinaryBytes(9000));
    Write("files/readme.txt", "protected words");
    Ok({"pack", "data/pack.dpf", "files"});

    const std::string protectedOut = Ok({"protect", "data/pack.dpf", "--password-file", "pw"});
    EXPECT_NE(protectedOut.find("data/pack_secure.dpf"), std::string::npos) << protectedOut;
    EXPECT_NE(Ok({"info", "data/pack_secure.dpf"}).find("Protected:      yes"), std::string::npos);

    // Locked without the password, refused with a wrong or short one.
    const Outcome locked = Run({"list", "data/pack_secure.dpf"});
    EXPECT_NE(locked.code, 0);
    EXPECT_NE(locked.err.find("--password-file"), std::string::npos) << locked.err;
    const Outcome wrong = Run({"list", "data/pack_secure.dpf", "--password-file", "wrong"});
    EXPECT_NE(wrong.code, 0);
    EXPECT_NE(wrong.err.find("wrong password"), std::string::npos) << wrong.err;
    EXPECT_NE(Run({"unprotect", "data/pack_secure.dpf", "--password-file", "wrong"}).code, 0);
    const Outcome tooShort = Run({"list", "data/pack_secure.dpf", "--password-file", "short"});
    EXPECT_NE(tooShort.code, 0);
    EXPECT_NE(tooShort.err.find("8 to 56"), std::string::npos) << tooShort.err;
    EXPECT_NE(Run({"protect", "data/pack_secure.dpf", "--password-file", "pw"}).code, 0);

    // With the password everything works on the protected copy.
    const std::string listing = Ok({"list", "data/pack_secure.dpf", "--password-file", "pw"});
    EXPECT_NE(LineOf(listing, "level.dat").find("9000"), std::string::npos) << listing;
    Ok({"extract", "data/pack_secure.dpf", "-o", "plain", "--password-file", "pw"});
    ExpectFileHolds("plain/level.dat", BinaryBytes(9000));
    Write("extra.txt", "added later");
    Ok({"add", "data/pack_secure.dpf", "extra.txt", "--password-file", "pw"});
    Ok({"delete", "data/pack_secure.dpf", "readme.txt", "--password-file", "pw"});

    const std::string unprotectedOut = Ok({"unprotect", "data/pack_secure.dpf", "--password-file", "pw"});
    EXPECT_NE(unprotectedOut.find("data/pack_secure_unsecure.dpf"), std::string::npos) << unprotectedOut;
    EXPECT_NE(Run({"unprotect", "data/pack.dpf", "--password-file", "pw"}).code, 0);
    const std::string unlocked = Ok({"list", "data/pack_secure_unsecure.dpf"});
    EXPECT_NE(unlocked.find("3 blocks, 1 deleted"), std::string::npos) << unlocked;
    Ok({"extract", "data/pack_secure_unsecure.dpf", "-o", "back"});
    ExpectFileHolds("back/level.dat", BinaryBytes(9000));
    ExpectFileHolds("back/extra.txt", "added later");
    EXPECT_FALSE(fs::exists(File("back/readme.txt")));
}

TEST_F(DpfTool, InfoOfAProtectedArchiveNeedsThePasswordOnlyForTheCounts) {
    Write("pw", "a password\r\n");
    Write("files/one", "1");
    Ok({"pack", "s.dpf", "files"});
    Ok({"protect", "s.dpf", "--password-file", "pw"});
    const std::string locked = Ok({"info", "s_secure.dpf"});
    EXPECT_NE(locked.find("Protected:      yes"), std::string::npos) << locked;
    EXPECT_NE(locked.find("Blocks:         unknown"), std::string::npos) << locked;
    const std::string unlocked = Ok({"info", "s_secure.dpf", "--password-file", "pw"});
    EXPECT_NE(unlocked.find("Blocks:         1 (1 live, 0 deleted)"), std::string::npos) << unlocked;
}

TEST_F(DpfTool, LogOptionWritesTheLogOfTheSdk) {
    Ok({"--log", "global.log", "create", "l.dpf"});
    EXPECT_TRUE(fs::exists(File("global.log")));
    Ok({"list", "l.dpf", "--log=command.log"});
    EXPECT_TRUE(fs::exists(File("command.log")));
    Ok({"list", "l.dpf"});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 3)
        << "without --log no file is written";
}

TEST_F(DpfTool, InfoShowsTheHeaderAndTheCounts) {
    Write("files/a.bin", BinaryBytes(4000));
    Write("files/b.bin", BinaryBytes(4000));
    Ok({"pack", "i.dpf", "files"});
    EXPECT_NE(Ok({"info", "i.dpf"}).find("Fragmentation:  0%"), std::string::npos);
    Ok({"delete", "i.dpf", "a.bin"});
    const std::string info = Ok({"info", "i.dpf"});
    for (const char* field : {"Archive:        i.dpf", "Copyright:      ", "Created:        ", "Modified:       ",
                              "Protected:      no", "Size:           ", "Blocks:         2 (1 live, 1 deleted)"})
        EXPECT_NE(info.find(field), std::string::npos) << field << "\n" << info;
    EXPECT_EQ(info.find("Fragmentation:  0%"), std::string::npos) << info;
}

TEST_F(DpfTool, MistakesExitNonZeroWithAMessage) {
    Write("file.txt", "text");
    Write("not.dpf", "this is no archive at all");
    Ok({"create", "e.dpf"});
    // A changed byte in the blocks breaks the checksum; a cut header is short.
    Ok({"pack", "damaged.dpf", "."});
    std::string bytes = Read("damaged.dpf");
    bytes[bytes.size() - 3] ^= 0x55;
    Write("damaged.dpf", bytes);
    Write("short.dpf", Read("e.dpf").substr(0, 100));
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"list", "missing.dpf"}, "does not exist"},
        {{"list", "not.dpf"}, "not a DPF archive"},
        {{"list", "damaged.dpf"}, "damaged"},
        {{"extract", "short.dpf"}, "cut short"},
        {{"frobnicate", "e.dpf"}, "unknown command 'frobnicate'"},
        {{}, "no command"},
        {{"list"}, "wrong number of arguments"},
        {{"list", "e.dpf", "--bogus"}, "unknown option '--bogus'"},
        {{"add", "e.dpf", "file.txt", "--name", std::string(32, 'n')}, "at most 31"},
        {{"add", "e.dpf", "file.txt", "--type", "TOOLONG8"}, "at most 7"},
        {{"add", "e.dpf", "file.txt", "e.dpf", "--name", "two"}, "single file"},
        {{"add", "e.dpf", "missing.txt"}, "missing.txt"},
        {{"add", "e.dpf", "file.txt", "--raw", "--scramble"}, "exclude"},
        {{"extract", "e.dpf", "nothing"}, "no block named 'nothing'"},
        {{"pack", "e.dpf", "file.txt"}, "not a folder"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Run(c.args);
        EXPECT_NE(outcome.code, 0) << c.message;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << "expected '" << c.message << "' in:\n"
                                                                  << outcome.err;
    }
    // A name of 31 characters still fits.
    Ok({"add", "e.dpf", "file.txt", "--name", std::string(31, 'n')});
}

TEST_F(DpfTool, HelpDescribesTheToolAndEachCommand) {
    const std::string overview = Ok({"--help"});
    for (const char* command : {"create", "add", "pack", "list", "extract", "delete", "compact", "protect",
                                "unprotect", "info"})
        EXPECT_NE(overview.find(std::string("  ") + command + " "), std::string::npos) << command;
    EXPECT_NE(Ok({"add", "--help"}).find("--scramble"), std::string::npos);
    EXPECT_NE(Ok({"help", "extract"}).find("--output DIR"), std::string::npos);
}

// Pictures go in as IMG blocks, are listed with their size and come back
// out as PNG files with the same pixels.
TEST_F(DpfTool, ImagesGoInAsImgBlocksAndComeOutAsPng) {
    Veltrano_IImage images;
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 12, 5, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (int i = 0; i < 12 * 5; ++i) static_cast<Uint8*>(picture->pixels)[(i / 12) * picture->pitch + (i % 12) * 3] = i;
    ASSERT_EQ(images.SavePNG(File("art/hero.png").c_str(), picture, 6), 0);
    ASSERT_EQ(images.SaveBMP(File("art/wall.bmp").c_str(), picture), 1);
    Write("notes.txt", "not a picture");
    Ok({"create", "game.dpf"});
    Ok({"add", "game.dpf", "--image", "art/hero.png"});
    Ok({"add", "game.dpf", "--image", "art/wall.bmp", "--name", "wall", "--depth", "16", "--colorkey", "FF00ff"});
    Ok({"add", "game.dpf", "notes.txt"});

    const std::string listing = Ok({"list", "game.dpf"});
    EXPECT_NE(LineOf(listing, "hero.png").find("IMG      compressed"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "hero.png").find("12x5, 24 bits"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "wall").find("12x5, 16 bits"), std::string::npos) << listing;
    EXPECT_EQ(LineOf(listing, "notes.txt").find("bits"), std::string::npos) << listing;

    Ok({"extract", "game.dpf", "--png", "-o", "out"});
    EXPECT_FALSE(fs::exists(File("out/notes.txt")));
    SDL_Surface* hero = images.LoadPNG(File("out/hero.png").c_str());
    ASSERT_NE(hero, nullptr);
    ASSERT_EQ(hero->pitch, picture->pitch);
    EXPECT_EQ(std::memcmp(hero->pixels, picture->pixels, picture->pitch * picture->h), 0);
    SDL_Surface* wall = images.LoadPNG(File("out/wall.png").c_str());
    ASSERT_NE(wall, nullptr);
    EXPECT_TRUE(wall->flags & SDL_SRCCOLORKEY);  // the key is kept in the PNG
    EXPECT_EQ(wall->format->colorkey, SDL_MapRGB(wall->format, 0xFF, 0, 0xFF));
    for (SDL_Surface* s : {hero, wall, picture}) SDL_FreeSurface(s);

    const Outcome notImage = Run({"add", "game.dpf", "--image", "notes.txt", "--name", "n"});
    EXPECT_NE(notImage.code, 0);
    EXPECT_NE(notImage.err.find("is not a PNG or BMP image"), std::string::npos) << notImage.err;
    const Outcome twice = Run({"add", "game.dpf", "--image", "art/hero.png"});
    EXPECT_NE(twice.code, 0);
    EXPECT_NE(twice.err.find("already holds a block 'hero.png' of type IMG"), std::string::npos) << twice.err;
    EXPECT_EQ(Run({"add", "game.dpf", "--image", "art/hero.png", "--depth", "12"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--image", "art/hero.png", "--colorkey", "red"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "art/hero.png", "--depth", "16"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--image", "--raw", "art/hero.png"}).code, 2);
}

TEST_F(DpfTool, FontsAreCheckedCutStoredListedAndExtracted) {
    const builtin_font::PngBytes png = builtin_font::Png();
    Write("ui.png", std::string(reinterpret_cast<const char*>(png.data), static_cast<size_t>(png.size)));
    Ok({"create", "game.dpf"});
    const std::string added = Ok({"add", "game.dpf", "--font", "ui.png", "--name", "ui"});
    EXPECT_NE(added.find("added 'ui' (FONT2, 899x13, 94 glyphs"), std::string::npos) << added;
    const std::string listing = Ok({"list", "game.dpf"});
    EXPECT_NE(LineOf(listing, "ui").find("FONT2    compressed"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "ui").find("font 899x13, 94 glyphs, kerning 0"), std::string::npos) << listing;

    Ok({"extract", "game.dpf", "--png", "ui", "-o", "out"});
    Veltrano_IImage images;
    SDL_Surface* extracted = images.LoadPNG(File("out/ui.png").c_str());
    ASSERT_NE(extracted, nullptr);
    EXPECT_EQ(extracted->w, 899);
    EXPECT_EQ(extracted->h, 14);
    SDL_FreeSurface(extracted);
    // What comes out goes back in.
    Ok({"add", "game.dpf", "--font", "out/ui.png", "--name", "again"});

    // A bitmap with glyphs cut off is refused, and its gaps are shown.
    SDL_Surface* whole = images.LoadPNG(File("ui.png").c_str());
    SDL_Surface* cropped = SDL_CreateRGBSurface(SDL_SWSURFACE, 860, 14, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_BlitSurface(whole, nullptr, cropped, nullptr);
    ASSERT_EQ(images.SaveBMP(File("short.bmp").c_str(), cropped), 1);
    SDL_FillRect(cropped, nullptr, 0);
    ASSERT_EQ(images.SaveBMP(File("blank.bmp").c_str(), cropped), 1);
    SDL_FreeSurface(cropped);
    SDL_FreeSurface(whole);
    const Outcome shortFont = Run({"add", "game.dpf", "--font", "short.bmp"});
    EXPECT_NE(shortFont.code, 0);
    EXPECT_NE(shortFont.err.find("glyphs separated by empty columns were found, 94 are needed"), std::string::npos)
        << shortFont.err;
    EXPECT_TRUE(fs::exists(File("FontWithErrors.bmp")));
    const Outcome blank = Run({"add", "game.dpf", "--font", "blank.bmp"});
    EXPECT_NE(blank.code, 0);
    EXPECT_NE(blank.err.find("it has no glyphs separated by empty columns"), std::string::npos) << blank.err;
    EXPECT_EQ(LineOf(Ok({"list", "game.dpf"}), "short.bmp"), "");
    EXPECT_EQ(Run({"add", "game.dpf", "--font", "--image", "ui.png"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--font", "--raw", "ui.png"}).code, 2);
}

// Pictures go in as tiles through the SDK's own tile saver, with a grid
// and a key, are listed with their cells and come back out as PNG files.
TEST_F(DpfTool, TilesGoInAsTile2BlocksAndComeOutAsPng) {
    Veltrano_IImage images;
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 40, 20, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (int i = 0; i < 40 * 20; ++i) static_cast<Uint8*>(picture->pixels)[(i / 40) * picture->pitch + (i % 40) * 3] = i;
    ASSERT_EQ(images.SavePNG(File("art/floor.png").c_str(), picture, 6), 0);
    ASSERT_EQ(images.SaveBMP(File("art/wall.bmp").c_str(), picture), 1);
    Ok({"create", "game.dpf"});
    Ok({"add", "game.dpf", "--tile", "art/floor.png", "--grid", "10x10", "--colorkey", "FF00FF"});
    Ok({"add", "game.dpf", "--tile", "art/wall.bmp", "--name", "wall", "--type", "TILB2"});

    const std::string listing = Ok({"list", "game.dpf"});
    EXPECT_NE(LineOf(listing, "floor.png").find("TILE2    compressed"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "floor.png").find("40x20, 24 bits, 8 cells of 10x10"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "wall").find("TILB2"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "wall").find("40x20, 24 bits"), std::string::npos) << listing;
    EXPECT_EQ(LineOf(listing, "wall").find("cells"), std::string::npos) << listing;

    Ok({"extract", "game.dpf", "--png", "-o", "out"});
    for (const char* name : {"out/floor.png", "out/wall.png"}) {
        SCOPED_TRACE(name);
        SDL_Surface* back = images.LoadPNG(File(name).c_str());
        ASSERT_NE(back, nullptr);
        ASSERT_EQ(back->pitch, picture->pitch);
        EXPECT_EQ(std::memcmp(back->pixels, picture->pixels, picture->pitch * picture->h), 0);
        SDL_FreeSurface(back);
    }
    SDL_FreeSurface(picture);

    const Outcome twice = Run({"add", "game.dpf", "--tile", "art/floor.png"});
    EXPECT_NE(twice.code, 0);
    EXPECT_NE(twice.err.find("already holds a block 'floor.png' of type TILE2"), std::string::npos) << twice.err;
    EXPECT_EQ(Run({"add", "game.dpf", "--tile", "art/floor.png", "--grid", "10"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--tile", "art/floor.png", "--grid", "0x4"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--tile", "art/floor.png", "--type", "IMG"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--image", "art/floor.png", "--grid", "4x4"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--tile", "--image", "art/floor.png"}).code, 2);
}

// A grid must cut the picture into whole cells, as --frame must a sheet:
// the SDK would otherwise stretch the grid to fit (10x7 over 40x20 became
// 10x8) or store a tile with no cells at all.
TEST_F(DpfTool, TileGridsThatDoNotCutThePictureIntoWholeCellsAreRefused) {
    Veltrano_IImage images;
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 40, 20, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    ASSERT_EQ(images.SavePNG(File("art/floor.png").c_str(), picture, 6), 0);
    SDL_FreeSurface(picture);
    Ok({"create", "game.dpf"});
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"30x10", "its width of 40 pixels is not a whole number of cells"},
        {"30x30", "its height of 20 pixels is less than one cell"},
        {"10x7", "its height of 20 pixels is not a whole number of cells"},
        {"41x10", "its width of 40 pixels is less than one cell"},
        {"40x21", "its height of 20 pixels is less than one cell"},
        {"64x64", "its width of 40 pixels is less than one cell"},
    };
    for (const auto& [grid, reason] : refused) {
        SCOPED_TRACE(grid);
        const Outcome outcome = Run({"add", "game.dpf", "--tile", "art/floor.png", "--grid", grid});
        EXPECT_EQ(outcome.code, 1);
        EXPECT_NE(outcome.err.find("'art/floor.png' cannot be cut into cells of " + grid + ": " + reason),
                  std::string::npos)
            << outcome.err;
    }
    EXPECT_EQ(LineOf(Ok({"list", "game.dpf"}), "floor.png"), "");
    // Grids that divide the picture, the whole picture as one cell included, go in.
    const std::string whole = Ok({"add", "game.dpf", "--tile", "art/floor.png", "--grid", "40x20"});
    EXPECT_NE(whole.find("40x20, 1 cell"), std::string::npos) << whole;
    const std::string strips = Ok({"add", "game.dpf", "--tile", "art/floor.png", "--grid", "8x20", "--name", "s"});
    EXPECT_NE(strips.find("5 cells of 8x20"), std::string::npos) << strips;
    // Sprites share the check: a frame larger than the sheet is named as such.
    const Outcome tall = Run({"add", "game.dpf", "--sprite", "art/floor.png", "--frame", "8x40", "--name", "t"});
    EXPECT_EQ(tall.code, 1);
    EXPECT_NE(tall.err.find("cannot be cut into frames of 8x40: its height of 20 pixels is less than one frame"),
              std::string::npos)
        << tall.err;
}

// A missing file is reported as missing, whichever kind of picture it was
// meant to be; a file that exists but is no picture is reported as such.
TEST_F(DpfTool, MissingPictureFilesAreReportedAsMissing) {
    Write("notes.txt", "not a picture");
    Ok({"create", "game.dpf"});
    const std::vector<std::vector<std::string>> kinds = {
        {"--image"}, {"--tile"}, {"--tile", "--grid", "4x4"}, {"--font"}, {"--sprite", "--frame", "4x4"}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind[0]);
        std::vector<std::string> missing = {"add", "game.dpf", "art/nothing.png"};
        missing.insert(missing.end(), kind.begin(), kind.end());
        const Outcome absent = Run(missing);
        EXPECT_EQ(absent.code, 1);
        EXPECT_NE(absent.err.find("'art/nothing.png' does not exist"), std::string::npos) << absent.err;
        EXPECT_EQ(absent.err.find("PNG or BMP"), std::string::npos) << absent.err;

        std::vector<std::string> text = {"add", "game.dpf", "notes.txt"};
        text.insert(text.end(), kind.begin(), kind.end());
        const Outcome notPicture = Run(text);
        EXPECT_EQ(notPicture.code, 1);
        EXPECT_NE(notPicture.err.find("'notes.txt' is not a PNG or BMP image the SDK can read"), std::string::npos)
            << notPicture.err;
    }
    EXPECT_EQ(LineOf(Ok({"list", "game.dpf"}), "nothing.png"), "");
}

// A 24-bit sheet of 4 x 4 frames, one row per entry: that many painted
// frames (every pixel different), the rest of the row black.
SDL_Surface* SpriteSheet(int columns, const std::vector<int>& framesPerRow) {
    const int rows = static_cast<int>(framesPerRow.size());
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, columns * 4, rows * 4, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (int y = 0; y < sheet->h; ++y)
        for (int x = 0; x < framesPerRow[static_cast<size_t>(y / 4)] * 4; ++x)
            static_cast<Uint8*>(sheet->pixels)[y * sheet->pitch + x * 3] = static_cast<Uint8>(1 + x + y * 16);
    return sheet;
}

// Sheets go in through the SDK's own sprite maker, are listed with their
// animations and come back out as PNG; sheets that cannot be cut are
// refused with the reason.
TEST_F(DpfTool, SpritesAreCutIntoSpr2BlocksAndComeOutAsPng) {
    Veltrano_IImage images;
    SDL_Surface* sheet = SpriteSheet(4, {3, 2, 4});
    ASSERT_EQ(images.SavePNG(File("art/walk.png").c_str(), sheet, 6), 0);
    Ok({"create", "game.dpf"});
    const std::string added = Ok({"add", "game.dpf", "--sprite", "art/walk.png", "--frame", "4x4"});
    EXPECT_NE(added.find("added 'walk.png' (SPR2, frames of 4x4, 3 animations (3, 2, 4 frames)"), std::string::npos)
        << added;
    const std::string listing = Ok({"list", "game.dpf"});
    EXPECT_NE(LineOf(listing, "walk.png").find("SPR2     compressed"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "walk.png").find("sprite, frames of 4x4, 3 animations (3, 2, 4 frames)"),
              std::string::npos)
        << listing;

    Ok({"extract", "game.dpf", "--png", "-o", "out"});
    SDL_Surface* back = images.LoadPNG(File("out/walk.png").c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->pitch, sheet->pitch);
    EXPECT_EQ(std::memcmp(back->pixels, sheet->pixels, sheet->pitch * sheet->h), 0);
    SDL_FreeSurface(back);
    SDL_FreeSurface(sheet);

    const Outcome twice = Run({"add", "game.dpf", "--sprite", "art/walk.png", "--frame", "4x4"});
    EXPECT_NE(twice.err.find("already holds a block 'walk.png' of type SPR2"), std::string::npos) << twice.err;
    const Outcome uneven = Run({"add", "game.dpf", "--sprite", "art/walk.png", "--frame", "3x4", "--name", "u"});
    EXPECT_NE(uneven.code, 0);
    EXPECT_NE(uneven.err.find("'art/walk.png' cannot be cut into frames of 3x4: its width of 16 pixels is not a "
                              "whole number of frames"),
              std::string::npos)
        << uneven.err;
    SDL_Surface* gap = SpriteSheet(2, {2, 0});
    ASSERT_EQ(images.SavePNG(File("art/gap.png").c_str(), gap, 6), 0);
    SDL_FreeSurface(gap);
    const Outcome empty = Run({"add", "game.dpf", "--sprite", "art/gap.png", "--frame", "4x4"});
    EXPECT_NE(empty.code, 0);
    EXPECT_NE(empty.err.find("'art/gap.png' cannot be cut into frames of 4x4: row 2 has no frames"), std::string::npos)
        << empty.err;
    EXPECT_EQ(LineOf(Ok({"list", "game.dpf"}), "gap.png"), "");
    EXPECT_EQ(Run({"add", "game.dpf", "--sprite", "art/walk.png"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--sprite", "art/walk.png", "--frame", "0x4"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--tile", "art/walk.png", "--frame", "4x4"}).code, 2);
    EXPECT_EQ(Run({"add", "game.dpf", "--sprite", "--tile", "art/walk.png", "--frame", "4x4"}).code, 2);
}

// Widgets go in as their TILB2 pictures and a BUT header made by the SDK's
// widget saver; listings show the type and the pictures found.
TEST_F(DpfTool, WidgetsGoInAsHeaderAndPictures) {
    Veltrano_IImage images;
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 40, 20, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (const char* name : {"n.png", "p.png", "o.png", "s.png"})
        ASSERT_EQ(images.SavePNG(File(name).c_str(), picture, 6), 0);
    SDL_FreeSurface(picture);
    const std::string added = Ok({"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "slider", "--name", "vol",
                                  "--range", "10", "--value", "3", "--key", "space"});
    EXPECT_NE(added.find("added widget 'vol' (Slider)"), std::string::npos) << added;
    Ok({"add", "ui.dpf", "n.png", "p.png", "o.png", "s.png", "--button", "complex", "--name", "start",
        "--select-color", "FF8000", "--key", "return", "--position", "10,20"});
    const std::string listing = Ok({"list", "ui.dpf"});
    EXPECT_NE(LineOf(listing, "vol").find("BUT      raw                 24"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "vol").find("Slider, range 10, value 3, key 'space', pictures vol_n vol_p vol_o"),
              std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "start").find("Complex button, key 'return', pictures start_n start_p start_o start_s"),
              std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "vol_p").find("TILB2"), std::string::npos) << listing;

    const Outcome twice = Run({"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "slider", "--name", "vol"});
    EXPECT_EQ(twice.code, 1);
    EXPECT_NE(twice.err.find("already holds a widget 'vol'"), std::string::npos) << twice.err;
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "round", "--name", "x"}, "--button takes"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "complex", "--name", "x"}, "takes 4 pictures"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "normal"}, "needs --name"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "normal", "--name", std::string(25, 'w')},
         "1 to 24 characters"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "slider", "--name", "x", "--range", "300"},
         "0 to 255"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "slider", "--name", "x", "--range", "4",
          "--value", "5"}, "--value takes"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "normal", "--name", "x", "--key", "400"},
         "--key takes"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "normal", "--name", "x", "--range", "4"},
         "go with slider"},
        {{"add", "ui.dpf", "n.png", "p.png", "o.png", "--button", "normal", "--name", "x", "--tile"}, "leave out"},
    };
    for (const auto& [args, message] : refused) {
        const Outcome outcome = Run(args);
        EXPECT_EQ(outcome.code, 2) << message;
        EXPECT_NE(outcome.err.find(message), std::string::npos) << outcome.err;
    }
}

}  // namespace

TEST_F(DpfTool, AddXmlStoresOnlyWellFormedDocumentsAndExtractGivesThemBack) {
    const std::string setup = "<?xml version=\"1.0\"?>\n<setup>\n  <video renderer=\"2\"/>\n</setup>\n";
    Write("setup.xml", setup);
    Write("broken.xml", "<setup>\n  <video renderer=\"2\">\n</setup>\n");
    Ok({"create", "game.dpf"});
    Ok({"add", "game.dpf", "setup.xml", "--xml"});
    const Outcome broken = Run({"add", "game.dpf", "broken.xml", "--xml"});
    EXPECT_NE(broken.code, 0);
    EXPECT_NE(broken.err.find("'broken.xml' is not well-formed XML: "), std::string::npos) << broken.err;
    EXPECT_NE(broken.err.find("(line 3, column 1)"), std::string::npos) << broken.err;
    EXPECT_EQ(Run({"add", "game.dpf", "setup.xml", "--xml", "--type", "TEXT"}).code, 2);

    const std::string listing = Ok({"list", "game.dpf"});
    EXPECT_NE(LineOf(listing, "setup.xml").find("FILE"), std::string::npos) << listing;
    EXPECT_EQ(LineOf(listing, "broken.xml"), "");
    Ok({"extract", "game.dpf", "setup.xml", "--output", "out"});
    EXPECT_EQ(ReadFile(dir_.file("out/setup.xml")), setup);
}

namespace {

std::string AsText(const audio_media::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

// Sounds and music go in through the SDK's importer with its storage modes,
// are listed with their format and come back out byte for byte, named after
// the block with the format's tag.
TEST_F(DpfTool, SoundsAndMusicGoInAsSndAndMusBlocksAndComeBackUnchanged) {
    audio_media::Tone stereo;
    stereo.rate = 44100;
    stereo.channels = 2;
    const std::string wav = AsText(audio_media::Wav({})), voc = AsText(audio_media::Voc({}, audio_media::VocBlock::Sound));
    const std::string ogg = AsText(audio_media::OggVorbis(stereo)), xm = AsText(audio_media::XmModule());
    const std::string mod = AsText(audio_media::ModModule());
    Write("sfx/coin.wav", wav);
    Write("sfx/step.voc", voc);
    Write("music/theme.ogg", ogg);
    Write("music/boss.xm", xm);
    Write("music/title.mod", mod);
    Ok({"create", "game.dpf"});
    EXPECT_NE(Ok({"add", "game.dpf", "--sound", "sfx/coin.wav", "--name", "coin"}).find("(SND, WAV 22050 Hz mono"),
              std::string::npos);
    Ok({"add", "game.dpf", "--sound", "sfx/step.voc"});
    Ok({"add", "game.dpf", "--music", "music/theme.ogg", "--name", "theme"});
    Ok({"add", "game.dpf", "--music", "music/boss.xm", "music/title.mod"});

    const std::string listing = Ok({"list", "game.dpf"});
    EXPECT_NE(LineOf(listing, "coin").find("SND      scrambled"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "coin").find("WAV 22050 Hz mono"), std::string::npos) << listing;
    const std::string vocRate = std::to_string(audio_media::VocBlock1Rate(22050));
    EXPECT_NE(LineOf(listing, "step.voc").find("VOC " + vocRate + " Hz mono"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "theme").find("MUS      scrambled"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "theme").find("OGG 44100 Hz stereo"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "boss.xm").find("MUS      compressed"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "boss.xm").find("XM module"), std::string::npos) << listing;
    EXPECT_NE(LineOf(listing, "title.mod").find("MOD module"), std::string::npos) << listing;

    Ok({"extract", "game.dpf", "-o", "out"});
    ExpectFileHolds("out/coin.WAV", wav);
    ExpectFileHolds("out/step.voc.VOC", voc);
    ExpectFileHolds("out/theme.OGG", ogg);
    ExpectFileHolds("out/boss.xm.XM", xm);
    ExpectFileHolds("out/title.mod.MOD", mod);
    Ok({"extract", "game.dpf", "theme", "--type", "MUS", "-o", "one"});
    ExpectFileHolds("one/theme.OGG", ogg);
    EXPECT_FALSE(fs::exists(File("one/coin.WAV")));

    const Outcome twice = Run({"add", "game.dpf", "--sound", "sfx/coin.wav", "--name", "coin"});
    EXPECT_EQ(twice.code, 1);
    EXPECT_NE(twice.err.find("already holds a block 'coin' of type SND"), std::string::npos) << twice.err;
}

// Missing files, files the SDK cannot read as the kind asked for and options
// that do not go with sounds are refused, and nothing is added.
TEST_F(DpfTool, AudioFilesTheSdkCannotReadAreRefused) {
    Write("coin.wav", AsText(audio_media::Wav({})));
    Write("notes.txt", "not a sound");
    Write("broken.ogg", "OggS" + BinaryBytes(200));
    Ok({"create", "game.dpf"});
    for (const char* kind : {"--sound", "--music"}) {
        SCOPED_TRACE(kind);
        const Outcome absent = Run({"add", "game.dpf", kind, "sfx/nothing.wav"});
        EXPECT_EQ(absent.code, 1);
        EXPECT_NE(absent.err.find("'sfx/nothing.wav' does not exist"), std::string::npos) << absent.err;
        EXPECT_EQ(absent.err.find("can read"), std::string::npos) << absent.err;
        const Outcome broken = Run({"add", "game.dpf", kind, "broken.ogg"});
        EXPECT_EQ(broken.code, 1);
        EXPECT_NE(broken.err.find("'broken.ogg' is not"), std::string::npos) << broken.err;
    }
    const Outcome text = Run({"add", "game.dpf", "--sound", "notes.txt"});
    EXPECT_EQ(text.code, 1);
    EXPECT_NE(text.err.find("'notes.txt' is not a sound the SDK can read"), std::string::npos) << text.err;

    const std::vector<std::vector<std::string>> misused = {
        {"--sound", "--raw"}, {"--music", "--scramble"}, {"--sound", "--type", "SFX"},
        {"--sound", "--music"}, {"--sound", "--image"}, {"--sound", "--depth", "16"}, {"--music", "--xml"}};
    for (const auto& options : misused) {
        std::vector<std::string> args = {"add", "game.dpf", "coin.wav"};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Run(args).code, 2) << options[1];
    }
    EXPECT_NE(Ok({"list", "game.dpf"}).find("0 blocks"), std::string::npos);
}
