#include "log/Log.h"

Q_LOGGING_CATEGORY(lcTelephone, "farline.telephone", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUpdate, "farline.update", QtWarningMsg)
Q_LOGGING_CATEGORY(lcHome, "farline.home", QtWarningMsg)
Q_LOGGING_CATEGORY(lcModem, "farline.modem", QtWarningMsg)
Q_LOGGING_CATEGORY(lcContacts, "farline.contacts", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWindow, "farline.window", QtWarningMsg)
