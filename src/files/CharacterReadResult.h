#pragma once

#include "files/CharacterRecord.h"

#include <QList>
#include <QString>
#include <optional>

// What reading a character file gave: the values it carried, the messages to show, and where
// it stopped. The window applies each value present in record and leaves the rest of the sheet
// alone; when the read completed it also marks everything for recounting.
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
