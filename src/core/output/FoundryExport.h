#pragma once

#include "engine/Character.h"

#include <QJsonObject>
#include <QString>

// A character as an actor of the "World of Darkness 20th edition" system of Foundry VTT: the
// document that the actor's "Import Data" accepts for an actor of type "Vampire".
namespace FoundryExport {

// The system release whose data layout the document follows; Foundry compares it with the
// installed one and the system migrates older actors from it.
inline constexpr const char* SystemVersion = "6.0.0";
inline constexpr const char* SystemId = "worldofdarkness";

// The actor document of a settled character.
QJsonObject actor(const Character& character);

// The specialty a trait carries into the export, "" when none.
QString specialty(const Character::Trait& trait);

// Writes the document to fileName, replacing the file only once it is complete. Returns an
// error text naming the file and the reason, or an empty text.
QString writeFile(const QString& fileName, const Character& character);

} // namespace FoundryExport
