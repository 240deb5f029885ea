#include "SourcebookFilter.h"

#include "rules/DataFile.h"

namespace SourcebookFilter {

namespace {

const QString CoreHeader = QStringLiteral("*2002") + CoreBook;
const QString GuideHeader = QStringLiteral("*2206") + PlayersGuide;
const QString BlackHandHeader = QStringLiteral("*4210Dirty Secrets of the Black Hand");
const QString VampireLineEnd = QStringLiteral("*3000");
const QString ClanbookMark = QStringLiteral("Clanbook:");

// The codes below 3000 are the books of the Vampire line. The data is Windows-1252 and the
// bound is ASCII, so comparing UTF-16 units orders the lines as their bytes would.
bool isVampireHeader(const QString& line)
{
    return line < VampireLineEnd || line == BlackHandHeader;
}

SortedTextList chosenFromFlags(const SortedTextList& bookTitles, const QList<bool>& bookInUse)
{
    SortedTextList chosen;
    for (qsizetype i = 0; i < bookTitles.size(); ++i) {
        if (bookInUse.value(i))
            chosen.add(bookTitles.at(i));
    }
    return chosen;
}

Choice choiceFromFlags(const SortedTextList& bookTitles, QList<bool> bookInUse)
{
    SortedTextList chosen = chosenFromFlags(bookTitles, bookInUse);
    return {std::move(bookInUse), std::move(chosen), false};
}

} // namespace

BookList buildBookList(const QStringList& dataLines)
{
    BookList books;
    for (const QString& line : dataLines) {
        if (!DataFile::isHeader(line))
            continue;
        const QString title = DataFile::headerTitle(line);
        books.BookTitles.add(title);
        if (line == CoreHeader || line == GuideHeader)
            books.ChosenBooks.add(title);
        if (isVampireHeader(line))
            books.VampireBooks.add(title);
    }
    return books;
}

Selection applySelection(const QStringList& dataLines, const SortedTextList& bookTitles,
                         const SortedTextList& chosenBooks)
{
    Selection result;
    result.BookInUse = QList<bool>(bookTitles.size(), true);
    result.ActiveLines.reserve(dataLines.size());
    const qsizetype count = dataLines.size();
    qsizetype i = 0;
    while (i < count) {
        while (i < count && DataFile::isHeader(dataLines[i])) {
            const QString title = DataFile::headerTitle(dataLines[i]);
            if (chosenBooks.find(title) >= 0)
                break;
            const qsizetype entry = bookTitles.find(title);
            if (entry >= 0)
                result.BookInUse[entry] = false;
            do
                ++i;
            while (i < count && !DataFile::isSectionEnd(dataLines[i]) &&
                   !DataFile::isHeader(dataLines[i]));
        }
        if (i >= count)
            break;
        result.ActiveLines.append(dataLines[i]);
        ++i;
    }
    return result;
}

Choice toggleBook(const SortedTextList& bookTitles, QList<bool> bookInUse, qsizetype index)
{
    bookInUse.resize(bookTitles.size());
    if (index >= 0 && index < bookInUse.size())
        bookInUse[index] = !bookInUse[index];
    return choiceFromFlags(bookTitles, std::move(bookInUse));
}

Choice applyPreset(Preset preset, const SortedTextList& bookTitles, QList<bool> bookInUse,
                   const SortedTextList& vampireBooks)
{
    bookInUse.resize(bookTitles.size());
    if (preset == Preset::Vampire) {
        for (qsizetype i = 0; i < bookTitles.size(); ++i)
            bookInUse[i] = vampireBooks.find(bookTitles.at(i)) >= 0;
        return {std::move(bookInUse), vampireBooks, true};
    }
    for (qsizetype i = 0; i < bookTitles.size(); ++i) {
        const QString& title = bookTitles.at(i);
        switch (preset) {
        case Preset::None:
            bookInUse[i] = false;
            break;
        case Preset::Classic:
            bookInUse[i] = title == CoreBook || title == PlayersGuide;
            break;
        case Preset::All:
            bookInUse[i] = true;
            break;
        case Preset::AllClanbooks:
            if (title.contains(ClanbookMark))
                bookInUse[i] = true;
            break;
        case Preset::NoClanbooks:
            if (title.contains(ClanbookMark))
                bookInUse[i] = false;
            break;
        case Preset::Vampire:
            break;
        }
    }
    return choiceFromFlags(bookTitles, std::move(bookInUse));
}

PresetColours presetLabelColours(const SortedTextList& bookTitles, const QList<bool>& bookInUse,
                                 const SortedTextList& chosenBooks,
                                 const SortedTextList& vampireBooks)
{
    auto red = [](bool match) { return match ? LabelColour::Red : LabelColour::Black; };
    auto caption = [](bool match) { return match ? LabelColour::Caption : LabelColour::Black; };

    // Counted against the titles, not the list's length: a character file may name a book
    // that this data does not hold, which must neither light "All" nor darken "None".
    qsizetype chosenTitles = 0;
    bool clanbookInUse = false;
    bool clanbookOutOfUse = false;
    for (qsizetype i = 0; i < bookTitles.size(); ++i) {
        if (chosenBooks.find(bookTitles.at(i)) >= 0)
            ++chosenTitles;
        if (bookTitles.at(i).contains(ClanbookMark))
            (bookInUse.value(i) ? clanbookInUse : clanbookOutOfUse) = true;
    }
    const QStringList& chosen = chosenBooks.items();

    PresetColours colours;
    colours.NoneButtonLabel = red(chosenTitles == 0);
    colours.AllButtonLabel = red(chosenTitles == bookTitles.size());
    colours.VampireButtonLabel = red(chosen == vampireBooks.items());
    colours.ClassicButtonLabel =
        red(chosen.size() == 2 && chosen[0] == CoreBook && chosen[1] == PlayersGuide);
    colours.AllClanBookButtonLabel = caption(!clanbookOutOfUse);
    colours.NoClanBookButtonLabel = caption(!clanbookInUse);
    return colours;
}

} // namespace SourcebookFilter
