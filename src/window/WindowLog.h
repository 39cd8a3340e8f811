#pragma once

#include <QLoggingCategory>

// The window's own messages.
Q_DECLARE_LOGGING_CATEGORY(lcWindow)
