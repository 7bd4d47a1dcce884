// Decimal text to extended precision, rounded once. The x87 build has the
// C library's conversion at that precision; the portable build works out
// the exact value in integers (Boost.Multiprecision cpp_int) and rounds it.
#include "extended.h"

#if IMD_ARITHMETIC_PORTABLE

#include <boost/multiprecision/cpp_int.hpp>

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

using boost::multiprecision::cpp_int;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// (n + a fraction below 1 when sticky) * 2^e, rounded once to Extended.
// n is cut to 100 leading bits, the rest joining the sticky bit: enough for
// a single rounding to 64.
Extended RoundedOnce(const cpp_int& n, bool sticky, long long e) {
    using U128 = unsigned __int128;
    const auto length = static_cast<long long>(msb(n)) + 1;
    cpp_int top = n;
    if (length > 100) {
        const auto shift = static_cast<unsigned>(length - 100);
        sticky = sticky || lsb(n) < shift;
        top = n >> shift;
        e += shift;
    }
    const U128 m = (static_cast<U128>(static_cast<uint64_t>(top >> 64)) << 64) |
                   static_cast<uint64_t>(top & cpp_int(UINT64_MAX));
    // Far outside the range the exponent no longer fits an int; any such
    // value is infinite or zero.
    const long long clamped = std::clamp<long long>(e, -100000, 100000);
    return Extended::FromScaled(false, (m << 1) | U128{sticky}, static_cast<int>(clamped) - 1);
}

} // namespace

DecimalStatus DecimalToExtended(std::string_view text, Extended& value) {
    std::string digits;
    std::size_t pos = 0;
    long long fractionDigits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        digits += text[pos++];
    }
    if (digits.empty()) {
        return DecimalStatus::Malformed;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            digits += text[pos++];
            ++fractionDigits;
        }
    }
    long long exponent = 0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        bool negative = false;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            negative = text[pos++] == '-';
        }
        if (pos == text.size()) {
            return DecimalStatus::Malformed;
        }
        while (pos < text.size() && IsDigit(text[pos])) {
            // Far beyond any range: the digits of a token are bounded long
            // before this could wrap.
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (text[pos] - '0');
            }
            ++pos;
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    if (pos != text.size()) {
        return DecimalStatus::Malformed;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        value = 0;
        return DecimalStatus::Ok;
    }
    const cpp_int mantissa(digits.substr(first));
    const long long power = exponent - fractionDigits;
    // Beyond these the value lies outside the extended range whatever the
    // digits (10^4933 > 2^16384 and 10^-4951 < 2^-16446).
    const long long mantissaDigits = static_cast<long long>(digits.size() - first);
    if (power + mantissaDigits > 4933) {
        return DecimalStatus::OutOfRange;
    }
    if (power + mantissaDigits < -4951) {
        return DecimalStatus::OutOfRange;
    }

    Extended result;
    if (power >= 0) {
        result = RoundedOnce(mantissa * pow(cpp_int(10), static_cast<unsigned>(power)), false, 0);
    } else {
        const cpp_int divisor = pow(cpp_int(10), static_cast<unsigned>(-power));
        // At least 67 quotient bits, then the remainder as a sticky bit.
        const long long k = std::max<long long>(0, static_cast<long long>(msb(divisor)) -
                                                       static_cast<long long>(msb(mantissa)) + 67);
        cpp_int q;
        cpp_int r;
        divide_qr(cpp_int(mantissa << static_cast<unsigned>(k)), divisor, q, r);
        result = RoundedOnce(q, r != 0, -k);
    }
    if (IsInf(result)) {
        return DecimalStatus::OutOfRange;
    }
    value = result;
    return DecimalStatus::Ok;
}

#else

#include <charconv>
#include <system_error>

DecimalStatus DecimalToExtended(std::string_view text, Extended& value) {
    Extended result = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), result, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        return DecimalStatus::OutOfRange;
    }
    if (ec != std::errc() || end != text.data() + text.size()) {
        return DecimalStatus::Malformed;
    }
    value = result;
    return DecimalStatus::Ok;
}

#endif
