#pragma once

#include <QStringList>

// File and folder names that break unquoted shell commands, or would run commands
// of their own. An injected command creates a file named PWNED.
inline QStringList hostileNames()
{
    return {
        QStringLiteral("with space"),     QStringLiteral("it's"),
        QStringLiteral("say \"hi\""),     QStringLiteral("$(touch PWNED)"),
        QStringLiteral("`touch PWNED`"),  QStringLiteral("a;touch PWNED"),
        QStringLiteral("a&touch PWNED"),  QStringLiteral("a&&touch PWNED"),
        QStringLiteral("a|touch PWNED"),  QStringLiteral("a>PWNED"),
        QStringLiteral("a<PWNED"),        QStringLiteral("star*"),
        QStringLiteral("new\nline"),      QStringLiteral("new\nline;touch PWNED"),
        QStringLiteral("-leading"),       QStringLiteral("gr\u00fc\u00dfe \u65e5\u672c"),
        QStringLiteral("100%"),           QStringLiteral("%PATH%"),
        QStringLiteral("$HOME"),          QStringLiteral("a'$(touch PWNED)'b"),
        QStringLiteral("\\back\\slash"),  QStringLiteral("tab\there"),
        QStringLiteral("!bang"),          QStringLiteral("{brace,x}"),
        QStringLiteral("[bracket]"),      QStringLiteral("~tilde"),
        QStringLiteral("#hash"),          QStringLiteral("''"),
        QStringLiteral(" leading space"), QStringLiteral("trailing space "),
        QStringLiteral("^caret"),         QStringLiteral("(paren)"),
    };
}
