#include "matrix_transfer.h"

#include "download_mode.h"
#include "update_transfer.h"
#include "value_text.h"
#include "wire_protocol.h"

#include <cmath>
#include <vector>

namespace qv {

namespace {
constexpr int64_t kBlock = int64_t(wire::kBlockSize);
}

MatrixTransfer::MatrixTransfer(MatrixLink& link, TransferView& view) : link_(link), view_(view) {}

bool MatrixTransfer::RefusedRange(uint64_t start, uint64_t length)
{
    return wire::RefuseBeyondAddressSpace(channel().host().prompter, start, length);
}

bool MatrixTransfer::Cancelled()
{
    channel().host().pump.pump();
    return cancel;
}

bool MatrixTransfer::ConnectInstrument(bool identify)
{
    // A port that could not be opened, or that went away, gets another try.
    // Its failure is the message; "No instrument found." would mislead.
    if (!channel().port().isOpen() && !channel().OpenPort(quiet)) {
        if (identify)
            link_.record().connected = false;
        view_.enableMainWindow();
        return false;
    }
    channel().binaryMode = true;
    const std::string textLine = view_.textLine();
    bool connected = true;
    if (identify) {
        const bool wasQuiet = quiet;
        connected = false;
        for (int attempt = 0; attempt < kIdentifyAttempts && !connected; ++attempt) {
            if (attempt > 0)
                channel().host().clock.sleepMs(kIdentifyPauseMs);
            // One "No instrument found." for the whole connect, not one per attempt.
            const bool last = attempt == kIdentifyAttempts - 1;
            connected = link_.GetInstrumentId(wasQuiet || !last);
            quiet = wasQuiet;
        }
        link_.record().connected = connected;
        if (!connected) {
            view_.enableMainWindow();
            return false;
        }
    }
    view_.setTextLine(textLine);
    view_.setCaption(view_.mainCaption());
    view_.placeOverMainWindow();
    if (!quiet)
        view_.showWindow();
    quiet = false;
    channel().binaryMode = false;
    return connected;
}

void MatrixTransfer::AdvanceInstallBars()
{
    if (Progress* item = view_.installItemBar()) {
        item->advance(kBlock);
        item->setText(item->percent());
    }
    if (Progress* overall = view_.installOverallBar()) {
        overall->advance(kBlock);
        overall->setText(OverallPercentText(overall->position(), overall->maximum()));
    }
}

void MatrixTransfer::UpdateProgress(int64_t bytesDone)
{
    view_.refresh();
    if (bytesDone == 0)
        view_.bar().setPosition(0);
    else
        view_.bar().advance(kBlock);
    AdvanceInstallBars();
    if (Progress* splash = view_.splashBar())
        splash->advance(kBlock);
    lastReported_ = bytesDone;
}

bool MatrixTransfer::ReadBlock(uint8_t command, uint32_t address, uint8_t* block)
{
    for (;;) {
        if (Cancelled())
            return false;
        if (link_.WriteBDMAaddr(address) && link_.ReadBDMA(command, wire::kBlockSize, block))
            return !Cancelled();
        // Retrying a port that is gone would never end.
        if (!channel().port().isOpen())
            return false;
        lineFaulted_ = true;
        channel().host().clock.sleepMs(1);
    }
}

bool MatrixTransfer::ReadMemory(uint8_t command, uint32_t start, uint8_t* destination, int blocks, Verify verify)
{
    // Every read takes 128 bytes; other read commands step by 64.
    const uint32_t step = command == wire::kCmdReadBlock ? uint32_t(kBlock) : uint32_t(kBlock / 2);
    if (blocks > 0 && RefusedRange(start, uint64_t(blocks - 1) * step + uint64_t(kBlock)))
        return false;
    channel().log().named("Reading :");
    lineFaulted_ = false;
    AgreeingReads agreeing(
        [&](uint32_t at, uint8_t* block) { return ReadBlock(command, at, block); }, 0, lineFaulted_);
    bool ok = false;
    uint32_t address = start;
    uint8_t* block = destination;
    UpdateProgress(0);
    for (int k = 0; k < blocks; ++k) {
        const bool read = verify == Verify::Yes ? agreeing.Read(address, block) : ReadBlock(command, address, block);
        // A port that went away ends the read unfinished.
        if (!read)
            return ok && channel().port().isOpen();
        block += wire::kBlockSize;
        ok = true;
        address += step;
        UpdateProgress(int64_t(address - start));
    }
    return ok;
}

bool MatrixTransfer::OpenMirror()
{
    if (mirror_.open(link_.mirrorFileName))
        return true;
    // Going on without the mirror costs time; ending here would cost the
    // user's unsaved configuration.
    channel().host().prompter.error("Unable to create file");
    return false;
}

MatrixTransfer::BlockWrite MatrixTransfer::WriteBlock(uint32_t address, const uint8_t* block)
{
    for (;;) {
        if (Cancelled())
            return BlockWrite::Cancelled;
        bool written = false;
        if (link_.WriteBDMAaddr(address)) {
            if (Cancelled())
                return BlockWrite::Cancelled;
            channel().host().clock.sleepMs(1);
            written = link_.WriteBDMA(wire::kBlockSize, block);
        }
        // A port that is gone never takes the block: the write did not finish.
        if (channel().timeout || !channel().port().isOpen())
            return BlockWrite::TimedOut;
        if (written)
            return BlockWrite::Written;
        lineFaulted_ = true;
        channel().host().clock.sleepMs(kWriteRetryPauseMs);
    }
}

bool MatrixTransfer::WriteMemory(uint32_t start, const uint8_t* source, size_t lastIndex, Verify verify)
{
    const size_t length = lastIndex + 1;
    if (length % wire::kBlockSize != 0)
        return false; // a partial block would write bytes the caller never gave
    if (RefusedRange(start, length))
        return false;
    const bool mirrored = dspFile.flashMirror && OpenMirror();

    auto flag = link_.ReadProtectFlag();
    if (flag.ok && flag.reply == 0)
        link_.ToggleProtectFlag();

    // Checking takes a second sweep of the bar.
    view_.bar().setMaximum(int64_t(length) * (verify == Verify::Yes ? 2 : 1));
    lineFaulted_ = false;
    total_ = int64_t(length);
    done_ = 0;
    UpdateProgress(0);

    uint32_t address = start;
    const size_t blocks = length / wire::kBlockSize;
    for (size_t k = 0; k < blocks && !cancel; ++k) {
        const uint8_t* block = source + k * wire::kBlockSize;
        const uint32_t record = address / uint32_t(kBlock);
        if (!(mirrored && mirror_.same(record, block))) {
            const BlockWrite result = WriteBlock(address, block);
            if (result == BlockWrite::TimedOut) {
                mirror_.close();
                return false;
            }
            if (result == BlockWrite::Written && mirrored)
                mirror_.store(record, block);
        }
        address += uint32_t(kBlock);
        done_ += kBlock;
        UpdateProgress(done_);
    }
    mirror_.close();
    return verify == Verify::No || cancel || CheckWritten(start, source, blocks);
}

bool MatrixTransfer::CheckWritten(uint32_t start, const uint8_t* source, size_t blocks)
{
    AgreeingReads agreeing(
        [&](uint32_t at, uint8_t* block) { return ReadBlock(wire::kCmdReadBlock, at, block); }, 0, lineFaulted_);
    bool timedOut = false;
    const bool right = CheckWrittenBlocks({
        blocks,
        0,
        [&](size_t k) {
            return agreeing.Holds(start + uint32_t(k * wire::kBlockSize), source + k * wire::kBlockSize);
        },
        [&](size_t k) {
            const BlockWrite result = WriteBlock(start + uint32_t(k * wire::kBlockSize), source + k * wire::kBlockSize);
            timedOut = result == BlockWrite::TimedOut;
            return result == BlockWrite::Written;
        },
        [&](size_t) { view_.bar().advance(kBlock); },
    });
    // Cancelled, it stays true: the caller tests the flag.
    return right || !timedOut;
}

bool MatrixTransfer::ModifyMemoryWord(uint32_t address, const std::string& valueText)
{
    if (RefusedRange(address, 2))
        return false;
    const auto value = EvaluateValueText(valueText);
    const uint32_t offset = address & 0x7F;
    if (!value || offset > wire::kBlockSize - 2)
        return false; // no value, or a word that would straddle two blocks
    view_.setTextLine("Modify :");
    channel().log().named("Modify :");
    const uint32_t blockAddress = address & ~0x7Fu;
    view_.bar().setMaximum(2);
    view_.bar().setPosition(0);

    std::vector<uint8_t> block(wire::kBlockSize);
    bool done = false;
    while (!done && !Cancelled()) {
        if (link_.WriteBDMAaddr(blockAddress) && link_.ReadBDMA(wire::kCmdReadBlock, wire::kBlockSize, block.data())) {
            view_.bar().advance(1);
            block[offset] = uint8_t((*value >> 8) & 0xFF);
            block[offset + 1] = uint8_t(*value & 0xFF);
            if (link_.WriteBDMAaddr(blockAddress)) {
                while (!done && !Cancelled() && channel().port().isOpen()) {
                    channel().host().clock.sleepMs(kWordWritePauseMs);
                    done = link_.WriteBDMA(wire::kBlockSize, block.data());
                }
                if (done)
                    view_.bar().advance(1);
            }
        }
        // Retrying a port that is gone would never end.
        if (!done && !channel().port().isOpen())
            break;
        channel().host().clock.sleepMs(kWordRoundPauseMs);
    }
    view_.setTextLine("");
    return done;
}

bool MatrixTransfer::MayClose()
{
    if (RefusesToClose(mode))
        return false;
    if (auto question = CloseQuestionFor(mode)) {
        const Answer answer = channel().host().prompter.message(
            MessageKind::Warning, question->text, ButtonYesNo, Answer::No, HelpTopic::Contents,
            question->alarm ? MessageStyle::Alarm : MessageStyle::Normal);
        if (answer != Answer::Yes)
            return false;
    }
    cancel = true;
    return true;
}

bool MatrixTransfer::RestartInDownloadMode(bool noWait)
{
    InstrumentRecord& record = link_.record();
    if (record.biosMode || !record.remoteCapable)
        return false;
    view_.setBusyCursor(true);
    MatrixChannel& ch = channel();
    ch.collectOnly = true;
    DownloadModeIo io{
        [&] {
            ch.ClearInput();
            ch.lineBuffer.clear();
        },
        [&](const std::string& text) { ch.port().write(text); },
        [&] { ch.WaitLine(100); },
        [&] { return ch.lineBuffer; },
    };
    const bool confirmed = RequestDownloadMode(io, noWait);
    ch.collectOnly = false;
    view_.setBusyCursor(false);
    return confirmed;
}

} // namespace qv
