// Reader of the reference curve files written by gen_curve_golden.py.
#pragma once

#include <string>
#include <vector>

struct GoldenCurve {
    std::string kind; // "section" or "xover"
    std::string name;
    // section: type, frequency, gain, q, shape1, shape2; xover: slope, frequency
    int type = 0;
    bool highPass = false;
    double frequency = 0.0;
    double gain = 0.0;
    double q = 0.0;
    float shape1 = 0.0f;
    float shape2 = 0.0f;
    bool phase = false;
    std::vector<double> values; // at GoldenFile::points
};

struct GoldenFile {
    std::vector<int> points;
    std::vector<GoldenCurve> curves;
    std::string error; // empty when the file was read whole
};

GoldenFile ReadGoldenFile(const std::string& path);

// Distance of two phase values in units of 10 degrees, modulo a whole turn (36).
double PhaseDistance(double a, double b);

// One line naming a reference curve and its parameters, for failure messages.
std::string Describe(const GoldenCurve& c);
