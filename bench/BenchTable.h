#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// One table for every benchmark: figure, Zarn, baseline, ratio, target, holds.
class BenchTable
{
public:
    struct Row
    {
        std::string figure;
        double zarn;
        double baseline;
        double target; // the highest ratio that still holds
    };

    void add(const Row &row) { m_rows.push_back(row); }

    bool allHold() const
    {
        for (const Row &row : m_rows)
            if (!holds(row))
                return false;
        return true;
    }

    void print(std::FILE *out) const
    {
        std::fprintf(out, "| %-42s | %10s | %10s | %6s | %7s | %-5s |\n", "figure", "Zarn", "baseline",
                     "ratio", "target", "holds");
        std::fprintf(out, "|%s|%s|%s|%s|%s|%s|\n", std::string(44, '-').c_str(), std::string(12, '-').c_str(),
                     std::string(12, '-').c_str(), std::string(8, '-').c_str(), std::string(9, '-').c_str(),
                     std::string(7, '-').c_str());
        for (const Row &row : m_rows)
            std::fprintf(out, "| %-42s | %10.2f | %10.2f | %6.2f | <= %4.2f | %-5s |\n", row.figure.c_str(),
                         row.zarn, row.baseline, ratio(row), row.target, holds(row) ? "yes" : "NO");
    }

private:
    static double ratio(const Row &row) { return row.baseline > 0 ? row.zarn / row.baseline : 0.0; }
    static bool holds(const Row &row) { return row.baseline > 0 && ratio(row) <= row.target; }

    std::vector<Row> m_rows;
};
