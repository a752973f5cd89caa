#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// XSVF, the compact serial vector format that the I/O module plays over
// JTAG: one opcode byte per instruction, then its operands. Numbers are big
// endian. A bit vector of n bits takes (n + 7) / 8 bytes; its bit 0, the
// first one shifted, is the lowest bit of the last byte.
namespace qv::xsvf {

enum Opcode : uint8_t {
    XCOMPLETE = 0x00,
    XTDOMASK = 0x01,    // mask: which TDO bits the next comparisons check
    XSIR = 0x02,        // length (1 byte, bits), TDI vector
    XSDR = 0x03,        // TDI vector of the XSDRSIZE; TDO checked against the last expected
    XRUNTEST = 0x04,    // 4 bytes: microseconds in Run-Test/Idle after each shift
    XREPEAT = 0x07,     // 1 byte: retries of a failed TDO comparison
    XSDRSIZE = 0x08,    // 4 bytes: data register length in bits
    XSDRTDO = 0x09,     // TDI vector, expected TDO vector
    XSETSDRMASKS = 0x0A, // address mask, data mask (XSDRSIZE vectors)
    XSDRINC = 0x0B,     // start vector, count, count data values (data mask width)
    XSDRB = 0x0C,       // TDI vector; shifting begins and stays in Shift-DR
    XSDRC = 0x0D,       // TDI vector; shifting continues
    XSDRE = 0x0E,       // TDI vector; shifting ends
    XSDRTDOB = 0x0F,    // as XSDRB with an expected TDO vector
    XSDRTDOC = 0x10,
    XSDRTDOE = 0x11,
    XSTATE = 0x12,      // 1 byte: TAP state to go to
    XENDIR = 0x13,      // 1 byte: 0 Run-Test/Idle, 1 Pause-IR after XSIR
    XENDDR = 0x14,      // 1 byte: 0 Run-Test/Idle, 1 Pause-DR after a data shift
    XSIR2 = 0x15,       // length (2 bytes, bits), TDI vector
    XCOMMENT = 0x16,    // text up to and with a NUL byte
    XWAIT = 0x17,       // wait state, end state (1 byte each), 4 bytes microseconds
};

// TAP controller states as XSTATE and XWAIT number them.
enum class TapState : uint8_t {
    TestLogicReset = 0x00,
    RunTestIdle = 0x01,
    SelectDR = 0x02,
    CaptureDR = 0x03,
    ShiftDR = 0x04,
    Exit1DR = 0x05,
    PauseDR = 0x06,
    Exit2DR = 0x07,
    UpdateDR = 0x08,
    SelectIR = 0x09,
    CaptureIR = 0x0A,
    ShiftIR = 0x0B,
    Exit1IR = 0x0C,
    PauseIR = 0x0D,
    Exit2IR = 0x0E,
    UpdateIR = 0x0F,
};
inline constexpr int kTapStates = 16;

// "Run-Test/Idle", ...; empty for a number that is no state.
std::string TapStateName(uint8_t state);
// "XSIR", ...; empty for an unknown opcode.
std::string OpcodeName(uint8_t opcode);

using Vector = std::vector<uint8_t>;

// Bytes of a vector of n bits.
inline size_t VectorBytes(uint32_t bits)
{
    return (size_t(bits) + 7) / 8;
}
bool VectorBit(const Vector& v, size_t bit);
void SetVectorBit(Vector& v, size_t bit, bool value);
// The low bits of value as a vector of n bits (n up to 64).
Vector VectorOf(uint64_t value, uint32_t bits);

struct Instruction {
    uint8_t opcode = XCOMPLETE;
    // XSIR/XSIR2 length in bits; XRUNTEST and XWAIT microseconds; XREPEAT
    // count; XSDRSIZE bits; XSTATE, XENDIR, XENDDR state; XSDRINC count.
    uint32_t number = 0;
    uint8_t waitState = 0; // XWAIT
    uint8_t endState = 0;  // XWAIT
    // In operand order: XTDOMASK mask; XSIR TDI; XSDR* TDI (and expected
    // TDO); XSETSDRMASKS address and data mask; XSDRINC start vector and
    // then its data values.
    std::vector<Vector> vectors;
    std::string comment;   // XCOMMENT, without its NUL

    bool operator==(const Instruction&) const = default;
};

// Instructions for a writer's list.
Instruction Complete();
Instruction TdoMask(Vector mask);
Instruction Sir(uint32_t bits, Vector tdi); // XSIR up to 255 bits, XSIR2 beyond
Instruction Sdr(Vector tdi);
Instruction RunTest(uint32_t microseconds);
Instruction Repeat(uint8_t count);
Instruction SdrSize(uint32_t bits);
Instruction SdrTdo(Vector tdi, Vector tdo);
Instruction State(TapState state);
Instruction EndIR(TapState state); // Run-Test/Idle or Pause-IR
Instruction EndDR(TapState state); // Run-Test/Idle or Pause-DR
Instruction Comment(std::string text);
// The usual start of a program: XREPEAT 0, XENDIR and XENDDR Run-Test/Idle,
// Test-Logic-Reset, Run-Test/Idle, XRUNTEST 0.
std::vector<Instruction> Preamble();

// Bytes of an instruction list. XSDR vectors take the sizes given; the
// list is the writer's to keep consistent with its XSDRSIZE.
std::vector<uint8_t> Encode(const std::vector<Instruction>& instructions);

enum class DecodeResult {
    Ok,
    Truncated,          // the stream ends inside an instruction's fixed operands
    LengthPastEnd,      // a vector the lengths ask for runs past the end
    UnknownInstruction,
};

// Reads a stream instruction by instruction. The vector sizes of the data
// shifts follow the XSDRSIZE and XSETSDRMASKS read so far, so one Reader
// must see the whole stream in order.
class Reader {
public:
    // Decodes the instruction at the start of bytes. Ok: size is the bytes it
    // used. Truncated and LengthPastEnd: size is the bytes it needs at the
    // least, so a caller that receives the stream in pieces may wait for
    // them. The reader's state changes only on Ok.
    DecodeResult next(std::span<const uint8_t> bytes, Instruction& instruction, size_t& size);

    uint32_t sdrBits() const { return sdrBits_; }

private:
    uint32_t sdrBits_ = 0;
    uint32_t dataMaskBits_ = 0; // ones in the XSETSDRMASKS data mask
};

struct Listing {
    std::vector<Instruction> instructions;
    std::vector<size_t> offsets;        // byte offset of each instruction
    DecodeResult result = DecodeResult::Ok;
    size_t errorOffset = 0;             // where the failing instruction starts
    size_t neededBytes = 0;             // what it needs from there, when short
    bool complete = false;              // XCOMPLETE was read
    size_t trailingBytes = 0;           // after XCOMPLETE
};

// Reads a whole stream up to XCOMPLETE. A stream that ends before XCOMPLETE
// is Truncated.
Listing Read(std::span<const uint8_t> bytes);

// One line for an instruction: name and operands, vectors in hexadecimal
// ("XSIR 30 3FFFFFC9", "XSTATE 1 Run-Test/Idle").
std::string Describe(const Instruction& instruction);
// What went wrong where ("truncated inside XSIR at byte 17", ...).
std::string DescribeError(const Listing& listing, std::span<const uint8_t> bytes);

} // namespace qv::xsvf
