#pragma once

#include "AppletCommands.h"
#include "SettingsStore.h"
#include "TestTime.h"
#include "Zarn.h"

#include <QTest>

#include <memory>
#include <optional>

// The window's compiler from now on, as the Options window's browse sets it.
inline void useCompiler(Zarn &window, const QString &compiler)
{
    Settings settings = window.settings().current();
    settings.CompilerLocation = compiler;
    window.settings().change(settings);
}

// Waits until the command the window runs has run its last step; false when it
// did not within ms.
inline bool commandEnds(Zarn &window, int ms = scaled(60000))
{
    return QTest::qWaitFor([&window] { return !window.appletCommands().isRunning(); }, ms);
}

// What the window's last compile gave, once its command has ended: whether it
// compiled, and the compile's result.
struct WindowCompile
{
    bool compiled = false;
    CompileResult result;
};

// Compiles the window's document into destination as the command does, and waits
// for its end; nothing when it did not end in time.
inline std::optional<WindowCompile> compileInWindow(Zarn &window, const QString &destination,
                                                    AppletCommands::CompileFeedbackStyle style)
{
    auto seen = std::make_shared<WindowCompile>();
    const QMetaObject::Connection watch = QObject::connect(
        &window.appletCommands(), &AppletCommands::compileEnded, &window.appletCommands(),
        [seen](const CompileResult &result, bool compiled) {
            *seen = {compiled, result};
        });
    window.appletCommands().CompileToFolder(destination, style);
    const bool ended = commandEnds(window);
    QObject::disconnect(watch);
    return ended ? std::optional<WindowCompile>(*seen) : std::nullopt;
}
