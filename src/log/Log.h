#pragma once

#include <QLoggingCategory>

// The debug trail of the program, one category per subsystem. Only warnings show by default;
// QT_LOGGING_RULES="farline.*=true" shows every decision, "farline.update.debug=true" one trail.
Q_DECLARE_LOGGING_CATEGORY(lcTelephone) // farline.telephone: which telephone and handler, and why
Q_DECLARE_LOGGING_CATEGORY(lcUpdate)    // farline.update: each step and failure of an update
Q_DECLARE_LOGGING_CATEGORY(lcHome)      // farline.home: the home, its lock, waits and holders
Q_DECLARE_LOGGING_CATEGORY(lcModem)     // farline.modem: what ModemManager answered
Q_DECLARE_LOGGING_CATEGORY(lcContacts)  // farline.contacts: the address book and its imports
Q_DECLARE_LOGGING_CATEGORY(lcWindow)    // farline.window: the window's loading
