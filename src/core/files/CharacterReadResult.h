#pragma once

#include "files/CharacterRecord.h"

#include <QList>
#include <QString>
#include <optional>

// What reading a character file gave: the values it carried, the messages to show, and where
// it stopped. The window shows the messages, then applies each value present in record and
// leaves every other value of the sheet as it was (never clear the sheet first). A row list
// present replaces the sheet's list: its rows, its size as the count, the placeholder in the
// rows beyond (also for a list cut short, so that no row of the previous character stays).
// A priority box present sets its categories and values, and the allowance boxes of the Rules
// panel show the values as decimal text. Only a completed read goes on to mark everything
// for recounting and to lay out the sheet.
struct CharacterReadResult
{
    struct Message
    {
        QString caption;
        QString text;

        bool operator==(const Message&) const = default;
    };

    CharacterRecord record;
    // The leading number of StartingGenerationEdit (0 when it has none), present with it.
    std::optional<int> StartingGeneration;

    QString version;         // the text after "Tarnoch98 v"; empty when the banner was rejected
    QList<Message> messages; // to show in this order
    bool bannerRejected = false;
    bool corrupt = false;
    int stopLine = 0; // when corrupt: the 1-based line at which reading stopped

    // Whether the file was read to its end, so that the sheet is to be recounted and laid out.
    bool completed() const { return !bannerRejected && !corrupt; }
};
