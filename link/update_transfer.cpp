#include "update_transfer.h"

#include "wire_protocol.h"

#include <cmath>

namespace qv {

std::string OverallPercentText(int64_t position, int64_t maximum)
{
    if (maximum > 0 && 100.0 * double(position) / double(maximum) > 98.0)
        return "99 %";
    return percentText(position, maximum);
}

bool UpdateTransfer::Attempt(int attempts, const auto& operation)
{
    return link_.channel().Attempt(attempts, 0, [&] {
        const bool ok = operation();
        lineFaulted_ = lineFaulted_ || !ok;
        return ok;
    });
}

void AdvanceBars(TransferBars bars, int64_t itemStep, int64_t overallStep)
{
    if (bars.item) {
        bars.item->advance(itemStep);
        auto text = bars.item->percent();
        if (text != bars.item->text())
            bars.item->setText(text);
    }
    if (bars.overall) {
        bars.overall->advance(overallStep);
        auto text = OverallPercentText(bars.overall->position(), bars.overall->maximum());
        if (text != bars.overall->text())
            bars.overall->setText(text);
    }
}

void UpdateTransfer::Advance(TransferBars bars)
{
    const int64_t step = int64_t(wire::kBlockSize);
    AdvanceBars(bars, step, step);
}

bool UpdateTransfer::RefusedRange(uint32_t start, int blocks)
{
    const uint64_t length = uint64_t(blocks > 0 ? blocks : 0) * wire::kBlockSize;
    return wire::RefuseBeyondAddressSpace(link_.channel().host().prompter, start, length);
}

bool UpdateTransfer::ReadOne(uint32_t address, uint8_t* block)
{
    return Attempt(kReadAddressAttempts, [&] { return link_.SetAddress(address); }) &&
           Attempt(kReadBlockAttempts, [&] { return link_.ReadBlock(wire::kBlockSize, block); });
}

bool UpdateTransfer::WriteOne(uint32_t address, const uint8_t* block)
{
    return Attempt(kWriteAddressAttempts, [&] { return link_.SetAddress(address); }) &&
           Attempt(kWriteBlockAttempts, [&] { return link_.WriteBlock(wire::kBlockSize, block); });
}

bool UpdateTransfer::ReadBlocks(uint32_t start, int blocks, uint8_t* destination, TransferBars bars, Verify verify)
{
    if (RefusedRange(start, blocks))
        return false;
    lineFaulted_ = false;
    AgreeingReads agreeing([this](uint32_t at, uint8_t* block) { return ReadOne(at, block); }, kReadingsPerBlock,
                           lineFaulted_);
    bool ok = blocks > 0;
    for (int k = 0; k < blocks && ok; ++k) {
        const uint32_t address = start + uint32_t(k) * wire::kBlockSize;
        uint8_t* block = destination + size_t(k) * wire::kBlockSize;
        ok = verify == Verify::Yes ? agreeing.Read(address, block) : ReadOne(address, block);
        if (ok)
            Advance(bars);
    }
    link_.channel().ClearRx();
    return ok && !link_.channel().aborted();
}

bool UpdateTransfer::WriteBlocks(uint32_t start, int blocks, const uint8_t* source, TransferBars bars, Verify verify)
{
    if (RefusedRange(start, blocks))
        return false;
    for (Progress* bar : {bars.item, bars.overall})
        if (bar)
            bar->setText("0 %");
    lineFaulted_ = false;
    bool ok = blocks > 0;
    for (int k = 0; k < blocks && ok; ++k) {
        const uint32_t address = start + uint32_t(k) * wire::kBlockSize;
        ok = WriteOne(address, source + size_t(k) * wire::kBlockSize);
        if (ok)
            Advance(bars);
    }
    if (ok && verify == Verify::Yes) {
        AgreeingReads agreeing([this](uint32_t at, uint8_t* block) { return ReadOne(at, block); },
                               kReadingsPerBlock, lineFaulted_);
        ok = CheckWrittenBlocks({
            size_t(blocks),
            kCheckSweeps,
            [&](size_t k) {
                return agreeing.Holds(start + uint32_t(k * wire::kBlockSize), source + k * wire::kBlockSize);
            },
            [&](size_t k) { return WriteOne(start + uint32_t(k * wire::kBlockSize), source + k * wire::kBlockSize); },
        });
    }
    link_.channel().ClearRx();
    return ok && !link_.channel().aborted();
}

int UpdateTransfer::ReadToBuffer(uint32_t start, int blocks, std::vector<uint8_t>& out, TransferBars bars)
{
    out.assign(size_t(blocks > 0 ? blocks : 0) * wire::kBlockSize, 0);
    return ReadBlocks(start, blocks, out.data(), bars) ? kTransferComplete : kTransferNoReply;
}

} // namespace qv
