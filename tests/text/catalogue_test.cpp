// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogues in translations/: every message finished, with the placeholders, mnemonic
// marks, line breaks and accelerator hints of its source. The .ts files come from outside
// the build (a translator's tool), so the reader expects anything of them.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#ifndef SIFTER_SOURCE_DIR
#error "the build names the source folder"
#endif

namespace sifter {
namespace {

struct CatalogueMessage {
    QString context;
    QString source;
    QStringList translations;  // one, or a numerus message's forms
    bool finished = true;
};

struct Catalogue {
    std::vector<CatalogueMessage> messages;
    QString language;
    QString error;  // empty when the file read as a catalogue
};

Catalogue ReadCatalogue(const QByteArray &xml)
{
    Catalogue catalogue;
    QXmlStreamReader reader(xml);
    QString context;
    CatalogueMessage *message = nullptr;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = reader.name();
        if (name == u"TS") {
            catalogue.language = reader.attributes().value(QLatin1String("language")).toString();
        } else if (name == u"name") {
            context = reader.readElementText();
        } else if (name == u"message") {
            catalogue.messages.push_back({context, {}, {}, true});
            message = &catalogue.messages.back();
        } else if (message && name == u"source") {
            message->source = reader.readElementText();
        } else if (message && name == u"translation") {
            const QString type = reader.attributes().value(QLatin1String("type")).toString();
            message->finished = type.isEmpty();
            // A numerus translation holds its forms as children; a plain one its text.
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (message->translations.isEmpty())
                message->translations.append(text);
        } else if (message && name == u"numerusform") {
            message->translations.append(reader.readElementText());
        }
    }
    if (reader.hasError())
        catalogue.error = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    return catalogue;
}

// The markers that must survive translation, sorted: placeholders (%1, %n, %s, %d, the field
// codes %f %F %u %U %i, "%%"), mnemonic marks ("&" before a letter, "&&" for an ampersand),
// line breaks (a command's prompt and tip, the document string's fields), the tab before a
// menu item's key hint (whose key names are the language's: "Strg+C").
// The help texts of the command lines are free in their lines, which nothing takes apart.
QStringList Markers(const QString &text, const QString &context)
{
    const bool linesCount = context != QLatin1String("sifter-cli") && context != QLatin1String("CommandLine");
    static const QRegularExpression marker(QStringLiteral("%(?:[0-9]+|[nsdfFuUi%])|&&|&(?=\\S)|\n|\t"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();) {
        QString one = it.next().captured();
        if (one.startsWith(QLatin1Char('&')) && one != QLatin1String("&&"))
            one = QStringLiteral("&");  // the letter changes with the language
        if (one != QLatin1String("\n") || linesCount)
            found.append(one);
    }
    found.sort();
    return found;
}

// What is wrong with a catalogue, one line per fault; empty when nothing is.
QStringList Faults(const Catalogue &catalogue)
{
    QStringList faults;
    if (!catalogue.error.isEmpty())
        faults.append(catalogue.error);
    if (catalogue.messages.empty())
        faults.append(QStringLiteral("no messages"));
    for (const CatalogueMessage &message : catalogue.messages) {
        const QString where = message.context + QStringLiteral(": ") + message.source.left(40);
        if (!message.finished || message.translations.isEmpty() || message.translations.first().isEmpty()) {
            faults.append(where + QStringLiteral(": not finished"));
            continue;
        }
        for (const QString &translation : message.translations) {
            // A plural form may spell out its number ("ein Treffer") instead of %n.
            QStringList expected = Markers(message.source, message.context);
            QStringList got = Markers(translation, message.context);
            if (message.translations.size() > 1) {
                expected.removeAll(QStringLiteral("%n"));
                got.removeAll(QStringLiteral("%n"));
            }
            if (expected != got)
                faults.append(where + QStringLiteral(": markers ") + expected.join(u' ') + QStringLiteral(" became ") +
                              got.join(u' '));
        }
    }
    return faults;
}

QByteArray CatalogueOf(const char *context, const char *source, const char *translation)
{
    return QStringLiteral("<?xml version=\"1.0\"?><TS version=\"2.1\" language=\"de\"><context><name>%1</name>"
                          "<message><source>%2</source>%3</message></context></TS>")
        .arg(QString::fromUtf8(context), QString::fromUtf8(source), QString::fromUtf8(translation))
        .toUtf8();
}

TEST(CatalogueFaults, AreFoundInBrokenMessages)
{
    EXPECT_TRUE(Faults(ReadCatalogue(CatalogueOf("S", "Row %1 (%2)", "<translation>Zeile %1 (%2)</translation>"))).isEmpty());
    EXPECT_TRUE(Faults(ReadCatalogue(CatalogueOf("M", "Re&amp;name", "<translation>&amp;Umbenennen</translation>"))).isEmpty());
    // The faults a translator makes: a placeholder lost or renumbered, the mnemonic dropped,
    // a prompt's tip joined to it, the key hint dropped, a message left unfinished.
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("S", "Row %1 (%2)", "<translation>Zeile %1</translation>"))).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("S", "%1 of %2", "<translation>%1 von %3</translation>"))).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("M", "Re&amp;name", "<translation>Umbenennen</translation>"))).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("S", "Open\nOpen", "<translation>Öffnet Öffnen</translation>"))).isEmpty());
    EXPECT_FALSE(
        Faults(ReadCatalogue(CatalogueOf("M", "&amp;Copy\tCtrl+C", "<translation>&amp;Kopieren Strg+C</translation>")))
            .isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("S", "Ready", "<translation type=\"unfinished\">Bereit</translation>")))
                     .isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("S", "Ready", "<translation></translation>"))).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue(CatalogueOf("S", "Ready", ""))).isEmpty());
}

TEST(CatalogueFaults, AreFoundInWhatIsNoCatalogue)
{
    EXPECT_FALSE(Faults(ReadCatalogue("<TS><context><name>S</name><message><source>a")).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue("not xml at all")).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue("")).isEmpty());
    EXPECT_FALSE(Faults(ReadCatalogue("<TS version=\"2.1\"/>")).isEmpty());
}

TEST(CatalogueFaults, NumerusFormsMaySpellOutTheirNumber)
{
    const QByteArray plural = CatalogueOf("S", "%n matches",
                                          "<translation><numerusform>ein Treffer</numerusform>"
                                          "<numerusform>%n Treffer</numerusform></translation>");
    EXPECT_TRUE(Faults(ReadCatalogue(plural)).isEmpty());
}

TEST(Catalogues, EveryMessageIsFinishedWithItsSourcesMarkers)
{
    const QDir folder(QStringLiteral(SIFTER_SOURCE_DIR "/translations"));
    const QStringList files = folder.entryList({QStringLiteral("sifter_*.ts")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const Catalogue catalogue = ReadCatalogue(file.readAll());
        // The file's name and its language attribute agree, as QTranslator::language() reports it.
        EXPECT_EQ(QStringLiteral("sifter_") + catalogue.language + QStringLiteral(".ts"), name);
        const QStringList faults = Faults(catalogue);
        EXPECT_TRUE(faults.isEmpty()) << name.toStdString() << ":\n" << faults.join(u'\n').toStdString();
    }
}

} // namespace
} // namespace sifter
