// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's texts in the user's language: the catalogue of the first language of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG that Sifter has one for, and Qt's own catalogue of
// that language (standard buttons, file dialogs). English, the source texts, needs none.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// Marks a text for the catalogue (lupdate reads it as QT_TRANSLATE_NOOP); the text as it is.
// For the layers that may not include Qt; the others use QT_TRANSLATE_NOOP.
constexpr const char *TranslatableText(const char * /*context*/, const char *text)
{
    return text;
}

// A message of the catalogue in the user's language, its %1, %2, ... replaced by the values
// given to Arg in their order (a value is never read for markers); lupdate reads the
// constructor's call as QT_TRANSLATE_NOOP. For the layers that may not use Qt. Making one
// leaves errno as it was, so that a failure's errno can be read beside it.
class CatalogueText {
public:
    CatalogueText(const char *context, const char *text);
    CatalogueText &Arg(std::string_view value);
    // The text with the values in place (UTF-8); a marker with no value stays.
    std::string Text() const;

private:
    std::string format_;
    std::vector<std::string> values_;
};

class Translations {
public:
    // Loads the catalogues of language ("de"), or of the user's languages when it is empty;
    // none when Sifter has no catalogue for them.
    explicit Translations(const std::string &language = {});
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // Hands the catalogues to the running application (there must be one), so that its
    // translate() calls and Qt's own dialogs use them; false when there was none to hand.
    bool Install();
    // The text of context (UTF-8) in the loaded language; text itself when the catalogue
    // has no translation of it.
    std::string Translate(const char *context, const char *text) const;
    // The language of the loaded catalogue ("de"); empty when English stays.
    std::string Language() const;

private:
    struct Catalogues;
    std::unique_ptr<Catalogues> catalogues_;
};

} // namespace sifter
