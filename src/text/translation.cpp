// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include <cerrno>

namespace sifter {
namespace {

// Where the build embeds the catalogues (translations/CMakeLists.txt), so that the program
// finds them both in the build folder and installed.
constexpr char kCatalogueFolder[] = ":/sifter/translations";

} // namespace

struct Translations::Catalogues {
    QTranslator own;
    QTranslator qt;
    bool loaded = false;
    bool qtLoaded = false;
};

Translations::Translations(const std::string &language) : catalogues_(std::make_unique<Catalogues>())
{
    const QLocale locale = language.empty() ? QLocale::system() : QLocale(QString::fromStdString(language));
    // QTranslator::load walks the locale's uiLanguages() in order, each with its fallbacks
    // ("de-AT", then "de"); on Linux these follow LANGUAGE, then LC_ALL/LC_MESSAGES/LANG.
    catalogues_->loaded = catalogues_->own.load(locale, QStringLiteral("sifter"), QStringLiteral("_"),
                                                QString::fromLatin1(kCatalogueFolder));
    if (!catalogues_->loaded)
        return;
    // Qt's texts only in the language the program speaks, not in one mixed with English.
    catalogues_->qtLoaded =
        catalogues_->qt.load(QStringLiteral("qtbase_") + catalogues_->own.language(),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Translations::~Translations()
{
    if (!QCoreApplication::instance())
        return;
    // An installed translator must leave the application's list before it goes.
    QCoreApplication::removeTranslator(&catalogues_->own);
    QCoreApplication::removeTranslator(&catalogues_->qt);
}

bool Translations::Install()
{
    if (!catalogues_->loaded || !QCoreApplication::instance())
        return false;
    if (catalogues_->qtLoaded)
        QCoreApplication::installTranslator(&catalogues_->qt);
    return QCoreApplication::installTranslator(&catalogues_->own);
}

std::string Translations::Translate(const char *context, const char *text) const
{
    if (!catalogues_->loaded)
        return text;
    const QString translated = catalogues_->own.translate(context, text);
    return translated.isEmpty() ? std::string(text) : translated.toStdString();
}

CatalogueText::CatalogueText(const char *context, const char *text)
{
    // A message is made right after a failed call, whose errno the caller reads beside it
    // (in any order); loading the catalogue may set errno.
    const int failure = errno;
    // The window has its catalogue installed in the application, and a copy that fails file
    // after file asks for a message each time; sifter-cli, with no application, reports one
    // or two a run, each loading the catalogue for itself.
    format_ = QCoreApplication::instance() ? QCoreApplication::translate(context, text).toStdString()
                                           : Translations().Translate(context, text);
    errno = failure;
}

CatalogueText &CatalogueText::Arg(std::string_view value)
{
    values_.emplace_back(value);
    return *this;
}

std::string CatalogueText::Text() const
{
    std::string text;
    for (std::size_t i = 0; i < format_.size(); ++i) {
        const bool marker = format_[i] == '%' && i + 1 < format_.size() && format_[i + 1] >= '1' && format_[i + 1] <= '9';
        const std::size_t index = marker ? static_cast<std::size_t>(format_[i + 1] - '1') : values_.size();
        if (index < values_.size()) {
            text += values_[index];
            ++i;
        } else {
            text += format_[i];
        }
    }
    return text;
}

std::string Translations::Language() const
{
    return catalogues_->loaded ? catalogues_->own.language().toStdString() : std::string();
}

} // namespace sifter
