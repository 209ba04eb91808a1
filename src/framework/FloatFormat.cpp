#include "framework/FloatFormat.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fw
{

namespace
{

// The value rounded to `precision` significant digits: its digits (no trailing zeros, at least one)
// and the decimal exponent of the first digit.
struct Decimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

Decimal Significant(double value, int precision)
{
    Decimal d;
    d.Negative = std::signbit(value) && value != 0.0;
    if (value == 0.0) {
        d.Digits = "0";
        return d;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    for (char& c : buf)
        if (c == ',') // a process locale with a decimal comma
            c = '.';
    const char* e = std::strchr(buf, 'e');
    d.Exponent = std::atoi(e + 1);
    for (const char* p = buf; p < e; ++p)
        if (*p >= '0' && *p <= '9')
            d.Digits.push_back(*p);
    while (d.Digits.size() > 1 && d.Digits.back() == '0')
        d.Digits.pop_back();
    return d;
}

std::string ExponentText(int exponent, int digits)
{
    std::string s = std::to_string(std::abs(exponent));
    while (int(s.size()) < digits)
        s.insert(s.begin(), '0');
    return (exponent < 0 ? "E-" : "E+") + s;
}

std::string Scientific(const Decimal& d, int minDigits, int expDigits)
{
    std::string s = d.Negative ? "-" : "";
    s += d.Digits[0];
    std::string rest = d.Digits.substr(1);
    while (int(rest.size()) + 1 < minDigits)
        rest.push_back('0');
    if (!rest.empty())
        s += "." + rest;
    return s + ExponentText(d.Exponent, expDigits);
}

std::string Plain(const Decimal& d)
{
    std::string s = d.Negative ? "-" : "";
    if (d.Exponent < 0) {
        s += "0." + std::string(std::size_t(-d.Exponent - 1), '0') + d.Digits;
        return s;
    }
    const std::size_t whole = std::size_t(d.Exponent) + 1;
    if (d.Digits.size() <= whole)
        return s + d.Digits + std::string(whole - d.Digits.size(), '0');
    return s + d.Digits.substr(0, whole) + "." + d.Digits.substr(whole);
}

std::string Grouped(const std::string& fixed)
{
    const bool negative = !fixed.empty() && fixed[0] == '-';
    const std::string body = negative ? fixed.substr(1) : fixed;
    const std::size_t point = std::min(body.find('.'), body.size());
    std::string whole = body.substr(0, point);
    for (int i = int(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(std::size_t(i), ",");
    return (negative ? "-" : "") + whole + body.substr(point);
}

} // namespace

std::string FloatToStrF(double value, TStringFloatFormat format, int precision, int digits)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, 18);
    switch (format) {
    case sffGeneral: {
        const Decimal d = Significant(value, precision);
        if (d.Digits == "0")
            return "0";
        if (d.Exponent < precision && std::fabs(value) >= 0.00001)
            return Plain(d);
        return Scientific(d, 1, std::clamp(digits, 0, 4));
    }
    case sffExponent:
        return Scientific(Significant(value, precision), precision, std::clamp(digits, 0, 4));
    case sffFixed:
    case sffNumber:
    case sffCurrency: {
        digits = std::clamp(digits, 0, 18);
        if (value != 0.0 && std::floor(std::log10(std::fabs(value))) + 1 > precision)
            return Scientific(Significant(value, precision), 1, 0);
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", digits, value);
        std::string s = buf;
        for (char& c : s)
            if (c == ',')
                c = '.';
        if (s == "-0" || (s.rfind("-0.", 0) == 0 && s.find_first_not_of("-0.") == std::string::npos))
            s.erase(0, 1);
        if (format == sffFixed)
            return s;
        s = Grouped(s);
        if (format == sffNumber)
            return s;
        return s[0] == '-' ? "-$" + s.substr(1) : "$" + s;
    }
    }
    return {};
}

namespace
{
char FUserSeparator = 0;
}

char UserDecimalSeparator()
{
    if (!FUserSeparator) {
        const std::lconv* l = std::localeconv();
        return l && l->decimal_point && l->decimal_point[0] ? l->decimal_point[0] : '.';
    }
    return FUserSeparator;
}

void SetUserDecimalSeparator(char sep)
{
    FUserSeparator = sep;
}

} // namespace fw
