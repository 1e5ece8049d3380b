#pragma once

#include <QString>

// What a card's own file tells of itself, as a card's page shows it; empty when the file cannot
// be read.
namespace CardFileFacts {

// When the file was made, in the format of the card dates; its last change where the file
// system keeps no birth time.
QString CreationDate(const QString& path);

// The file's size for people to read: "1.2 MB", "512 bytes".
QString Size(const QString& path);

}  // namespace CardFileFacts
