#include "GoldenFile.h"

#include <cmath>
#include <fstream>
#include <sstream>

GoldenFile ReadGoldenFile(const std::string& path)
{
    GoldenFile file;
    std::ifstream in(path);
    if (!in) {
        file.error = "cannot open '" + path + "'";
        return file;
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::istringstream s(line);
        std::string word;
        s >> word;
        if (word == "points") {
            int p;
            while (s >> p)
                file.points.push_back(p);
            continue;
        }
        GoldenCurve c;
        c.kind = word;
        std::string mode;
        if (word == "section") {
            s >> c.name >> c.type >> c.frequency >> c.gain >> c.q >> c.shape1 >> c.shape2 >> mode;
        } else if (word == "xover") {
            std::string side;
            s >> c.name >> side >> c.type >> c.frequency >> mode;
            c.highPass = side == "HP";
        } else {
            file.error = path + ":" + std::to_string(lineNo) + ": unknown line";
            return file;
        }
        c.phase = mode == "phase";
        double v;
        while (s >> v)
            c.values.push_back(v);
        if (!s.eof() || c.values.size() != file.points.size()) {
            file.error = path + ":" + std::to_string(lineNo) + ": bad values";
            return file;
        }
        file.curves.push_back(std::move(c));
    }
    if (file.curves.empty())
        file.error = path + ": no curves";
    return file;
}

double PhaseDistance(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 36.0);
    return d > 18.0 ? 36.0 - d : d;
}

std::string Describe(const GoldenCurve& c)
{
    return c.kind + " " + c.name + " type " + std::to_string(c.type) + (c.highPass ? " HP" : "") + " f " +
           std::to_string(c.frequency) + " g " + std::to_string(c.gain) + " q " + std::to_string(c.q) +
           " c " + std::to_string(c.shape1) + "/" + std::to_string(c.shape2) + (c.phase ? " phase" : " mag");
}
