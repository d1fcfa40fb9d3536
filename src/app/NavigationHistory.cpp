#include "NavigationHistory.h"

void NavigationHistory::left(const Place &from)
{
    m_back.append(from);
    if (m_back.size() > Limit)
        m_back.removeFirst();
    m_forward.clear();
}

std::optional<NavigationHistory::Place> NavigationHistory::previous() const
{
    return m_back.isEmpty() ? std::nullopt : std::optional<Place>(m_back.constLast());
}

std::optional<NavigationHistory::Place> NavigationHistory::next() const
{
    return m_forward.isEmpty() ? std::nullopt : std::optional<Place>(m_forward.constLast());
}

void NavigationHistory::wentBack(const Place &current)
{
    if (!m_back.isEmpty())
        m_back.removeLast();
    m_forward.append(current);
}

void NavigationHistory::wentForward(const Place &current)
{
    if (!m_forward.isEmpty())
        m_forward.removeLast();
    m_back.append(current);
}
