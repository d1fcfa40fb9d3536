#include "LogCategories.h"

// Off unless QT_LOGGING_RULES turns them on: only warnings would pass, and Zarn
// logs none.
Q_LOGGING_CATEGORY(logAbout, "zarn.about", QtWarningMsg)
Q_LOGGING_CATEGORY(logApp, "zarn.app", QtWarningMsg)
Q_LOGGING_CATEGORY(logCommon, "zarn.common", QtWarningMsg)
Q_LOGGING_CATEGORY(logCompile, "zarn.compile", QtWarningMsg)
Q_LOGGING_CATEGORY(logDocuments, "zarn.documents", QtWarningMsg)
Q_LOGGING_CATEGORY(logJdk, "zarn.jdk", QtWarningMsg)
Q_LOGGING_CATEGORY(logSettings, "zarn.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(logViewer, "zarn.viewer", QtWarningMsg)
