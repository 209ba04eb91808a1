// The framework's float-to-text conversion with a format kind, a precision and a digit count, in the
// C locale ("." decimal point, "," thousands separator, "$" money sign). Pure functions, any thread.
#pragma once

#include <string>

namespace fw
{

enum TStringFloatFormat { sffGeneral, sffExponent, sffFixed, sffNumber, sffCurrency };

// sffGeneral: the shortest text with at most Precision significant digits and no trailing zeros, plain
// when the value has no more integer digits than Precision and is at least 0.00001 (in magnitude), else
// scientific with at least Digits exponent digits. sffExponent: scientific with Precision significant
// digits. sffFixed: Digits decimals (scientific when the integer part has more digits than Precision).
// sffNumber: sffFixed with thousands separators. sffCurrency: "$" and sffNumber. Precision is taken as
// 1..18 and Digits as 0..18 (general and exponent: 0..4 exponent digits). Not finite: "NAN", "INF", "-INF".
std::string FloatToStrF(double value, TStringFloatFormat format, int precision, int digits);

// The user's decimal separator for texts that the controls write with it: the C library's locale
// (which the application sets from the environment) until set; UI thread.
char UserDecimalSeparator();
void SetUserDecimalSeparator(char sep);

} // namespace fw
