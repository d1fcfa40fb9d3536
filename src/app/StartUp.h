#pragma once

#include <functional>
#include <thread>

class QWidget;

// Start-up work done before and while the application object is created; main()
// and the start-up benchmark share it.
class EarlyStartUp
{
public:
    // Keeps the descriptors Zarn was started with from the programs it starts, keeps
    // the menu bar inside the window, whose fixed layout counts on it, and starts
    // reading the font configuration on a helper thread, while Qt loads its plugins
    // and connects to the display.
    EarlyStartUp();
    ~EarlyStartUp();

    EarlyStartUp(const EarlyStartUp &) = delete;
    EarlyStartUp &operator=(const EarlyStartUp &) = delete;

    // Waits for the font configuration; call once the application exists, before
    // any window is created.
    void finish();

private:
    std::thread m_fontConfiguration;
};

// Runs then once window is first exposed on screen (at once if it is), from the
// event loop: a dialog shown then stands over the window, where it is.
void whenExposed(QWidget *window, std::function<void()> then);
