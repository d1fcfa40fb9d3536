#pragma once

#include <QString>

#include <memory>
#include <thread>

class AppletOutput;

// The pipe through which the applet host sends what the applet writes: one record
// a line, 'o' or 'e' for the stream, then the line's text in UTF-8. It is read on a
// thread of its own into an AppletOutput, as fast as the host writes, so that the
// host never waits on Zarn's window and Zarn's window never waits on the host.
class ConsoleChannel
{
public:
    // The host's descriptor for the channel, and the path it opens it by.
    static constexpr int HostDescriptor = 3;
    static QString hostPath();

    explicit ConsoleChannel(std::shared_ptr<AppletOutput> output);
    // Stops reading, whether or not the host has ended.
    ~ConsoleChannel();
    ConsoleChannel(const ConsoleChannel &) = delete;
    ConsoleChannel &operator=(const ConsoleChannel &) = delete;

    // False when the pipe could not be made: the host then gets no channel.
    bool isOpen() const { return m_readEnd >= 0; }
    // For the host's process, between fork and exec: puts the write end at
    // HostDescriptor. Only async-signal-safe calls.
    void giveToHost() const;
    // The host has started (or failed to): Zarn's copy of the write end closes, so
    // that reading ends when the host does.
    void hostStarted();

private:
    void read();

    std::shared_ptr<AppletOutput> m_output;
    int m_readEnd = -1;
    int m_hostEnd = -1;
    int m_stop = -1;
    std::thread m_reader;
};
