// Digests of everything the extended arithmetic decides, for comparing the
// two arithmetics (IMD_ARITHMETIC=x87 and portable) or two platforms: the
// same seed gives the same inputs everywhere, and two builds agree bit for
// bit and fault for fault exactly when their digest lines are equal.
//
//   arithmetic-digest [--complex N] [--parse N] [--format N] [--nameplates N]
//                     [--seed S] [--chunks]
//   arithmetic-digest --write-nameplates N FILE [--seed S]
//   arithmetic-digest --write-benchmark FILE
//
// Parts: the complex operations on N random operand sets, ParseNumbers on N
// random texts, FormatValue and FormatEntry on N float bit patterns, and N
// random name plates through the batch command (calculation, per-unit view,
// analysis). Each line names the part, its counts and its digest; --chunks
// adds a digest per 2^20 cases to find where two runs part.
// --write-nameplates writes N such name plates as the batch command's
// input, --write-benchmark the 100,000 of the batch benchmark.
#include "batch.h"
#include "benchmark_nameplates.h"
#include "complex.h"
#include "csv_writer.h"
#include "format_value.h"
#include "fp_errors.h"
#include "nameplate_draw.h"
#include "number_parse.h"
#include "record_nameplate.h"

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// An order-sensitive 64-bit digest of a stream of words.
class Digest {
public:
    void Add(uint64_t word) {
        state_ ^= word;
        state_ *= 0x100000001b3u;
        state_ ^= state_ >> 29;
    }
    void Add(std::string_view text) {
        Add(text.size());
        for (const char c : text) {
            Add(static_cast<unsigned char>(c));
        }
    }
    uint64_t Value() const { return state_; }

private:
    uint64_t state_ = 0xcbf29ce484222325u;
};

// --verbose: every case's inputs and results, to see where two runs part.
bool verbose = false;

enum Fault : int { None, Overflow, ZeroDivide, Invalid, Conversion, FaultKinds };
constexpr std::array<const char*, FaultKinds> FaultNames{"none", "overflow", "zero-divide",
                                                         "invalid", "conversion"};

// Runs one operation, returning the fault it raised.
Fault Run(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const FloatOverflowError&) {
        return Overflow;
    } catch (const FloatZeroDivideError&) {
        return ZeroDivide;
    } catch (const FloatInvalidOpError&) {
        return Invalid;
    } catch (const ConversionError&) {
        return Conversion;
    }
    return None;
}

// A part's counts and digest, with a digest per chunk of cases on request.
class Tally {
public:
    Tally(std::string name, bool chunks) : name_(std::move(name)), chunks_(chunks) {}
    Digest& D() { return digest_; }
    void Fault(enum Fault f) {
        ++faults_[f];
        digest_.Add(static_cast<uint64_t>(f));
    }
    void EndCase() {
        ++cases_;
        if (chunks_ && cases_ % (1u << 20) == 0) {
            std::printf("%s chunk %llu digest %016llx\n", name_.c_str(),
                        static_cast<unsigned long long>(cases_ >> 20),
                        static_cast<unsigned long long>(digest_.Value()));
        }
    }
    void Print(const char* unit) const {
        std::printf("%s %llu %s,", name_.c_str(), static_cast<unsigned long long>(cases_), unit);
        for (int f = 0; f < FaultKinds; ++f) {
            std::printf(" %s %llu", FaultNames[f], static_cast<unsigned long long>(faults_[f]));
        }
        std::printf(", digest %016llx\n", static_cast<unsigned long long>(digest_.Value()));
        std::fflush(stdout);
    }

private:
    std::string name_;
    bool chunks_;
    Digest digest_;
    uint64_t cases_ = 0;
    std::array<uint64_t, FaultKinds> faults_{};
};

class Draw {
public:
    explicit Draw(uint64_t seed) : engine_(seed) {}
    uint64_t Bits() { return engine_(); }
    uint64_t Index(uint64_t n) { return engine_() % n; }
    double Unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
    // Magnitudes 2^-40 to 2^40 of either sign, from bits alone: the same
    // operands on every platform.
    float Ordinary() {
        // One draw a statement: the order of operands is the compiler's.
        const auto exponent = static_cast<uint32_t>(127 - 40 + Index(81));
        const auto sign = static_cast<uint32_t>(Index(2));
        const auto fraction = static_cast<uint32_t>(Bits() & 0x7fffffu);
        const uint32_t bits = (sign << 31) | (exponent << 23) | fraction;
        return std::bit_cast<float>(bits);
    }
    // Steps of one float on either side of v.
    float Near(float v, int steps) {
        const int k = static_cast<int>(Index(2 * static_cast<uint64_t>(steps) + 1)) - steps;
        for (int i = 0; i < std::abs(k); ++i) {
            v = std::nextafter(v, k > 0 ? std::numeric_limits<float>::infinity() : 0.0f);
        }
        return Index(2) == 0 ? v : -v;
    }
    // A component from each of the regions where the model's guards and
    // roundings decide.
    float Component() {
        switch (Index(10)) {
        case 0:
            return std::bit_cast<float>(static_cast<uint32_t>(Bits())); // anything, NaN included
        case 1:
            return Near(1e35f, 4); // the saturation limit
        case 2:
            return Near(3.1622776e17f, 4); // its square root: the modulus limit
        case 3:
            return Near(1e-35f, 4); // the zero-divisor threshold
        case 4:                     // denormals
            return std::bit_cast<float>(static_cast<uint32_t>(Bits() & 0x807fffffu));
        case 5: { // the ends of the range
            const float ends[] = {std::numeric_limits<float>::max(),
                                  std::numeric_limits<float>::min(),
                                  std::numeric_limits<float>::denorm_min(), 0.0f};
            return Near(ends[Index(4)], 3);
        }
        default:
            return Ordinary();
        }
    }
    TComplex Complex() { return {Component(), Component()}; }

private:
    std::mt19937_64 engine_;
};

void ComplexPart(uint64_t sets, uint64_t seed, bool chunks) {
    Draw draw(seed);
    Tally tally("complex", chunks);
    for (uint64_t i = 0; i < sets; ++i) {
        const TComplex a = draw.Complex();
        TComplex b = draw.Complex();
        if (draw.Index(8) == 0 && std::isfinite(a.Re) && a.Re != 0) {
            // A product or quotient right at the saturation limit.
            b.Re = static_cast<float>(1e35 / a.Re * (1 + (draw.Unit() - 0.5) * 0x1p-20));
        }
        TComplex r{};
        Real48 m = 0;
        for (int op = 0; op < 5; ++op) {
            const Fault f = Run([&] {
                if (op == 4) {
                    m = CAbs(a);
                } else {
                    r = op == 0   ? CAdd(a, b)
                        : op == 1 ? CSub(a, b)
                        : op == 2 ? CMul(a, b)
                                  : CDiv(a, b);
                }
            });
            tally.Fault(f);
            const ExtendedBits bits = IsNaN(m) ? ExtendedBits{0, 0x7fff} : ToBits(m);
            if (verbose) {
                std::printf("%08x %08x %08x %08x op %d fault %d: %08x %08x %016llx %04x\n",
                            std::bit_cast<uint32_t>(a.Re), std::bit_cast<uint32_t>(a.Im),
                            std::bit_cast<uint32_t>(b.Re), std::bit_cast<uint32_t>(b.Im), op, f,
                            std::bit_cast<uint32_t>(r.Re), std::bit_cast<uint32_t>(r.Im),
                            static_cast<unsigned long long>(bits.significand),
                            bits.signAndExponent);
            }
            if (f == None) {
                if (op < 4) {
                    tally.D().Add(std::bit_cast<uint32_t>(r.Re));
                    tally.D().Add(std::bit_cast<uint32_t>(r.Im));
                } else if (IsNaN(m)) {
                    // A NaN's sign and payload show nowhere: storing it is
                    // the invalid-operation fault.
                    tally.D().Add(uint64_t{0x7fff});
                } else {
                    tally.D().Add(bits.significand);
                    tally.D().Add(bits.signAndExponent);
                }
            }
        }
        tally.EndCase();
    }
    tally.Print("operand sets (5 operations each)");
}

// Digits as a person or a program might write them: short, long, with
// exponents up to +-36 and beyond, and right around the midpoints between
// two floats, where rounding twice decides.
std::string Token(Draw& draw) {
    std::string t;
    // 1 a minus, 2 a plus, anything else no sign.
    const auto sign = [&](uint64_t s) { t += s == 1 ? "-" : s == 2 ? "+" : ""; };
    const auto digits = [&](uint64_t n) {
        for (uint64_t i = 0; i < n; ++i) {
            t += static_cast<char>('0' + draw.Index(10));
        }
    };
    const uint64_t kind = draw.Index(8);
    if (kind == 0) {
        // A float midpoint, exact in a double, written out and perturbed.
        const float f = std::abs(draw.Component());
        const float next = std::nextafter(f, std::numeric_limits<float>::infinity());
        if (!std::isfinite(f) || !std::isfinite(next)) {
            return "1";
        }
        const double mid = (static_cast<double>(f) + next) / 2;
        std::array<char, 128> buffer{};
        const auto result =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), mid,
                          std::chars_format::scientific, 17 + static_cast<int>(draw.Index(20)));
        t.assign(buffer.data(), result.ptr);
        const std::size_t e = t.find('e');
        std::string exponent = t.substr(e);
        t.erase(e);
        digits(draw.Index(3));
        // The exponent in two digits at most, as the check admits.
        int value = std::atoi(exponent.c_str() + 1);
        if (value < -36 || value > 36) {
            t.insert(0, "0.");
            return t;
        }
        return t + "e" + std::to_string(value);
    }
    sign(draw.Index(4));
    const uint64_t length = kind == 1 ? 20 + draw.Index(400) : draw.Index(12);
    digits(length);
    if (draw.Index(3) != 0) {
        t += draw.Index(2) == 0 ? '.' : ',';
        digits(kind == 2 ? 20 + draw.Index(60) : draw.Index(12));
    }
    if (draw.Index(2) == 0) {
        t += draw.Index(2) == 0 ? 'e' : 'E';
        sign(draw.Index(3));
        t += std::to_string(draw.Index(40));
    }
    if (draw.Index(50) == 0) {
        const uint64_t at = draw.Index(t.size() + 1);
        t.insert(at, 1, "x.,e+- "[draw.Index(7)]);
    }
    return t;
}

void ParsePart(uint64_t texts, uint64_t seed, bool chunks) {
    Draw draw(seed);
    Tally tally("parse", chunks);
    uint64_t tokens = 0;
    for (uint64_t i = 0; i < texts; ++i) {
        std::string text;
        const uint64_t n = 1 + draw.Index(draw.Index(4) == 0 ? 5 : 1);
        for (uint64_t k = 0; k < n; ++k) {
            text += std::string(draw.Index(3), ' ');
            text += Token(draw);
        }
        tokens += n;
        int32_t count = -1;
        int32_t errorSum = -1;
        std::array<float, 4> v{};
        v.fill(std::bit_cast<float>(0x7fc0dead));
        tally.Fault(Run([&] { ParseNumbers(text, 1, count, v[0], v[1], v[2], v[3], errorSum); }));
        if (verbose) {
            std::printf("[%s] %d %d %08x %08x %08x %08x\n", text.c_str(), count, errorSum,
                        std::bit_cast<uint32_t>(v[0]), std::bit_cast<uint32_t>(v[1]),
                        std::bit_cast<uint32_t>(v[2]), std::bit_cast<uint32_t>(v[3]));
        }
        tally.D().Add(static_cast<uint64_t>(count));
        tally.D().Add(static_cast<uint64_t>(errorSum));
        for (const float x : v) {
            tally.D().Add(std::bit_cast<uint32_t>(x));
        }
        tally.EndCase();
    }
    tally.Print(("texts (" + std::to_string(tokens) + " tokens)").c_str());
}

void FormatPart(uint64_t patterns, bool chunks) {
    Tally tally("format", chunks);
    // An odd step visits 2^32 distinct patterns before it repeats; this one
    // spreads the first ones over every exponent and sign.
    for (uint64_t i = 0; i < patterns; ++i) {
        const auto x = std::bit_cast<float>(static_cast<uint32_t>(i * 0x9E3779B1u));
        tally.D().Add(FormatValue(x));
        tally.Fault(Run([&] { tally.D().Add(FormatEntry(x)); }));
        tally.EndCase();
    }
    tally.Print("float patterns (FormatValue and FormatEntry)");
}

void WriteNameplates(std::ostream& out, NameplateDraw& draw, uint64_t rows) {
    WriteCsvRecord(out, {InputColumns.begin(), InputColumns.end()});
    for (uint64_t r = 0; r < rows; ++r) {
        const DrawnNameplate plate = draw.Next();
        WriteCsvRecord(out, {plate.fields.begin(), plate.fields.end()});
    }
}

void NameplatePart(uint64_t rows, uint64_t seed, bool chunks) {
    // Per-unit bases vary from block to block, some whose base impedance
    // overflows.
    const std::array<std::array<const char*, 3>, 4> bases{
        {{"1", "1", "50"}, {"0,5", "0.4", "60"}, {"100", "20", "16.7"}, {"1e-20", "1e20", "50"}}};
    NameplateDraw draw(seed);
    Tally tally("nameplates", chunks);
    constexpr uint64_t Block = 10000;
    uint64_t failedRuns = 0;
    for (uint64_t done = 0, block = 0; done < rows; done += Block, ++block) {
        const uint64_t n = std::min(Block, rows - done);
        std::stringstream in;
        WriteNameplates(in, draw, n);
        BatchOptions options;
        options.frequency = block % 2 == 0 ? 50.0f : 60.0f;
        const auto& base = bases[block % bases.size()];
        options.baseMva = base[0];
        options.baseKv = base[1];
        options.puFrequency = base[2];
        std::ostringstream out;
        std::ostringstream err;
        failedRuns += RunBatch(in, out, err, options) == UsageOrInputError ? 1 : 0;
        tally.D().Add(out.str());
        tally.D().Add(err.str());
        for (uint64_t r = 0; r < n; ++r) {
            tally.EndCase();
        }
    }
    tally.Print(
        ("name plates (" + std::to_string(failedRuns) + " blocks not run to the end)").c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    uint64_t complexSets = 0;
    uint64_t parseTexts = 0;
    uint64_t formatPatterns = 0;
    uint64_t nameplates = 0;
    uint64_t seed = 20261207;
    bool chunks = false;
    const char* writeFile = nullptr;
    uint64_t writeRows = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        uint64_t* const number = arg == "--complex"      ? &complexSets
                                 : arg == "--parse"      ? &parseTexts
                                 : arg == "--format"     ? &formatPatterns
                                 : arg == "--nameplates" ? &nameplates
                                 : arg == "--seed"       ? &seed
                                                         : nullptr;
        if (number != nullptr && i + 1 < argc) {
            *number = std::strtoull(argv[++i], nullptr, 0);
        } else if (arg == "--chunks") {
            chunks = true;
        } else if (arg == "--verbose") {
            verbose = true;
        } else if (arg == "--write-benchmark" && i + 1 < argc) {
            std::ofstream out(argv[++i], std::ios::binary);
            out << BenchmarkNameplateList(100000);
            return out ? 0 : 1;
        } else if (arg == "--write-nameplates" && i + 2 < argc) {
            writeRows = std::strtoull(argv[++i], nullptr, 0);
            writeFile = argv[++i];
        } else {
            std::cerr << "arithmetic-digest: unknown argument " << arg << '\n';
            return 2;
        }
    }
    if (writeFile != nullptr) {
        std::ofstream out(writeFile, std::ios::binary);
        NameplateDraw draw(seed);
        WriteNameplates(out, draw, writeRows);
        return out ? 0 : 1;
    }
    if (complexSets > 0) {
        ComplexPart(complexSets, seed, chunks);
    }
    if (parseTexts > 0) {
        ParsePart(parseTexts, seed + 1, chunks);
    }
    if (formatPatterns > 0) {
        FormatPart(formatPatterns, chunks);
    }
    if (nameplates > 0) {
        NameplatePart(nameplates, seed + 2, chunks);
    }
    return 0;
}
