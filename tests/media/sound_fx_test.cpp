// The sound interface's device, its mixer forwarders, the sound and music
// tables, and what actually reaches the mix.
#include <cstring>
#include <vector>

#include "media/sound_test_support.h"

using namespace sound_test;
using testing_support::LogCapture;

namespace {

class SoundDevice : public SoundTest {};

TEST_F(SoundDevice, ConfigurationInitFollowsTheRecord) {
    Veltrano.Config.audioEnable = 0;
    EXPECT_EQ(ISoundFX->Init(), 0);
    EXPECT_EQ(ISoundFX->Initialized(), 0);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);

    // The default 0x8008 opens 16-bit; only 8 opens 8-bit.
    Veltrano.Config.audioEnable = 1;
    Veltrano.Config.audioFrequency = 22050;
    Veltrano.Config.audioMode = 2;
    Veltrano.Config.musicVolume = 100;
    Veltrano.Config.soundVolume = 60;
    for (const auto& [configured, opened] : {std::pair{0x8008, AUDIO_S16LSB}, std::pair{8, AUDIO_S8}}) {
        Veltrano.Config.audioFormat = configured;
        ASSERT_EQ(ISoundFX->Init(), 1);
        int freq = 0, channels = 0;
        unsigned short format = 0;
        ISoundFX->QuerySpec(&freq, &format, &channels);
        EXPECT_EQ(freq, 22050);
        EXPECT_EQ(format, opened);
        EXPECT_EQ(channels, 2);
        EXPECT_EQ(ISoundFX->MusicGetVolume(), 100);
        EXPECT_EQ(ISoundFX->ChannelGetVolume(0), 60);
        EXPECT_EQ(ISoundFX->ChannelGetVolume(-1), 60);  // the average of all
        ISoundFX->Quit();
        EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "Quit closes the device";
    }

    // The explicit form sets no volumes.
    ASSERT_EQ(ISoundFX->Init(22050, AUDIO_S16SYS, 2, 512), 1);
    EXPECT_EQ(ISoundFX->MusicGetVolume(), MIX_MAX_VOLUME);
    // Reopening does not leave an extra open behind for Quit.
    ASSERT_EQ(ISoundFX->Init(22050, AUDIO_S16SYS, 2, 512), 1);
    ISoundFX->Quit();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}

TEST_F(SoundDevice, UnusableDevice) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Veltrano.Config.audioEnable = 1;
    EXPECT_EQ(ISoundFX->Init(), 255);
    EXPECT_EQ(ISoundFX->Init(22050, AUDIO_S16SYS, 2, 512), 0);
    EXPECT_EQ(ISoundFX->Initialized(), 0);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// NoInit forgets the device without closing it; Quit then closes nothing.
TEST_F(SoundDevice, NoInitKeepsTheDeviceOpen) {
    Open();
    ISoundFX->NoInit();
    EXPECT_EQ(ISoundFX->Initialized(), 0);
    ISoundFX->Quit();
    EXPECT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    Mix_CloseAudio();
}

TEST_F(SoundDevice, ForwardersAnswerTheirFailureValuesWhileClosed) {
    int freq = -7;
    ISoundFX->QuerySpec(&freq, nullptr, nullptr);
    EXPECT_EQ(freq, -7);
    EXPECT_EQ(ISoundFX->AllocateChannels(8), -1);
    EXPECT_EQ(ISoundFX->ChannelGetVolume(0), -1);
    EXPECT_EQ(ISoundFX->SoundGetVolume(0), -1);
    EXPECT_EQ(ISoundFX->MusicGetVolume(), -1);
    EXPECT_EQ(ISoundFX->ChannelIsPaused(0), 0);
    EXPECT_EQ(ISoundFX->MusicIsPaused(), 0);
    EXPECT_EQ(ISoundFX->ChannelFadeOut(0, 10), -1);
    EXPECT_EQ(ISoundFX->MusicFadeOut(10), 0);
    EXPECT_EQ(ISoundFX->ChannelFadeIn(0, 0, 0, 10), -1);
    EXPECT_EQ(ISoundFX->MusicFadeIn(0, 0, 10), -1);
    EXPECT_EQ(ISoundFX->SoundPlay(-1, 0, 0), -1);
    EXPECT_EQ(ISoundFX->IsPlaying(), 0);
    EXPECT_EQ(ISoundFX->IsPlaying(0), 0);
    EXPECT_EQ(ISoundFX->MusicPlay(0, 0), -1);
    EXPECT_EQ(ISoundFX->SoundLoad(Write("a.wav", Wav()).c_str()), -1);
    EXPECT_EQ(ISoundFX->MusicLoad(Write("a.mod", audio_media::ModModule()).c_str()), -1);
    ISoundFX->ChannelVolume(0, 5);
    ISoundFX->MusicStop();
    ISoundFX->ChannelPause(-1);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "nothing opened the mixer";
}

TEST_F(SoundDevice, BadChannelAndSoundHandlesStopBeforeTheMixer) {
    Open();
    const int sound = ISoundFX->SoundLoad(Write("a.wav", Wav()).c_str());
    ASSERT_EQ(sound, 0);
    for (int channel : {-2, -1000, 8, 100000}) {
        SCOPED_TRACE(channel);
        EXPECT_EQ(ISoundFX->ChannelGetVolume(channel), -1);
        EXPECT_EQ(ISoundFX->ChannelFadeOut(channel, 1), -1);
        EXPECT_EQ(ISoundFX->IsPlaying(channel), 0);
        EXPECT_EQ(ISoundFX->ChannelIsPaused(channel), 0);
        EXPECT_EQ(ISoundFX->SoundPlay(channel, sound, 0), -1);
        EXPECT_EQ(ISoundFX->ChannelFadeIn(channel, sound, 0, 1), -1);
        ISoundFX->ChannelVolume(channel, 1);
        ISoundFX->ChannelStop(channel);
        ISoundFX->ChannelPause(channel);
        ISoundFX->ChannelResume(channel);
    }
    for (int bad : {-1, 1, 255, 256, 1 << 30}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ISoundFX->SoundGetVolume(bad), -1);
        EXPECT_EQ(ISoundFX->SoundPlay(-1, bad, 0), -1);
        EXPECT_EQ(ISoundFX->ChannelFadeIn(-1, bad, 0, 1), -1);
        EXPECT_EQ(ISoundFX->MusicPlay(bad, 0), -1);
        EXPECT_EQ(ISoundFX->MusicFadeIn(bad, 0, 1), -1);
        ISoundFX->SoundVolume(bad, 1);
        ISoundFX->SoundFree(bad);
        ISoundFX->MusicFree(bad);
    }
    // An absurd channel count is refused; the mixer keeps its own.
    EXPECT_EQ(ISoundFX->AllocateChannels(1 << 30), 8);
    EXPECT_EQ(ISoundFX->AllocateChannels(16), 16);
    EXPECT_EQ(ISoundFX->SoundGetVolume(sound), Veltrano.Config.soundVolume);
    ISoundFX->SoundFree(sound);
}

// The 256 sounds come from one archive; handles are always the lowest free
// position, and survive Quit and Init with their own volume.
TEST_F(SoundDevice, SoundTableLimitsAndHandles) {
    Open();
    const int dpf = IStuffDPF->Create(dir.file("s.dpf").c_str());
    ASSERT_GT(Store(dpf, "boom", "SND", Wav()), 0);
    LogCapture log;
    std::vector<int> handles;
    for (int i = 0; i < 256; ++i) handles.push_back(ISoundFX->SoundLoad(dpf, "boom"));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(handles[i], i);
    EXPECT_EQ(ISoundFX->SoundLoad(dpf, "boom"), -1);
    EXPECT_TRUE(log.Contains(" . [ISoundFX] Warning: reached maximum limit of sound objects opened(256)\n"));
    ISoundFX->SoundFree(200);
    ISoundFX->SoundFree(7);
    EXPECT_EQ(ISoundFX->SoundLoad(dpf, "boom"), 7);
    EXPECT_EQ(ISoundFX->SoundLoad(dpf, "boom"), 200);
    IStuffDPF->Close(dpf);

    ISoundFX->SoundVolume(3, 17);
    ISoundFX->Quit();
    EXPECT_EQ(ISoundFX->SoundGetVolume(3), -1);
    Open();
    EXPECT_EQ(ISoundFX->SoundGetVolume(3), 17);
    for (int i = 0; i < 256; ++i) ISoundFX->SoundFree(i);
    EXPECT_EQ(ISoundFX->SoundGetVolume(3), -1);
}

TEST_F(SoundDevice, EveryFormatLoadsAndBadSoundsTakeNoSlot) {
    Open();
    const audio_media::Tone tone{11025, 1, 16, 1102, 440.0};
    const Bytes good[] = {audio_media::Wav(tone), audio_media::Aiff(tone), audio_media::OggVorbis(tone),
                          audio_media::Voc(tone, audio_media::VocBlock::SoundNew)};
    for (const Bytes& bytes : good) {
        const int sound = ISoundFX->SoundLoad(Write("good", bytes).c_str());
        ASSERT_EQ(sound, 0);
        // Converted as the mixer's own loader converts it.
        const int channel = ISoundFX->SoundPlay(-1, sound, 0);
        ASSERT_GE(channel, 0);
        Mix_Chunk* own = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        ASSERT_NE(own, nullptr);
        ASSERT_EQ(Mix_GetChunk(channel)->alen, own->alen);
        EXPECT_EQ(std::memcmp(Mix_GetChunk(channel)->abuf, own->abuf, own->alen), 0);
        Mix_FreeChunk(own);
        ISoundFX->SoundFree(sound);
    }
    Bytes wav = audio_media::Wav(tone);
    wav.resize(40);
    Bytes aiff = audio_media::Aiff(tone);
    aiff.resize(aiff.size() - 100);
    // The mixer's VOC reader writes blocks that follow the terminator past its
    // buffer, and reads a cut block as far as it goes.
    Bytes vocAfterEnd = audio_media::Voc(tone, audio_media::VocBlock::SoundNew);
    vocAfterEnd.insert(vocAfterEnd.end(), {2, 16, 0, 0});
    vocAfterEnd.resize(vocAfterEnd.size() + 16, 0x40);
    Bytes vocCut = audio_media::Voc(tone, audio_media::VocBlock::SoundNew);
    vocCut.resize(vocCut.size() - 50);
    const int dpf = IStuffDPF->Create(dir.file("s.dpf").c_str());
    LogCapture log;
    int n = 0;
    for (const Bytes& bad : {Bytes{}, Bytes{'R', 'I'}, Bytes(500, 'x'), wav, aiff, vocAfterEnd, vocCut}) {
        log.Clear();
        const std::string block = "bad" + std::to_string(n++);
        SCOPED_TRACE(block);
        const std::string file = Write("bad", bad);
        EXPECT_EQ(ISoundFX->SoundLoad(file.c_str()), -1);
        EXPECT_TRUE(log.Contains(" . [ISoundFX->SoundLoad('" + file + "')] Error: sound not found.\n"));
        if (bad.empty()) continue;
        Store(dpf, block.c_str(), "SND", bad);
        EXPECT_EQ(ISoundFX->SoundLoad(dpf, block.c_str()), -1);
        EXPECT_TRUE(log.Contains("','" + block + "')] Error: sound format unknown.\n")) << log.Text();
    }
    IStuffDPF->Close(dpf);
    EXPECT_EQ(ISoundFX->SoundGetVolume(0), -1) << "no slot taken";
}

TEST_F(SoundDevice, PlayedSoundReachesTheMixAndFadesOut) {
    Open();
    const int sound = ISoundFX->SoundLoad(Write("a.wav", audio_media::Wav(audio_media::Tone{22050, 1, 16, 44100, 440.0})).c_str());
    ASSERT_GE(sound, 0);
    const int channel = ISoundFX->SoundPlay(-1, sound, -1);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(ISoundFX->IsPlaying(channel), 1);
    EXPECT_TRUE(WaitFor([] { return loudSamples > 2000; }, 5000)) << loudSamples;
    EXPECT_EQ(ISoundFX->ChannelFadeOut(channel, 100), 1);
    EXPECT_TRUE(WaitFor([&] { return ISoundFX->IsPlaying(channel) == 0; }, 5000));
    // Silence after the fade.
    SDL_Delay(100);
    loudSamples = 0;
    SDL_Delay(200);
    EXPECT_EQ(loudSamples, 0);
    ISoundFX->SoundFree(sound);
}

}  // namespace
