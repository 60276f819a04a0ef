#pragma once

// Which translations the program loads, and the one rule for whom a message is said to: its
// own messages on the console follow the user's language; the windows, Qt's texts in them
// included, are Bulgarian everywhere.

#include <QLocale>
#include <QString>

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

// Who reads a message: the console, in the language installCommandLineTranslations chose; or a
// window, in Bulgarian whatever the locale, so that no reason reads in English inside a
// Bulgarian sentence.
enum class Audience { Console, Window };

// `source` of `context` as `audience` reads it; the source itself where no translation has it.
QString translated(Audience audience, const char* context, const char* source);

} // namespace quiz
