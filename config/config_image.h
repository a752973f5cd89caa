#pragma once

#include "address_table.h"
#include "default_tables.h"
#include "identity_trailer.h"
#include "image_layout.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv {

// The copy of the instrument's configuration memory that the editor changes
// in place, with its identity trailer (which carries the ImageVersion), the
// selected preset and the modified flag.
//
// Offsets are image offsets. Arguments outside the image, a preset index
// outside 0..10 or a channel number outside its range are ignored by the
// setters and read as zero or empty text, so a bad caller never reaches
// past the image. Every setter that is given valid arguments sets the
// modified flag, also when the stored value happens to stay the same.
class ConfigImage {
public:
    using Bytes = std::array<uint8_t, kImageSize>;

    const Bytes& bytes() const { return bytes_; }

    uint8_t byte(int a) const;
    void setByte(int a, uint8_t v);

    // Big-endian 16-bit cell at A.
    uint16_t word(int a) const;
    void setWord(int a, uint16_t v);

    // A byte setting at A is the low byte of the word at A (byte A+1).
    uint8_t lowByte(int a) const;
    void setLowByte(int a, uint8_t v);

    // Bit 0..7 of the single byte at A.
    bool bit(int a, int bit) const;
    void setBit(int a, int bit, bool on);

    // Text of `words` words in pair-reversed order: character k at A+(k^1).
    // Writing pads with spaces or cuts to 2 x words characters.
    std::string readText(int a, int words) const;
    void writeText(int a, std::string_view text, int words);

    // Inputs 1-32 and 57-88 have global labels; 33-56 one per preset.
    std::string inputLabel(int p, int n) const;
    void setInputLabel(int p, int n, std::string_view text);
    // Outputs 1-96; output 65+c and input 57+c share one label.
    std::string outputLabel(int n) const;
    void setOutputLabel(int n, std::string_view text);

    std::string presetName(int p) const;
    void setPresetName(int p, std::string_view text);

    // Routing of preset p: the 0-based input of output index o (0..95), bit
    // 7 of the stored byte ignored; -1 for arguments out of range.
    int source(int p, int o) const;
    // Sets input index i (0..87) with bit 7 clear.
    void setSource(int p, int o, int i);
    // The whole routing byte, as pasted crosspoints copy it.
    uint8_t routingByte(int p, int o) const;
    void setRoutingByte(int p, int o, uint8_t v);

    // The 4-character name at the start of a scale slot (key number 0..9).
    std::string scaleName(int keyNo) const;
    // Stores a finished 128-word scale, each word high byte first, into the
    // slot of key number 0..9. False for another key number.
    bool insertScale(int keyNo, std::span<const uint16_t, kScaleWords> table);

    // The selected preset (index 0..10) and its address table. The table
    // follows the current ImageVersion (BacklightAdr moves at 5.30).
    int selectedPreset() const { return selectedPreset_; }
    void selectPreset(int p);
    AddressTable addressTable() const { return addressTable(selectedPreset_); }
    AddressTable addressTable(int p) const { return MakeAddressTable(p, imageVersion()); }

    uint16_t imageVersion() const { return trailer_.imageVersion(); }
    void setImageVersion(uint16_t version) { trailer_.version = version; }

    const IdentityTrailer& trailer() const { return trailer_; }
    IdentityTrailer& trailer() { return trailer_; }

    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // A loaded or uploaded image replaces everything at once: preset 1 is
    // selected and nothing counts as modified.
    void replace(const Bytes& bytes, const IdentityTrailer& trailer);

    // In-place conversions to the layouts of software 5.00 and 5.10. Both
    // set the version and clear the trailer's checksum. upgradeTo500 changes
    // nothing and returns false when a default table is unusable;
    // upgradeTo510 does so for an image not yet at 5.00.
    bool upgradeTo500(const DefaultTables& tables = EmbeddedDefaultTables());
    bool upgradeTo510();

private:
    static bool inImage(int a, int n) { return a >= 0 && n >= 0 && a <= kImageSize - n; }
    void fill(int a, int n, uint8_t v);
    void put(int a, std::span<const uint8_t> bytes);
    int inputLabelOffset(int p, int n) const;

    Bytes bytes_{};
    IdentityTrailer trailer_;
    int selectedPreset_ = 0;
    bool modified_ = false;
};

} // namespace qv
