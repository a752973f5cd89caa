#include "io_records.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace qv::sim {

namespace {

constexpr uint16_t kInformationBlock = 32;
constexpr size_t kBlockDataLength = 15;

void append(IoBytes& bytes, const std::string& text, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        bytes.push_back(i < text.size() ? uint8_t(text[i]) : uint8_t(' '));
}

void sealRecord(IoBytes& record, int lengthError)
{
    record[0] = uint8_t(int(record.size()) + 1 + lengthError);
    record.push_back(ioChecksum(record.data(), record.size()));
}

} // namespace

uint8_t ioChecksum(const uint8_t* data, size_t n)
{
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += data[i];
    return uint8_t((sum & 0xFF) ^ 0x55);
}

IoBytes statusRecord(const IoModuleOptions& io, uint16_t serial, int replyNumber)
{
    IoBytes r{0, io.systemMode, io.bootMajor, io.bootMinor, io.bootId, 0, io.interface, io.rs232Levels};
    r.push_back(io.statusRepliesDiffer ? uint8_t(replyNumber) : 0);
    if (replyNumber <= io.blankBoardCodeReplies)
        r.insert(r.end(), 3, 0xFF); // the mainboard has not been read yet
    else
        append(r, io.boardCode, 3);
    r.insert(r.end(), {io.runMajor, io.runMinor, io.runId});
    append(r, io.macText, 12);
    r.insert(r.end(), {uint8_t(serial >> 8), uint8_t(serial & 0xFF), io.productCode});
    sealRecord(r, io.statusLengthError);
    if (io.badStatusChecksum)
        r.back() = uint8_t(r.back() + 1);
    return r;
}

IoBytes ethernetRecord(const IoModuleOptions& io)
{
    IoBytes r{0, io.dhcp};
    r.insert(r.end(), io.ip.begin(), io.ip.end());
    r.insert(r.end(), io.subnet.begin(), io.subnet.end());
    r.insert(r.end(), io.gateway.begin(), io.gateway.end());
    for (size_t i = 0; i < 6; ++i) {
        const std::string pair = io.macText.substr(std::min(io.macText.size(), 2 * i), 2);
        r.push_back(uint8_t(std::strtoul(pair.c_str(), nullptr, 16)));
    }
    sealRecord(r, 0);
    return r;
}

IoBytes mainboardBlock(const IoModuleOptions& io, const InstrumentOptions& instrument, uint16_t address)
{
    IoBytes data(kBlockDataLength, 0xFF);
    if (address == kInformationBlock) {
        data[0] = uint8_t(instrument.hardwareId);
        for (size_t i = 0; i < 3; ++i)
            data[1 + i] = i < io.boardCode.size() ? uint8_t(io.boardCode[i]) : uint8_t(' ');
        data[4] = io.inputVideoChannels;
        data[5] = io.outputVideoChannels;
        data[6] = uint8_t(instrument.serial >> 8);
        data[7] = uint8_t(instrument.serial & 0xFF);
    }
    IoBytes reply(3 + data.size());
    reply[1] = uint8_t(data.size());
    reply[2] = ioChecksum(data.data(), data.size());
    std::copy(data.begin(), data.end(), reply.begin() + 3);
    return reply;
}

} // namespace qv::sim
