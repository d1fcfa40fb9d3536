#pragma once

#include <QList>
#include <QString>

#include <optional>

// Alt+Left and Alt+Right: the places visited before and after a jump to a class,
// as browsers keep them. A place is a file and the caret's position in it.
class NavigationHistory
{
public:
    struct Place
    {
        QString path;
        int position = 0;
    };

    // A jump leaves from: Back returns there; what lay ahead is forgotten.
    void left(const Place &from);
    // Where Back (or Forward) goes; nothing at the end of the history.
    std::optional<Place> previous() const;
    std::optional<Place> next() const;
    // The step was taken from current, which the other direction now keeps.
    void wentBack(const Place &current);
    void wentForward(const Place &current);

private:
    static constexpr int Limit = 100;

    QList<Place> m_back;
    QList<Place> m_forward;
};
