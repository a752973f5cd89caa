#include "update_instrument_info.h"

#include "identity_tables.h"
#include "update_text_info.h"
#include "update_transfer.h"
#include "version_marker.h"
#include "wire_protocol.h"

#include <vector>

namespace qv {

namespace {
constexpr int kNotConnectedType = 12;
constexpr int kBiosModeType = 13;
constexpr int kSeries480Type = 24;
} // namespace

bool UpdateInstrumentInfo::Retry(const auto& operation)
{
    return link_.channel().Attempt(kAttempts, kAttemptPauseMs, operation);
}

void UpdateInstrumentInfo::SetUnidentified(bool connected, bool biosMode, int type)
{
    identity_.connected = connected;
    identity_.biosMode = biosMode;
    identity_.serial = 0;
    identity_.type = type;
    identity_.typeName = TypeName(Program::Update, type);
}

void UpdateInstrumentInfo::ApplyType()
{
    identity_.type = TypeFromSerial(identity_.serial, identity_.boardCode, identity_.vp30Switch);
    identity_.typeName = TypeName(Program::Update, identity_.type);
}

void UpdateInstrumentInfo::ReadInstrumentInfo(bool read)
{
    if (identity_.ioInterfacePresent) {
        // The identity comes from the I/O interface and the text reply.
        identity_.connected = true;
        identity_.biosMode = false;
        ApplyType();
        return;
    }
    if (!read) {
        ApplyType();
        return;
    }

    link_.channel().rxMode = RxMode::Binary;
    uint16_t word = 0;
    const bool addressed = Retry([&] { return link_.SetAddress(wire::kConfigBase); });
    const bool wordRead = addressed && Retry([&] { return link_.ReadWord(wire::kRevisionWord, word); });
    if (!addressed) {
        SetUnidentified(false, false, kNotConnectedType);
        return;
    }
    if (!wordRead) {
        SetUnidentified(true, true, kBiosModeType);
        return;
    }

    identity_.connected = true;
    identity_.biosMode = false;
    identity_.revision = char(word & 0xFF);
    uint16_t serial = 0;
    if (link_.ReadWord(wire::IdentityBlock(identity_.revision), serial))
        identity_.serial = serial;

    QueryTextInformation(link_.channel(), identity_);
    if (!identity_.textInfoReceived && identity_.type != kSeries480Type)
        SearchSoftwareVersion();
    ApplyType();
}

bool UpdateInstrumentInfo::CheckedWordRead()
{
    link_.channel().rxMode = RxMode::Binary;
    uint16_t word = 0;
    const bool addressed = Retry([&] { return link_.SetAddress(wire::kConfigBase); });
    const bool wordRead = addressed && Retry([&] { return link_.ReadWord(wire::kRevisionWord, word); });
    identity_.connected = addressed;
    identity_.biosMode = addressed && !wordRead;
    return wordRead;
}

void UpdateInstrumentInfo::SearchSoftwareVersion()
{
    std::vector<uint8_t> area;
    UpdateTransfer transfer(link_);
    if (transfer.ReadToBuffer(wire::kVersionArea, wire::kVersionAreaBlocks, area) != UpdateTransfer::kTransferComplete) {
        identity_.softwareVersion = kUpdateVersionNotFound;
        return;
    }
    identity_.softwareVersion = UpdateSoftwareVersion(area);
}

} // namespace qv
