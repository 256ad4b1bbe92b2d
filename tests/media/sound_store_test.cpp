// Format queries on files and blocks, imports with their storage modes, and
// export back to files, with the bad input each must survive.
#include <cstring>
#include <string>

#include "media/sound_test_support.h"

using namespace sound_test;
using testing_support::LogCapture;
using testing_support::ReadFile;

namespace {

class SoundStore : public SoundTest {
protected:
    sAudioType info{};
};

struct InfoCase {
    const char* file;
    Bytes bytes;
    const char* tag;
    int channels;
    unsigned short format;
    int frequency;
};

TEST_F(SoundStore, SoundInfoOnFilesAndBlocks) {
    using audio_media::Tone;
    const Tone stereo{44100, 2, 16, 441, 440.0};
    const Tone mono8{11025, 1, 8, 441, 440.0};
    const InfoCase cases[] = {
        {"a.wav", audio_media::Wav(stereo), "WAV", 2, AUDIO_S16LSB, 44100},
        {"b.wav", audio_media::Wav(mono8), "WAV", 1, AUDIO_U8, 11025},
        {"a.aiff", audio_media::Aiff(stereo), "AIFF", 2, AUDIO_S16MSB, 44100},
        {"a.voc", audio_media::Voc(mono8, audio_media::VocBlock::SoundNew), "VOC", 1, AUDIO_U8, 11025},
        {"a.ogg", audio_media::OggVorbis(stereo), "OGG", 2, AUDIO_S16LSB, 44100},
    };
    const int dpf = IStuffDPF->Create(dir.file("s.dpf").c_str());
    for (const InfoCase& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(ISoundFX->SoundInfo(0, Write(c.file, c.bytes).c_str(), &info), 1);
        EXPECT_STREQ(info.typeTag, c.tag);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.sampleFormat, c.format);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.byteSize, static_cast<int>(c.bytes.size()));
        // A block tells the same; its size is the data's, not the stored one.
        ASSERT_GT(ISoundFX->SoundImport(dpf, c.file, dir.file(c.file).c_str()), 0);
        info = sAudioType{};
        ASSERT_EQ(ISoundFX->SoundInfo(dpf, c.file, &info), 1);
        EXPECT_STREQ(info.typeTag, c.tag);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.byteSize, static_cast<int>(c.bytes.size()));
    }
    IStuffDPF->Close(dpf);
    ASSERT_EQ(ISoundFX->SoundInfo(dir.file("s.dpf").c_str(), "a.aiff", &info), 1);
    EXPECT_STREQ(info.typeTag, "AIFF");
}

TEST_F(SoundStore, MusicInfoTellsModulesByTheirHeaders) {
    const InfoCase cases[] = {
        {"a.it", audio_media::ItModule(), "IT", 0, 0, 0},
        {"a.xm", audio_media::XmModule(), "XM", 0, 0, 0},
        {"a.s3m", audio_media::S3mModule(), "S3M", 0, 0, 0},
        {"a.mod", audio_media::ModModule(), "MOD", 0, 0, 0},
        {"a.ogg", Ogg(), "OGG", 2, AUDIO_S16LSB, 22050},
        // Anything else, even a file too short for any header, is a MOD.
        {"short", Bytes{'S', 'C'}, "MOD", 0, 0, 0},
        {"empty", Bytes{}, "MOD", 0, 0, 0},
    };
    for (const InfoCase& c : cases) {
        SCOPED_TRACE(c.file);
        std::memset(&info, 0x5A, sizeof info);
        ASSERT_EQ(ISoundFX->MusicInfo(0, Write(c.file, c.bytes).c_str(), &info), 1);
        EXPECT_STREQ(info.typeTag, c.tag);
        EXPECT_EQ(info.channels, c.channels);
        EXPECT_EQ(info.sampleFormat, c.format);
        EXPECT_EQ(info.frequency, c.frequency);
        EXPECT_EQ(info.byteSize, static_cast<int>(c.bytes.size()));
    }
}

TEST_F(SoundStore, InfoQueriesSurviveBadInput) {
    LogCapture log;
    const std::string missing = dir.file("missing.wav");
    EXPECT_EQ(ISoundFX->SoundInfo(0, missing.c_str(), &info), 0);
    EXPECT_TRUE(log.Contains(" . [ISoundFX->SoundInfo('(null)','" + missing + "',0x"));
    EXPECT_TRUE(log.Contains("] Error: sound load failed.\n"));
    EXPECT_EQ(ISoundFX->MusicInfo(0, missing.c_str(), &info), 0);
    EXPECT_TRUE(log.Contains(")] Error: music load failed.\n"));

    // Unknown or too short for a signature: the format message.
    for (const Bytes& bytes : {Bytes{}, Bytes{'R', 'I'}, Bytes{'M', 'T', 'h', 'd', 0, 0}}) {
        log.Clear();
        EXPECT_EQ(ISoundFX->SoundInfo(0, Write("x.bin", bytes).c_str(), &info), 0);
        EXPECT_TRUE(log.Contains("] Error: sound format unknown.\n")) << log.Text();
    }
    // A known signature that does not decode fails without a message.
    Bytes wav = Wav();
    Bytes aiff = audio_media::Aiff(audio_media::Tone{});
    for (Bytes* cut : {&wav, &aiff}) {
        cut->resize(30);
        log.Clear();
        EXPECT_EQ(ISoundFX->SoundInfo(0, Write("cut", *cut).c_str(), &info), 0);
        EXPECT_EQ(log.Text(), "");
    }

    const std::string archive = dir.file("s.dpf");
    const int dpf = IStuffDPF->Create(archive.c_str());
    ASSERT_GT(Store(dpf, "song", "MUS", audio_media::ModModule()), 0);
    log.Clear();
    EXPECT_EQ(ISoundFX->SoundInfo(dpf, "song", &info), 0) << "a block of the other type";
    EXPECT_TRUE(log.Contains(" . [ISoundFX->SoundInfo('" + archive + "','song',0x"));
    EXPECT_TRUE(log.Contains("] Error: sound not found.\n"));
    EXPECT_EQ(ISoundFX->MusicInfo(dpf, "nothing", &info), 0);
    EXPECT_TRUE(log.Contains(")] Error: music not found.\n"));
    EXPECT_EQ(ISoundFX->MusicInfo(-1, "song", &info), 0);
    IStuffDPF->Close(dpf);
    EXPECT_EQ(ISoundFX->MusicInfo(archive.c_str(), "song", &info), 1);
    EXPECT_EQ(ISoundFX->MusicInfo(dir.file("none.dpf").c_str(), "song", &info), 0);
    EXPECT_FALSE(testing_support::FileExists(dir.file("none.dpf")));
}

TEST_F(SoundStore, ImportsUseTheirStorageModesAndNeedNoDevice) {
    ASSERT_EQ(ISoundFX->Initialized(), 0);
    const std::string archive = dir.file("deep/er/a.dpf");
    const struct {
        const char* file;
        bool music;
        int storage;
    } cases[] = {{"boom.wav", false, 2}, {"theme.ogg", true, 2}, {"THEME.OGG", true, 2}, {"song.mod", true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string file = Write(c.file, c.music ? audio_media::ModModule() : Wav());
        const int stored = c.music ? ISoundFX->MusicImport(archive.c_str(), c.file, file.c_str())
                                   : ISoundFX->SoundImport(archive.c_str(), c.file, file.c_str());
        EXPECT_GT(stored, 0);
        const int dpf = IStuffDPF->Open(archive.c_str());
        ASSERT_GT(dpf, 0) << "the archive was made and closed";
        DPF_BlockData block{};
        std::strcpy(block.name, c.file);
        std::strcpy(block.type, c.music ? "MUS" : "SND");
        ASSERT_EQ(IStuffDPF->Search(dpf, &block), 1);
        EXPECT_EQ(block.storage, c.storage);
        EXPECT_EQ(c.music ? ISoundFX->MusicImport(dpf, c.file, file.c_str())
                          : ISoundFX->SoundImport(dpf, c.file, file.c_str()),
                  -1)
            << "a duplicate";
        IStuffDPF->Close(dpf);
    }

    LogCapture log;
    const std::string wav = Write("boom.wav", Wav());
    EXPECT_EQ(ISoundFX->SoundImport(0, "x", wav.c_str()), 0);
    EXPECT_EQ(ISoundFX->MusicImport(-1, "x", wav.c_str()), 0);
    EXPECT_EQ(log.Text(), "") << "refused at once";
    const int dpf = IStuffDPF->Open(archive.c_str());
    EXPECT_EQ(ISoundFX->SoundImport(dpf, "x", "missing.wav"), 0);
    EXPECT_TRUE(log.Contains(" . [ISoundFX->SoundImport('" + archive + "','x','missing.wav'] Error: sound not found.\n"));
    EXPECT_EQ(ISoundFX->MusicImport(dpf, "x", "missing.ogg"), 0);
    EXPECT_TRUE(log.Contains(" . [ISoundFX->MusicImport('" + archive + "','x','missing.ogg')] Error: music not found.\n"));
    IStuffDPF->Close(dpf);
}

TEST_F(SoundStore, ExportWritesTheBlockBack) {
    const std::string archive = dir.file("a.dpf");
    const Bytes ogg = Ogg();
    const Bytes wav = Wav();
    ASSERT_GT(ISoundFX->MusicImport(archive.c_str(), "theme", Write("theme.ogg", ogg).c_str()), 0);
    ASSERT_GT(ISoundFX->SoundImport(archive.c_str(), "boom", Write("boom.wav", wav).c_str()), 0);
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "theme", 1, nullptr), 0) << "needs the device";
    Open();

    // A plain file name with no directory part is written where we are.
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "theme", 1, nullptr), 1);
    EXPECT_EQ(ReadFile(dir.file("theme.OGG")), std::string(ogg.begin(), ogg.end()));
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "boom", 0, nullptr), 1);
    EXPECT_EQ(ReadFile(dir.file("boom.WAV")), std::string(wav.begin(), wav.end()));
    // Directories are made; an existing file is truncated.
    testing_support::WriteFile(dir.file("out/x/boom.wav"), std::string(100000, 'z'));
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "boom", 0, dir.file("out/x/boom.wav").c_str()), 1);
    EXPECT_EQ(ReadFile(dir.file("out/x/boom.wav")), std::string(wav.begin(), wav.end()));

    LogCapture log;
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "boom", 1, nullptr), 0);
    EXPECT_TRUE(log.Contains(" . [ISoundFX->Export('" + archive + "','boom',1,'(null)')] Error: sound block not found.\n"));
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "boom", 0, dir.path().c_str()), 0) << "a directory";
    EXPECT_EQ(ISoundFX->Export(archive.c_str(), "boom", 0, dir.file("boom.WAV/below").c_str()), 0);
    EXPECT_EQ(ISoundFX->Export(dir.file("none.dpf").c_str(), "boom", 0, "x.wav"), 0);
    EXPECT_EQ(ISoundFX->Export(0, "boom", 0, "x.wav"), 0);
    EXPECT_FALSE(testing_support::FileExists(dir.file("x.wav")));
}

}  // namespace
