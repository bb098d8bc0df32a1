#pragma once
// The hourglass cursor for the length of a file operation, restored on every
// path. With no window on the screen (a class opened from the command line,
// before its window shows) there is nothing to put it over, and loading the
// cursor theme's animated hourglass would only delay that window.
#include <QGuiApplication>
#include <QWindow>

class Sablier {
public:
    Sablier()
        : m_pose(uneFenetreVisible())
    {
        if (m_pose)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Sablier()
    {
        if (m_pose)
            QGuiApplication::restoreOverrideCursor();
    }
    Sablier(const Sablier &) = delete;
    Sablier &operator=(const Sablier &) = delete;

private:
    static bool uneFenetreVisible()
    {
        const auto fenetres = QGuiApplication::topLevelWindows();
        return std::any_of(fenetres.cbegin(), fenetres.cend(),
                           [](const QWindow *w) { return w->isVisible(); });
    }

    bool m_pose;
};
