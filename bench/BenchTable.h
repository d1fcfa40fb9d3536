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
        double baseline;        // negative: the figure has no baseline, its target is absolute
        double target;          // the highest ratio that still holds, or the absolute limit
        double allowance = 0.0; // added to baseline x target, in the figure's unit
    };

    void add(const Row &row) { m_rows.push_back(row); }

    bool allHold() const
    {
        return std::all_of(m_rows.begin(), m_rows.end(), [](const Row &row) { return holds(row); });
    }

    void print(std::FILE *out) const
    {
        std::fprintf(out, "| %-48s | %9s | %9s | %6s | %-13s | %-5s |\n", "figure", "Zarn", "baseline",
                     "ratio", "target", "holds");
        std::fprintf(out, "|%s|%s|%s|%s|%s|%s|\n", std::string(50, '-').c_str(), std::string(11, '-').c_str(),
                     std::string(11, '-').c_str(), std::string(8, '-').c_str(), std::string(15, '-').c_str(),
                     std::string(7, '-').c_str());
        for (const Row &row : m_rows) {
            char baseline[32] = "-";
            char ratio[32] = "-";
            char target[32] = "-"; // a figure shown for information has none
            if (hasBaseline(row)) {
                std::snprintf(baseline, sizeof baseline, "%.2f", row.baseline);
                std::snprintf(ratio, sizeof ratio, "%.2f", row.zarn / row.baseline);
            }
            if (hasTarget(row) && hasBaseline(row) && row.allowance > 0)
                std::snprintf(target, sizeof target, "<= %.2f + %g", row.target, row.allowance);
            else if (hasTarget(row) && hasBaseline(row))
                std::snprintf(target, sizeof target, "<= %.2f", row.target);
            else if (hasTarget(row))
                std::snprintf(target, sizeof target, "<= %g", row.target);
            const char *verdict = !hasTarget(row) ? "-" : holds(row) ? "yes" : "NO";
            std::fprintf(out, "| %-48s | %9.2f | %9s | %6s | %-13s | %-5s |\n", row.figure.c_str(), row.zarn,
                         baseline, ratio, target, verdict);
        }
    }

private:
    static bool hasBaseline(const Row &row) { return row.baseline >= 0; }
    static bool hasTarget(const Row &row) { return row.target > 0; }
    static bool holds(const Row &row)
    {
        if (!hasTarget(row))
            return true;
        if (!hasBaseline(row))
            return row.zarn <= row.target;
        return row.baseline > 0 && row.zarn <= row.baseline * row.target + row.allowance;
    }

    std::vector<Row> m_rows;
};
