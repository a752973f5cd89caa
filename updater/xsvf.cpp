#include "xsvf.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace qv::xsvf {

namespace {

// Vectors longer than this are shown by their start only.
constexpr size_t kShownVectorBytes = 32;

const char* const kStateNames[kTapStates] = {
    "Test-Logic-Reset", "Run-Test/Idle", "Select-DR-Scan", "Capture-DR", "Shift-DR",  "Exit1-DR",
    "Pause-DR",         "Exit2-DR",      "Update-DR",      "Select-IR-Scan", "Capture-IR", "Shift-IR",
    "Exit1-IR",         "Pause-IR",      "Exit2-IR",       "Update-IR",
};

const char* const kOpcodeNames[] = {
    "XCOMPLETE", "XTDOMASK", "XSIR",     "XSDR",     "XRUNTEST", "",       "",      "XREPEAT",
    "XSDRSIZE",  "XSDRTDO",  "XSETSDRMASKS", "XSDRINC", "XSDRB", "XSDRC", "XSDRE", "XSDRTDOB",
    "XSDRTDOC",  "XSDRTDOE", "XSTATE",   "XENDIR",   "XENDDR",   "XSIR2",  "XCOMMENT", "XWAIT",
};

void PutNumber(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(uint8_t(value >> (8 * i)));
}

uint32_t GetNumber(std::span<const uint8_t> bytes, size_t at, int n)
{
    uint32_t value = 0;
    for (int i = 0; i < n; ++i)
        value = value << 8 | bytes[at + size_t(i)];
    return value;
}

uint32_t OnesIn(const Vector& v)
{
    uint32_t ones = 0;
    for (uint8_t b : v)
        ones += uint32_t(std::popcount(b));
    return ones;
}

std::string Hex(const Vector& v)
{
    std::string text;
    const size_t shown = std::min(v.size(), kShownVectorBytes);
    char digits[3];
    for (size_t i = 0; i < shown; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", v[i]);
        text += digits;
    }
    if (shown < v.size())
        text += "...(" + std::to_string(v.size()) + " bytes)";
    return text;
}

// A comment on one line: control characters as \xHH.
std::string Printable(const std::string& comment)
{
    std::string text;
    for (char c : comment) {
        if (uint8_t(c) >= 0x20 && uint8_t(c) != 0x7F) {
            text += c;
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(uint8_t(c)));
        text += escaped;
    }
    return text;
}

// The end-state operand of XENDIR/XENDDR: 0 or 1, named after the register.
std::string EndStateName(uint8_t opcode, uint32_t value)
{
    if (value == 0)
        return TapStateName(uint8_t(TapState::RunTestIdle));
    if (value == 1)
        return TapStateName(uint8_t(opcode == XENDIR ? TapState::PauseIR : TapState::PauseDR));
    return "";
}

// Walks an instruction's operands over the bytes that are there. Once the
// stream runs short, vectors of known length still count towards what the
// instruction needs; a number that is not there ends the walk.
class Operands {
public:
    explicit Operands(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool number(int n, uint32_t& value)
    {
        if (shortfall_ != DecodeResult::Ok)
            return false;
        if (at_ + size_t(n) > bytes_.size()) {
            runShort(DecodeResult::Truncated, at_ + size_t(n));
            return false;
        }
        value = GetNumber(bytes_, at_, n);
        at_ += size_t(n);
        return true;
    }
    void vector(uint32_t bits, Vector& v)
    {
        const size_t n = VectorBytes(bits);
        if (shortfall_ == DecodeResult::Ok && at_ + n <= bytes_.size())
            v.assign(bytes_.begin() + std::ptrdiff_t(at_), bytes_.begin() + std::ptrdiff_t(at_ + n));
        else if (shortfall_ == DecodeResult::Ok)
            runShort(DecodeResult::LengthPastEnd, at_ + n);
        else if (shortfall_ == DecodeResult::LengthPastEnd)
            needed_ += n;
        at_ += n;
    }
    void text(std::string& s)
    {
        if (shortfall_ != DecodeResult::Ok)
            return;
        const auto rest = bytes_.subspan(std::min(at_, bytes_.size()));
        const auto nul = std::find(rest.begin(), rest.end(), uint8_t(0));
        if (nul == rest.end()) {
            runShort(DecodeResult::Truncated, bytes_.size() + 1);
            return;
        }
        s.assign(rest.begin(), nul);
        at_ += s.size() + 1;
    }

    size_t used() const { return at_; }
    DecodeResult shortfall() const { return shortfall_; }
    size_t needed() const { return needed_; }

private:
    void runShort(DecodeResult kind, size_t needed)
    {
        shortfall_ = kind;
        needed_ = needed;
    }

    std::span<const uint8_t> bytes_;
    size_t at_ = 1; // after the opcode
    DecodeResult shortfall_ = DecodeResult::Ok;
    size_t needed_ = 0;
};

Instruction Make(uint8_t opcode, uint32_t number = 0, std::vector<Vector> vectors = {})
{
    Instruction in;
    in.opcode = opcode;
    in.number = number;
    in.vectors = std::move(vectors);
    return in;
}

} // namespace

std::string TapStateName(uint8_t state)
{
    return state < kTapStates ? kStateNames[state] : "";
}

std::string OpcodeName(uint8_t opcode)
{
    return opcode < std::size(kOpcodeNames) ? kOpcodeNames[opcode] : "";
}

bool VectorBit(const Vector& v, size_t bit)
{
    const size_t byte = bit / 8;
    return byte < v.size() && (v[v.size() - 1 - byte] >> (bit % 8) & 1);
}

void SetVectorBit(Vector& v, size_t bit, bool value)
{
    const size_t byte = bit / 8;
    if (byte >= v.size())
        return;
    uint8_t& b = v[v.size() - 1 - byte];
    const uint8_t mask = uint8_t(1u << (bit % 8));
    b = value ? uint8_t(b | mask) : uint8_t(b & ~mask);
}

Vector VectorOf(uint64_t value, uint32_t bits)
{
    Vector v(VectorBytes(bits), 0);
    for (uint32_t i = 0; i < bits && i < 64; ++i)
        SetVectorBit(v, i, value >> i & 1);
    return v;
}

Instruction Complete()
{
    return Make(XCOMPLETE);
}

Instruction TdoMask(Vector mask)
{
    return Make(XTDOMASK, 0, {std::move(mask)});
}

Instruction Sir(uint32_t bits, Vector tdi)
{
    return Make(uint8_t(bits <= 0xFF ? XSIR : XSIR2), bits, {std::move(tdi)});
}

Instruction Sdr(Vector tdi)
{
    return Make(XSDR, 0, {std::move(tdi)});
}

Instruction RunTest(uint32_t microseconds)
{
    return Make(XRUNTEST, microseconds);
}

Instruction Repeat(uint8_t count)
{
    return Make(XREPEAT, count);
}

Instruction SdrSize(uint32_t bits)
{
    return Make(XSDRSIZE, bits);
}

Instruction SdrTdo(Vector tdi, Vector tdo)
{
    return Make(XSDRTDO, 0, {std::move(tdi), std::move(tdo)});
}

Instruction State(TapState state)
{
    return Make(XSTATE, uint32_t(state));
}

Instruction EndIR(TapState state)
{
    return Make(XENDIR, state == TapState::PauseIR ? 1u : 0u);
}

Instruction EndDR(TapState state)
{
    return Make(XENDDR, state == TapState::PauseDR ? 1u : 0u);
}

Instruction Comment(std::string text)
{
    Instruction in = Make(XCOMMENT);
    in.comment = std::move(text);
    return in;
}

std::vector<Instruction> Preamble()
{
    return {Repeat(0),
            EndIR(TapState::RunTestIdle),
            EndDR(TapState::RunTestIdle),
            State(TapState::TestLogicReset),
            State(TapState::RunTestIdle),
            RunTest(0)};
}

std::vector<uint8_t> Encode(const std::vector<Instruction>& instructions)
{
    std::vector<uint8_t> out;
    for (const Instruction& in : instructions) {
        out.push_back(in.opcode);
        size_t firstVector = 0;
        switch (in.opcode) {
        case XSIR:
            PutNumber(out, in.number, 1);
            break;
        case XSIR2:
            PutNumber(out, in.number, 2);
            break;
        case XRUNTEST:
        case XSDRSIZE:
            PutNumber(out, in.number, 4);
            break;
        case XREPEAT:
        case XSTATE:
        case XENDIR:
        case XENDDR:
            PutNumber(out, in.number, 1);
            break;
        case XSDRINC:
            if (!in.vectors.empty())
                out.insert(out.end(), in.vectors[0].begin(), in.vectors[0].end());
            PutNumber(out, in.number, 1);
            firstVector = 1;
            break;
        case XCOMMENT:
            out.insert(out.end(), in.comment.begin(), in.comment.end());
            out.push_back(0);
            break;
        case XWAIT:
            out.push_back(in.waitState);
            out.push_back(in.endState);
            PutNumber(out, in.number, 4);
            break;
        default:
            break;
        }
        for (size_t i = firstVector; i < in.vectors.size(); ++i)
            out.insert(out.end(), in.vectors[i].begin(), in.vectors[i].end());
    }
    return out;
}

DecodeResult Reader::next(std::span<const uint8_t> bytes, Instruction& instruction, size_t& size)
{
    if (bytes.empty()) {
        size = 1;
        return DecodeResult::Truncated;
    }
    Instruction in;
    in.opcode = bytes[0];
    Operands op(bytes);
    Vector v;
    switch (in.opcode) {
    case XCOMPLETE:
        break;
    case XTDOMASK:
    case XSDR:
    case XSDRB:
    case XSDRC:
    case XSDRE:
        op.vector(sdrBits_, v);
        in.vectors = {v};
        break;
    case XSDRTDO:
    case XSDRTDOB:
    case XSDRTDOC:
    case XSDRTDOE:
    case XSETSDRMASKS: {
        Vector second;
        op.vector(sdrBits_, v);
        op.vector(sdrBits_, second);
        in.vectors = {v, second};
        break;
    }
    case XSIR:
    case XSIR2:
        if (op.number(in.opcode == XSIR ? 1 : 2, in.number))
            op.vector(in.number, v);
        in.vectors = {v};
        break;
    case XRUNTEST:
    case XSDRSIZE:
        op.number(4, in.number);
        break;
    case XREPEAT:
    case XSTATE:
    case XENDIR:
    case XENDDR:
        op.number(1, in.number);
        break;
    case XSDRINC:
        op.vector(sdrBits_, v);
        in.vectors = {v};
        if (op.number(1, in.number))
            for (uint32_t i = 0; i < in.number; ++i) {
                op.vector(dataMaskBits_, v);
                in.vectors.push_back(v);
            }
        break;
    case XCOMMENT:
        op.text(in.comment);
        break;
    case XWAIT: {
        uint32_t wait = 0;
        uint32_t end = 0;
        if (op.number(1, wait) && op.number(1, end))
            op.number(4, in.number);
        in.waitState = uint8_t(wait);
        in.endState = uint8_t(end);
        break;
    }
    default:
        size = 1;
        return DecodeResult::UnknownInstruction;
    }
    if (op.shortfall() != DecodeResult::Ok) {
        size = op.needed();
        return op.shortfall();
    }
    if (in.opcode == XSDRSIZE)
        sdrBits_ = in.number;
    if (in.opcode == XSETSDRMASKS)
        dataMaskBits_ = OnesIn(in.vectors[1]);
    size = op.used();
    instruction = std::move(in);
    return DecodeResult::Ok;
}

Listing Read(std::span<const uint8_t> bytes)
{
    Listing listing;
    Reader reader;
    size_t at = 0;
    while (true) {
        Instruction in;
        size_t size = 0;
        const DecodeResult r = reader.next(bytes.subspan(at), in, size);
        if (r != DecodeResult::Ok) {
            listing.result = r;
            listing.errorOffset = at;
            listing.neededBytes = size;
            return listing;
        }
        listing.offsets.push_back(at);
        listing.instructions.push_back(std::move(in));
        at += size;
        if (listing.instructions.back().opcode == XCOMPLETE) {
            listing.complete = true;
            listing.trailingBytes = bytes.size() - at;
            return listing;
        }
    }
}

std::string Describe(const Instruction& in)
{
    std::string text = OpcodeName(in.opcode);
    if (text.empty()) {
        char name[16];
        std::snprintf(name, sizeof name, "0x%02X", in.opcode);
        text = name;
    }
    const auto named = [&](const std::string& name) {
        text += " " + std::to_string(in.number);
        if (!name.empty())
            text += " " + name;
    };
    switch (in.opcode) {
    case XSIR:
    case XSIR2:
    case XRUNTEST:
    case XREPEAT:
    case XSDRSIZE:
        text += " " + std::to_string(in.number);
        break;
    case XSTATE:
        named(TapStateName(uint8_t(in.number)));
        break;
    case XENDIR:
    case XENDDR:
        named(EndStateName(in.opcode, in.number));
        break;
    case XWAIT:
        text += " " + std::to_string(in.waitState) + " " + TapStateName(in.waitState) + " " +
                std::to_string(in.endState) + " " + TapStateName(in.endState) + " " + std::to_string(in.number);
        break;
    case XCOMMENT:
        text += " " + Printable(in.comment);
        break;
    default:
        break;
    }
    for (size_t i = 0; i < in.vectors.size(); ++i) {
        text += " " + Hex(in.vectors[i]);
        // The count of XSDRINC stands between its start vector and its data.
        if (in.opcode == XSDRINC && i == 0)
            text += " " + std::to_string(in.number);
    }
    return text;
}

std::string DescribeError(const Listing& listing, std::span<const uint8_t> bytes)
{
    const size_t at = listing.errorOffset;
    const std::string where = " at byte " + std::to_string(at);
    const std::string name = at < bytes.size() ? OpcodeName(bytes[at]) : "";
    switch (listing.result) {
    case DecodeResult::Ok:
        return "";
    case DecodeResult::Truncated:
        if (at >= bytes.size())
            return "truncated: the stream ends" + where + " without XCOMPLETE";
        return "truncated inside " + name + where;
    case DecodeResult::LengthPastEnd: {
        const size_t past = listing.neededBytes - (bytes.size() - at);
        return name + where + ": its length runs " + std::to_string(past) + (past == 1 ? " byte" : " bytes") +
               " past the end";
    }
    case DecodeResult::UnknownInstruction: {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", bytes[at]);
        return std::string("unknown instruction ") + code + where;
    }
    }
    return "";
}

} // namespace qv::xsvf
