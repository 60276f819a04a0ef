#pragma once

// Which translations the program loads: its own messages follow the user's language, Qt's own
// texts follow the window, which is Bulgarian everywhere.

#include <QLocale>

class QTranslator;

namespace quiz {

// Before the command line is read: the program's Bulgarian messages and Qt's own (the
// parser's errors) when the user's language is Bulgarian; nothing otherwise, so --help and
// refusals stay English elsewhere. Returns whether the program's own were loaded.
bool installCommandLineTranslations(const QLocale& locale);

// Before the windows open: Qt's own Bulgarian texts ("Копиране" in the text box's menu, the
// file dialog), whatever the user's language. Returns whether they were found.
bool installWindowTranslations();

// Whether the program's own messages are Bulgarian, as installCommandLineTranslations decided.
bool messagesAreBulgarian();

// The program's own Bulgarian messages, not installed: for what the Bulgarian windows say in
// every locale. Null if they cannot be loaded.
const QTranslator* bulgarianMessages();

} // namespace quiz
