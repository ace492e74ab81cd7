// The encoder names the settings panel offers, per target family, and the
// shared tables of audio bit rates, sample rates and aspects. An index field
// of a MediaItem selects an entry of its table.
#pragma once

// List types: video list = family code, audio list = family code + 5.
enum {
    LIST_AVI_VIDEO = 1,
    LIST_MPEG_VIDEO = 2,
    LIST_WMV_VIDEO = 3,
    LIST_MOV_VIDEO = 4,
    LIST_FLV_VIDEO = 5,
    LIST_AVI_AUDIO = 6,
    LIST_MPEG_AUDIO = 7,
    LIST_WMV_AUDIO = 8,
    LIST_MOV_AUDIO = 9,
    LIST_FLV_AUDIO = 10,
};
constexpr int AUDIO_LIST_OFFSET = 5;

struct OptionTable {
    const char* const* names;
    int count;
};

extern const OptionTable AUDIO_BITRATE_TABLE;
extern const OptionTable SAMPLE_RATE_TABLE;
extern const OptionTable ASPECT_TABLE;

// The table of a list type 1 to 10; null for any other type.
const OptionTable* FindOptionTable(int listType);

// The entry at `index`; null when the index lies outside the table.
const char* OptionEntry(const OptionTable& table, int index);
