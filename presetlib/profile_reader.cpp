#include "presetlib/profile_reader.h"

#include <algorithm>
#include <cstring>

#include "presetlib/record_fields.h"
#include "xml/xml_parse.h"

namespace presetlib {

namespace {

// Reads the values of one profile document, each through a scratch text that
// starts empty, so a missing element leaves its field empty or 0. Values are
// looked up below a found element only: with a none parent the reader would
// search the whole document and take a root element of the value's name.
class ProfileValues {
public:
    explicit ProfileValues(const XMLParse& reader) : reader_(reader) {}

    std::string Text(const char* name, XMLNode parent) const {
        std::string text;
        if (parent) reader_.GetNodeText(name, parent, text);
        return text;
    }

    int32_t Number(const char* name, XMLNode parent) const {
        return ParseDecimal(Text(name, parent));
    }

    std::string NameAttribute(XMLNode node) const {
        std::string text;
        reader_.GetNameAttribute(node, text);
        return text;
    }

    // Entries of `container` beyond the record's room are left out.
    int EntryCount(const char* element, XMLNode container) const {
        return std::min(reader_.CountNodes(element, container), kMaxCodecEntries);
    }

    XMLNode Entry(XMLNode container, const char* element, int index) const {
        return reader_.SelectNode(container, element, index);
    }

private:
    const XMLParse& reader_;
};

// The element names of one kind of codec entry.
struct CodecElements {
    const char* entry;         // "VideoCC", "AudioCC"
    const char* codec;         // "Ovc", "Oac"
    const char* encoderParam;  // "VEncoderParam", "AEncoderParam"
    const char* filterParam;   // "VFilterParam", "AFilterParam"
};

// Fills `slots` from the entries of `container`, the codec text into the
// entry's `codec` field (ovc or oac); returns how many it filled.
template <typename Entry, size_t N>
int ReadCodecEntries(const ProfileValues& values, XMLNode container, const CodecElements& names,
                     char (Entry::*codec)[N], Entry (&slots)[kMaxCodecEntries]) {
    const int count = values.EntryCount(names.entry, container);
    for (int i = 0; i < count; ++i) {
        const XMLNode entry = values.Entry(container, names.entry, i);
        Entry& slot = slots[i];
        StoreText(slot.name, values.NameAttribute(entry));
        StoreText(slot.*codec, values.Text(names.codec, entry));
        StoreText(slot.encoderParam, values.Text(names.encoderParam, entry));
        StoreText(slot.filterParam, values.Text(names.filterParam, entry));
    }
    return count;
}

}  // namespace

bool ReadProfileFile(int slot, const std::string& path, ProfileBlock* block) {
    ProfileRecord& record = block->records[slot];
    std::memset(&record, 0, sizeof record);

    XMLParse reader;
    if (!reader.LoadDocument(path)) return false;
    const ProfileValues values(reader);

    // A well-formed file with another root element still counts, with an empty
    // record (with no root the reader would search the whole document instead).
    const XMLNode root = reader.SelectNode(XMLNode(), "Profile", 0);
    if (!root) return true;
    const XMLNode defaults = reader.SelectNode(root, "Default", 0);

    StoreText(record.name, values.Text("name", root));
    StoreText(record.group, values.Text("Group", root));
    record.programId = values.Number("ProgramID", root);
    StoreText(record.profileIcon, values.Text("ProfileIcon", root));
    StoreText(record.groupIcon, values.Text("GroupIcon", root));

    record.videoCodecCount = ReadCodecEntries(values, reader.SelectNode(root, "VideoCodes", 0),
                                              {"VideoCC", "Ovc", "VEncoderParam", "VFilterParam"},
                                              &VideoCodecEntry::ovc, record.videoCodecs);
    record.audioCodecCount = ReadCodecEntries(values, reader.SelectNode(root, "AudioCodes", 0),
                                              {"AudioCC", "Oac", "AEncoderParam", "AFilterParam"},
                                              &AudioCodecEntry::oac, record.audioCodecs);

    StoreText(record.resolution, values.Text("Resolution", root));
    StoreText(record.frameRate, values.Text("FrameRate", root));
    StoreText(record.videoBitrate, values.Text("VideoBitrate", root));
    StoreText(record.audioBitrateChoices, values.Text("AudioBitrate", root));
    StoreText(record.sampleRateChoices, values.Text("SampleRate", root));
    StoreText(record.channelChoices, values.Text("Channel", root));
    StoreText(record.mediaType, values.Text("MediaType", root));

    record.volume = values.Number("Volume", defaults);
    record.audioBitrate = values.Number("AudioBitrate", defaults);
    record.sampleRate = values.Number("SampleRate", defaults);
    record.channels = values.Number("Channels", defaults);
    StoreText(record.audioCodec, values.Text("AudioCodes", defaults));
    StoreText(record.oac, values.Text("Oac", defaults));
    StoreText(record.ovc, values.Text("Ovc", defaults));
    StoreText(record.format, values.Text("Format", defaults));
    record.disableMultithread = values.Number("DisableMultithread", defaults);
    return true;
}

}  // namespace presetlib
