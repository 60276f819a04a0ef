#include "service/system/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quiz {

namespace {

// Installed once each, for the life of the program.
bool installOnce(QTranslator*& translator, const QString& name, const QString& folder) {
    if (translator) {
        return true;
    }
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(name, folder)) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

QTranslator* ownTranslator = nullptr;
QTranslator* qtTranslator = nullptr;

bool prefersBulgarian(const QLocale& locale) {
    return locale.language() == QLocale::Bulgarian ||
           (!locale.uiLanguages().isEmpty() &&
            locale.uiLanguages().constFirst().startsWith(QStringLiteral("bg")));
}

} // namespace

bool installCommandLineTranslations(const QLocale& locale) {
    if (!prefersBulgarian(locale)) {
        return false;
    }
    installWindowTranslations();
    return installOnce(ownTranslator, QStringLiteral("realdataquiz_bg"), QStringLiteral(":/i18n"));
}

bool messagesAreBulgarian() {
    return ownTranslator != nullptr;
}

const QTranslator* bulgarianMessages() {
    // Owned here rather than by the application, so the pointer never outlives its translator.
    static const std::unique_ptr<QTranslator> bulgarian = [] {
        auto loaded = std::make_unique<QTranslator>();
        return loaded->load(QStringLiteral("realdataquiz_bg"), QStringLiteral(":/i18n"))
                   ? std::move(loaded)
                   : nullptr;
    }();
    return bulgarian.get();
}

QString translated(Audience audience, const char* context, const char* source) {
    if (audience == Audience::Console) {
        return QCoreApplication::translate(context, source);
    }
    const QTranslator* bulgarian = bulgarianMessages();
    const QString text = bulgarian ? bulgarian->translate(context, source) : QString();
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

bool installWindowTranslations() {
    return installOnce(qtTranslator, QStringLiteral("qtbase_bg"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace quiz
