#pragma once

#include <QLoggingCategory>

// One logging category per room of the code. They log every fallback Zarn takes
// and every process it starts or ends, so that "why did that happen" has an
// answer. All are off by default; QT_LOGGING_RULES="zarn.*=true" turns them on
// (or "zarn.compile=true" for one room). Messages are information, never warnings.
Q_DECLARE_LOGGING_CATEGORY(logAbout)     // zarn.about
Q_DECLARE_LOGGING_CATEGORY(logApp)       // zarn.app
Q_DECLARE_LOGGING_CATEGORY(logCommon)    // zarn.common
Q_DECLARE_LOGGING_CATEGORY(logCompile)   // zarn.compile
Q_DECLARE_LOGGING_CATEGORY(logDocuments) // zarn.documents
Q_DECLARE_LOGGING_CATEGORY(logJdk)       // zarn.jdk
Q_DECLARE_LOGGING_CATEGORY(logSettings)  // zarn.settings
Q_DECLARE_LOGGING_CATEGORY(logViewer)    // zarn.viewer
