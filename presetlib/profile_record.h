#pragma once

// The profile record and block shared by PresetLib and the main program. The
// layout is fixed byte for byte: the library writes it, the program reads it.

#include <cstddef>
#include <cstdint>

#define PRESETLIB_API extern "C" __attribute__((visibility("default")))

struct VideoCodecEntry {
    char name[32];
    char ovc[32];
    char encoderParam[128];
    char filterParam[128];
};

struct AudioCodecEntry {
    char name[32];
    char oac[32];  // as written; lower-cased it is the codec keyword of the encoder command
    char encoderParam[64];
    char filterParam[64];
};

constexpr int kMaxCodecEntries = 10;

struct ProfileRecord {
    char name[128];
    char group[64];
    int32_t programId;
    char profileIcon[32];
    char groupIcon[32];
    char resolution[256];
    char frameRate[128];
    char videoBitrate[256];
    char audioBitrateChoices[256];
    char sampleRateChoices[256];
    char channelChoices[128];
    VideoCodecEntry videoCodecs[kMaxCodecEntries];
    AudioCodecEntry audioCodecs[kMaxCodecEntries];
    int32_t videoCodecCount;
    int32_t audioCodecCount;
    char reserved1[32];
    char audioCodec[76];
    int32_t audioBitrate;
    int32_t sampleRate;
    int32_t channels;
    char reserved2[32];
    int32_t volume;
    char oac[32];
    char ovc[32];
    char format[160];
    char mediaType[96];
    int32_t disableMultithread;
};

// Room of the main program's block: LoadProfile never fills more records.
constexpr int kProfileBlockCapacity = 128;

struct ProfileBlock {
    int32_t count;
    ProfileRecord records[kProfileBlockCapacity];
};

// Reads every "*.dat" profile file of `folder` into `block` (at most
// kProfileBlockCapacity records) and stores the count. Always returns 0.
// `tag` is accepted and not used.
PRESETLIB_API int32_t LoadProfile(const char* folder, ProfileBlock* block, const char* tag);

static_assert(sizeof(VideoCodecEntry) == 320);
static_assert(offsetof(VideoCodecEntry, ovc) == 32);
static_assert(offsetof(VideoCodecEntry, encoderParam) == 64);
static_assert(offsetof(VideoCodecEntry, filterParam) == 192);
static_assert(sizeof(AudioCodecEntry) == 192);
static_assert(offsetof(AudioCodecEntry, oac) == 32);
static_assert(offsetof(AudioCodecEntry, encoderParam) == 64);
static_assert(offsetof(AudioCodecEntry, filterParam) == 128);
static_assert(sizeof(ProfileRecord) == 7148);
static_assert(offsetof(ProfileRecord, group) == 128);
static_assert(offsetof(ProfileRecord, programId) == 192);
static_assert(offsetof(ProfileRecord, profileIcon) == 196);
static_assert(offsetof(ProfileRecord, groupIcon) == 228);
static_assert(offsetof(ProfileRecord, resolution) == 260);
static_assert(offsetof(ProfileRecord, frameRate) == 516);
static_assert(offsetof(ProfileRecord, videoBitrate) == 644);
static_assert(offsetof(ProfileRecord, audioBitrateChoices) == 900);
static_assert(offsetof(ProfileRecord, sampleRateChoices) == 1156);
static_assert(offsetof(ProfileRecord, channelChoices) == 1412);
static_assert(offsetof(ProfileRecord, videoCodecs) == 1540);
static_assert(offsetof(ProfileRecord, audioCodecs) == 4740);
static_assert(offsetof(ProfileRecord, videoCodecCount) == 6660);
static_assert(offsetof(ProfileRecord, audioCodecCount) == 6664);
static_assert(offsetof(ProfileRecord, reserved1) == 6668);
static_assert(offsetof(ProfileRecord, audioCodec) == 6700);
static_assert(offsetof(ProfileRecord, audioBitrate) == 6776);
static_assert(offsetof(ProfileRecord, sampleRate) == 6780);
static_assert(offsetof(ProfileRecord, channels) == 6784);
static_assert(offsetof(ProfileRecord, reserved2) == 6788);
static_assert(offsetof(ProfileRecord, volume) == 6820);
static_assert(offsetof(ProfileRecord, oac) == 6824);
static_assert(offsetof(ProfileRecord, ovc) == 6856);
static_assert(offsetof(ProfileRecord, format) == 6888);
static_assert(offsetof(ProfileRecord, mediaType) == 7048);
static_assert(offsetof(ProfileRecord, disableMultithread) == 7144);
static_assert(sizeof(ProfileBlock) == 4 + kProfileBlockCapacity * 7148);
