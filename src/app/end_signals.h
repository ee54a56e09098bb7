#pragma once
// SIGTERM (a kill, the session's logout) and SIGHUP (the terminal that started the
// program closed) are a request to close the window: it ends as through its close box,
// the port closed (its lines low) and the settings written, also in the middle of an
// exchange, which the window then leaves at its next processing of messages.
class QWidget;

// Installs the handlers; the signals then close `window`. Once per process.
void CloseOnEndSignals(QWidget& window);
