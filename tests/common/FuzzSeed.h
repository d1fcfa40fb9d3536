#pragma once

#include <QRandomGenerator>
#include <QTest>

// The random numbers of a generated test: a fresh seed for each test function,
// printed when it fails; ZARN_FUZZ_SEED repeats one. Call draw() in init() and
// report() in cleanup().
class FuzzSeed
{
public:
    void draw()
    {
        bool fixed = false;
        // Seeds are unsigned: half of them are beyond what an int can hold.
        m_seed = qEnvironmentVariable("ZARN_FUZZ_SEED").toUInt(&fixed);
        if (!fixed)
            m_seed = QRandomGenerator::global()->generate();
        m_random.seed(m_seed);
    }

    void report() const
    {
        if (QTest::currentTestFailed())
            qWarning("seed: %u", m_seed);
    }

    QRandomGenerator &random() { return m_random; }

private:
    quint32 m_seed = 0;
    QRandomGenerator m_random;
};
